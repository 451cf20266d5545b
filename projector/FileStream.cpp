#include "projector/FileStream.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"

namespace swivex {

namespace {

std::string FailureText(const char* what, const std::string& name, ErrorCode error,
                        Platform& platform) {
  return std::string(what) + " \"" + platform.FullPathName(name) + "\". " +
         SystemErrorText(error, platform);
}

}  // namespace

FileStream FileStream::Create(const std::string& name, Platform& platform) {
  FileResult opened = platform.CreateFileExclusive(name);
  if (opened.file == kNoFile)
    throw EFCreateError(FailureText("Cannot create file", name, opened.error, platform));
  return FileStream(opened.file, platform);
}

FileStream FileStream::OpenRead(const std::string& name, Platform& platform) {
  FileResult opened = platform.OpenFileExclusive(name);
  if (opened.file == kNoFile)
    throw EFOpenError(FailureText("Cannot open file", name, opened.error, platform));
  return FileStream(opened.file, platform);
}

FileStream::FileStream(FileStream&& other) noexcept
    : file_(std::exchange(other.file_, kNoFile)), platform_(other.platform_) {}

FileStream::~FileStream() { Close(); }

void FileStream::Close() {
  if (file_ == kNoFile) return;
  platform_->CloseFile(std::exchange(file_, kNoFile));
}

std::uint64_t FileStream::Size() { return platform_->FileSize(file_); }

void FileStream::Rewind() { platform_->SeekFile(file_, 0, SeekOrigin::Begin); }

void FileStream::Seek(std::int64_t offsetFromEnd) {
  platform_->SeekFile(file_, offsetFromEnd, SeekOrigin::End);
}

void FileStream::ReadExact(void* buffer, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    TransferResult read = platform_->ReadFile(file_, bytes + done, count - done);
    if (read.done == 0) throw EReadError("Stream read error");
    done += read.done;
  }
}

void FileStream::WriteExact(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    TransferResult written = platform_->WriteFile(file_, bytes + done, count - done);
    if (written.done == 0) throw EWriteError("Stream write error");
    done += written.done;
  }
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
