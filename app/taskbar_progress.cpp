#include "app/taskbar_progress.h"

#include <objbase.h>
#include <shobjidl.h>

namespace orvo {

TTaskbarProgressFunc TaskbarProgressCall = &ShowTaskbarProgress;

namespace {

// The taskbar list of the user-interface thread, asked for once.
class TTaskbar {
public:
    TTaskbar() {
        // Single-threaded COM, as the shell's dialogs need; an earlier choice of the thread stands.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(com) && com != RPC_E_CHANGED_MODE) return;
        void* list = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3, &list))) {
            FList = static_cast<ITaskbarList3*>(list);
            if (FAILED(FList->HrInit())) {
                FList->Release();
                FList = nullptr;
            }
        }
    }
    // The process is ending; COM stays up until then.
    ~TTaskbar() {
        if (FList) FList->Release();
    }
    TTaskbar(const TTaskbar&) = delete;
    TTaskbar& operator=(const TTaskbar&) = delete;

    ITaskbarList3* List() const { return FList; }

private:
    ITaskbarList3* FList = nullptr;
};

} // namespace

void ShowTaskbarProgress(HWND window, int percent) {
    static TTaskbar taskbar;
    ITaskbarList3* list = taskbar.List();
    if (!list || !window) return;
    if (percent < 0) {
        list->SetProgressState(window, TBPF_NOPROGRESS);
        return;
    }
    list->SetProgressState(window, TBPF_NORMAL);
    list->SetProgressValue(window, static_cast<ULONGLONG>(percent > 100 ? 100 : percent), 100);
}

} // namespace orvo
