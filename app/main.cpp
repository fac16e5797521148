// OrvoSplitter.exe: the splitter's window and its About dialog, until the window closes.
#include "app/program.h"
#include "framework/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    StartProgram();
    Application->Run();
    return 0;
}
