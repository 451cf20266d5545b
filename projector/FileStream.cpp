#include "projector/FileStream.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"

namespace swivex {

namespace {

std::string FailureText(const char* what, const std::string& name, ErrorCode error, Files& files) {
  return std::string(what) + " \"" + files.FullPathName(name) + "\". " +
         SystemErrorText(error, files);
}

}  // namespace

FileStream FileStream::Create(const std::string& name, Files& files) {
  FileResult opened = files.CreateFileExclusive(name);
  if (opened.file == kNoFile)
    throw EFCreateError(FailureText("Cannot create file", name, opened.error, files));
  return FileStream(opened.file, files);
}

FileStream FileStream::OpenRead(const std::string& name, Files& files) {
  FileResult opened = files.OpenFileExclusive(name);
  if (opened.file == kNoFile)
    throw EFOpenError(FailureText("Cannot open file", name, opened.error, files));
  return FileStream(opened.file, files);
}

FileStream::FileStream(FileStream&& other) noexcept
    : file_(std::exchange(other.file_, kNoFile)), files_(other.files_) {}

FileStream::~FileStream() { Close(); }

void FileStream::Close() {
  if (file_ == kNoFile) return;
  files_->CloseFile(std::exchange(file_, kNoFile));
}

std::uint64_t FileStream::Size() { return files_->FileSize(file_); }

void FileStream::Rewind() { files_->SeekFile(file_, 0, SeekOrigin::Begin); }

void FileStream::Seek(std::int64_t offsetFromEnd) {
  files_->SeekFile(file_, offsetFromEnd, SeekOrigin::End);
}

void FileStream::ReadExact(void* buffer, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    TransferResult read = files_->ReadFile(file_, bytes + done, count - done);
    if (read.done == 0) throw EReadError("Stream read error");
    done += read.done;
  }
}

void FileStream::WriteExact(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    TransferResult written = files_->WriteFile(file_, bytes + done, count - done);
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
