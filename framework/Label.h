#pragma once
// TLabel: a line (or, with WordWrap, a paragraph) of text painted by its
// parent. Transparent labels let the parent show through; opaque ones fill
// their area with Color. With AutoSize the label takes the size of its text
// whenever the text or font changes (a right-justified label keeps its right
// edge); the width stays when WordWrap is on and only the height follows.

#include "framework/GraphicControl.h"

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  void Paint(TCanvas& canvas) override;
  void Loaded() override;

protected:
  void TextChanged() override;
  void FontChanged() override;
  void AdjustBounds();
  UINT TextFlags() const;

private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
};
