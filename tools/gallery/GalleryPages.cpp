#include "tools/gallery/GalleryPages.h"

#include <windows.h>

#include "framework/WinText.h"
#include "tools/gallery/ComboPage.h"
#include "tools/gallery/FormsPage.h"
#include "tools/gallery/HatchPage.h"
#include "tools/gallery/StructComboPage.h"
#include "tools/gallery/JpegPage.h"
#include "tools/taskdemo/TaskDemoPage.h"

namespace {

const TGalleryPage kPages[] = {
    {"Combo", "Combók, szöveg", &CreateGalleryPage<TComboPage>},
    {"Forms", "Alapablakok", &CreateGalleryPage<TFormsPage>},
    {"Hatch", "Sraffozások", &CreateGalleryPage<THatchPage>},
    {"StructCombo", "Strukturált combo", &CreateGalleryPage<TStructComboPage>},
    {"Jpeg", "JPEG-képek", &CreateGalleryPage<TJpegPage>},
    {"Tasks", "Feladatok", &CreateGalleryPage<TTaskDemoPage>},
};

}  // namespace

std::span<const TGalleryPage> GalleryPages() { return kPages; }

const TGalleryPage* FindGalleryPage(std::wstring_view name) {
  for (const TGalleryPage& p : kPages) {
    std::wstring own = Wide(p.Name);
    if (CompareStringOrdinal(own.data(), static_cast<int>(own.size()), name.data(), static_cast<int>(name.size()),
                             TRUE) == CSTR_EQUAL)
      return &p;
  }
  return nullptr;
}
