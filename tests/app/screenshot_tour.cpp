// Takes the pictures of the program for the documentation: the main window, its menus, the About
// dialog, a message box, the open-file dialog and the folder browser, each as the screen shows it,
// under the skin store given (the built-in skin without one). Run by hand under Wine on a display:
//   wine build/win/tests/app/orvo_screenshot_tour.exe OUTPUT_DIR [SKIN.skn] [PREFIX]
// writes OUTPUT_DIR/PREFIX-main.bmp, -menu.bmp, -sysmenu.bmp, -about.bmp, -message.bmp,
// -open.bmp, -folder.bmp, and an MDI frame with its children normal and minimised (-mdi.bmp) and
// with one maximised (-mdi-maximised.bmp) (scripts/screenshots.sh turns them into PNG files).
#include "app/about_dlg.h"
#include "app/main_win.h"
#include "app/program.h"
#include "examples/gallery_mdi.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/shell_browse.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace orvo;

namespace {

std::wstring GOutput;
std::wstring GPrefix = L"skin";

void Pump(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// The screen's pixels of a rectangle, as a 24-bit BMP file.
void Shoot(const std::wstring& name, RECT r) {
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
    std::ofstream out(std::filesystem::path(GOutput + L"\\" + GPrefix + L"-" + name + L".bmp"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), stride * h);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::printf("%ls-%ls.bmp %dx%d\n", GPrefix.c_str(), name.c_str(), w, h);
}

RECT Around(HWND window, int margin) {
    RECT r{};
    GetWindowRect(window, &r);
    InflateRect(&r, margin, margin);
    return r;
}

// Runs `action` from a timer once the modal loop the caller starts is under way.
void Soon(int ms, std::function<void()> action) {
    static std::function<void()> pending;
    pending = std::move(action);
    SetTimer(nullptr, 0, static_cast<UINT>(ms), [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto run = std::move(pending);
        pending = nullptr;
        if (run) run();
    });
}

HWND ActiveDialog() {
    return GetActiveWindow();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 2) return 1;
    GOutput = args[1];
    const std::wstring store = count > 2 ? args[2] : L"";
    if (count > 3) GPrefix = args[3];
    LocalFree(args);

    StartProgram();
    if (!store.empty()) fMainWin->SkinData1->SetSkinFile(store);
    fMainWin->Show();
    SetForegroundWindow(fMainWin->Handle());
    Pump(1200);
    HWND main = fMainWin->Handle();
    Shoot(L"main", Around(main, 12));

    // The File menu open under its item, with the mouse away from it.
    Soon(600, [] {
        RECT r{};
        GetWindowRect(fMainWin->Handle(), &r);
        r.bottom = r.top + 160;
        r.right = r.left + 320;
        InflateRect(&r, 12, 12);
        Shoot(L"menu", r);
        EndMenu();
    });
    SendMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump(300);

    Soon(600, [] {
        RECT r{};
        GetWindowRect(fMainWin->Handle(), &r);
        r.bottom = r.top + 260;
        r.right = r.left + 300;
        InflateRect(&r, 12, 12);
        Shoot(L"sysmenu", r);
        EndMenu();
    });
    SendMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    Pump(300);

    Soon(900, [] {
        HWND about = fAboutDlg ? fAboutDlg->Handle() : nullptr;
        if (about) Shoot(L"about", Around(about, 12));
        if (fAboutDlg) fAboutDlg->SetModalResult(mrOk);
    });
    fMainWin->N5Click(nullptr);
    Pump(300);

    Soon(900, [] {
        HWND box = ActiveDialog();
        Shoot(L"message", Around(box, 12));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    Application->MessageBox(L"请选择要拆分的文本文件", L"", MB_OK | MB_ICONINFORMATION);
    Pump(300);

    Soon(1500, [] {
        HWND dialog = ActiveDialog();
        Shoot(L"open", Around(dialog, 12));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    TOpenDialog open(nullptr);
    open.SetFilter(L"文本文件(*.txt)|*.txt|所有文件(*.*)|*.*");
    open.Execute(main);
    Pump(300);

    Soon(1500, [] {
        HWND dialog = ActiveDialog();
        Shoot(L"folder", Around(dialog, 12));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    BrowseForFolder(main, L"选择保存目录");
    Pump(300);

    // An MDI frame of the skin gallery: children normal and one minimised, then one maximised, its
    // buttons in the frame's menu bar.
    TForm* mdi = OpenMdiGallery(nullptr);
    SetForegroundWindow(mdi->Handle());
    Pump(800);
    for (int i = 0; i < mdi->MDIChildCount(); ++i)
        if (mdi->MDIChildren(i)->Caption() == L"Fixed tool")
            SendMessageW(mdi->MDIChildren(i)->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump(600);
    Shoot(L"mdi", Around(mdi->Handle(), 12));
    if (TCustomForm* active = mdi->ActiveMDIChild())
        SendMessageW(active->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump(600);
    Shoot(L"mdi-maximised", Around(mdi->Handle(), 12));
    mdi->Close();
    Pump(300);

    fMainWin->Close();
    Pump(200);
    FreeSkinManager();
    return 0;
}
