// Takes the pictures of the splitter's main window and the skin gallery without their skin (the
// framework's own layout at a display scale, before the skin engine scales its frames), at the DPI
// the process was started at. Run by hand (scripts/dpi-pictures.sh):
//   wine build/win/tests/app/orvo_dpi_pictures.exe OUTPUT_DIR PREFIX
// writes OUTPUT_DIR/PREFIX-main.bmp and PREFIX-gallery.bmp, the windows as the screen shows them.
#include "app/main_win.h"
#include "app/program.h"
#include "examples/gallery_form.h"
#include "framework/forms/application.h"
#include "framework/graphics/bitmap.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <string>

using namespace orvo;

namespace {

void Pump(int ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (GetTickCount64() < end) {
        Application->ProcessMessages();
        Sleep(10);
    }
}

// The form shown without its skin (a form with Tag 99 keeps the platform's look), then the window
// and a margin around it from the screen.
void Shoot(TCustomForm& form, const std::wstring& path) {
    form.SetTag(99);
    form.Show();
    SetForegroundWindow(form.Handle());
    Pump(1200);
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    InflateRect(&r, 12, 12);
    TBitmap picture(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    picture.SaveToFile(path);
    form.Hide();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 3) return 1;
    const std::wstring output = args[1], prefix = args[2];
    LocalFree(args);

    StartProgram();
    Shoot(*fMainWin, output + L"\\" + prefix + L"-main.bmp");
    Application->CreateForm(fGallery);
    Shoot(*fGallery, output + L"\\" + prefix + L"-gallery.bmp");
    FreeSkinManager();
    return 0;
}
