#include "framework/Picture.h"

#include <windows.h>

#include <cctype>

#include "framework/Exception.h"
#include "framework/UnitTrace.h"
#include "framework/WinText.h"

namespace {

std::vector<const TPictureFormat*>& Linked() {
  static std::vector<const TPictureFormat*> formats;
  return formats;
}

std::vector<const TPictureFormat*> Registered;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool HasExtension(const TPictureFormat& f, const std::string& extension) {
  const std::string all = std::string(" ") + f.Extensions + " ";
  return !extension.empty() && all.find(" " + extension + " ") != std::string::npos;
}

std::string ExtensionOf(const std::wstring& fileName) {
  const size_t dot = fileName.find_last_of(L'.');
  const size_t slash = fileName.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  return Narrow(fileName.substr(dot + 1));
}

const TPictureFormat& FormatForFile(const std::wstring& fileName) {
  const std::string extension = ExtensionOf(fileName);
  const TPictureFormat* f = PictureFormatForExtension(extension);
  if (!f) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  return *f;
}

std::string LastErrorText(const std::wstring& fileName) {
  return "The file " + Narrow(fileName) + " cannot be used (error " + std::to_string(GetLastError()) + ")";
}

std::vector<uint8_t> ReadFile(const std::wstring& fileName) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EInOutError(LastErrorText(fileName), static_cast<int>(GetLastError()));
  LARGE_INTEGER size{};
  std::vector<uint8_t> data;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
  if (ok) {
    data.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ::ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) && read == data.size();
  }
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!ok) throw EInOutError(LastErrorText(fileName), static_cast<int>(error));
  return data;
}

void WriteFile(const std::wstring& fileName, const std::vector<uint8_t>& data) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EInOutError(LastErrorText(fileName), static_cast<int>(GetLastError()));
  DWORD written = 0;
  const bool ok = ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                  written == data.size();
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!ok) {
    DeleteFileW(fileName.c_str());
    throw EInOutError(LastErrorText(fileName), static_cast<int>(error));
  }
}

}  // namespace

TLinkedPictureFormat::TLinkedPictureFormat(const TPictureFormat& format) { Linked().push_back(&format); }

void RegisterLinkedPictureFormats() {
  Registered = Linked();
  for (const TPictureFormat* f : Registered) {
    UnitTrace(std::string("Framework: picture format ") + f->Description + " registered");
  }
}

void UnregisterPictureFormats() { Registered.clear(); }

const TPictureFormat* PictureFormatForExtension(const std::string& extension) {
  const std::string e = Lower(!extension.empty() && extension[0] == '.' ? extension.substr(1) : extension);
  for (const TPictureFormat* f : Registered)
    if (HasExtension(*f, e)) return f;
  return nullptr;
}

const TPictureFormat* PictureFormatForData(const uint8_t* data, size_t size) {
  for (const TPictureFormat* f : Registered)
    if (f->Recognises(data, size)) return f;
  return nullptr;
}

void TPicture::Load(const TPictureFormat& format, const uint8_t* data, size_t size) {
  TBitmap loaded;
  format.Load(data, size, loaded);
  bitmap_.Swap(loaded);
}

void TPicture::LoadFromFile(const std::wstring& fileName) {
  const TPictureFormat& format = FormatForFile(fileName);
  const std::vector<uint8_t> data = ReadFile(fileName);
  Load(format, data.data(), data.size());
}

void TPicture::LoadFromMemory(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  const TPictureFormat* format = PictureFormatForData(bytes, size);
  if (!format) throw EInvalidGraphic("Unknown picture format");
  Load(*format, bytes, size);
}

void TPicture::SaveToFile(const std::wstring& fileName) const {
  const TPictureFormat& format = FormatForFile(fileName);
  if (bitmap_.Empty()) throw EInvalidGraphic("An empty picture cannot be saved");
  WriteFile(fileName, format.Save(bitmap_));
}

std::vector<uint8_t> TPicture::SaveToMemory(const std::string& extension) const {
  const TPictureFormat* format = PictureFormatForExtension(extension);
  if (!format) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  if (bitmap_.Empty()) throw EInvalidGraphic("An empty picture cannot be saved");
  return format->Save(bitmap_);
}
