#include "framework/dialogs/dialogs.h"

#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <array>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TOpenDialog);
ORVO_IMPLEMENT_CLASS(TSaveDialog);

namespace {

// Room for the longest path the system takes ("\\?\" paths of 32767 characters).
constexpr std::size_t SingleFileBuffer = 32768;
// Multiple selection: a folder and many names.
constexpr std::size_t MultiFileBuffer = 256 * 1024;

const TEnumType& OpenOptionType() {
    static const TEnumType type(
        L"TOpenOption",
        {L"ofReadOnly",         L"ofOverwritePrompt",    L"ofHideReadOnly",        L"ofNoChangeDir",
         L"ofShowHelp",         L"ofNoValidate",         L"ofAllowMultiSelect",    L"ofExtensionDifferent",
         L"ofPathMustExist",    L"ofFileMustExist",      L"ofCreatePrompt",        L"ofShareAware",
         L"ofNoReadOnlyReturn", L"ofNoTestFileCreate",   L"ofNoNetworkButton",     L"ofNoLongNames",
         L"ofOldStyleDialog",   L"ofNoDereferenceLinks", L"ofEnableIncludeNotify", L"ofEnableSizing",
         L"ofDontAddToRecent",  L"ofForceShowHidden"});
    return type;
}

// OFN_* flag of each option, in the enumeration's order.
constexpr std::array<DWORD, 22> OptionFlags{OFN_READONLY,
                                            OFN_OVERWRITEPROMPT,
                                            OFN_HIDEREADONLY,
                                            OFN_NOCHANGEDIR,
                                            OFN_SHOWHELP,
                                            OFN_NOVALIDATE,
                                            OFN_ALLOWMULTISELECT,
                                            OFN_EXTENSIONDIFFERENT,
                                            OFN_PATHMUSTEXIST,
                                            OFN_FILEMUSTEXIST,
                                            OFN_CREATEPROMPT,
                                            OFN_SHAREAWARE,
                                            OFN_NOREADONLYRETURN,
                                            OFN_NOTESTFILECREATE,
                                            OFN_NONETWORKBUTTON,
                                            OFN_NOLONGNAMES,
                                            0 /* ofOldStyleDialog */,
                                            OFN_NODEREFERENCELINKS,
                                            OFN_ENABLEINCLUDENOTIFY,
                                            OFN_ENABLESIZING,
                                            OFN_DONTADDTORECENT,
                                            OFN_FORCESHOWHIDDEN};

std::wstring_view NextPart(std::wstring_view& text) {
    const std::size_t bar = text.find(L'|');
    const std::wstring_view part = text.substr(0, bar);
    text = bar == std::wstring_view::npos ? std::wstring_view() : text.substr(bar + 1);
    return part;
}

std::wstring JoinPath(const std::wstring& folder, std::wstring_view name) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        return folder + L"\\" + std::wstring(name);
    return folder + std::wstring(name);
}

} // namespace

std::wstring FilterToNative(std::wstring_view filter) {
    filter = filter.substr(0, filter.find(L'\0'));
    std::wstring native;
    while (!filter.empty()) {
        std::wstring_view description = NextPart(filter);
        const std::wstring_view pattern = NextPart(filter);
        // An empty string would end the list early.
        if (pattern.empty()) continue;
        if (description.empty()) description = pattern;
        native.append(description).push_back(L'\0');
        native.append(pattern).push_back(L'\0');
    }
    if (!native.empty()) native.push_back(L'\0');
    return native;
}

std::vector<std::wstring> SplitFileSelection(std::wstring_view buffer) {
    std::vector<std::wstring> parts;
    while (!buffer.empty() && buffer.front() != L'\0') {
        const std::size_t end = buffer.find(L'\0');
        parts.emplace_back(buffer.substr(0, end));
        if (end == std::wstring_view::npos) break;
        buffer.remove_prefix(end + 1);
    }
    if (parts.size() <= 1) return parts;
    std::vector<std::wstring> files;
    files.reserve(parts.size() - 1);
    for (std::size_t i = 1; i < parts.size(); ++i)
        files.push_back(JoinPath(parts[0], parts[i]));
    return files;
}

DWORD OpenOptionsToFlags(TOpenOptions options) noexcept {
    DWORD flags = options.Contains(ofOldStyleDialog) ? 0 : OFN_EXPLORER;
    for (std::size_t i = 0; i < OptionFlags.size(); ++i)
        if (options.Contains(static_cast<TOpenOption>(i))) flags |= OptionFlags[i];
    return flags;
}

void TOpenDialog::Publish(TPublisher<TOpenDialog>& p) {
    p.String(L"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    p.String(L"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    p.String(L"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    p.Integer(L"FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    p.String(L"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    p.Set(L"Options", OpenOptionType(), &TOpenDialog::Options, &TOpenDialog::SetOptions);
    p.String(L"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

BOOL TOpenDialog::RunDialog(OPENFILENAMEW& parameters) {
    return GetOpenFileNameW(&parameters);
}

bool TOpenDialog::Execute(HWND owner) {
    return Run(owner ? owner : GetActiveWindow(), FFileName);
}

bool TOpenDialog::Run(HWND owner, const std::wstring& initialName) {
    const std::wstring filter = FilterToNative(FFilter);
    std::wstring ext = FDefaultExt;
    if (!ext.empty() && ext.front() == L'.') ext.erase(0, 1);
    std::vector<wchar_t> buffer(FOptions.Contains(ofAllowMultiSelect) ? MultiFileBuffer : SingleFileBuffer,
                                L'\0');
    if (initialName.size() < buffer.size()) std::copy(initialName.begin(), initialName.end(), buffer.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
    ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OpenOptionsToFlags(FOptions);

    if (!RunDialog(ofn)) {
        const DWORD error = CommDlgExtendedError();
        if (error == 0) return false; // cancelled
        // A starting name the dialog refuses keeps it from opening at all: open it without one.
        if (error == FNERR_INVALIDFILENAME && !initialName.empty()) return Run(owner, std::wstring());
        if (error == FNERR_BUFFERTOOSMALL) throw EDialogError(L"Too many files were selected at once");
        throw EDialogError(L"The file dialog failed (error $" + IntToHex(error, 4) + L")");
    }
    FFilterIndex = static_cast<int>(ofn.nFilterIndex);
    if (ofn.Flags & OFN_READONLY)
        FOptions.Include(ofReadOnly);
    else
        FOptions.Exclude(ofReadOnly);
    if (ofn.Flags & OFN_EXTENSIONDIFFERENT)
        FOptions.Include(ofExtensionDifferent);
    else
        FOptions.Exclude(ofExtensionDifferent);
    const std::vector<std::wstring> files =
        SplitFileSelection(std::wstring_view(buffer.data(), buffer.size()));
    FFiles.SetStrings(files);
    FFileName = files.empty() ? std::wstring() : files.front();
    return true;
}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

BOOL TSaveDialog::RunDialog(OPENFILENAMEW& parameters) {
    return GetSaveFileNameW(&parameters);
}

} // namespace orvo
