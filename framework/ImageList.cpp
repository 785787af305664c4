#include "framework/ImageList.h"

#include "framework/Canvas.h"

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Int("Height", &TImageList::Height, &TImageList::SetHeight, 16)
                                     .Int("Width", &TImageList::Width, &TImageList::SetWidth, 16)
                                     .Build();
  return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) { Create(); }

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::Create() {
  if (handle_) ImageList_Destroy(handle_);
  handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
}

void TImageList::SetSize(int width, int height) {
  width_ = width < 1 ? 1 : width;
  height_ = height < 1 ? 1 : height;
  Create();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Add(HBITMAP bitmap, COLORREF transparent) {
  if (!handle_) return -1;
  if (transparent == CLR_NONE) return ImageList_Add(handle_, bitmap, nullptr);
  return ImageList_AddMasked(handle_, bitmap, transparent);
}

void TImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (!handle_ || index < 0 || index >= Count()) return;
  ImageList_DrawEx(handle_, index, canvas.Handle(), x, y, 0, 0, CLR_NONE, CLR_DEFAULT,
                   ILD_NORMAL | (enabled ? 0 : ILD_BLEND50));
}
