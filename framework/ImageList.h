#pragma once
// TImageList: small pictures of one size, drawn by index (a system image
// list, owned). Controls that show item images refer to a list without
// owning it.

#include <windows.h>
#include <commctrl.h>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"

class TCanvas;

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size empties the list.
  void SetSize(int width, int height);
  void SetWidth(int value) { SetSize(value, height_); }
  void SetHeight(int value) { SetSize(width_, value); }
  int Count() const;
  // Adds a copy of the bitmap (several images when it is wider than one);
  // pixels of `transparent` show what is beneath (CLR_NONE: none). Returns
  // the index of the first image added, -1 on failure.
  int Add(HBITMAP bitmap, COLORREF transparent = CLR_NONE);
  void Clear();
  // Draws an image with its top-left corner at (x, y); disabled images are
  // drawn faded. An index outside the list draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  HIMAGELIST Handle() const { return handle_; }

private:
  void Create();

  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
};
