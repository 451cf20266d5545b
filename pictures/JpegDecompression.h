#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

// After <cstdio> and <cstddef>: jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace swivex {

// One libjpeg decompression of JPEG data held in memory, driven through libjpeg's own calls.
//
// libjpeg reports an error by calling the error manager's error_exit, which must not return.
// Ours formats libjpeg's message and jumps back (longjmp) into the member that called libjpeg,
// which then raises the program's error report. Everything that must be released, the
// decompression object and the memory libjpeg allocated for it, belongs to this object, which
// exists before any setjmp: the jump skips no destructor and loses nothing, and the destructor
// releases it on every way out. Warnings about damaged data count as errors, and the end of
// the data before the image ends is an error too (libjpeg would invent the rest).
class JpegDecompression {
 public:
  explicit JpegDecompression(std::span<const std::uint8_t> data);
  ~JpegDecompression();
  JpegDecompression(const JpegDecompression&) = delete;
  JpegDecompression& operator=(const JpegDecompression&) = delete;

  // jpeg_read_header: afterwards Info() describes the image.
  void ReadHeader();
  const jpeg_decompress_struct& Info() const { return info_; }

  // Decodes the whole image as `colorSpace` (JCS_RGB or JCS_GRAYSCALE) into `samples`, rows of
  // `rowBytes` bytes one after the other. The samples grow as rows arrive, so that a size in a
  // header that the data do not back costs no memory; the caller owns them, outside the jumps.
  void ReadImage(J_COLOR_SPACE colorSpace, std::vector<std::uint8_t>& samples,
                 std::size_t rowBytes);

 private:
  struct ErrorTrap {
    jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is one to the trap
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
  };

  [[noreturn]] void RaiseTrappedError() const;
  void Create();
  void ReadRows(std::vector<std::uint8_t>& samples, std::size_t rowBytes);

  static void ExitToTrap(j_common_ptr info);
  static void FailOnWarning(j_common_ptr info, int level);
  static void StartSource(j_decompress_ptr info);
  static boolean EndOfData(j_decompress_ptr info);
  static void SkipData(j_decompress_ptr info, long count);
  static void EndSource(j_decompress_ptr info);

  jpeg_decompress_struct info_{};
  ErrorTrap trap_{};
  jpeg_source_mgr source_{};
  bool created_ = false;
};

}  // namespace swivex
