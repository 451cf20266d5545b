#include "playback/GzipInflater.h"

#include <zlib.h>

#include <cstdlib>
#include <new>
#include <utility>

namespace swivex {

struct GzipInflater::State {
  z_stream stream{};
  bool ready = false;
  bool ended = false;
};

GzipInflater::GzipInflater(std::span<const unsigned char> gzip) : state_(nullptr) {
  // malloc rather than new: the playback room is built without exceptions and their runtime.
  void* memory = std::malloc(sizeof(State));
  if (!memory) return;
  state_ = new (memory) State;
  state_->stream.next_in = const_cast<unsigned char*>(gzip.data());
  state_->stream.avail_in = static_cast<uInt>(gzip.size());
  // 16 + the largest window: the gzip wrapper, not zlib's.
  state_->ready = inflateInit2(&state_->stream, 16 + MAX_WBITS) == Z_OK;
}

GzipInflater::GzipInflater(GzipInflater&& other) noexcept
    : state_(std::exchange(other.state_, nullptr)) {}

GzipInflater& GzipInflater::operator=(GzipInflater&& other) noexcept {
  if (this != &other) {
    Release();
    state_ = std::exchange(other.state_, nullptr);
  }
  return *this;
}

GzipInflater::~GzipInflater() { Release(); }

void GzipInflater::Release() noexcept {
  if (!state_) return;
  if (state_->ready) inflateEnd(&state_->stream);
  state_->~State();
  std::free(state_);
  state_ = nullptr;
}

bool GzipInflater::Next(std::span<unsigned char> room, std::size_t& filled) {
  filled = 0;
  if (!state_ || !state_->ready) return false;
  if (state_->ended || room.empty()) return true;
  state_->stream.next_out = room.data();
  state_->stream.avail_out = static_cast<uInt>(room.size());
  const int result = inflate(&state_->stream, Z_NO_FLUSH);
  filled = room.size() - state_->stream.avail_out;
  if (result == Z_STREAM_END) {
    state_->ended = true;
    return true;
  }
  return result == Z_OK || (result == Z_BUF_ERROR && filled > 0);
}

}  // namespace swivex
