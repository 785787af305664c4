#include "tools/gallery/JpegPage.h"

#include <windows.h>

#include "framework/Exception.h"
#include "framework/Picture.h"

const TClassInfo& TJpegPage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TJpegPage>("TJpegPage", &TForm::StaticClassInfo())
                                     .Layout("TJPEGPAGE")
                                     .Field("imgOriginal", &TJpegPage::imgOriginal)
                                     .Field("imgSaved", &TJpegPage::imgSaved)
                                     .Field("lblOriginal", &TJpegPage::lblOriginal)
                                     .Field("lblSaved", &TJpegPage::lblSaved)
                                     .Field("lblCorrupt", &TJpegPage::lblCorrupt)
                                     .Method<&TJpegPage::FormCreate>("FormCreate")
                                     .Build();
  return info;
}

namespace {

struct TBytes {
  const uint8_t* Data;
  size_t Size;
};

TBytes SampleJpeg() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, L"SAMPLEJPEG", MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  if (!data) throw EResNotFound("Resource SAMPLEJPEG not found");
  return TBytes{static_cast<const uint8_t*>(LockResource(data)), SizeofResource(module, info)};
}

std::string Describe(const char* what, const TBitmap& b, size_t bytes) {
  return std::string(what) + ": " + std::to_string(b.Width()) + " × " + std::to_string(b.Height()) + " képpont, " +
         std::to_string(bytes) + " bájt";
}

}  // namespace

void TJpegPage::FormCreate(TObject*) {
  const TBytes sample = SampleJpeg();
  TPicture original;
  original.LoadFromMemory(sample.Data, sample.Size);
  lblOriginal->SetCaption(Describe("Eredeti", original.Bitmap(), sample.Size));

  const std::vector<uint8_t> saved = original.SaveToMemory("jpg");
  TPicture reread;
  reread.LoadFromMemory(saved.data(), saved.size());
  lblSaved->SetCaption(Describe("Mentve és visszaolvasva", reread.Bitmap(), saved.size()));

  try {
    TPicture cut;
    cut.LoadFromMemory(sample.Data, sample.Size / 2);
    lblCorrupt->SetCaption("Félbevágott fájl: beolvasva (hiba!)");
  } catch (const EInvalidGraphic& e) {
    lblCorrupt->SetCaption("Félbevágott fájl: " + e.Message());
  }

  imgOriginal->TakeBitmap(original.Bitmap());
  imgSaved->TakeBitmap(reread.Bitmap());
}
