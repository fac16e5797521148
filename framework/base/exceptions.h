// The framework's exception classes. Every error the framework raises is an `Exception` carrying a
// UTF-16 message; the application's standard report of an escaped exception shows `Message()`.
// `what()` gives the same text in UTF-8 for code that only knows std::exception.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace orvo {

class TObject;

class Exception : public std::exception {
public:
    explicit Exception(std::wstring message);
    const std::wstring& Message() const noexcept { return FMessage; }
    void SetMessage(std::wstring message);
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    std::wstring FMessage;
    std::string FUtf8;
};

// Declares `class Name : public Base` with the base's constructors.
#define ORVO_EXCEPTION(Name, Base)                                                                           \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    }

ORVO_EXCEPTION(EAbort, Exception); // silent: ends an operation without a report
ORVO_EXCEPTION(EConvertError, Exception);
ORVO_EXCEPTION(EListError, Exception);
ORVO_EXCEPTION(EStringListError, Exception);
ORVO_EXCEPTION(EComponentError, Exception);
ORVO_EXCEPTION(EClassNotFound, Exception);
ORVO_EXCEPTION(EPropertyError, Exception);
ORVO_EXCEPTION(EInvalidOperation, Exception);
ORVO_EXCEPTION(EOutOfResources, Exception);
ORVO_EXCEPTION(EThread, Exception);
ORVO_EXCEPTION(EStreamError, Exception);
ORVO_EXCEPTION(EReadError, EStreamError); // short stream reads and stored-form errors
ORVO_EXCEPTION(EWriteError, EStreamError);
ORVO_EXCEPTION(EFOpenError, EStreamError);
ORVO_EXCEPTION(EFCreateError, EStreamError);
ORVO_EXCEPTION(EResNotFound, Exception);

// A failed system call: the code and the system's own description.
class EOSError : public Exception {
public:
    EOSError(unsigned long code, std::wstring message) : Exception(std::move(message)), FErrorCode(code) {}
    unsigned long ErrorCode() const noexcept { return FErrorCode; }

private:
    unsigned long FErrorCode;
};

// Throws EAbort.
[[noreturn]] void Abort();
// Throws EOSError for GetLastError(), e.g. "System Error.  Code: 5.\r\nAccess is denied".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(unsigned long code);

// The message of any exception: Message() for ours, what() for the standard ones.
std::wstring ExceptionMessage(const std::exception_ptr& error);

// What happens to an exception caught where it must not travel further (a window procedure, a
// timer): the application installs its report here; without one the message is shown in a message
// box. EAbort is never reported. Call HandleException() from inside a catch block.
using TExceptionHandler = void (*)(TObject* sender, const std::exception_ptr& error);
TExceptionHandler SetExceptionHandler(TExceptionHandler handler);
void HandleException(TObject* sender) noexcept;

} // namespace orvo
