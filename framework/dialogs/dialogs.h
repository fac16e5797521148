// The common file dialogs: TOpenDialog and TSaveDialog over GetOpenFileNameW / GetSaveFileNameW.
//
// Filter is written "Text files|*.txt;*.text|All files|*.*": description and pattern pairs
// separated by "|". FilterIndex counts the pairs from 1. Execute shows the dialog for the owner
// window (the active window when none is given) and answers true when the user confirmed; then
// FileName holds the full path (the first one with ofAllowMultiSelect, when Files holds them all)
// and FilterIndex the pair in force. Cancelling answers false; a failure of the dialog itself
// throws EDialogError.
#pragma once

#include "framework/base/component.h"
#include "framework/base/exceptions.h"
#include "framework/base/string_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>
#include <commdlg.h>

namespace orvo {

template <class T> class TPublisher;

ORVO_EXCEPTION(EDialogError, Exception);

enum TOpenOption : std::uint8_t {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden,
};
using TOpenOptions = TSet<TOpenOption>;

// The filter text as the dialog wants it: each description and pattern followed by a NUL, the
// whole list by one more. A pair without pattern is dropped, an empty description shows the
// pattern, and a NUL inside the text ends it. Empty for a filter without any pair.
std::wstring FilterToNative(std::wstring_view filter);
// The dialog's answer in its buffer: one full path, or (multiple selection) the folder and the
// file names, each ended by a NUL, the list by another one. Answers the full paths.
std::vector<std::wstring> SplitFileSelection(std::wstring_view buffer);
// The OFN_* flags of a set of options (the Explorer-style dialog unless ofOldStyleDialog).
DWORD OpenOptionsToFlags(TOpenOptions options) noexcept;

class TOpenDialog : public TComponent {
    ORVO_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner);

    const std::wstring& Filter() const noexcept { return FFilter; }
    void SetFilter(const std::wstring& filter) { FFilter = filter; }
    int FilterIndex() const noexcept { return FFilterIndex; }
    void SetFilterIndex(int index) noexcept { FFilterIndex = index; }
    const std::wstring& FileName() const noexcept { return FFileName; }
    void SetFileName(const std::wstring& name) { FFileName = name; }
    const std::wstring& InitialDir() const noexcept { return FInitialDir; }
    void SetInitialDir(const std::wstring& dir) { FInitialDir = dir; }
    const std::wstring& Title() const noexcept { return FTitle; }
    void SetTitle(const std::wstring& title) { FTitle = title; }
    // Appended (without its dot) to a name typed without extension.
    const std::wstring& DefaultExt() const noexcept { return FDefaultExt; }
    void SetDefaultExt(const std::wstring& ext) { FDefaultExt = ext; }
    TOpenOptions Options() const noexcept { return FOptions; }
    void SetOptions(TOpenOptions options) noexcept { FOptions = options; }
    // The chosen paths of the last confirmed Execute.
    TStrings& Files() noexcept { return FFiles; }

    virtual bool Execute(HWND owner = nullptr);

    static void Publish(TPublisher<TOpenDialog>& p);

protected:
    // Runs the native dialog; TSaveDialog runs the save dialog.
    virtual BOOL RunDialog(OPENFILENAMEW& parameters);

private:
    bool Run(HWND owner, const std::wstring& initialName);

    std::wstring FFilter;
    int FFilterIndex = 1;
    std::wstring FFileName;
    std::wstring FInitialDir;
    std::wstring FTitle;
    std::wstring FDefaultExt;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    TStringList FFiles;
};

class TSaveDialog : public TOpenDialog {
    ORVO_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* owner);

protected:
    BOOL RunDialog(OPENFILENAMEW& parameters) override;
};

} // namespace orvo
