#include "framework/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "framework/Exception.h"

// How errors travel: libjpeg calls error_exit (and, for corrupt data,
// emit_message with a warning level) deep inside its own C code, which no C++
// exception may cross. The handlers below record the message and longjmp back
// to the setjmp of the call that started the work. Between that setjmp and
// its return, the calling function makes no C++ object with a destructor,
// so the jump skips none; the libjpeg object is destroyed by its owner (a
// C++ object made before the setjmp) on every way out.

namespace {

constexpr long MaxLibjpegMemory = 256L << 20;
constexpr int MaxScans = 500;

struct TErrorManager {
  jpeg_error_mgr Public;  // first: libjpeg sees only this
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<TErrorManager*>(cinfo->err);
  e->Public.format_message(cinfo, e->Message);
  std::longjmp(e->Jump, 1);
}

// Fails the work with a message of this program's own.
[[noreturn]] void FailWith(j_common_ptr cinfo, const char* text) {
  auto* e = reinterpret_cast<TErrorManager*>(cinfo->err);
  std::snprintf(e->Message, sizeof e->Message, "%s", text);
  std::longjmp(e->Jump, 1);
}

// Warnings are about corrupt data: they fail the work as errors do. Trace
// messages (level 1 and up) are ignored.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void InstallErrorManager(TErrorManager& e) {
  jpeg_std_error(&e.Public);
  e.Public.error_exit = &ErrorExit;
  e.Public.emit_message = &EmitMessage;
  e.Public.output_message = &OutputMessage;
  e.Message[0] = '\0';
}

// A file of thousands of tiny progressive scans costs time out of all
// proportion to its size; such files are refused.
void LimitScans(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->is_decompressor && d->input_scan_number > MaxScans) FailWith(cinfo, "too many scans");
}

struct TDecoder {
  jpeg_decompress_struct Info{};
  TErrorManager Error{};
  jpeg_progress_mgr Progress{};
  bool Created = false;

  TDecoder() {
    InstallErrorManager(Error);
    Info.err = &Error.Public;
    Progress.progress_monitor = &LimitScans;
  }
  ~TDecoder() {
    if (Created) jpeg_destroy_decompress(&Info);
  }
  [[noreturn]] void Fail() const { throw EInvalidGraphic(std::string("JPEG error: ") + Error.Message); }
};

struct TEncoder {
  jpeg_compress_struct Info{};
  TErrorManager Error{};
  unsigned char* Buffer = nullptr;  // from jpeg_mem_dest (malloc)
  unsigned long Size = 0;
  bool Created = false;

  TEncoder() {
    InstallErrorManager(Error);
    Info.err = &Error.Public;
  }
  ~TEncoder() {
    if (Created) jpeg_destroy_compress(&Info);
    std::free(Buffer);
  }
};

// Reads the header and checks the picture's size. Returns false when
// libjpeg failed (the message is in d.Error).
bool ReadHeader(TDecoder& d, const uint8_t* data, size_t size) {
  if (setjmp(d.Error.Jump)) return false;
  jpeg_create_decompress(&d.Info);
  d.Created = true;
  d.Info.mem->max_memory_to_use = MaxLibjpegMemory;
  d.Info.progress = &d.Progress;
  if (size == 0 || size > 0xFFFFFFFFu) ERREXIT(&d.Info, JERR_INPUT_EMPTY);
  jpeg_mem_src(&d.Info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d.Info, TRUE);
  if (static_cast<uint64_t>(d.Info.image_width) * d.Info.image_height > MaxJpegPixels)
    FailWith(reinterpret_cast<j_common_ptr>(&d.Info), "the picture is too large");
  d.Info.out_color_space = JCS_EXT_BGR;
  return true;
}

bool StartDecoding(TDecoder& d) {
  if (setjmp(d.Error.Jump)) return false;
  jpeg_start_decompress(&d.Info);
  return true;
}

bool DecodeRows(TDecoder& d, TJpegRows rows) {
  if (setjmp(d.Error.Jump)) return false;
  while (d.Info.output_scanline < d.Info.output_height) {
    JSAMPROW row = rows.First + static_cast<ptrdiff_t>(d.Info.output_scanline) * rows.Stride;
    jpeg_read_scanlines(&d.Info, &row, 1);
  }
  jpeg_finish_decompress(&d.Info);
  return true;
}

bool Encode(TEncoder& e, const uint8_t* firstRow, ptrdiff_t stride, int width, int height, TJpegPixelFormat format,
            int quality) {
  if (setjmp(e.Error.Jump)) return false;
  jpeg_create_compress(&e.Info);
  e.Created = true;
  jpeg_mem_dest(&e.Info, &e.Buffer, &e.Size);
  e.Info.image_width = static_cast<JDIMENSION>(width);
  e.Info.image_height = static_cast<JDIMENSION>(height);
  e.Info.input_components = format == jpfBGR ? 3 : 4;
  e.Info.in_color_space = format == jpfBGR ? JCS_EXT_BGR : JCS_EXT_BGRX;
  jpeg_set_defaults(&e.Info);
  jpeg_set_quality(&e.Info, quality, TRUE);
  jpeg_start_compress(&e.Info, TRUE);
  while (e.Info.next_scanline < e.Info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(firstRow + static_cast<ptrdiff_t>(e.Info.next_scanline) * stride);
    jpeg_write_scanlines(&e.Info, &row, 1);
  }
  jpeg_finish_compress(&e.Info);
  return true;
}

}  // namespace

bool LooksLikeJpeg(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

TJpegSize JpegReadSize(const uint8_t* data, size_t size) {
  TDecoder d;
  if (!ReadHeader(d, data, size)) d.Fail();
  return TJpegSize{static_cast<int>(d.Info.image_width), static_cast<int>(d.Info.image_height)};
}

void JpegDecode(const uint8_t* data, size_t size, const std::function<TJpegRows(int width, int height)>& allocate) {
  TDecoder d;
  if (!ReadHeader(d, data, size) || !StartDecoding(d)) d.Fail();
  const TJpegRows rows = allocate(static_cast<int>(d.Info.output_width), static_cast<int>(d.Info.output_height));
  if (!DecodeRows(d, rows)) d.Fail();
}

std::vector<uint8_t> JpegEncode(const uint8_t* firstRow, ptrdiff_t stride, int width, int height,
                                TJpegPixelFormat format, int quality) {
  if (width < 1 || height < 1 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
    throw EInvalidGraphic("JPEG error: a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels cannot be stored");
  TEncoder e;
  if (!Encode(e, firstRow, stride, width, height, format, quality < 1 ? 1 : quality > 100 ? 100 : quality))
    throw EInvalidGraphic(std::string("JPEG error: ") + e.Error.Message);
  return std::vector<uint8_t>(e.Buffer, e.Buffer + e.Size);
}
