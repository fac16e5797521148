// OrvoSplitter with a skin store from the command line, for the tests that drive the program from
// outside under a skin other than the built-in one:
//   orvo_skinned_splitter.exe SKIN.skn
#include "app/main_win.h"
#include "app/program.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    using namespace orvo;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring store = args && count > 1 ? args[1] : L"";
    if (args) LocalFree(args);
    StartProgram();
    if (!store.empty()) fMainWin->SkinData1->SetSkinFile(store);
    Application->Run();
    FreeSkinManager();
    return 0;
}
