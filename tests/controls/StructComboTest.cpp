// The structured combo on a shown form, driven by posted mouse and key
// messages through the application's loop: building the tree from the
// entries, opening and closing it every way, choosing leaves, the keypad
// keys, clicks outside (swallowed), ObjectIndex, the tree's size, and the
// application message hook never left behind.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "controls/ComboTree.h"
#include "controls/DropButton.h"
#include "controls/StructCombo.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/CustomForm.h"
#include "framework/GdiCache.h"

namespace {

using TLines = std::vector<std::string>;

struct TEntry {
  const char* text;
  int id;
};

TStringList List(std::initializer_list<TEntry> entries) {
  TStringList l;
  for (const TEntry& e : entries) l.AddObject(e.text, e.id);
  return l;
}

const std::initializer_list<TEntry> kMaterials = {
    {"Steel", 0}, {"_S235", 10}, {"_S355", 11}, {"Timber", 0}, {"_C24", 20}};

class StructComboWindow : public ::testing::Test {
protected:
  void SetUp() override {
    StructComboUnitStart();
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(80, 80, 420, 320);
    combo = new TStructCombo(form);
    combo->SetParent(form);
    combo->SetBounds(20, 20, 100, 20);
    other = new TButton(form);
    other->SetParent(form);
    other->SetBounds(300, 20, 80, 25);
    other->OnClick = TNotifyEvent::Of<&StructComboWindow::OtherClick>(this);
    combo->OnChange = TNotifyEvent::Of<&StructComboWindow::Change>(this);
    combo->OnCloseUp = TNotifyEvent::Of<&StructComboWindow::CloseUp>(this);
    combo->SetItems(List(kMaterials));
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    SetForegroundWindow(form->Handle());
    combo->SetFocus();
    Settle();
    log.clear();
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }

public:  // event handlers
  void Change(TObject*) { log.push_back("change " + std::to_string(combo->ObjectIndex()) + " " + combo->Caption()); }
  void CloseUp(TObject*) { log.push_back("closeup"); }
  void OtherClick(TObject*) { log.push_back("other click"); }

protected:
  void Settle() {
    Application->ProcessMessages();
    Pump(30);
  }
  void Key(WORD vk) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, vk, 1);
    PostMessageW(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    Settle();
  }
  void Click(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Settle();
  }
  void ClickNode(const std::string& text, bool onCaption = true) {
    TTreeNode* n = Node(text);
    ASSERT_NE(n, nullptr) << text;
    RECT r = n->DisplayRect(true);
    Click(Tree()->Handle(), onCaption ? (r.left + r.right) / 2 : 5 + n->Level() * Tree()->Indent(),
          (r.top + r.bottom) / 2);
  }
  TComboTree* Tree() { return combo->Tree(); }
  TTreeNode* Node(const std::string& text) {
    for (int i = 0; i < Tree()->NodeCount(); ++i)
      if (Tree()->Node(i)->Text() == text) return Tree()->Node(i);
    return nullptr;
  }
  bool Open() { return Tree()->Visible() && IsWindowVisible(Tree()->Handle()); }
  bool Hooked() {
    return Application->HasMessageHook(TMessageEvent::Of<&TStructCombo::MessageHook>(combo));
  }
  // The nodes in display order, each as "text" or "text<parent".
  std::string Shape() {
    std::string out;
    for (int i = 0; i < Tree()->NodeCount(); ++i) {
      TTreeNode* n = Tree()->Node(i);
      out += (out.empty() ? "" : " ") + n->Text() + (n->Parent() ? "<" + n->Parent()->Text() : "");
    }
    return out;
  }
  TLines Take() {
    TLines out;
    out.swap(log);
    return out;
  }

  TForm* form = nullptr;
  TStructCombo* combo = nullptr;
  TButton* other = nullptr;
  TLines log;
};

TEST_F(StructComboWindow, EntriesBecomeGroupsAndLeavesByTheirUnderscores) {
  struct TCase {
    std::initializer_list<TEntry> entries;
    const char* shape;
  };
  const TCase cases[] = {
      {kMaterials, "Steel S235<Steel S355<Steel Timber C24<Timber"},
      // A level-2 entry goes under the most recent level-1 node, even of an
      // earlier group.
      {{{"G1", 1}, {"_S1", 2}, {"G2", 3}, {"__X", 4}, {"_S2", 5}}, "G1 S1<G1 X<S1 G2 S2<G2"},
      // Without a parent yet, or with more than three underscores: a root.
      {{{"_A", 1}, {"_____E", 2}, {"_B", 3}, {"__C", 4}, {"___D", 5}}, "A E B<E C<B D<C"},
      // An empty entry ends the list.
      {{{"A", 1}, {"_A1", 2}, {"", 3}, {"B", 4}}, "A A1<A"},
  };
  for (const TCase& c : cases) {
    combo->SetItems(List(c.entries));
    EXPECT_EQ(Shape(), c.shape);
  }
  combo->SetItems(List(kMaterials));
  EXPECT_EQ(Node("S355")->Data, 11);
  EXPECT_EQ(Node("C24")->Parent(), Node("Timber"));
}

TEST_F(StructComboWindow, OpensByButtonClickAndKeysAndEscapeKeepsTheChoice) {
  combo->SetObjectIndex(10);
  const int buttonX = combo->DropButton()->Left() + 5;
  struct TWay {
    const char* name;
    std::function<void()> open;
  };
  const TWay ways[] = {
      {"button", [&] { Click(combo->Handle(), buttonX, 8); }},
      {"panel", [&] { Click(combo->Handle(), 10, 8); }},
      {"Enter", [&] { Key(VK_RETURN); }},
      {"Space", [&] { Key(VK_SPACE); }},
      {"Down", [&] { Key(VK_DOWN); }},
  };
  for (const TWay& w : ways) {
    SCOPED_TRACE(w.name);
    ASSERT_EQ(GetFocus(), combo->Handle());
    w.open();
    EXPECT_TRUE(Open());
    EXPECT_EQ(GetFocus(), Tree()->Handle());
    EXPECT_TRUE(Hooked());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(Hooked());
    EXPECT_EQ(GetFocus(), combo->Handle());
    EXPECT_EQ(Take(), TLines{"closeup"});
    EXPECT_EQ(combo->ObjectIndex(), 10);
    EXPECT_EQ(combo->Caption(), "S235");
  }
  // The tree hangs from the combo's bottom-left corner.
  Key(VK_DOWN);
  RECT c, t;
  GetWindowRect(combo->Handle(), &c);
  GetWindowRect(Tree()->Handle(), &t);
  EXPECT_EQ(t.left, c.left);
  EXPECT_EQ(t.top, c.bottom);
}

TEST_F(StructComboWindow, LeavesAreChosenByKeysOrClicksAndGroupsOnlyOpen) {
  Key(VK_DOWN);  // opens; the tree's first node is selected
  Key(VK_RETURN);  // a group: opens it
  EXPECT_TRUE(Node("Steel")->Expanded());
  EXPECT_TRUE(Open());
  Key(VK_DOWN);  // moving onto a leaf changes the choice at once
  EXPECT_EQ(Take(), TLines{"change 10 S235"});
  Key(VK_DOWN);
  EXPECT_EQ(Take(), TLines{"change 11 S355"});
  Key(VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Take(), TLines{"closeup"});
  EXPECT_EQ(combo->ObjectIndex(), 11);
  EXPECT_EQ(WindowTextW(combo->Handle()), L"S355");

  Key(VK_SPACE);
  ClickNode("Timber", false);  // on the expand button: the tree's own business
  EXPECT_TRUE(Node("Timber")->Expanded());
  EXPECT_TRUE(Open());
  ClickNode("Timber");  // on the caption: toggles
  EXPECT_FALSE(Node("Timber")->Expanded());
  ClickNode("Timber");
  ClickNode("C24");
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->ObjectIndex(), 20);
  EXPECT_EQ(combo->Caption(), "C24");
  EXPECT_EQ(Take(), (TLines{"change 20 C24", "closeup"}));
  EXPECT_EQ(GetFocus(), combo->Handle());
}

TEST_F(StructComboWindow, KeypadPlusOpensEverythingAndMinusClosesUpwards) {
  Key(VK_DOWN);
  Key(VK_ADD);  // Steel opens one level
  EXPECT_TRUE(Node("Steel")->Expanded());
  EXPECT_FALSE(Node("Timber")->Expanded());
  Key(VK_ADD);  // already open: everything opens
  EXPECT_TRUE(Node("Timber")->Expanded());
  Tree()->SetSelected(Node("C24"));
  Key(VK_SUBTRACT);  // on a leaf: its parent closes
  EXPECT_FALSE(Node("Timber")->Expanded());
  EXPECT_TRUE(Node("Steel")->Expanded());
  Tree()->SetSelected(Node("Steel"));
  Key(VK_SUBTRACT);  // the tree closes the open group itself
  Node("Timber")->Expand(false);
  Key(VK_SUBTRACT);  // on a closed group: everything closes
  EXPECT_FALSE(Node("Timber")->Expanded());
  EXPECT_FALSE(Node("Steel")->Expanded());
  EXPECT_TRUE(Open());
}

TEST_F(StructComboWindow, AClickOutsideClosesTheTreeAndReachesNothingElse) {
  Key(VK_DOWN);
  Click(other->Handle(), 10, 10);
  EXPECT_FALSE(Open());
  EXPECT_FALSE(Hooked());
  EXPECT_EQ(Take(), TLines{"closeup"});
  EXPECT_EQ(GetFocus(), combo->Handle());
  Click(other->Handle(), 10, 10);
  EXPECT_EQ(Take(), TLines{"other click"});

  // The drop button while open: closes, does not reopen.
  combo->SetFocus();
  Key(VK_DOWN);
  Click(combo->Handle(), combo->DropButton()->Left() + 5, 8);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Take(), TLines{"closeup"});

  // The form's caption (a non-client click, in screen coordinates).
  Key(VK_DOWN);
  RECT w;
  GetWindowRect(form->Handle(), &w);
  PostMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 60, w.top + 8));
  Settle();
  EXPECT_FALSE(Open());
  EXPECT_EQ(Take(), TLines{"closeup"});
}

TEST_F(StructComboWindow, ObjectIndexSelectsTheEntrysOwnNode) {
  combo->SetObjectIndex(11);
  EXPECT_EQ(combo->Caption(), "S355");
  EXPECT_TRUE(Node("S355")->Selected());
  EXPECT_TRUE(Take().empty());
  combo->SetObjectIndex(11);
  combo->SetObjectIndex(99);  // no entry has it
  EXPECT_EQ(combo->ObjectIndex(), -1);
  EXPECT_EQ(combo->Caption(), "");
  EXPECT_EQ(Tree()->Selected(), nullptr);
  EXPECT_EQ(Take(), TLines{"change -1 "});
  combo->SetObjectIndex(-1);
  EXPECT_TRUE(Take().empty());

  // Display order differs from the entries' order: X (entry 3) is node 2.
  combo->SetItems(List({{"G1", 1}, {"_S1", 2}, {"G2", 3}, {"__X", 4}, {"_S2", 5}}));
  combo->SetObjectIndex(4);
  EXPECT_EQ(combo->Caption(), "X");
  EXPECT_TRUE(Node("X")->Selected());
  // An entry after an empty one has no node: not found.
  combo->SetItems(List({{"A", 1}, {"_A1", 2}, {"", 3}, {"_B1", 4}}));
  combo->SetObjectIndex(2);
  EXPECT_EQ(combo->Caption(), "A1");
  Take();
  combo->SetObjectIndex(4);
  EXPECT_EQ(combo->ObjectIndex(), -1);
  EXPECT_EQ(combo->Caption(), "");
  EXPECT_EQ(Take(), TLines{"change -1 "});
}

TEST_F(StructComboWindow, TheTreeKeepsItsNodesWhenItsFormsWindowIsMadeAgain) {
  combo->SetObjectIndex(11);
  const std::string shape = Shape();
  TForm* host = TCustomForm::Create<TForm>(Application);
  host->SetBounds(40, 40, 600, 500);
  host->Show();
  form->SetParent(host);  // a child window now: the form's windows are made anew
  Settle();
  EXPECT_EQ(Shape(), shape);
  EXPECT_TRUE(Node("S355")->Selected());
  combo->SetObjectIndex(20);
  EXPECT_EQ(combo->Caption(), "C24");
  EXPECT_TRUE(Take().empty());
  form->SetParent(nullptr);
  TComponent::Free(host);
}

TEST_F(StructComboWindow, TheTreeIsSizedToItsNodesWithinTheLimits) {
  const std::string longText = "A much longer caption than the combo is wide";
  combo->SetTreeHeight(0);
  combo->SetItems(List({{"Group", 1}, {("_" + longText).c_str(), 2}, {"_Short", 3}, {"Other", 4}}));
  // As high as every node and one row more, in the rows the tree shows.
  const int pitch = Node("Other")->DisplayRect(false).top - Node("Group")->DisplayRect(false).top;
  EXPECT_GT(pitch, 0);
  EXPECT_EQ(Tree()->Height(), 5 * pitch);
  EXPECT_EQ(combo->UsedTreeHeight(), Tree()->Height());
  int natural = Tree()->Width();
  EXPECT_GT(natural, 150);

  TStructCombo* limited = new TStructCombo(form);
  limited->SetParent(form);
  limited->SetBounds(20, 150, 100, 20);
  limited->SetTreeMaxWidth(150);
  limited->SetTreeHeight(30);
  limited->SetItems(List({{"Group", 1}, {("_" + longText).c_str(), 2}}));
  EXPECT_EQ(limited->Tree()->Width(), 150);
  EXPECT_EQ(limited->Tree()->Height(), 30);

  combo->SetItems(List({{"A", 1}}));  // the tree never narrows
  EXPECT_EQ(Tree()->Width(), natural);
}

TEST(StructComboOnAForm, CombosWithoutEntriesGetTheirTreesWithTheFormsWindow) {
  StructComboUnitStart();
  TForm* form = TCustomForm::Create<TForm>(Application);
  form->SetBounds(80, 80, 300, 200);
  std::vector<TStructCombo*> combos;
  for (int i = 0; i < 6; ++i) {
    auto* c = new TStructCombo(form);
    c->SetName("cmb" + std::to_string(i));
    c->SetParent(form);
    c->SetBounds(10, 10 + 25 * i, 100, 20);
    combos.push_back(c);
  }
  form->Show();  // every combo's window, then its tree's, is made while the form's children are
  for (TStructCombo* c : combos) {
    ASSERT_TRUE(c->Tree()->HandleAllocated()) << c->Name();
    EXPECT_EQ(c->Tree()->Parent(), form);
    EXPECT_EQ(WindowTextW(c->Tree()->Handle()), std::wstring(c->Name().begin(), c->Name().end()));
  }
  combos[5]->SetItems(List(kMaterials));
  combos[5]->SetFocus();
  PostMessageW(combos[5]->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  Pump(30);
  EXPECT_TRUE(IsWindowVisible(combos[5]->Tree()->Handle()));
  TComponent::Free(form);
}

TEST_F(StructComboWindow, ADisabledOrEmptyComboDoesNotOpen) {
  combo->SetEnabled(false);
  EXPECT_FALSE(combo->DropButton()->Enabled());
  Click(combo->Handle(), 10, 8);
  Key(VK_DOWN);
  combo->ToggleTree(combo);
  EXPECT_FALSE(Open());
  combo->SetEnabled(true);
  combo->SetItems(TStringList());
  Click(combo->Handle(), 10, 8);
  Key(VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_TRUE(Take().empty());
}

TEST_F(StructComboWindow, TheHookNeverOutlivesTheOpenTree) {
  // Disabled while open: the focus cannot come back, the tree closes anyway
  // and later clicks are not swallowed.
  Key(VK_DOWN);
  combo->SetEnabled(false);
  Click(other->Handle(), 10, 10);
  EXPECT_FALSE(Open());
  EXPECT_FALSE(Hooked());
  EXPECT_EQ(Take(), TLines{"closeup"});
  Click(other->Handle(), 10, 10);
  EXPECT_EQ(Take(), TLines{"other click"});
  combo->SetEnabled(true);

  // Entering twice without leaving installs the hook once.
  combo->SetFocus();
  Key(VK_DOWN);
  combo->TreeEnter(Tree());
  Key(VK_ESCAPE);
  EXPECT_FALSE(Hooked());

  // The focus going to another control closes the tree.
  Key(VK_DOWN);
  other->SetFocus();
  Settle();
  EXPECT_FALSE(Open());
  EXPECT_FALSE(Hooked());
  EXPECT_EQ(Take(), (TLines{"closeup", "closeup"}));

  // Destroyed while open.
  combo->SetFocus();
  Key(VK_DOWN);
  TMessageEvent hook = TMessageEvent::Of<&TStructCombo::MessageHook>(combo);
  EXPECT_TRUE(Application->HasMessageHook(hook));
  TComponent::Free(combo);
  combo = nullptr;
  EXPECT_FALSE(Application->HasMessageHook(hook));
  Click(other->Handle(), 10, 10);
  EXPECT_EQ(Take(), TLines{"other click"});
}

TEST_F(StructComboWindow, GroupsAreDrawnInTheirColourAndTheFocusIsShown) {
  auto pixel = [](HWND window, int x, int y) {
    POINT p = ClientToScreenPoint(window, x, y);
    return ScreenPixel(p.x, p.y);
  };
  UpdateWindow(combo->Handle());
  EXPECT_EQ(pixel(combo->Handle(), 2, 8), gdi::ColorToRGB(clHighlight));  // focused
  other->SetFocus();
  Settle();
  UpdateWindow(combo->Handle());
  EXPECT_EQ(pixel(combo->Handle(), 2, 8), gdi::ColorToRGB(clWindow));

  combo->SetFocus();
  Key(VK_DOWN);
  Key(VK_ADD);
  UpdateWindow(Tree()->Handle());
  Pump(30);
  auto hasColour = [&](const std::string& text, COLORREF colour) {
    RECT r = Node(text)->DisplayRect(true);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (pixel(Tree()->Handle(), x, y) == colour) return true;
    return false;
  };
  EXPECT_TRUE(hasColour("Steel", RGB(128, 0, 0)));
  EXPECT_FALSE(hasColour("S235", RGB(128, 0, 0)));
}

}  // namespace
