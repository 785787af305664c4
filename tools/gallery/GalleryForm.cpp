#include "tools/gallery/GalleryForm.h"

#include "tools/gallery/GalleryPages.h"

TGalleryForm* GalleryForm = nullptr;

const TClassInfo& TGalleryForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGalleryForm>("TGalleryForm", &TForm::StaticClassInfo())
                                     .Layout("TGALLERYFORM")
                                     .Field("edtChar", &TGalleryForm::edtChar)
                                     .Field("edtBin", &TGalleryForm::edtBin)
                                     .Field("edtHex", &TGalleryForm::edtHex)
                                     .Field("edtInteger", &TGalleryForm::edtInteger)
                                     .Field("edtCardinal", &TGalleryForm::edtCardinal)
                                     .Field("edtFloat", &TGalleryForm::edtFloat)
                                     .Field("edtFloatP", &TGalleryForm::edtFloatP)
                                     .Field("spnInteger", &TGalleryForm::spnInteger)
                                     .Field("spnHex", &TGalleryForm::spnHex)
                                     .Field("spnFloat", &TGalleryForm::spnFloat)
                                     .Field("spnFloatP", &TGalleryForm::spnFloatP)
                                     .Field("memLog", &TGalleryForm::memLog)
                                     .Field("btnClearLog", &TGalleryForm::btnClearLog)
                                     .Method<&TGalleryForm::ControlChange>("ControlChange")
                                     .Method<&TGalleryForm::ControlEnter>("ControlEnter")
                                     .Method<&TGalleryForm::ControlExit>("ControlExit")
                                     .Method<&TGalleryForm::ControlDblClick>("ControlDblClick")
                                     .Method<&TGalleryForm::ControlUpdate>("ControlUpdate")
                                     .Method<&TGalleryForm::ControlOverflow>("ControlOverflow")
                                     .Method<&TGalleryForm::ControlUnderflow>("ControlUnderflow")
                                     .Method<&TGalleryForm::ControlEmpty>("ControlEmpty")
                                     .Method<&TGalleryForm::ControlKeyDown>("ControlKeyDown")
                                     .Method<&TGalleryForm::ControlKeyPress>("ControlKeyPress")
                                     .Method<&TGalleryForm::ControlOtherKey>("ControlOtherKey")
                                     .Method<&TGalleryForm::btnClearLogClick>("btnClearLogClick")
                                     .Method<&TGalleryForm::FormCreate>("FormCreate")
                                     .Build();
  return info;
}

namespace {

// A character as the log shows it: printable ones quoted, others by code.
std::string KeyText(char key) {
  auto code = static_cast<unsigned char>(key);
  return code < 32 ? "#" + std::to_string(code) : "'" + std::string(1, key) + "'";
}

}  // namespace

void TGalleryForm::Log(TObject* sender, const std::string& event) {
  auto* edit = dynamic_cast<TEdit*>(sender);
  if (!edit || !memLog) return;
  memLog->AppendLine(edit->Name() + ": " + event);
}

void TGalleryForm::ControlChange(TObject* Sender) {
  Log(Sender, "OnChange Text='" + static_cast<TEdit*>(Sender)->Text() + "'");
}

void TGalleryForm::ControlEnter(TObject* Sender) { Log(Sender, "OnEnter"); }
void TGalleryForm::ControlExit(TObject* Sender) { Log(Sender, "OnExit"); }
void TGalleryForm::ControlDblClick(TObject* Sender) { Log(Sender, "OnDblClick"); }

void TGalleryForm::ControlUpdate(TObject* Sender) {
  Log(Sender, "OnUpdate Text='" + static_cast<TEdit*>(Sender)->Text() + "'");
}

void TGalleryForm::ControlOverflow(TObject* Sender) {
  Log(Sender, "OnOverflow Text='" + static_cast<TEdit*>(Sender)->Text() + "'");
}

void TGalleryForm::ControlUnderflow(TObject* Sender) {
  Log(Sender, "OnUnderflow Text='" + static_cast<TEdit*>(Sender)->Text() + "'");
}

void TGalleryForm::ControlEmpty(TObject* Sender) { Log(Sender, "OnEmpty"); }

void TGalleryForm::ControlKeyDown(TObject* Sender, uint16_t& Key, TShiftState) {
  Log(Sender, "OnKeyDown Key=" + std::to_string(Key));
}

void TGalleryForm::ControlKeyPress(TObject* Sender, char& Key) { Log(Sender, "OnKeyPress Key=" + KeyText(Key)); }

void TGalleryForm::ControlOtherKey(TObject* Sender, char Key) { Log(Sender, "OnOtherKey Key=" + KeyText(Key)); }

void TGalleryForm::btnClearLogClick(TObject*) { memLog->Clear(); }

// One button per page, in a row along the bottom, in the order of the table.
void TGalleryForm::FormCreate(TObject*) {
  int left = 8;
  int tag = 0;
  for (const TGalleryPage& page : GalleryPages()) {
    auto* button = new TButton(this);
    button->SetName(std::string("btnPage") + page.Name);
    button->SetParent(this);
    button->SetBounds(left, ClientHeight() - 32, 100, 25);
    button->SetCaption(page.Caption);
    button->SetTag(tag++);
    button->SetTabStop(false);
    button->OnClick = TNotifyEvent::Of<&TGalleryForm::PageButtonClick>(this);
    left += 104;
  }
  pages_.assign(GalleryPages().size(), nullptr);
}

void TGalleryForm::PageButtonClick(TObject* Sender) {
  const auto index = static_cast<size_t>(static_cast<TComponent*>(Sender)->Tag());
  if (index >= pages_.size()) return;
  if (!pages_[index]) pages_[index] = GalleryPages()[index].Create(false);
  pages_[index]->Show();
  SetForegroundWindow(pages_[index]->Handle());
}
