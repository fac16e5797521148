// Takes the pictures of the program for the documentation: the main window, its menus, the About
// dialog, a message box, the open-file dialog and the folder browser, each as the screen shows it,
// under the skin store given (the built-in skin without one). Run by hand under Wine on a display:
//   wine build/win/tests/app/orvo_screenshot_tour.exe OUTPUT_DIR [SKIN.skn] [PREFIX]
// writes OUTPUT_DIR/PREFIX-main.bmp, -split.bmp (during a split), -stopped.bmp (a split stopped),
// -status.bmp (the status line with options chosen), -options.bmp (the options dialog), -menu.bmp,
// -sysmenu.bmp,
// -about.bmp, -message.bmp,
// -open.bmp, -folder.bmp, an MDI frame with its children normal and minimised (-mdi.bmp) and with
// one maximised (-mdi-maximised.bmp), and -gallery-PAGE.bmp for every page of the skin gallery,
// which runs in a process of its own (scripts/screenshots.sh turns them into PNG files).
#include "app/about_dlg.h"
#include "app/main_win.h"
#include "app/program.h"
#include "examples/gallery_mdi.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/shell_browse.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <initializer_list>
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

std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

std::wstring ClassOf(HWND w) {
    wchar_t name[101]{};
    GetClassNameW(w, name, 101);
    return name;
}

// The first child window of a class.
HWND ChildOf(HWND parent, const std::wstring& className) {
    std::pair<std::wstring, HWND> search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<std::pair<std::wstring, HWND>*>(p);
            if (ClassOf(w) != s->first) return TRUE;
            s->second = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

void Input(std::initializer_list<INPUT> inputs) {
    for (INPUT in : inputs) {
        SendInput(1, &in, sizeof in);
        Sleep(40);
    }
}

INPUT KeyInput(WORD key, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return in;
}

// The shown page's caption in lower case, spaces as dashes ("track-and-progress").
std::wstring ShownPage(HWND pages) {
    for (HWND sheet = GetWindow(pages, GW_CHILD); sheet; sheet = GetWindow(sheet, GW_HWNDNEXT)) {
        if (!IsWindowVisible(sheet) || ClassOf(sheet) != L"TTabSheet") continue;
        wchar_t text[100]{};
        GetWindowTextW(sheet, text, 100);
        std::wstring name;
        for (const wchar_t* c = text; *c; ++c) {
            if (*c == L' ') name += L'-';
            else if (iswalnum(*c)) name += static_cast<wchar_t>(towlower(*c));
        }
        return name;
    }
    return {};
}

// The skin gallery under the same skin store, in its own process: a picture of each page, reached
// as a user does (a click on a tab, then Ctrl+Tab).
void ShootGallery(const std::wstring& store) {
    std::wstring command = L"\"" + WinePath(ORVO_GALLERY_EXE) + L"\"";
    if (!store.empty()) command += L" \"" + store + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    HWND gallery = nullptr;
    for (int i = 0; i < 300 && !gallery; ++i) {
        Pump(50);
        HWND w = FindWindowW(nullptr, L"Orvo skin gallery");
        DWORD process = 0;
        if (w) GetWindowThreadProcessId(w, &process);
        if (w && process == pi.dwProcessId && IsWindowVisible(w)) gallery = w;
    }
    HWND pages = gallery ? ChildOf(gallery, L"TPageControl") : nullptr;
    if (pages) {
        SetForegroundWindow(gallery);
        Pump(1500);
        RECT r{};
        GetWindowRect(pages, &r);
        SetCursorPos(r.left + 24, r.top + 10);
        INPUT down{}, up{};
        down.type = up.type = INPUT_MOUSE;
        down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        Input({down, up});
        Pump(600);
        // The pointer away from every control, so no page shows a hot one.
        SetCursorPos(0, 0);
        std::vector<std::wstring> shot;
        for (int i = 0; i < 16; ++i) {
            const std::wstring page = ShownPage(pages);
            if (page.empty() || std::find(shot.begin(), shot.end(), page) != shot.end()) break;
            shot.push_back(page);
            Shoot(L"gallery-" + page, Around(gallery, 12));
            Input({KeyInput(VK_CONTROL, true), KeyInput(VK_TAB, true), KeyInput(VK_TAB, false),
                   KeyInput(VK_CONTROL, false)});
            Pump(800);
        }
        PostMessageW(gallery, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
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

    // During a split of a file large enough to be caught half-way; the question at its end (open
    // the folder?) is answered no.
    {
        const auto folder = std::filesystem::temp_directory_path() / L"orvo-tour-split";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const auto source = folder / L"server-2024.log";
        {
            std::ofstream out(source, std::ios::binary);
            std::string block;
            for (int i = 0; i < 100000; ++i)
                block += "2024-05-17 12:00:00 INFO request " + std::to_string(i) + " served in 3 ms\r\n";
            for (int i = 0; i < 20; ++i) out << block;
        }
        fMainWin->edtFileToSplit->SetText(source.wstring());
        fMainWin->ckUseFileDir->SetChecked(true);
        fMainWin->ckUseFileDirClick(nullptr);
        static std::function<void()> answer;
        answer = [] {
            HWND box = GetActiveWindow();
            if (box && box != fMainWin->Handle()) {
                PostMessageW(box, WM_COMMAND, IDNO, 0);
                return;
            }
            Soon(100, answer);
        };
        Soon(100, answer);
        fMainWin->btnSplitNowClick(nullptr);
        // Half-way: the caption shows how far, the log has a screenful.
        for (int i = 0; i < 200; ++i) {
            Pump(10);
            const std::wstring caption = fMainWin->Caption();
            const std::size_t dash = caption.rfind(L" - ");
            const int percent = dash == std::wstring::npos ? 0 : _wtoi(caption.c_str() + dash + 3);
            if (percent >= 40) break;
        }
        Shoot(L"split", Around(main, 12));
        Pump(3000);
        // Again, stopped a third of the way: the log says where.
        fMainWin->btnSplitNowClick(nullptr);
        for (int i = 0; i < 300 && fMainWin->SplitRunning(); ++i) {
            Pump(10);
            const std::wstring caption = fMainWin->Caption();
            const std::size_t dash = caption.rfind(L" - ");
            if (dash != std::wstring::npos && _wtoi(caption.c_str() + dash + 3) >= 30) fMainWin->btnSplitNowClick(nullptr);
        }
        Pump(300);
        Shoot(L"stopped", Around(main, 12));
        fMainWin->edtFileToSplit->SetText(L"");
        fMainWin->edtSaveToDir->SetText(L"");
        fMainWin->ckUseFileDir->SetChecked(false);
        fMainWin->ckUseFileDirClick(nullptr);
        fMainWin->MemoLog->Clear();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The options of a split: the dialog, and the status line that says them.
    {
        TSplitOptions options;
        options.Mode = TSplitMode::Bytes;
        options.PieceBytes = 10 << 20;
        options.HeaderLines = 1;
        options.Csv = true;
        options.Manifest = true;
        fMainWin->SetOptions(options);
        fMainWin->edtFileToSplit->SetText(L"C:\\数据\\订单-2024.csv");
        Pump(300);
        Shoot(L"status", Around(main, 12));
        Soon(800, [] {
            if (auto* dialog = dynamic_cast<TForm*>(fMainWin->FindComponent(L"fSplitOptionsDlg"))) {
                Shoot(L"options", Around(dialog->Handle(), 12));
                dialog->SetModalResult(mrCancel);
            }
        });
        fMainWin->miSplitOptionsClick(nullptr);
        fMainWin->SetOptions(TSplitOptions{});
        fMainWin->edtFileToSplit->SetText(L"");
        Pump(200);
    }

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
    ShootGallery(store);
    FreeSkinManager();
    return 0;
}
