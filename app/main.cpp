// OrvoSplitter.exe: the splitter's window and its About dialog, until the window closes.
#include "app/program.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    StartProgram();
    Application->Run();
    // The forms are gone: the skin engine lets go of what it still holds.
    FreeSkinManager();
    return 0;
}
