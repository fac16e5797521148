// Takes the pictures of the splitter's main window and the skin gallery at the DPI the process was
// started at, as the screen shows them. Run by hand (scripts/dpi-pictures.sh):
//   wine build/win/tests/app/orvo_dpi_pictures.exe OUTPUT_DIR PREFIX [SKIN.skn]
// Without a store: the windows without their skin (the framework's own layout at that scale),
// OUTPUT_DIR/PREFIX-main.bmp and PREFIX-gallery.bmp. With one: the windows in that skin, drawn by
// the skin engine at that scale, and a message box too (PREFIX-message.bmp).
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

// A window and a margin around it, from the screen.
void ShootWindow(HWND window, const std::wstring& path) {
    RECT r{};
    GetWindowRect(window, &r);
    InflateRect(&r, 12, 12);
    TBitmap picture(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    picture.SaveToFile(path);
}

// The form shown (without its skin unless `skinned`: a form with Tag 99 keeps the platform's look).
void Shoot(TCustomForm& form, const std::wstring& path, bool skinned) {
    if (!skinned) form.SetTag(99);
    form.Show();
    SetForegroundWindow(form.Handle());
    Pump(1200);
    ShootWindow(form.Handle(), path);
    form.Hide();
}

std::wstring GMessagePath;

// The message box open now: shot and closed.
void CALLBACK ShootMessage(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box) return;
    ShootWindow(box, GMessagePath);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 3) return 1;
    const std::wstring output = args[1], prefix = args[2], store = count > 3 ? args[3] : L"";
    LocalFree(args);
    const bool skinned = !store.empty();

    StartProgram();
    if (skinned) fMainWin->SkinData1->SetSkinFile(store);
    Shoot(*fMainWin, output + L"\\" + prefix + L"-main.bmp", skinned);
    if (skinned) {
        fMainWin->Show();
        Pump(300);
        GMessagePath = output + L"\\" + prefix + L"-message.bmp";
        SetTimer(nullptr, 0, 1200, ShootMessage);
        Application->MessageBox(L"请选择要拆分的文本文件", L"", MB_OK | MB_ICONINFORMATION);
        fMainWin->Hide();
    }
    Application->CreateForm(fGallery);
    if (skinned) fGallery->SkinData1->SetSkinFile(store);
    Shoot(*fGallery, output + L"\\" + prefix + L"-gallery.bmp", skinned);
    FreeSkinManager();
    return 0;
}
