// orvo-gallery: the skin gallery, until it is closed.
//   orvo-gallery.exe [SKIN.skn]   starts with that skin store instead of the built-in one
#include "examples/gallery_form.h"

#include "framework/base/exceptions.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    Application->Initialize();
    InstallSkinEngine();
    Application->SetTitle(L"Orvo skin gallery");
    try {
        Application->CreateForm(fGallery);
    } catch (const Exception& e) {
        // A stored form that cannot be read is a fault of the build: say what it is.
        MessageBoxW(nullptr, e.Message().c_str(), L"Orvo skin gallery", MB_OK | MB_ICONERROR);
        return 1;
    }
    int count = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) {
        if (count > 1) fGallery->UseSkinFile(args[1]);
        LocalFree(args);
    }
    Application->Run();
    FreeSkinManager();
    return 0;
}
