// TfMainWin: the splitter's one window. The user picks a source file, a target directory and a
// line count, starts a split and watches its log; a TSplitFileThread does the work and reports
// through WM_SPLIT_REPORT. Built from its stored description (main_win.form.in).
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/dialogs/dialogs.h"
#include "framework/controls/edit.h"
#include "framework/forms/forms.h"
#include "framework/controls/group_box.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/controls/status_bar.h"
#include "framework/menus/menus.h"
#include "core/settings/window_settings.h"
#include "skin/data/skin_data.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class DropFiles;
class TPieceTaskThread;
class TSkinChooser;
class TSplitFileThread;

class TfMainWin : public TForm {
    ORVO_CLASS(TfMainWin, TForm)
public:
    // The log keeps at most LogLinesMax lines; past it the LogLinesDropped oldest go.
    static constexpr int LogLinesMax = 30;
    static constexpr int LogLinesDropped = 21;

    explicit TfMainWin(TComponent* owner);
    ~TfMainWin() override;
    static void Publish(TPublisher<TfMainWin>& p);

    TLabel* lbCheckUpdate = nullptr;
    TLabel* lbCheckManual = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TButton* btnBrowser = nullptr;
    TEdit* edtFileToSplit = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TButton* btnSaveToDir = nullptr;
    TEdit* edtSaveToDir = nullptr;
    TCheckBox* ckUseFileDir = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label1 = nullptr;
    TButton* btnSplitNow = nullptr;
    TEdit* edtSplitLineNum = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    TMemo* MemoLog = nullptr;
    TSkinData* SkinData1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* N6 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* N4 = nullptr;
    TMenuItem* N5 = nullptr;
    TMenuItem* N3 = nullptr;
    TButton* btnOptions = nullptr;
    TStatusBar* stSplit = nullptr;
    TMenuItem* miVerify = nullptr;
    TMenuItem* miJoin = nullptr;
    TMenuItem* miSettings = nullptr;
    TMenuItem* miSplitOptions = nullptr;
    TMenuItem* miSkin = nullptr;
    TMenuItem* miSkinSlate = nullptr;
    TMenuItem* miSkinJade = nullptr;
    TMenuItem* miSkinNight = nullptr;
    TMenuItem* miSkinFile = nullptr;
    TMenuItem* miSkinNone = nullptr;

    void FormCreate(TObject* Sender);
    void btnBrowserClick(TObject* Sender);
    void edtSplitLineNumKeyPress(TObject* Sender, wchar_t& Key);
    void btnSplitNowClick(TObject* Sender);
    void btnSaveToDirClick(TObject* Sender);
    void ckUseFileDirClick(TObject* Sender);
    void lbCheckUpdateClick(TObject* Sender);
    void lbCheckManualClick(TObject* Sender);
    void N4Click(TObject* Sender);
    void N3Click(TObject* Sender);
    void N5Click(TObject* Sender);
    void N6Click(TObject* Sender);
    void miSplitOptionsClick(TObject* Sender);
    void miVerifyClick(TObject* Sender);
    void miJoinClick(TObject* Sender);
    void edtSplitLineNumChange(TObject* Sender);
    void miSkinClick(TObject* Sender);
    void miSkinFileClick(TObject* Sender);
    // WM_SPLIT_REPORT from the worker.
    void MessageReceiver(TMessage& Message);

    // The settings file this window reads now and writes whenever the user's choices are taken
    // (a split started, a skin chosen, the window closed). A window without one keeps nothing.
    void KeepSettings(const std::wstring& path);
    // What the window would keep now.
    TWindowSettings Settings() const;
    // Shows the settings: folder, line count, options, skin. A skin store from disk that does not
    // load gives the built-in skin, and the log says so.
    void UseSettings(const TWindowSettings& settings);
    // Puts on a skin; a store from disk is at `file`. Answers empty when it was put on; else why
    // not, which the log says too, and the skin in force stays.
    std::wstring UseSkin(TSkinChoice skin, const std::wstring& file = {});
    TSkinChoice Skin() const noexcept { return FSkin; }
    // The options of the next split, the line count as last taken from the edit.
    const TSplitOptions& Options() const noexcept { return FOptions; }
    void SetOptions(const TSplitOptions& options);

    // From "立即拆分" (which reads "停止拆分" meanwhile) to the worker's last report.
    bool SplitRunning() const noexcept { return FSplitting; }

    // Verify or join running (or just ended); null when there is none.
    TPieceTaskThread* Task() const noexcept { return FTask; }

    // The worker of the split in progress (or just ended); null when there is none.
    TSplitFileThread* Worker() const noexcept { return FWorker; }
    DropFiles* DropFile() const noexcept { return FDropFile.get(); }
    DropFiles* DropDir() const noexcept { return FDropDir.get(); }

protected:
    void WndProc(TMessage& message) override;

private:
    TMenuItem* SkinItem(TSkinChoice skin) const;
    void SaveSettings();
    void ShowSplitPlan();
    void ShowInputError(const wchar_t* text);
    void FocusIfPossible(TWinControl* control);
    void AppendLog(const std::wstring& line);
    void TrimLog();
    void ShowLogSoon();
    void ShowLog();
    void SplitDone(const std::wstring& targetDir);
    void SplitFailed(const std::wstring& reason);
    void TakeQueuedReports();
    void ShowSplitPercent(int percent);
    void TakePostedPercents();
    void EndSplitPercent();
    void StopSplit();
    bool MayClose();
    bool EndSplit();
    void StartFile();
    bool ChooseManifest(std::wstring& path);
    void StartTask(int kind, const std::wstring& manifest, const std::wstring& output);
    void TaskDone(bool held, const std::vector<std::wstring>& lines);
    void SetBusy(bool busy);
    bool MoreFiles() const noexcept;
    void FilesEnded();
    void ReleaseWorker();

    std::unique_ptr<DropFiles> FDropFile;
    std::unique_ptr<DropFiles> FDropDir;
    std::deque<std::wstring> FLog; // the log's lines; the log box shows them
    bool FLogShowPending = false;
    TSplitFileThread* FWorker = nullptr;
    WPARAM FWorkerSerial = 0; // tells a late release request from the current worker's
    // While a split runs the caption ends in " - <percent>%" (and the taskbar button shows it);
    // the caption as it was is put back when the split ends.
    std::wstring FIdleCaption;
    int FShownPercent = -1; // -1: none shown
    bool FSplitting = false;
    // The files of this split (one, or several chosen together), the one running, and how the
    // others went.
    std::vector<std::wstring> FSources;
    std::size_t FSourceIndex = 0;
    std::wstring FTarget;           // as the target field says, with its backslash
    bool FEachInOwnFolder = false;  // several files with "使用文件所在目录"
    std::wstring FLastTarget;       // of the last file finished
    int FFilesDone = 0;
    int FFilesFailed = 0;
    bool FNextFilePending = false;  // the next file starts when this worker is released
    bool FStopAsked = false;
    TSplitOptions FRunOptions; // of the split running
    TPieceTaskThread* FTask = nullptr;
    std::unique_ptr<TSkinChooser> FSkins;
    TSkinChoice FSkin = TSkinChoice::Slate;
    std::wstring FSkinFile;
    TSplitOptions FOptions; // the line count is the edit's
    std::wstring FSettingsPath;
    bool FCloseWhenEnded = false; // closing was agreed to while a split ran
};

extern TfMainWin* fMainWin;

// The line count typed into the window: decimal digits only (1 to 5 of them). Anything else
// throws EConvertError, the framework's invalid-integer error.
int ParseLineCount(const std::wstring& text);

} // namespace orvo
