#include "framework/Memo.h"

#include "framework/WinText.h"

const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMemo>("TMemo", &TEdit::StaticClassInfo()).Creatable().Build();
  return info;
}

TMemo::TMemo(TComponent* owner) : TEdit(owner) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
}

void TMemo::CreateParams(TCreateParams& p) {
  TEdit::CreateParams(p);
  p.Style = (p.Style & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
            WS_VSCROLL;
}

void TMemo::AppendLine(const std::string& line) {
  HWND h = Handle();
  std::string text = Text().empty() ? line : "\r\n" + line;
  int end = GetWindowTextLengthW(h);
  SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  SendMessageW(h, EM_SCROLLCARET, 0, 0);
}

int TMemo::LineCount() const {
  if (!HandleAllocated()) return 0;
  return static_cast<int>(SendMessageW(handle_, EM_GETLINECOUNT, 0, 0));
}
