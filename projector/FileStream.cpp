#include "projector/FileStream.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/Exceptions.h"
#include "common/FileFailure.h"

namespace swivex {

FileStream FileStream::OpenRead(const std::string& name, Files& files) {
  const FileResult opened = files.OpenFileExclusive(name);
  // Only a file's bytes are a movie, a stub or a projector: a named pipe would read what some
  // other program writes, whenever it does, a device whatever it gives.
  if (opened.kind != FileKind::kFile)
    throw EFOpenError(NotAFileText("Cannot open file", name, opened.kind, files));
  if (opened.file == kNoFile)
    throw EFOpenError(FileFailureText("Cannot open file", name, opened.error, files));
  return FileStream(opened.file, files, Direction::Read);
}

FileStream::FileStream(FileStream&& other) noexcept
    : file_(std::exchange(other.file_, kNoFile)),
      files_(other.files_),
      direction_(other.direction_),
      progress_(other.progress_),
      written_(other.written_),
      total_(other.total_) {}

FileStream& FileStream::operator=(FileStream&& other) noexcept {
  if (this != &other) {
    Abandon();
    file_ = std::exchange(other.file_, kNoFile);
    files_ = other.files_;
    direction_ = other.direction_;
    progress_ = other.progress_;
    written_ = other.written_;
    total_ = other.total_;
  }
  return *this;
}

FileStream::~FileStream() { Abandon(); }

void FileStream::Fail() const {
  if (direction_ == Direction::Read) throw EReadError("Stream read error");
  throw EWriteError("Stream write error");
}

void FileStream::Abandon() noexcept {
  if (file_ != kNoFile) files_->CloseFile(std::exchange(file_, kNoFile));
}

void FileStream::Close() {
  if (file_ == kNoFile) return;
  if (files_->CloseFile(std::exchange(file_, kNoFile)) != 0) Fail();
}

void FileStream::Flush() {
  if (files_->FlushFile(file_) != 0) Fail();
}

void FileStream::AllowRunning() {
  if (files_->AllowRunning(file_) != 0) Fail();
}

std::uint64_t FileStream::Size() {
  const SizeResult size = files_->FileSize(file_);
  if (size.error != 0) Fail();
  return size.size;
}

void FileStream::Rewind() {
  if (files_->SeekFile(file_, 0, SeekOrigin::Begin) != 0) Fail();
}

void FileStream::Seek(std::int64_t offsetFromEnd) {
  const std::uint64_t back = std::uint64_t{0} - static_cast<std::uint64_t>(offsetFromEnd);
  if (offsetFromEnd < 0 && back > Size()) return;
  if (files_->SeekFile(file_, offsetFromEnd, SeekOrigin::End) != 0) Fail();
}

void FileStream::ReadExact(void* buffer, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const TransferResult read = files_->ReadFile(file_, bytes + done, count - done);
    if (read.done == 0) throw EReadError("Stream read error");
    done += read.done;
  }
}

void FileStream::FollowWrites(ConversionProgress* progress, std::uint64_t total) {
  progress_ = progress;
  written_ = 0;
  total_ = total;
  if (progress_ != nullptr) progress_->Advance(0, total_);
}

void FileStream::CheckCancel() {
  if (progress_ != nullptr && progress_->CancelRequested()) throw EConversionCancelled();
}

void FileStream::Written(std::size_t count) {
  written_ += count;
  if (progress_ != nullptr) progress_->Advance(written_, total_);
}

void FileStream::WriteExact(const void* buffer, std::size_t count) {
  CheckCancel();
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const TransferResult written = files_->WriteFile(file_, bytes + done, count - done);
    if (written.done == 0) throw EWriteError("Stream write error");
    done += written.done;
  }
  Written(count);
}

std::size_t FileStream::CopyInSystem(FileStream& source, std::size_t count) {
  CheckCancel();
  const TransferResult copied = files_->CopyRange(source.file_, file_, count);
  if (copied.done != 0) Written(copied.done);
  return copied.done;
}

void FileStream::CopyFrom(FileStream& source, std::uint64_t count) {
  if (count == 0) {
    source.Rewind();
    count = source.Size();
  }
  CopyExactly(source, count);
}

void FileStream::CopyExactly(FileStream& source, std::uint64_t count) {
  if (count == 0) return;
  // The system's own copy moves each byte once, not into the program and out again. Where it
  // stops short (it cannot copy these files, the source ended, a disk failed) the buffer takes
  // over, and reports a failure as a read or a write error.
  while (count != 0) {
    const std::size_t copied = CopyInSystem(
        source, static_cast<std::size_t>(std::min<std::uint64_t>(count, kCopyBufferSize)));
    if (copied == 0) break;
    count -= copied;
  }
  if (count == 0) return;
  const std::size_t bufferSize =
      static_cast<std::size_t>(std::min<std::uint64_t>(count, kCopyBufferSize));
  auto buffer = std::make_unique<unsigned char[]>(bufferSize);
  while (count != 0) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, bufferSize));
    source.ReadExact(buffer.get(), n);
    WriteExact(buffer.get(), n);
    count -= n;
  }
}

}  // namespace swivex
