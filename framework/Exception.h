#pragma once
// The framework's exceptions. Every exception the system raises derives from
// Exception, which carries a message text (code page 1250).

#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

// An input/output operation of the system failed; ErrorCode is the system's
// error code (errno natively, GetLastError on Windows).
class EInOutError : public Exception {
public:
  EInOutError(std::string message, int errorCode)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};

// A text could not be converted to a number (or a number to a text).
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// Memory for an object could not be had.
class EOutOfMemory : public Exception {
public:
  EOutOfMemory() : Exception("Out of memory") {}
};

// A resource the program needs is not among its resources.
class EResNotFound : public Exception {
public:
  using Exception::Exception;
};

// A picture could not be read or written: data that is not a picture of its
// format, is corrupt or is cut short, or a format the program does not know.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};
