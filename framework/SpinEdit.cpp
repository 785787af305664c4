#include "framework/SpinEdit.h"

#include <charconv>
#include <limits>

#include "framework/SpinButton.h"

namespace {

// A whole number with optional blanks around it and an optional sign.
bool TryTextToInt32(std::string_view text, int32_t& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

constexpr int kButtonGap = 1;  // between the text and the buttons

}  // namespace

const TClassInfo& TSpinEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSpinEdit>("TSpinEdit", &TEdit::StaticClassInfo())
          .Creatable()
          .Bool("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled, true)
          .Int("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement, 1)
          .Int("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue, 0)
          .Int("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue, 0)
          .Int("Value", &TSpinEdit::Value, &TSpinEdit::SetValue, 0)
          .Build();
  return info;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner), button_(new TSpinButton(this)) {
  button_->FocusControl = this;
  button_->OnUpClick = TNotifyEvent::Of<&TSpinEdit::UpClick>(this);
  button_->OnDownClick = TNotifyEvent::Of<&TSpinEdit::DownClick>(this);
  button_->SetParent(this);
  SetText("0");
}

int32_t TSpinEdit::CheckValue(int64_t value) const {
  if (maxValue_ != minValue_) {
    if (value < minValue_) return minValue_;
    if (value > maxValue_) return maxValue_;
  }
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

int32_t TSpinEdit::Value() const {
  int32_t v = 0;
  return TryTextToInt32(Text(), v) ? v : minValue_;
}

void TSpinEdit::SetValue(int32_t value) { SetText(std::to_string(CheckValue(value))); }

void TSpinEdit::StepUp() {
  if (ReadOnly()) MessageBeep(MB_OK);
  else SetValue(CheckValue(int64_t{Value()} + increment_));
}

void TSpinEdit::StepDown() {
  if (ReadOnly()) MessageBeep(MB_OK);
  else SetValue(CheckValue(int64_t{Value()} - increment_));
}

void TSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_UP) StepUp();
  else if (key == VK_DOWN) StepDown();
  TEdit::KeyDown(key, shift);
}

bool TSpinEdit::IsValidChar(char key) {
  bool valid = (key >= '0' && key <= '9') || key == '+' || key == '-' ||
               (static_cast<unsigned char>(key) < 32 && key != '\r');
  if (!editorEnabled_ && valid && (static_cast<unsigned char>(key) >= 32 || key == '\b')) valid = false;
  return valid;
}

void TSpinEdit::KeyPress(char& key) {
  if (!IsValidChar(key)) {
    key = 0;
    MessageBeep(MB_OK);
  }
  if (key) TEdit::KeyPress(key);
}

void TSpinEdit::DoExit() {
  TEdit::DoExit();
  int32_t v = Value();
  if (CheckValue(v) != v) SetValue(v);
}

void TSpinEdit::DoPaste() {
  if (editorEnabled_ && !ReadOnly()) TEdit::DoPaste();
}

void TSpinEdit::DoCut() {
  if (editorEnabled_ && !ReadOnly()) TEdit::DoCut();
}

void TSpinEdit::WindowCreated() {
  TEdit::WindowCreated();
  SetRightMargin(button_->Width() + kButtonGap);
  PlaceButton();
}

void TSpinEdit::PlaceButton() {
  button_->SetBounds(ClientWidth() - button_->Width(), 0, button_->Width(), button_->Height());
}

LRESULT TSpinEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = TEdit::WndProc(message, wParam, lParam);
  if (message == WM_SIZE) PlaceButton();
  return r;
}

void TSpinEdit::EnabledChanged() {
  TEdit::EnabledChanged();
  button_->SetEnabled(Enabled());
}
