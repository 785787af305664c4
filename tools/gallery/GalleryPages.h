#pragma once
// The gallery's pages: forms of their own, each showing one family of the
// library's controls. Gallery.exe opens a page as its main form when started
// with "/page <Name>"; the main gallery form opens each from a button. A
// page is one line of the table in GalleryPages.cpp.

#include <span>
#include <string_view>

#include "framework/Application.h"
#include "framework/CustomForm.h"

struct TGalleryPage {
  const char* Name;     // for "/page <Name>"
  const char* Caption;  // of its button on the main gallery form
  // Makes the page: as the application's main form, or owned by the
  // application beside the main gallery form.
  TCustomForm* (*Create)(bool asMainForm);
};

template <class T>
TCustomForm* CreateGalleryPage(bool asMainForm) {
  if (!asMainForm) return TCustomForm::Create<T>(Application);
  T* form = nullptr;
  Application->CreateForm(form);
  return form;
}

std::span<const TGalleryPage> GalleryPages();
// The page of that name (letter case ignored), or null.
const TGalleryPage* FindGalleryPage(std::wstring_view name);
