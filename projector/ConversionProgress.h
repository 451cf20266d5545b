#pragma once

#include <cstdint>

#include "common/Exceptions.h"

namespace swivex {

inline constexpr char kCancelledMessage[] = "The conversion was cancelled.";

// Raised by a conversion that stopped because its progress asked it to. Like a failure it
// leaves every target as it was, but it is the user's choice rather than an error.
class EConversionCancelled : public Exception {
 public:
  EConversionCancelled() : Exception(kCancelledMessage) {}
};

// Follows a conversion while it writes its target, and can stop it. The conversion calls it
// from the thread it runs on: once when it starts writing, and before and after each piece.
class ConversionProgress {
 public:
  virtual ~ConversionProgress() = default;

  // `done` of the target's `total` bytes are written.
  virtual void Advance(std::uint64_t done, std::uint64_t total) = 0;
  // True once the conversion should stop: it then raises EConversionCancelled before it writes
  // its next piece.
  virtual bool CancelRequested() = 0;
};

}  // namespace swivex
