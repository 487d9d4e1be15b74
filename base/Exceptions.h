#pragma once
// Error classes of the program. Every error is an exception carrying its final,
// user-facing message; the default error report shows that text as it stands.
// The message is a string of our own: the standard error classes keep theirs
// in a second, reference-counted string type that the program would link only
// for them.
#include <exception>
#include <string>
#include <utility>

namespace quillon {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    std::string Message() const { return message_; }

private:
    std::string message_;
};

class ERegistryException : public Exception {
    using Exception::Exception;
};

class EListError : public Exception {
    using Exception::Exception;
};

class EConvertError : public Exception {
    using Exception::Exception;
};

class ERangeError : public Exception {
    using Exception::Exception;
};

} // namespace quillon
