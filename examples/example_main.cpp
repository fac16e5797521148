// orvo-example: shows the example form until it is closed, skinned like the program.
//   orvo-example.exe [SKIN.skn]   starts with that skin store instead of the built-in one
#include "examples/example_form.h"

#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    Application->Initialize();
    InstallSkinEngine();
    Application->SetTitle(L"Orvo framework example");
    Application->CreateForm(fExample);
    int count = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) {
        if (count > 1) fExample->UseSkinFile(args[1]);
        LocalFree(args);
    }
    Application->Run();
    FreeSkinManager();
    return 0;
}
