// OrvoSplitter.exe: the splitter's window and its About dialog, until the window closes; the
// window keeps the user's settings.
#include "app/main_win.h"
#include "app/program.h"
#include "app/settings_file.h"
#include "framework/base/ole_scope.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    // OLE on the UI thread, for the drops from other programs; the window is gone (and its drop
    // targets revoked) when Run returns.
    TOleScope ole;
    StartProgram();
    fMainWin->KeepSettings(SettingsFilePath());
    Application->Run();
    // The forms are gone: the skin engine lets go of what it still holds.
    FreeSkinManager();
    return 0;
}
