// The default form in real windows on the build's virtual screen: position
// keeping in a settings store held in memory, the deferred hooks, the pointer,
// the Esc rule, the character-set switch, the typing pauses, the menu loops
// and the modal-form guard.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestTime.h"
#include "WindowTest.h"
#include "controls/SajatCom.h"
#include "controls/StructCombo.h"
#include "forms/InterfaceSettings.h"
#include "forms/PositionRecord.h"
#include "forms/frDefaul.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/IniFile.h"
#include "framework/Label.h"
#include "framework/TreeView.h"

namespace {

std::vector<std::string> events;

class TTestDialog : public TfrmDefault {
public:
  using TfrmDefault::TfrmDefault;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestDialog>("TTestDialog", &TfrmDefault::StaticClassInfo())
                                       .Layout("TTESTDIALOG")
                                       .Field("lblText", &TTestDialog::lblText)
                                       .Field("edtTyped", &TTestDialog::edtTyped)
                                       .Field("spnTyped", &TTestDialog::spnTyped)
                                       .Field("edtPlain", &TTestDialog::edtPlain)
                                       .Field("cmbTyped", &TTestDialog::cmbTyped)
                                       .Field("btnOk", &TTestDialog::btnOk)
                                       .Field("btnCancel", &TTestDialog::btnCancel)
                                       .Method<&TTestDialog::FormCreate>("FormCreate")
                                       .Method<&TTestDialog::FormShow>("FormShow")
                                       .Method<&TTestDialog::btnCancelClick>("btnCancelClick")
                                       .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  void CreationDone() override { events.push_back("CreationDone"); }
  void FirstShowDone() override { events.push_back("FirstShowDone"); }
  void ShowDone() override { events.push_back("ShowDone"); }
  void FormCreate(TObject*) { events.push_back("create"); }
  void FormShow(TObject* sender) {
    TfrmDefault::FormShow(sender);
    events.push_back(IsWindowVisible(Handle()) ? "show after visible" : "show");
  }
  void btnCancelClick(TObject*) { events.push_back("btnCancel"); }

  TLabel* lblText = nullptr;
  TTmrEdit* edtTyped = nullptr;
  TTmrSpinEdit* spnTyped = nullptr;
  TEdit* edtPlain = nullptr;
  TTmrCombo* cmbTyped = nullptr;
  TButton* btnOk = nullptr;
  TButton* btnCancel = nullptr;
};

const int kScreenW = GetSystemMetrics(SM_CXSCREEN);
const int kScreenH = GetSystemMetrics(SM_CYSCREEN);
const int kBorder = 2 * GetSystemMetrics(SM_CXBORDER);

class DefaultForm : public ::testing::Test {
protected:
  void SetUp() override {
    SajatComUnitStart();
    events.clear();
    InterfaceSettings = TInterfaceSettings();
    InterfaceSettings.Store = &store;
  }
  void TearDown() override {
    TComponent::Free(dialog);
    InterfaceSettings = TInterfaceSettings();
    TakeApplicationErrors();
  }
  TTestDialog* Make() {
    dialog = TCustomForm::Create<TTestDialog>(Application);
    return dialog;
  }
  void ShowAndWait() {
    dialog->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog->Handle()) != FALSE; }));
    Pump(30);
  }
  std::string Record(int slot) { return store.ReadString("Forms", std::to_string(slot), "<none>"); }
  void Store(int slot, const std::string& record) { store.WriteString("Forms", std::to_string(slot), record); }
  // A record of bounds in the normal state.
  static std::string Bounds(int l, int t, int r, int b) {
    return "1" + posrec::HexField(l) + posrec::HexField(t) + posrec::HexField(r) + posrec::HexField(b);
  }
  bool Centred() const {
    return dialog->Left() == (kScreenW - dialog->Width()) / 2 && dialog->Top() == (kScreenH - dialog->Height()) / 2;
  }

  TIniFile store;  // in memory
  TTestDialog* dialog = nullptr;
};

TEST_F(DefaultForm, ASlotBelowOneNeverTouchesTheStore) {
  Store(0, "sentinel");
  const std::string before = store.Text();
  Make();
  dialog->SetPositionSlot(0);
  ShowAndWait();
  dialog->SetBounds(10, 10, dialog->Width(), dialog->Height());
  dialog->Hide();
  EXPECT_EQ(store.Text(), before);
}

TEST_F(DefaultForm, AFirstShowWithoutARecordCentresTheFormAndWritesTheRecordAtOnce) {
  Make();
  dialog->SetPositionSlot(5);
  ASSERT_EQ(Record(5).size(), 29u);  // written at once, before any show
  ShowAndWait();
  EXPECT_TRUE(Centred());
  const int l = dialog->Left(), t = dialog->Top();
  EXPECT_EQ(Record(5), Bounds(l, t, l + dialog->Width(), t + dialog->Height()) + posrec::HexField(kScreenW) +
                           posrec::HexField(kScreenH) + "0060");
}

TEST_F(DefaultForm, StoredPlacesAreRestoredPulledBackOrReplaced) {
  Make();
  const int w = dialog->Width(), h = dialog->Height();
  struct Case {
    const char* what;
    std::string record;
    TFormBorderStyle border;
    bool centred;
    int left, top, width, height;
  } cases[] = {
      {"a fixed dialog of its stored size", Bounds(100, 120, 100 + w, 120 + h), bsDialog, false, 100, 120, w, h},
      {"a fixed dialog of another size keeps its place", Bounds(300, 320, 320 + w, 320 + h), bsDialog, false, 40,
       50, w, h},
      {"a sizeable form takes the stored bounds", Bounds(60, 70, 560, 470), bsSizeable, false, 60, 70, 500, 400},
      {"pulled back from the right", Bounds(2000, 100, 2000 + w, 100 + h), bsDialog, false,
       kScreenW - kBorder - 50, 100, w, h},
      {"pulled back from the bottom", Bounds(100, 1500, 100 + w, 1500 + h), bsDialog, false, 100,
       kScreenH - kBorder - 50, w, h},
      {"negative edges on the screen stay", Bounds(-10, -20, -10 + w, -20 + h), bsDialog, false, -10, -20, w, h},
      {"on a monitor that has gone", Bounds(-3000, 100, -3000 + w, 100 + h), bsDialog, true, 0, 0, w, h},
      {"edges in the wrong order", Bounds(400, 300, 100, 500), bsDialog, true, 0, 0, w, h},
      {"four zeros", "10000000000000000", bsDialog, true, 0, 0, w, h},
      {"a short record", "1", bsDialog, true, 0, 0, w, h},
  };
  for (const auto& c : cases) {
    dialog->Hide();
    dialog->SetBorderStyle(c.border);
    dialog->SetBounds(40, 50, w, h);
    Store(7, c.record);
    dialog->SetPositionSlot(7);
    ShowAndWait();
    if (c.centred) {
      EXPECT_TRUE(Centred()) << c.what << ": " << dialog->Left() << "," << dialog->Top();
    } else {
      EXPECT_EQ(dialog->Left(), c.left) << c.what;
      EXPECT_EQ(dialog->Top(), c.top) << c.what;
    }
    EXPECT_EQ(dialog->Width(), c.width) << c.what;
    EXPECT_EQ(dialog->Height(), c.height) << c.what;
  }
}

// A settings file that cannot be written (read-only, as on a CD; here one in
// a folder that does not exist, which fails alike for every user, root under
// Wine included) costs the place, not the form: the form shows (centred),
// hides and shows again, and the store itself still raises for its other
// callers.
TEST_F(DefaultForm, AStoreThatCannotBeWrittenKeepsNeitherTheShowNorTheHideFromHappening) {
  wchar_t temp[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring name = temp + (L"korvex-no-such-folder-" + std::to_wstring(GetCurrentProcessId()) + L"\\x.ini");
  TIniFile unwritable(name);
  ASSERT_THROW(unwritable.WriteString("Other", "k", "w"), EIniFileException);
  InterfaceSettings.Store = &unwritable;

  Make();
  dialog->SetPositionSlot(5);
  for (int round = 0; round < 2; ++round) {
    ShowAndWait();
    EXPECT_TRUE(Centred()) << round;
    dialog->Hide();
    EXPECT_FALSE(IsWindowVisible(dialog->Handle())) << round;
  }
  EXPECT_EQ(TakeApplicationErrors(), "");
  EXPECT_FALSE(unwritable.ValueExists("Forms", "5"));
  TComponent::Free(dialog);
  dialog = nullptr;
}

TEST_F(DefaultForm, HidingSavesNegativeEdgesAsSixteenBitFieldsThatReadBack) {
  Make();
  dialog->SetPositionSlot(3);
  ShowAndWait();
  dialog->SetBounds(-10, 40, dialog->Width(), dialog->Height());
  dialog->Hide();
  EXPECT_EQ(Record(3).substr(0, 9), "1FFF60028");
  dialog->SetBounds(200, 200, dialog->Width(), dialog->Height());
  ShowAndWait();
  EXPECT_EQ(dialog->Left(), -10);
  EXPECT_EQ(dialog->Top(), 40);
}

TEST_F(DefaultForm, StoredStatesAreRestoredAndSaved) {
  Make();
  dialog->SetBorderStyle(bsSizeable);
  Store(4, Bounds(50, 60, 450, 360));
  Store(4, "3" + Record(4).substr(1));
  dialog->SetPositionSlot(4);
  ShowAndWait();
  EXPECT_TRUE(IsZoomed(dialog->Handle()));
  dialog->Hide();
  EXPECT_EQ(Record(4)[0], '3');
}

TEST_F(DefaultForm, HooksRunFromTheMessageLoopAfterWhatPostedThem) {
  Make();
  EXPECT_EQ(events, (std::vector<std::string>{"create"}));
  Pump(30);
  ShowAndWait();
  dialog->Hide();
  ShowAndWait();
  EXPECT_EQ(events, (std::vector<std::string>{"create", "CreationDone", "show", "FirstShowDone", "ShowDone", "show",
                                              "ShowDone"}));
}

TEST_F(DefaultForm, CreationDoneSurvivesTheWindowBeingMadeAgain) {
  TForm* host = TCustomForm::Create<TForm>(Application);
  host->HandleNeeded();
  Make();
  dialog->SetParent(host);  // the first window went, and the message with it
  dialog->SetIcon("");      // the window is told again that it was made
  Pump(50);
  dialog->SetParent(nullptr);
  TComponent::Free(host);
  EXPECT_EQ(events, (std::vector<std::string>{"create", "CreationDone"}));
}

TEST_F(DefaultForm, TheDefaultInterfaceFontAndTypingPausesAreSetAtCreation) {
  InterfaceSettings.Font.Name = "Times New Roman";
  InterfaceSettings.Font.Height = -14;
  InterfaceSettings.Font.Style = TFontStyles{fsItalic};
  InterfaceSettings.Font.Charset = 1;
  Make();
  EXPECT_EQ(dialog->Font()->Name(), "Times New Roman");
  EXPECT_EQ(dialog->Font()->Height(), -14);
  EXPECT_EQ(dialog->Font()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(dialog->Font()->Charset(), 1);
  EXPECT_EQ(dialog->lblText->Font()->Name(), "Times New Roman");  // follows the form
  EXPECT_EQ(dialog->edtTyped->WaitingTime(), 0);
  EXPECT_EQ(dialog->spnTyped->WaitingTime(), 0);
  EXPECT_EQ(dialog->cmbTyped->WaitingTime(), 0);
}

TEST_F(DefaultForm, LanguageSixSwitchesTheControlsToCentralEuropeanAtEveryShow) {
  InterfaceSettings.Font.Charset = 1;
  InterfaceSettings.LanguageCode = 1;
  Make();
  auto* structured = new TStructCombo(dialog);
  structured->SetParent(dialog);
  auto* tree = new TTreeView(dialog);
  tree->SetParent(dialog);
  tree->SetTop(200);
  ShowAndWait();
  EXPECT_EQ(dialog->lblText->Font()->Charset(), 1);
  dialog->Hide();
  InterfaceSettings.LanguageCode = kCentralEuropeanLanguage;
  ShowAndWait();
  EXPECT_EQ(dialog->lblText->Font()->Charset(), 238);
  EXPECT_EQ(dialog->btnCancel->Font()->Charset(), 238);
  EXPECT_EQ(dialog->edtPlain->Font()->Charset(), 238);
  EXPECT_EQ(dialog->cmbTyped->Font()->Charset(), 238);
  EXPECT_EQ(structured->Font()->Charset(), 238);
  EXPECT_EQ(tree->Font()->Charset(), 238);
  dialog->Hide();
  dialog->lblText->Font()->SetCharset(1);
  dialog->btnCancel->Font()->SetCharset(1);
  ShowAndWait();
  EXPECT_EQ(dialog->lblText->Font()->Charset(), 238);
  EXPECT_EQ(dialog->btnCancel->Font()->Charset(), 238);
}

TEST_F(DefaultForm, EscPressesTheCancelButtonUnlessATypedEditOrAnOpenTreeHasTheFocus) {
  Make();
  ShowAndWait();
  SetForegroundWindow(dialog->Handle());
  struct Case {
    TWinControl* focus;
    bool pressed;
  } cases[] = {{dialog->edtTyped, false}, {dialog->spnTyped, false}, {dialog->edtPlain, true}, {dialog->btnOk, true}};
  for (const auto& c : cases) {
    events.clear();
    c.focus->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == c.focus->Handle(); })) << c.focus->Name();
    SendMessageW(c.focus->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(c.focus->Handle(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(events, c.pressed ? std::vector<std::string>{"btnCancel"} : std::vector<std::string>{})
        << c.focus->Name();
  }
  // Esc in a structured combo's open tree only closes the tree.
  auto* structured = new TStructCombo(dialog);
  structured->SetParent(dialog);
  TStringList items;
  items.AddObject("Steel", 0);
  items.AddObject("_S235", 10);
  structured->SetItems(items);
  structured->SetFocus();
  SendMessageW(structured->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_TRUE(structured->TreeOpen());
  events.clear();
  SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(structured->TreeOpen());
  EXPECT_TRUE(events.empty());
  SendMessageW(structured->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);  // closed: the form's Esc
  EXPECT_EQ(events, std::vector<std::string>{"btnCancel"});
}

TEST_F(DefaultForm, ThePointerMovesOntoTheFormOrItsControlAndBack) {
  SetCursorPos(3, 4);
  Make();
  dialog->FRestorePointer = true;
  ShowAndWait();
  POINT p;
  GetCursorPos(&p);
  POINT centre = ClientToScreenPoint(dialog->Handle(), dialog->Width() / 2, dialog->Height() / 2);
  EXPECT_EQ(p.x, centre.x);
  EXPECT_EQ(p.y, centre.y);
  dialog->Close();
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 4);

  dialog->FPointerControl = dialog->btnCancel;
  ShowAndWait();
  GetCursorPos(&p);
  const TButton* b = dialog->btnCancel;
  centre = ClientToScreenPoint(dialog->Handle(), b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
  EXPECT_EQ(p.x, centre.x);
  EXPECT_EQ(p.y, centre.y);
}

TEST_F(DefaultForm, ClosingBeforeAnyShowLeavesThePointerAlone) {
  SetCursorPos(7, 8);
  Make();
  dialog->FRestorePointer = true;
  dialog->Close();
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 7);
  EXPECT_EQ(p.y, 8);
}

struct TMenuLog : TObject {
  void Enter(TObject*) { events.push_back("enter"); }
  void Exit(TObject*) { events.push_back("exit"); }
};

TEST_F(DefaultForm, MenuLoopsAreReportedToTheTaskFramework) {
  TMenuLog log;
  OnFormMenuLoopEnter = TNotifyEvent::Of<&TMenuLog::Enter>(&log);
  OnFormMenuLoopExit = TNotifyEvent::Of<&TMenuLog::Exit>(&log);
  Make();
  events.clear();
  SendMessageW(dialog->Handle(), WM_ENTERMENULOOP, FALSE, 0);
  SendMessageW(dialog->Handle(), WM_EXITMENULOOP, FALSE, 0);
  OnFormMenuLoopEnter = OnFormMenuLoopExit = TNotifyEvent();
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
}

// The modal form's test runs inside its modal loop, from a thread timer.
TTestDialog* modalForm = nullptr;
TTestDialog* otherForm = nullptr;
bool modalAboveOther = false;

bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}

void CALLBACK InsideModalLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  // The other form is brought above the modal one: it must go back below.
  SetWindowPos(otherForm->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  WaitUntil([] { return Above(modalForm->Handle(), otherForm->Handle()); }, 2000);
  modalAboveOther = Above(modalForm->Handle(), otherForm->Handle());
  modalForm->SetModalResult(mrOk);
}

TEST_F(DefaultForm, AnotherFormDoesNotStayAboveTheModalForm) {
  otherForm = Make();
  ShowAndWait();
  modalForm = TCustomForm::Create<TTestDialog>(Application);
  SetTimer(nullptr, 0, 50, InsideModalLoop);
  EXPECT_EQ(modalForm->ShowModal(), mrOk);
  EXPECT_TRUE(modalAboveOther);
  TComponent::Free(modalForm);
}

}  // namespace
