// DropFiles: lets the user drop items from the file explorer onto one edit control, which then
// shows the dropped path. Mode 0 takes files only (several files of one drop are all shown, each
// once, as JoinSourcePaths writes them), mode 1 directories only (the last one dropped); a refused
// item is answered with a message box. It chains itself in front of the edit's window method.
#pragma once

#include "framework/window/messages.h"
#include "framework/base/object.h"

#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

class TCustomEdit;

class DropFiles : public TObject {
    ORVO_CLASS(DropFiles, TObject)
public:
    static constexpr int ModeFiles = 0;
    static constexpr int ModeDirectories = 1;

    explicit DropFiles(TCustomEdit* edit);

    // Once, after the edit's window exists: accepts drops on it and takes over its window method.
    void Attach();
    void SetMode(int mode) noexcept { FMode = mode; }
    int Mode() const noexcept { return FMode; }
    // The last item handled.
    const std::wstring& Dropped() const noexcept { return FDropped; }

    // True when `path` names an existing directory, whatever other attributes it carries.
    static bool IsDirectory(const std::wstring& path);

private:
    void WndProc(TMessage& message);
    void HandleDrop(HDROP drop);
    void HandleItem(const std::wstring& path);

    std::wstring FDropped;
    std::vector<std::wstring> FFiles; // accepted in this drop
    TCustomEdit* FEdit;
    TWndMethod FOldWndProc;
    int FMode = ModeFiles;
};

} // namespace orvo
