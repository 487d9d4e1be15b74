#pragma once
// Error classes of the program. Every error is an exception carrying its final,
// user-facing message; the default error report shows that text as it stands.
#include <stdexcept>
#include <string>

namespace quillon {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
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
