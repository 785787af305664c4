#pragma once
// TPicture: a picture file or block of memory in one of the registered
// picture formats, read into and written from the framework's bitmap picture
// (TBitmap).
//
// Picture formats: a format is a TPictureFormat record. A format library
// announces its record with a static TLinkedPictureFormat in its own source
// file, so that a program that links it carries the format;
// StartFramework() registers every format the program carries and
// StopFramework() removes them. (The framework itself brings none: the
// JPEG format is korvex_jpeg_format, which only the programs that show JPEG
// pictures link.)
//
// Loading decodes into a bitmap of its own and replaces the picture's bitmap
// only when the whole picture was read: after a failure the picture is as it
// was. Failures of the data raise EInvalidGraphic (an unknown format or
// extension included); a file that cannot be read or written raises
// EInOutError.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"

struct TPictureFormat {
  const char* Extensions;   // lower case, without dots, separated by blanks: "jpg jpeg"
  const char* Description;  // "JPEG Image File"
  // Whether the data starts like a file of this format.
  bool (*Recognises)(const uint8_t* data, size_t size);
  // Reads the whole picture into `into` (empty on entry) or raises.
  void (*Load)(const uint8_t* data, size_t size, TBitmap& into);
  // The bitmap's picture in this format.
  std::vector<uint8_t> (*Save)(const TBitmap& from);
};

// Carries a format into the program (see above); a static object.
class TLinkedPictureFormat {
public:
  explicit TLinkedPictureFormat(const TPictureFormat& format);
};

// For StartFramework / StopFramework.
void RegisterLinkedPictureFormats();
void UnregisterPictureFormats();

// The registered format for a file extension (with or without its dot,
// letter case ignored) or for data that starts like it; null when none.
const TPictureFormat* PictureFormatForExtension(const std::string& extension);
const TPictureFormat* PictureFormatForData(const uint8_t* data, size_t size);

class TPicture : public TObject {
public:
  TBitmap& Bitmap() { return bitmap_; }
  const TBitmap& Bitmap() const { return bitmap_; }

  // The format is the one of the file name's extension.
  void LoadFromFile(const std::wstring& fileName);
  // The format is the one whose data this starts like.
  void LoadFromMemory(const void* data, size_t size);
  void SaveToFile(const std::wstring& fileName) const;
  std::vector<uint8_t> SaveToMemory(const std::string& extension) const;

private:
  void Load(const TPictureFormat& format, const uint8_t* data, size_t size);
  TBitmap bitmap_;
};
