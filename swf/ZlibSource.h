#pragma once

#include <zlib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "swf/ByteSource.h"
#include "swf/SwfError.h"

namespace swivex::swf {

// The inflated bytes of a zlib stream (a CWS movie's body), read from the compressed source a
// few kilobytes at a time. The source ending, before or after the stream's own end, ends this
// source: whoever reads decides whether enough arrived. Damaged data raise ESwfError naming
// the offset of the first byte that could not be inflated.
class ZlibSource final : public ByteSource {
 public:
  // `startOffset` is the uncompressed offset of the first byte produced, for error texts.
  ZlibSource(ByteSource& compressed, std::uint64_t startOffset);
  ZlibSource(const ZlibSource&) = delete;
  ZlibSource& operator=(const ZlibSource&) = delete;
  ~ZlibSource() override;

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  bool RefillInput();

  ByteSource& compressed_;
  z_stream stream_{};
  std::array<std::uint8_t, 4096> input_{};
  std::uint64_t offset_;
  bool inputEnded_ = false;
  bool ended_ = false;
  std::optional<ESwfError> damage_;
};

}  // namespace swivex::swf
