#pragma once

#include <string>

#include "projector/FileStream.h"

namespace swivex {

// A conversion's target while it is being written. Unless the conversion commits it, the target
// is closed and deleted on the way out, so that a failure leaves no half-written file behind.
class TargetFile {
 public:
  TargetFile(const std::string& name, Files& files)
      : name_(name), files_(files), stream_(FileStream::Create(name, files)) {}
  TargetFile(const TargetFile&) = delete;
  TargetFile& operator=(const TargetFile&) = delete;
  ~TargetFile() {
    if (committed_) return;
    stream_.Close();
    files_.RemoveFile(name_);
  }

  FileStream& Stream() { return stream_; }
  void Commit() {
    stream_.Close();
    committed_ = true;
  }

 private:
  std::string name_;
  Files& files_;
  FileStream stream_;
  bool committed_ = false;
};

}  // namespace swivex
