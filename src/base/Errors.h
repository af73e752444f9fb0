#pragma once
// The exception types of the program. Errors travel as exceptions and are caught
// at the command that started the work.
#include <stdexcept>
#include <string>

namespace kv {

// Common base of every error the program reports to the user.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Malformed catalog data.
class EInvalidCatalog : public Error {
public:
    using Error::Error;
};

// A buffered reader could not open its file.
class EReadBufferError : public Error {
public:
    EReadBufferError() : Error("File open error") {}
    using Error::Error;
};

// Outside data ended before a field that it announced: a length past what remains.
class ETruncated : public Error {
public:
    using Error::Error;
};

// An I/O call failed (open, read, write, flush); the text names the file.
class EIoError : public Error {
public:
    using Error::Error;
};

// The silent abort: cancellation, and registry values that are missing or of the
// wrong type. Caught without a message.
class EAbort : public Error {
public:
    EAbort() : Error("Operation aborted") {}
};

}  // namespace kv
