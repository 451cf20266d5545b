#pragma once

#include <exception>
#include <string>

namespace swivex {

// An error report: one line of text for the user. Every failure that an operation does not
// handle itself leaves as one of these and is shown by the application's error box.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EFileStreamError : public Exception {
  using Exception::Exception;
};
class EFCreateError : public EFileStreamError {
  using EFileStreamError::EFileStreamError;
};
class EFOpenError : public EFileStreamError {
  using EFileStreamError::EFileStreamError;
};

class EStreamError : public Exception {
  using Exception::Exception;
};
class EFilerError : public EStreamError {
  using EStreamError::EStreamError;
};
class EReadError : public EFilerError {
  using EFilerError::EFilerError;
};
class EWriteError : public EFilerError {
  using EFilerError::EFilerError;
};

class ERegistryException : public Exception {
  using Exception::Exception;
};

}  // namespace swivex
