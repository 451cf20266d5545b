#include "pictures/JpegDecompression.h"

#include <jerror.h>

#include <algorithm>
#include <string>

#include "common/Exceptions.h"

namespace swivex {

JpegDecompression::JpegDecompression(std::span<const std::uint8_t> data) {
  info_.err = jpeg_std_error(&trap_.manager);
  trap_.manager.error_exit = ExitToTrap;
  trap_.manager.emit_message = FailOnWarning;
  Create();

  source_.next_input_byte = data.data();
  source_.bytes_in_buffer = data.size();
  source_.init_source = StartSource;
  source_.fill_input_buffer = EndOfData;
  source_.skip_input_data = SkipData;
  source_.resync_to_restart = jpeg_resync_to_restart;
  source_.term_source = EndSource;
  info_.src = &source_;
}

JpegDecompression::~JpegDecompression() {
  if (created_) {
    jpeg_destroy_decompress(&info_);
  }
}

void JpegDecompression::Create() {
  // Fails only when libjpeg cannot get its first memory, and then owns none.
  if (setjmp(trap_.jump) != 0) {
    RaiseTrappedError();
  }
  jpeg_create_decompress(&info_);
  created_ = true;
}

void JpegDecompression::ReadHeader() {
  if (setjmp(trap_.jump) != 0) {
    RaiseTrappedError();
  }
  jpeg_read_header(&info_, TRUE);
}

void JpegDecompression::ReadImage(J_COLOR_SPACE colorSpace, std::vector<std::uint8_t>& samples,
                                  std::size_t rowBytes) {
  if (setjmp(trap_.jump) != 0) {
    RaiseTrappedError();
  }
  info_.out_color_space = colorSpace;
  jpeg_start_decompress(&info_);
  ReadRows(samples, rowBytes);
  jpeg_finish_decompress(&info_);
}

// Runs inside ReadImage's trap: a libjpeg error jumps from here straight back into ReadImage,
// so nothing here owns anything; the samples grow to twice the rows decoded at most.
void JpegDecompression::ReadRows(std::vector<std::uint8_t>& samples, std::size_t rowBytes) {
  if (info_.output_width * static_cast<std::size_t>(info_.output_components) > rowBytes) {
    ERREXIT(&info_, JERR_BUFFER_SIZE);
  }
  const std::size_t allRows = info_.output_height * rowBytes;
  while (info_.output_scanline < info_.output_height) {
    const std::size_t rowEnd = (info_.output_scanline + std::size_t{1}) * rowBytes;
    if (samples.size() < rowEnd) {
      samples.resize(std::min(allRows, std::max(rowEnd, 2 * samples.size())));
    }
    JSAMPROW row = samples.data() + info_.output_scanline * rowBytes;
    jpeg_read_scanlines(&info_, &row, 1);
  }
}

void JpegDecompression::RaiseTrappedError() const {
  throw Exception(std::string("The JPEG picture cannot be read: ") + trap_.message);
}

void JpegDecompression::ExitToTrap(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  trap->manager.format_message(info, trap->message);
  std::longjmp(trap->jump, 1);
}

// libjpeg goes on after a warning about damaged data with whatever it can make of them; the
// picture is ours and must be whole. Trace messages (level 0 and up) are not shown at all.
void JpegDecompression::FailOnWarning(j_common_ptr info, int level) {
  if (level < 0) {
    info->err->error_exit(info);
  }
}

void JpegDecompression::StartSource(j_decompress_ptr) {}

// All data were handed over at the start: asking for more means they ended too early.
boolean JpegDecompression::EndOfData(j_decompress_ptr info) {
  ERREXIT(info, JERR_INPUT_EOF);
  return FALSE;
}

void JpegDecompression::SkipData(j_decompress_ptr info, long count) {
  if (count <= 0) {
    return;
  }
  jpeg_source_mgr& source = *info->src;
  if (static_cast<unsigned long>(count) > source.bytes_in_buffer) {
    ERREXIT(info, JERR_INPUT_EOF);
  }
  source.next_input_byte += count;
  source.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void JpegDecompression::EndSource(j_decompress_ptr) {}

}  // namespace swivex
