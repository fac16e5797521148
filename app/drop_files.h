// DropFiles: lets the user drop items from the file explorer onto one edit control, which then
// shows the dropped path. Mode 0 takes files only (several files of one drop are all shown, each
// once, as JoinSourcePaths writes them), mode 1 directories only (the last one dropped); a refused
// item is answered with a message box. It chains itself in front of the edit's window method.
//
// A drop arrives by either of two roads, and both end in the same handler: WM_DROPFILES (the edit
// accepts files with DragAcceptFiles) and OLE drag and drop (the edit is registered with
// RegisterDragDrop; the drop target asks the data for CF_HDROP and posts a checked copy of the list
// to the edit as WM_DROPFILES). The OLE road is the one another process's DoDragDrop reaches; it
// needs OLE on the UI thread, and when registering fails the WM_DROPFILES road remains. Both are
// set up again when the edit's window is re-created, and the registration is revoked when it is
// destroyed.
#pragma once

#include "framework/window/messages.h"
#include "framework/base/object.h"

#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

class TCustomEdit;
class TFileDropTarget;

class DropFiles : public TObject {
    ORVO_CLASS(DropFiles, TObject)
public:
    static constexpr int ModeFiles = 0;
    static constexpr int ModeDirectories = 1;

    explicit DropFiles(TCustomEdit* edit);
    ~DropFiles() override;
    DropFiles(const DropFiles&) = delete;
    DropFiles& operator=(const DropFiles&) = delete;

    // Once, after the edit's window exists: accepts drops on it and takes over its window method.
    void Attach();
    // The edit is registered as an OLE drop target (false when OLE refused it).
    bool Registered() const noexcept { return FRegistered != nullptr; }
    void SetMode(int mode) noexcept { FMode = mode; }
    int Mode() const noexcept { return FMode; }
    // The last item handled.
    const std::wstring& Dropped() const noexcept { return FDropped; }

    // True when `path` names an existing directory, whatever other attributes it carries.
    static bool IsDirectory(const std::wstring& path);
    // A copy of a file list (DROPFILES and its names) another program handed over, or nullptr when
    // it is not a whole one: shorter than its header, or its names not ended inside the block.
    // The copy is freed as a drop handle is (DragFinish).
    static HDROP CopyDropList(HGLOBAL list);

private:
    void WndProc(TMessage& message);
    void Accept();
    void Revoke();
    void HandleDrop(HDROP drop);
    void HandleItem(const std::wstring& path);

    std::wstring FDropped;
    std::vector<std::wstring> FFiles; // accepted in this drop
    TCustomEdit* FEdit;
    TWndMethod FOldWndProc;
    TFileDropTarget* FTarget = nullptr; // one reference held here, one by OLE while registered
    HWND FRegistered = nullptr; // the window registered with OLE
    int FMode = ModeFiles;
};

} // namespace orvo
