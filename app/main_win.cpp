#include "app/main_win.h"

#include "app/about_dlg.h"
#include "app/const_var.h"
#include "app/drop_files.h"
#include "app/path_text.h"
#include "app/piece_task_thread.h"
#include "app/program.h"
#include "app/settings_file.h"
#include "app/shell_calls.h"
#include "app/split_file_thread.h"
#include "app/split_options_dlg.h"
#include "core/settings/split_text.h"
#include "core/split/manifest.h"
#include "core/split/name_template.h"
#include "core/split/piece_verify.h"
#include "platform/file_system.h"
#include "app/taskbar_progress.h"
#include "framework/forms/application.h"
#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/dialogs/shell_browse.h"
#include "platform/wide_text.h"
#include "skin/data/skin_chooser.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TfMainWin);

TfMainWin* fMainWin = nullptr;

namespace {

constexpr wchar_t TextFilter[] = L"Text Files(*.txt)|*.txt;*.text|All Files(*.*)|*.*";
constexpr wchar_t BrowseTitle[] = L"选择要保存的目录";
constexpr wchar_t LineCountTooLong[] = L"拆分的行数最大为99999";
constexpr wchar_t LineCountMissing[] = L"请输入要拆分的行数";
constexpr wchar_t SourceMissing[] = L"请选择要拆分的文本文件";
constexpr wchar_t TargetMissing[] = L"请选择保存到哪个目录";
constexpr wchar_t SplitFinished[] = L"文件拆分完成！";
constexpr wchar_t OpenTargetQuestion[] = L"现在打开转换到的目录吗？";
constexpr wchar_t OpenTargetCaption[] = L"拆分完成";
constexpr wchar_t SplitFailedPrefix[] = L"拆分失败：";
constexpr wchar_t DefaultLineCount[] = L"3000";
constexpr wchar_t ManualPage[] = L"http://www.orvo.example/split-big-file";
constexpr wchar_t ContactPage[] = L"http://www.orvo.example/contact";

constexpr wchar_t FileOfFiles[] = L"第 %1/%2 个文件：";
constexpr wchar_t FilesLeft[] = L"已停止，其余 %1 个文件没有拆分";
constexpr wchar_t FilesSummary[] = L"共 %1 个文件：完成 %2 个，失败 %3 个";
constexpr wchar_t FilesSummaryStopped[] = L"共 %1 个文件：完成 %2 个，失败 %3 个，%4 个因停止未拆完";
constexpr wchar_t ManifestFilter[] = L"清单文件(*.manifest.json)|*.manifest.json|所有文件(*.*)|*.*";
constexpr wchar_t JoinFilter[] = L"所有文件(*.*)|*.*";
constexpr wchar_t VerifyCaption[] = L"校验";
constexpr wchar_t JoinCaption[] = L"合并";
constexpr wchar_t JoinedSuffix[] = L"_合并";
constexpr std::size_t TaskLinesShown = 12; // in the closing message box; the log has them all
constexpr wchar_t SplitNowCaption[] = L"立即拆分";
constexpr wchar_t StopSplitCaption[] = L"停止拆分";
constexpr wchar_t StopVerifyCaption[] = L"停止校验";
constexpr wchar_t StopJoinCaption[] = L"停止合并";
constexpr wchar_t CloseWhileSplitting[] = L"正在拆分文件。要停止拆分并退出吗？\n（已完成的文件会保留，未写完的文件会删除）";
constexpr wchar_t CloseWhileSplittingCaption[] = L"退出";
constexpr wchar_t SkinFilter[] = L"皮肤文件(*.skn)|*.skn|所有文件(*.*)|*.*";
constexpr wchar_t SkinRefused[] = L"皮肤未能载入：";
constexpr wchar_t SkinFallback[] = L"已改用内置皮肤";
constexpr wchar_t SkinRefusedCaption[] = L"皮肤";

constexpr std::size_t LineCountDigits = 5;
constexpr UINT OpenTargetFlags = MB_YESNO | MB_ICONQUESTION; // 36

constexpr UINT_PTR LogShowTimer = 1;
constexpr UINT LogShowDelay = 100;

// `pattern` with %1, %2, ... replaced by the arguments.
std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring> arguments) {
    std::wstring text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t n = i + 1 < pattern.size() ? static_cast<std::size_t>(pattern[i + 1] - L'1') : 9;
        if (pattern[i] == L'%' && n < arguments.size()) {
            text += *(arguments.begin() + n);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

// Posted to the window once verify or join has sent its result, to release the thread.
constexpr UINT WM_RELEASE_TASK = WM_USER + 69;

// Posted to the window once a worker has sent its last report, to release it.
constexpr UINT WM_RELEASE_WORKER = WM_USER + 65;

} // namespace

int ParseLineCount(const std::wstring& text) {
    const bool digits =
        !text.empty() && text.size() <= LineCountDigits &&
        std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    if (!digits) throw EConvertError(L"'" + text + L"' is not a valid integer value");
    int value = 0;
    for (const wchar_t c : text)
        value = value * 10 + (c - L'0');
    return value;
}

TfMainWin::TfMainWin(TComponent* owner) : TForm(owner) {}

TfMainWin::~TfMainWin() {
    // The edits call into the drop targets until they are gone.
    DestroyComponents();
    // A worker still running is left to end with the process; waiting could keep the program
    // open for minutes.
    if (FWorker && FWorker->Finished()) delete FWorker;
    if (FTask && FTask->Finished()) delete FTask;
    if (fMainWin == this) fMainWin = nullptr;
}

void TfMainWin::Publish(TPublisher<TfMainWin>& p) {
    p.Field(L"lbCheckUpdate", &TfMainWin::lbCheckUpdate);
    p.Field(L"lbCheckManual", &TfMainWin::lbCheckManual);
    p.Field(L"GroupBox1", &TfMainWin::GroupBox1);
    p.Field(L"btnBrowser", &TfMainWin::btnBrowser);
    p.Field(L"edtFileToSplit", &TfMainWin::edtFileToSplit);
    p.Field(L"GroupBox2", &TfMainWin::GroupBox2);
    p.Field(L"btnSaveToDir", &TfMainWin::btnSaveToDir);
    p.Field(L"edtSaveToDir", &TfMainWin::edtSaveToDir);
    p.Field(L"ckUseFileDir", &TfMainWin::ckUseFileDir);
    p.Field(L"GroupBox3", &TfMainWin::GroupBox3);
    p.Field(L"Label2", &TfMainWin::Label2);
    p.Field(L"Label1", &TfMainWin::Label1);
    p.Field(L"btnSplitNow", &TfMainWin::btnSplitNow);
    p.Field(L"edtSplitLineNum", &TfMainWin::edtSplitLineNum);
    p.Field(L"GroupBox4", &TfMainWin::GroupBox4);
    p.Field(L"MemoLog", &TfMainWin::MemoLog);
    p.Field(L"SkinData1", &TfMainWin::SkinData1);
    p.Field(L"OpenDialog1", &TfMainWin::OpenDialog1);
    p.Field(L"SaveDialog1", &TfMainWin::SaveDialog1);
    p.Field(L"MainMenu1", &TfMainWin::MainMenu1);
    p.Field(L"N1", &TfMainWin::N1);
    p.Field(L"N6", &TfMainWin::N6);
    p.Field(L"N2", &TfMainWin::N2);
    p.Field(L"N4", &TfMainWin::N4);
    p.Field(L"N5", &TfMainWin::N5);
    p.Field(L"N3", &TfMainWin::N3);
    p.Field(L"btnOptions", &TfMainWin::btnOptions);
    p.Field(L"stSplit", &TfMainWin::stSplit);
    p.Field(L"miVerify", &TfMainWin::miVerify);
    p.Field(L"miJoin", &TfMainWin::miJoin);
    p.Field(L"miSettings", &TfMainWin::miSettings);
    p.Field(L"miSplitOptions", &TfMainWin::miSplitOptions);
    p.Field(L"miSkin", &TfMainWin::miSkin);
    p.Field(L"miSkinSlate", &TfMainWin::miSkinSlate);
    p.Field(L"miSkinJade", &TfMainWin::miSkinJade);
    p.Field(L"miSkinNight", &TfMainWin::miSkinNight);
    p.Field(L"miSkinFile", &TfMainWin::miSkinFile);
    p.Field(L"miSkinNone", &TfMainWin::miSkinNone);
    p.Method(L"FormCreate", &TfMainWin::FormCreate);
    p.Method(L"btnBrowserClick", &TfMainWin::btnBrowserClick);
    p.Method(L"edtSplitLineNumKeyPress", &TfMainWin::edtSplitLineNumKeyPress);
    p.Method(L"btnSplitNowClick", &TfMainWin::btnSplitNowClick);
    p.Method(L"btnSaveToDirClick", &TfMainWin::btnSaveToDirClick);
    p.Method(L"ckUseFileDirClick", &TfMainWin::ckUseFileDirClick);
    p.Method(L"lbCheckUpdateClick", &TfMainWin::lbCheckUpdateClick);
    p.Method(L"lbCheckManualClick", &TfMainWin::lbCheckManualClick);
    p.Method(L"N4Click", &TfMainWin::N4Click);
    p.Method(L"N3Click", &TfMainWin::N3Click);
    p.Method(L"N5Click", &TfMainWin::N5Click);
    p.Method(L"N6Click", &TfMainWin::N6Click);
    p.Method(L"miSplitOptionsClick", &TfMainWin::miSplitOptionsClick);
    p.Method(L"miVerifyClick", &TfMainWin::miVerifyClick);
    p.Method(L"miJoinClick", &TfMainWin::miJoinClick);
    p.Method(L"edtSplitLineNumChange", &TfMainWin::edtSplitLineNumChange);
    p.Method(L"miSkinClick", &TfMainWin::miSkinClick);
    p.Method(L"miSkinFileClick", &TfMainWin::miSkinFileClick);
}

void TfMainWin::FormCreate(TObject*) {
    SetCaption(std::wstring(ProductName) + L" " + std::wstring(TConstVar::SiteHost));
    edtSplitLineNum->SetText(DefaultLineCount);
    // The log starts with the lines stored with the form (one empty line).
    for (int i = 0; i < MemoLog->Lines()->Count(); ++i)
        FLog.push_back(MemoLog->Lines()->Get(i));
    FDropFile = std::make_unique<DropFiles>(edtFileToSplit);
    FDropFile->Attach();
    FDropFile->SetMode(DropFiles::ModeFiles);
    FDropDir = std::make_unique<DropFiles>(edtSaveToDir);
    FDropDir->Attach();
    FDropDir->SetMode(DropFiles::ModeDirectories);
    FSkins = std::make_unique<TSkinChooser>(*SkinData1);
    OnCloseQuery = [this](TObject*, bool& canClose) { canClose = MayClose(); };
    ShowSplitPlan();
}

// ---- the options of a split and the status line --------------------------------------------------

void TfMainWin::SetOptions(const TSplitOptions& options) {
    FOptions = options;
    edtSplitLineNum->SetText(std::to_wstring(options.LineCount));
    ShowSplitPlan();
}

// The status line always says what the next split does, with the count as the edit shows it.
void TfMainWin::ShowSplitPlan() {
    TSplitOptions options = FOptions;
    try {
        const int lines = ParseLineCount(edtSplitLineNum->Text());
        if (lines > 0) options.LineCount = lines;
    } catch (const EConvertError&) {
        // Being typed: the last count taken.
    }
    stSplit->SetSimpleText(L" " + Utf8ToWideForDisplay(DescribeSplit(options)));
}

void TfMainWin::edtSplitLineNumChange(TObject*) {
    ShowSplitPlan();
}

void TfMainWin::miSplitOptionsClick(TObject*) {
    auto dialog = std::unique_ptr<TfSplitOptionsDlg>(CreateForm<TfSplitOptionsDlg>(this));
    TSplitOptions options = Settings().Options;
    const std::vector<std::wstring> sources = SplitSourcePaths(edtFileToSplit->Text());
    if (!dialog->Execute(options, sources.empty() ? std::wstring() : sources.front())) return;
    SetOptions(options);
    SaveSettings();
}

// ---- settings kept ---------------------------------------------------------------------------------

void TfMainWin::KeepSettings(const std::wstring& path) {
    FSettingsPath = path;
    UseSettings(LoadSettingsFile(path));
}

TWindowSettings TfMainWin::Settings() const {
    TWindowSettings settings;
    settings.TargetDir = WideToUtf8(edtSaveToDir->Text());
    settings.UseFileDir = ckUseFileDir->Checked();
    settings.Options = FOptions;
    try {
        const int lines = ParseLineCount(edtSplitLineNum->Text());
        if (lines > 0) settings.Options.LineCount = lines;
    } catch (const EConvertError&) {
        // Not a count: the last one taken stays.
    }
    settings.Skin = FSkin;
    settings.SkinFile = WideToUtf8(FSkinFile);
    return settings;
}

void TfMainWin::UseSettings(const TWindowSettings& settings) {
    SetOptions(settings.Options);
    edtSaveToDir->SetText(Utf8ToWideForDisplay(settings.TargetDir));
    ckUseFileDir->SetChecked(settings.UseFileDir);
    ckUseFileDirClick(nullptr);
    const std::wstring file = Utf8ToWideForDisplay(settings.SkinFile);
    if (settings.Skin == FSkin && file == FSkinFile) return;
    if (!UseSkin(settings.Skin, file).empty()) {
        UseSkin(TSkinChoice::Slate);
        AppendLog(SkinFallback);
        ShowLog();
    }
}

// Written whenever the user's choices are taken, so that a program ended from outside (or a
// crash of the system) loses at most the last change.
void TfMainWin::SaveSettings() {
    if (FSettingsPath.empty()) return;
    const TWindowSettings settings = Settings();
    FOptions.LineCount = settings.Options.LineCount; // the last count taken
    const std::wstring failure = SaveSettingsFile(FSettingsPath, settings);
    if (failure.empty()) return;
    AppendLog(failure);
    ShowLog();
}

// ---- the skin menu -----------------------------------------------------------------------------------

TMenuItem* TfMainWin::SkinItem(TSkinChoice skin) const {
    switch (skin) {
    case TSkinChoice::Jade: return miSkinJade;
    case TSkinChoice::Night: return miSkinNight;
    case TSkinChoice::File: return miSkinFile;
    case TSkinChoice::None: return miSkinNone;
    case TSkinChoice::Slate: break;
    }
    return miSkinSlate;
}

std::wstring TfMainWin::UseSkin(TSkinChoice skin, const std::wstring& file) {
    std::wstring refused;
    switch (skin) {
    case TSkinChoice::Slate: refused = FSkins->UseStored(); break;
    case TSkinChoice::Jade: refused = FSkins->UseResource(L"JADESKIN"); break;
    case TSkinChoice::Night: refused = FSkins->UseResource(L"NIGHTSKIN"); break;
    case TSkinChoice::File: refused = FSkins->UseFile(file); break;
    case TSkinChoice::None: FSkins->UseNone(); break;
    }
    if (!refused.empty()) {
        AppendLog(SkinRefused + refused);
        ShowLog();
        return refused;
    }
    FSkin = skin;
    FSkinFile = skin == TSkinChoice::File ? file : std::wstring();
    SkinItem(skin)->SetChecked(true);
    return {};
}

void TfMainWin::miSkinClick(TObject* Sender) {
    const TSkinChoice skin = Sender == miSkinJade    ? TSkinChoice::Jade
                             : Sender == miSkinNight ? TSkinChoice::Night
                             : Sender == miSkinNone  ? TSkinChoice::None
                                                     : TSkinChoice::Slate;
    if (UseSkin(skin).empty()) SaveSettings();
}

void TfMainWin::miSkinFileClick(TObject*) {
    // The item shows the skin in force, not the click.
    SkinItem(FSkin)->SetChecked(true);
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(SkinFilter);
    if (!dialog.Execute(Handle())) return;
    const std::wstring refused = UseSkin(TSkinChoice::File, dialog.FileName());
    if (refused.empty())
        SaveSettings();
    else
        Application->MessageBox(SkinRefused + refused, SkinRefusedCaption, MB_OK | MB_ICONWARNING);
}

// ---- choosing the source and the target --------------------------------------------------------

void TfMainWin::btnBrowserClick(TObject*) {
    OpenDialog1->SetFilter(TextFilter);
    OpenDialog1->SetOptions(OpenDialog1->Options() + TOpenOptions{ofAllowMultiSelect});
    if (!OpenDialog1->Execute(Handle())) return;
    TStrings& files = OpenDialog1->Files();
    std::vector<std::wstring> paths;
    for (int i = 0; i < files.Count(); ++i)
        paths.push_back(files[i]);
    edtFileToSplit->SetText(paths.size() > 1 ? JoinSourcePaths(paths) : OpenDialog1->FileName());
}

void TfMainWin::btnSaveToDirClick(TObject*) {
    const TBrowseFolderResult folder = BrowseForFolder(Handle(), BrowseTitle, L"");
    if (folder.Ok) edtSaveToDir->SetText(folder.Path);
}

void TfMainWin::ckUseFileDirClick(TObject*) {
    const bool useFileDir = ckUseFileDir->Checked();
    edtSaveToDir->SetEnabled(!useFileDir);
    btnSaveToDir->SetEnabled(!useFileDir);
    // Taken once, now: a source chosen later does not move the target.
    // Of several files, the first one's.
    const std::vector<std::wstring> sources = SplitSourcePaths(edtFileToSplit->Text());
    if (useFileDir && !sources.empty() && sources.front().size() > 3)
        edtSaveToDir->SetText(ExtractFileDir(sources.front()));
}

// Digits and backspace only; anything else beeps and never reaches the edit.
void TfMainWin::edtSplitLineNumKeyPress(TObject*, wchar_t& Key) {
    if (Key == VK_BACK || (Key >= L'0' && Key <= L'9')) return;
    MessageBeepCall(1);
    Abort();
}

// ---- starting a split ----------------------------------------------------------------------------

void TfMainWin::ShowInputError(const wchar_t* text) {
    Application->MessageBox(text);
}

// The target's button is disabled while "use the file's directory" is ticked: the message has
// been shown, and a second report about an unfocusable button would only confuse.
void TfMainWin::FocusIfPossible(TWinControl* control) {
    if (control->CanFocus()) control->SetFocus();
}

void TfMainWin::btnSplitNowClick(TObject*) {
    if (SplitRunning()) {
        StopSplit();
        return;
    }
    if (FTask) {
        // Verify or join: the button stops it, as it stops a split.
        FTask->RequestStop();
        btnSplitNow->SetEnabled(false);
        return;
    }
    const std::wstring lines = edtSplitLineNum->Text();
    if (lines.size() > LineCountDigits) {
        ShowInputError(LineCountTooLong);
        edtSplitLineNum->Clear();
        return;
    }
    if (lines.empty()) {
        ShowInputError(LineCountMissing);
        edtSplitLineNum->Clear();
        return;
    }
    const std::wstring source = edtFileToSplit->Text();
    if (source.empty()) {
        ShowInputError(SourceMissing);
        FocusIfPossible(btnBrowser);
        return;
    }
    std::wstring target = edtSaveToDir->Text();
    if (target.empty()) {
        ShowInputError(TargetMissing);
        FocusIfPossible(btnSaveToDir);
        return;
    }
    const int lineCount = ParseLineCount(lines);
    if (lineCount == 0) {
        ShowInputError(LineCountMissing);
        edtSplitLineNum->Clear();
        return;
    }
    // Several files: one after another; one that is missing is reported when its turn comes.
    const std::vector<std::wstring> sources = SplitSourcePaths(source);
    if (sources.size() <= 1 && !FileExists(source)) return;
    if (target.back() != L'\\') {
        target += L'\\';
        edtSaveToDir->SetText(target);
    }
    SaveSettings();
    FSources = sources.size() > 1 ? sources : std::vector<std::wstring>{source};
    FSourceIndex = 0;
    FTarget = target;
    FEachInOwnFolder = FSources.size() > 1 && ckUseFileDir->Checked();
    FFilesDone = FFilesFailed = 0;
    FNextFilePending = FStopAsked = false;
    FSplitting = true;
    FIdleCaption = Caption();
    btnSplitNow->SetCaption(StopSplitCaption);
    FOptions.LineCount = lineCount;
    // Options changed meanwhile are for the next split, not for the rest of these files.
    FRunOptions = FOptions;
    StartFile();
}

// The file FSources[FSourceIndex], by the options in force.
void TfMainWin::StartFile() {
    ReleaseWorker();
    const std::wstring& source = FSources[FSourceIndex];
    std::wstring target = FTarget;
    if (FEachInOwnFolder) {
        target = ExtractFileDir(source);
        if (target.empty() || target.back() != L'\\') target += L'\\';
    }
    if (FSources.size() > 1) {
        AppendLog(Format(FileOfFiles, {std::to_wstring(FSourceIndex + 1), std::to_wstring(FSources.size())}) + source);
        TrimLog();
        ShowLogSoon();
    }
    auto worker = std::make_unique<TSplitFileThread>(FRunOptions, source, target, Handle());
    // Thousands of pieces: the worker should not wait for the window at each one.
    worker->QueueReports(true);
    worker->Start();
    FWorker = worker.release();
    ++FWorkerSerial;
    FShownPercent = -1;
    ShowSplitPercent(0);
}

// The button is disabled until the worker's last report: the stop has been asked for. Files
// still waiting are not started.
void TfMainWin::StopSplit() {
    if (!SplitRunning()) return;
    FStopAsked = true;
    if (FWorker) FWorker->RequestStop();
    btnSplitNow->SetEnabled(false);
}

bool TfMainWin::MoreFiles() const noexcept {
    return !FStopAsked && FSourceIndex + 1 < FSources.size();
}

// While a split runs the user is asked first; "yes" stops it and the window closes once the worker
// has reported its end, "no" leaves everything running.
bool TfMainWin::MayClose() {
    if (FTask) {
        if (FCloseWhenEnded) return false;
        if (Application->MessageBox(CloseWhileSplitting, CloseWhileSplittingCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        if (!FTask) return true;
        FCloseWhenEnded = true;
        FTask->RequestStop();
        return false;
    }
    if (!SplitRunning()) {
        SaveSettings();
        return true;
    }
    if (FCloseWhenEnded) return false;
    if (Application->MessageBox(CloseWhileSplitting, CloseWhileSplittingCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    // The split may have ended while the question was open.
    if (!SplitRunning()) {
        SaveSettings();
        return true;
    }
    FCloseWhenEnded = true;
    StopSplit();
    return false;
}

// Back to the idle state; true when the window is to close now.
bool TfMainWin::EndSplit() {
    FSplitting = false;
    EndSplitPercent();
    btnSplitNow->SetCaption(SplitNowCaption);
    btnSplitNow->SetEnabled(true);
    if (!FCloseWhenEnded) return false;
    FCloseWhenEnded = false;
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
    return true;
}

// A worker is released once it has ended; its last report came just before that.
void TfMainWin::ReleaseWorker() {
    if (!FWorker) return;
    if (FWorker->Started()) FWorker->WaitFor();
    delete FWorker;
    FWorker = nullptr;
}

// ---- the worker's reports --------------------------------------------------------------------------

void TfMainWin::WndProc(TMessage& message) {
    if (message.Msg == WM_SPLIT_REPORT) {
        MessageReceiver(message);
        return;
    }
    if (message.Msg == WM_TIMER && message.WParam == LogShowTimer) {
        TakeQueuedReports();
        ShowLog();
        return;
    }
    if (message.Msg == WM_PIECE_TASK_DONE) {
        TakePostedPercents();
        const auto* result = reinterpret_cast<const TPieceTaskResult*>(message.LParam);
        TaskDone(message.WParam != 0, result ? result->Lines : std::vector<std::wstring>{});
        message.Result = 1;
        return;
    }
    if (message.Msg == WM_RELEASE_TASK) {
        if (FTask) FTask->WaitFor();
        delete FTask;
        FTask = nullptr;
        return;
    }
    if (message.Msg == WM_RELEASE_WORKER) {
        // Only the worker that asked: a newer one may have started since.
        if (message.WParam != FWorkerSerial) return;
        ReleaseWorker();
        if (!FNextFilePending) return;
        FNextFilePending = false;
        if (FStopAsked) {
            // Asked between two files.
            AppendLog(Format(FilesLeft, {std::to_wstring(FSources.size() - FSourceIndex - 1)}));
            FilesEnded();
            return;
        }
        ++FSourceIndex;
        StartFile();
        return;
    }
    if (message.Msg == WM_SPLIT_REPORTS_PENDING) {
        // Taken with the next showing of the log: until then the worker posts no further notice,
        // so the window wakes a few times a second instead of once a piece.
        ShowLogSoon();
        return;
    }
    if (message.Msg == WM_SPLIT_PERCENT) {
        // A late one, posted before the final report, finds no split running.
        if (FSplitting || FTask) ShowSplitPercent(static_cast<int>(message.WParam));
        return;
    }
    TForm::WndProc(message);
}

// Each queued line is handled as the report it is, in order: the log cannot tell the difference.
void TfMainWin::TakeQueuedReports() {
    if (!FWorker) return;
    for (const std::wstring& line : FWorker->TakeReports())
        Perform(WM_SPLIT_REPORT, SR_PROGRESS, reinterpret_cast<LPARAM>(line.c_str()));
}

void TfMainWin::ShowSplitPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == FShownPercent) return;
    FShownPercent = percent;
    const int files = static_cast<int>(FSources.size());
    const int index = static_cast<int>(FSourceIndex);
    const std::wstring file = files > 1 ? std::to_wstring(index + 1) + L"/" + std::to_wstring(files) + L" " : L"";
    SetCaption(FIdleCaption + L" - " + file + std::to_wstring(percent) + L"%");
    // The taskbar shows all the files together.
    TaskbarProgressCall(Handle(), files > 1 ? (index * 100 + percent) / files : percent);
}

// A worker posts its percentages but sends its last report, and a sent message overtakes posted
// ones: those posted before the report are shown first, in the order the worker made them, so
// none is taken for the next file's or found late with no work running.
void TfMainWin::TakePostedPercents() {
    MSG pending{};
    while (PeekMessageW(&pending, Handle(), WM_SPLIT_PERCENT, WM_SPLIT_PERCENT, PM_REMOVE))
        if (FSplitting || FTask) ShowSplitPercent(static_cast<int>(pending.wParam));
}

void TfMainWin::EndSplitPercent() {
    if (FShownPercent < 0) return;
    FShownPercent = -1;
    SetCaption(FIdleCaption);
    TaskbarProgressCall(Handle(), -1);
}

void TfMainWin::MessageReceiver(TMessage& Message) {
    Message.Result = 1;
    const auto* text = reinterpret_cast<const wchar_t*>(Message.LParam);
    const std::wstring line = text ? text : L"";
    if (Message.WParam != SR_PROGRESS) TakePostedPercents();
    switch (Message.WParam) {
    case SR_PROGRESS:
        AppendLog(line);
        TrimLog();
        ShowLogSoon();
        break;
    case SR_DONE:
        SplitDone(line);
        break;
    case SR_FAILED:
        SplitFailed(line);
        break;
    case SR_STOPPED:
        AppendLog(line);
        if (FSourceIndex + 1 < FSources.size())
            AppendLog(Format(FilesLeft, {std::to_wstring(FSources.size() - FSourceIndex - 1)}));
        FilesEnded();
        break;
    default:
        return;
    }
    // Only now: the worker waits for this handler, so it cannot end before the message box is
    // answered.
    if (Message.WParam != SR_PROGRESS && FWorker) PostMessageW(Handle(), WM_RELEASE_WORKER, FWorkerSerial, 0);
}

void TfMainWin::AppendLog(const std::wstring& line) {
    FLog.push_back(line);
}

void TfMainWin::TrimLog() {
    if (FLog.size() <= static_cast<std::size_t>(LogLinesMax)) return;
    FLog.erase(FLog.begin(), FLog.begin() + LogLinesDropped);
}

// The log box shows the lines at most every LogShowDelay ms: a split of thousands of pieces would
// otherwise spend much of its time laying out log lines while the worker waits for each report.
void TfMainWin::ShowLogSoon() {
    if (FLogShowPending) return;
    FLogShowPending = SetTimer(Handle(), LogShowTimer, LogShowDelay, nullptr) != 0;
    if (FLogShowPending) return;
    TakeQueuedReports();
    ShowLog();
}

void TfMainWin::ShowLog() {
    if (FLogShowPending) KillTimer(Handle(), LogShowTimer);
    FLogShowPending = false;
    std::wstring text;
    for (const std::wstring& line : FLog)
        text += line + L"\r\n";
    MemoLog->SetText(text);
    // The newest line in sight, as appending would have left it.
    SendMessageW(MemoLog->Handle(), EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    SendMessageW(MemoLog->Handle(), EM_SCROLLCARET, 0, 0);
}

void TfMainWin::SplitDone(const std::wstring& targetDir) {
    ++FFilesDone;
    FLastTarget = targetDir;
    AppendLog(SplitFinished);
    if (MoreFiles()) {
        // The next file starts once this worker is released.
        FNextFilePending = true;
        ShowLogSoon();
        return;
    }
    FilesEnded();
}

// What stopped the split stays in the log, and the user is told; the pieces written so far are
// left as they are. Of several files the next one goes on, and the end says how many failed.
void TfMainWin::SplitFailed(const std::wstring& reason) {
    ++FFilesFailed;
    AppendLog(SplitFailedPrefix + reason);
    if (MoreFiles()) {
        FNextFilePending = true;
        ShowLogSoon();
        return;
    }
    if (FSources.size() == 1) {
        EndSplit();
        ShowLog();
        Application->MessageBox(reason, {}, MB_OK | MB_ICONERROR);
        return;
    }
    FilesEnded();
}

// The last file has ended (or the user stopped): back to idle, the failures told, and the folder
// offered once when anything was split.
void TfMainWin::FilesEnded() {
    const bool closing = EndSplit();
    const std::size_t files = FSources.size();
    // Stopped, the files not split whole are counted too: done and failed alone would not add up.
    const std::size_t unfinished = files - std::min(files, static_cast<std::size_t>(FFilesDone + FFilesFailed));
    const std::wstring summary =
        FStopAsked && unfinished > 0
            ? Format(FilesSummaryStopped, {std::to_wstring(files), std::to_wstring(FFilesDone),
                                           std::to_wstring(FFilesFailed), std::to_wstring(unfinished)})
            : Format(FilesSummary, {std::to_wstring(files), std::to_wstring(FFilesDone), std::to_wstring(FFilesFailed)});
    if (files > 1) AppendLog(summary);
    ShowLog();
    if (closing || FStopAsked) return;
    if (FFilesFailed > 0) Application->MessageBox(summary, {}, MB_OK | MB_ICONWARNING);
    if (FFilesDone == 0) return;
    if (Application->MessageBox(OpenTargetQuestion, OpenTargetCaption, OpenTargetFlags) != IDYES) return;
    const std::wstring parameters = L"/e, " + (FEachInOwnFolder ? FLastTarget : FTarget);
    ShellExecuteCall(Application->Handle(), L"Open", L"explorer.exe", parameters.c_str(), nullptr,
                     SW_SHOWNORMAL);
}

// ---- verify and join -------------------------------------------------------------------------------

bool TfMainWin::ChooseManifest(std::wstring& path) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(ManifestFilter);
    if (!dialog.Execute(Handle())) return false;
    path = dialog.FileName();
    return true;
}

void TfMainWin::miVerifyClick(TObject*) {
    std::wstring manifest;
    if (FTask || SplitRunning() || !ChooseManifest(manifest)) return;
    StartTask(TPieceTaskThread::Verify, manifest, {});
}

// The joined file is proposed beside the manifest, named after the source with "_合并" added, so
// the source itself is never offered for overwriting.
void TfMainWin::miJoinClick(TObject*) {
    std::wstring manifest;
    if (FTask || SplitRunning() || !ChooseManifest(manifest)) return;
    std::wstring name = L"output.txt";
    TManifest parsed;
    if (!ReadManifest(WideToUtf8(manifest), NativeFileSystem(), parsed)) {
        const TSourceNameParts parts = SourceNameParts(parsed.SourceName);
        name = Utf8ToWideForDisplay(parts.Name) + JoinedSuffix + (parts.Ext.empty() ? L"" : L"." + Utf8ToWideForDisplay(parts.Ext));
    }
    SaveDialog1->SetFilter(JoinFilter);
    SaveDialog1->SetInitialDir(ExtractFileDir(manifest));
    SaveDialog1->SetFileName(name);
    SaveDialog1->SetOptions(SaveDialog1->Options() + TOpenOptions{ofOverwritePrompt});
    if (!SaveDialog1->Execute(Handle())) return;
    StartTask(TPieceTaskThread::Join, manifest, SaveDialog1->FileName());
}

// While verify or join runs the split button stops it; the menu cannot start another.
void TfMainWin::SetBusy(bool busy) {
    const bool verify = FTask && FTask->Kind() == TPieceTaskThread::Verify;
    btnSplitNow->SetCaption(busy ? (verify ? StopVerifyCaption : StopJoinCaption) : SplitNowCaption);
    btnSplitNow->SetEnabled(true);
    miVerify->SetEnabled(!busy);
    miJoin->SetEnabled(!busy);
}

void TfMainWin::StartTask(int kind, const std::wstring& manifest, const std::wstring& output) {
    auto task = std::make_unique<TPieceTaskThread>(static_cast<TPieceTaskThread::TKind>(kind), manifest, output,
                                                   Handle());
    AppendLog((kind == TPieceTaskThread::Verify ? VerifyCaption : JoinCaption) + std::wstring(L"：") + manifest);
    TrimLog();
    ShowLog();
    task->Start();
    FTask = task.release();
    SetBusy(true);
    FSources.clear();
    FIdleCaption = Caption();
    FShownPercent = -1;
    ShowSplitPercent(0);
}

// What verify or join found goes to the log, and the user is told in a box (the first lines; the
// log keeps them all).
void TfMainWin::TaskDone(bool held, const std::vector<std::wstring>& lines) {
    const bool verify = FTask && FTask->Kind() == TPieceTaskThread::Verify;
    EndSplitPercent();
    SetBusy(false);
    for (const std::wstring& line : lines) {
        AppendLog(line);
        TrimLog();
    }
    ShowLog();
    // Released once this handler has returned (the thread waits for it), so only after the box:
    // its message loop would take the release early.
    struct TRelease {
        HWND Window;
        ~TRelease() { PostMessageW(Window, WM_RELEASE_TASK, 0, 0); }
    } release{Handle()};
    if (FCloseWhenEnded) {
        FCloseWhenEnded = false;
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    std::wstring text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The summary, which comes last, always shows.
        if (i + 1 < lines.size() && i + 1 >= TaskLinesShown) {
            if (i + 1 == TaskLinesShown) text += L"…\n";
            continue;
        }
        text += lines[i] + L"\n";
    }
    if (!text.empty()) text.pop_back();
    Application->MessageBox(text, verify ? VerifyCaption : JoinCaption, MB_OK | (held ? MB_ICONINFORMATION : MB_ICONWARNING));
}

// ---- links, About and exit -------------------------------------------------------------------------

void TfMainWin::lbCheckUpdateClick(TObject*) {
    OpenUrl(Handle(), EnsureConstVar().SiteUrl);
}

void TfMainWin::lbCheckManualClick(TObject*) {
    OpenUrl(Handle(), EnsureConstVar().ManualUrl);
}

void TfMainWin::N4Click(TObject*) {
    OpenUrl(Handle(), ManualPage);
}

void TfMainWin::N3Click(TObject*) {
    OpenUrl(Handle(), ContactPage);
}

void TfMainWin::N5Click(TObject*) {
    if (!fAboutDlg) fAboutDlg = CreateForm<TfAboutDlg>(this);
    fAboutDlg->ShowModal();
}

void TfMainWin::N6Click(TObject*) {
    Close();
}

} // namespace orvo
