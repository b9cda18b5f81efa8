// RunErrors.h: the program's run-time errors, shown by the window in a message box.
#pragma once

#include <stdexcept>
#include <string>

// Base of every error the game reports and survives. The message is UTF-8 and
// is what the player sees.
class ERunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value left the range of the field it is stored in.
class ERangeError : public ERunError {
public:
    ERangeError() : ERunError("範囲チェックエラー") {}
};

// Integer arithmetic left the range of its type.
class EIntOverflow : public ERunError {
public:
    EIntOverflow() : ERunError("整数のオーバーフロー") {}
};

// A text that should hold an integer does not.
class EConvertError : public ERunError {
public:
    explicit EConvertError(const std::string& text)
        : ERunError("'" + text + "' は整数ではありません") {}
};

// A file could not be read or written; the message names the file.
class EFileError : public ERunError {
public:
    using ERunError::ERunError;
};
