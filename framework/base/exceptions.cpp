#include "framework/base/exceptions.h"

#include "framework/base/sysutils.h"

#include <atomic>
#include <windows.h>

namespace orvo {

Exception::Exception(std::wstring message) : FMessage(std::move(message)), FUtf8(Utf8Encode(FMessage)) {}

void Exception::SetMessage(std::wstring message) {
    FMessage = std::move(message);
    FUtf8 = Utf8Encode(FMessage);
}

void Abort() {
    throw EAbort(L"Operation aborted");
}

void RaiseOSError(unsigned long code) {
    std::wstring text = L"System Error.  Code: " + IntToStr(code) + L".";
    const std::wstring detail = SysErrorMessage(code);
    if (!detail.empty()) text += L"\r\n" + detail;
    throw EOSError(code, std::move(text));
}

void RaiseLastOSError() {
    RaiseOSError(GetLastError());
}

std::wstring ExceptionMessage(const std::exception_ptr& error) {
    if (!error) return {};
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        if (auto text = TryUtf8Decode(e.what())) return *text;
        return L"Unknown error";
    } catch (...) {
        return L"Unknown error";
    }
}

namespace {
std::atomic<TExceptionHandler> GExceptionHandler{nullptr};

void ShowExceptionBox(const std::exception_ptr& error) {
    const std::wstring text = ExceptionMessage(error);
    MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
} // namespace

TExceptionHandler SetExceptionHandler(TExceptionHandler handler) {
    return GExceptionHandler.exchange(handler);
}

void HandleException(TObject* sender) noexcept {
    const std::exception_ptr error = std::current_exception();
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return;
    } catch (...) {
    }
    try {
        if (TExceptionHandler handler = GExceptionHandler.load())
            handler(sender, error);
        else
            ShowExceptionBox(error);
    } catch (...) {
        // The report itself failed: nothing sensible is left to do with it.
    }
}

} // namespace orvo
