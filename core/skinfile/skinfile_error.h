// Errors of the skin file formats. Every malformed store, archive, or bitmap ends in one of these
// with a message that says what was wrong; nothing in this library shows anything to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace orvo {

class ESkinFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The LZHUF codec: a bit stream that cannot be decoded, or a size out of bounds.
class ElzhException : public ESkinFileError {
public:
    using ESkinFileError::ESkinFileError;
};

// A BMP file that is malformed, truncated, too large or of a kind we do not read.
class EBmpError : public ESkinFileError {
public:
    using ESkinFileError::ESkinFileError;
};

} // namespace orvo
