// OrvoSplitter.exe driven from outside, as a user drives it: a separate process, found by its
// windows, asked what any program may ask (the already-skinned query, hit tests, its region), its
// pixels read from the screen and compared with the skin's images, the real mouse and keyboard
// (SendInput) on its caption buttons and menus. The skin it should wear is loaded here from the same
// store.
#include "framework/base/streams.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/draw/skin_draw.h"
#include "tests/framework/support/other_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace orvo {
namespace {

std::wstring WinePath(const char* path) {
    std::string s = path;
    std::replace(s.begin(), s.end(), '/', '\\');
    return L"Z:" + std::wstring(s.begin(), s.end());
}

bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (done()) return true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
    return done();
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c & 0xFFFFFF;
}

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

void MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
}

void Click(int x, int y) {
    MouseTo(x, y);
    Sleep(60);
    MouseButton(true);
    Sleep(60);
    MouseButton(false);
    Sleep(60);
}

void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void Press(WORD key) {
    Key(key, true);
    Sleep(30);
    Key(key, false);
    Sleep(120);
}

struct TFindWindow {
    DWORD Process;
    std::wstring Class;
    std::wstring Text; // empty: any
    HWND Found = nullptr;
};

BOOL CALLBACK FindInProcess(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<TFindWindow*>(p);
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    wchar_t name[64]{}, text[128]{};
    GetClassNameW(w, name, 64);
    GetWindowTextW(w, text, 128);
    if (process == f->Process && f->Class == name && IsWindowVisible(w) && (f->Text.empty() || f->Text == text)) {
        f->Found = w;
        return FALSE;
    }
    return TRUE;
}

HWND WindowOf(DWORD process, const std::wstring& cls, HWND parent = nullptr, const std::wstring& text = {}) {
    TFindWindow f{process, cls, text};
    if (parent)
        EnumChildWindows(parent, &FindInProcess, reinterpret_cast<LPARAM>(&f));
    else
        EnumWindows(&FindInProcess, reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

class SkinnedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        // The skin the program stores, loaded here too.
        TFileStream file(WinePath(ORVO_DEFAULT_SKIN_STORE), fmOpenRead | fmShareDenyWrite);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
        file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        Skin.SetStoreStream(std::move(bytes));
        ASSERT_TRUE(Skin.LoadSkin());

        std::wstring command = L"\"" + WinePath(ORVO_SPLITTER_EXE) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &Process));
        ASSERT_TRUE(WaitFor([&] {
            Main = WindowOf(Process.dwProcessId, L"TfMainWin");
            return Main && SendMessageW(Main, SKM_ISSKINNED, 0, 0) == 1;
        })) << "the main window comes up skinned";
        SetForegroundWindow(Main);
        WaitFor([] { return false; }, 400); // the first skinning and its resize
    }
    void TearDown() override {
        if (Process.hProcess) {
            if (WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(Process.hProcess, 3);
            WaitForSingleObject(Process.hProcess, 5000);
            CloseHandle(Process.hProcess);
            CloseHandle(Process.hThread);
        }
    }

    int BorderLeft() { return Skin.Left().Image.Width() / std::max(Skin.Left().Frame, 1); }
    int BorderRight() { return Skin.Right().Image.Width() / std::max(Skin.Right().Frame, 1); }
    int BorderTop() { return Skin.Top().Image.Height() / std::max(Skin.Top().Frame, 1); }
    int BorderBottom() { return Skin.Bottom().Image.Height() / std::max(Skin.Bottom().Frame, 1); }

    // The skin's close button on a window of width w: its rectangle in frame coordinates.
    RECT CloseButton(int w) {
        for (const auto& b : Skin.SysButtons()) {
            if (b->Action != 0 || b->Image.Empty()) continue;
            const int bw = b->Image.Width() / std::max(b->Frame, 1);
            const int x = b->Align == 1 ? w - b->XCoord : b->XCoord;
            return RECT{x, b->YCoord, x + bw, b->YCoord + b->Image.Height()};
        }
        return RECT{};
    }
    TDataSkinSysButton* CloseDefinition() {
        for (const auto& b : Skin.SysButtons())
            if (b->Action == 0 && !b->Image.Empty()) return b.get();
        return nullptr;
    }

    TSkinData Skin{nullptr};
    test::TFreshSettings Settings; // the program's own, gone with the test
    PROCESS_INFORMATION Process{};
    HWND Main = nullptr;
};

TEST_F(SkinnedProgram, MainWindowHasTheSkinnedFrameItsClientAndItsPixels) {
    RECT window{}, client{};
    GetWindowRect(Main, &window);
    GetClientRect(Main, &client);
    const int w = window.right - window.left, h = window.bottom - window.top;
    EXPECT_EQ(client.right, 546) << "the stored client size";
    EXPECT_EQ(client.bottom, 382);
    const int menu = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(w, 546 + BorderLeft() + BorderRight());
    EXPECT_EQ(h, 382 + BorderTop() + menu + BorderBottom());
    EXPECT_EQ(GetMenu(Main), nullptr) << "the bar is the skin's";

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Main, region), ERROR) << "shaped by the skin";
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "a rounded corner";
    EXPECT_TRUE(PtInRegion(region, w / 2, h / 2));
    DeleteObject(region);

    auto hit = [&](int x, int y) {
        return SendMessageW(Main, WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y));
    };
    EXPECT_EQ(hit(w / 3, BorderTop() / 2), HTCAPTION);
    EXPECT_EQ(hit(w / 3, BorderTop() + menu / 2), HTMENU);
    EXPECT_EQ(hit(w / 2, h / 2), HTCLIENT);
    EXPECT_EQ(hit(w / 2, h - 2), HTBORDER) << "a fixed frame's bottom border";
    EXPECT_EQ(hit(1, h / 2), HTBORDER);

    // Active and inactive, from the screen.
    auto frameMatches = [&](int frame) {
        auto left = SlicedFrame(SIZE{BorderLeft(), h}, Skin.Left().Image, std::max(Skin.Left().Frame, 1), frame, false,
                                TMargins{0, Skin.Left().TopHeight, 0, Skin.Left().BottomHeight}, Skin.Left().Tile != 1);
        int wrong = 0;
        for (int y = BorderTop(); y < h - 10; y += 5)
            for (int x = 0; x < BorderLeft(); ++x)
                wrong += ScreenPixel(window.left + x, window.top + y) != Rgb(left->PixelColor(x, y));
        return wrong;
    };
    EXPECT_EQ(frameMatches(1), 0) << "the active frame";
    HWND mine = CreateWindowExW(0, L"STATIC", L"another window", WS_POPUP | WS_VISIBLE | WS_CAPTION, 10, 10, 120, 60,
                                nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(mine);
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(frameMatches(Skin.Left().Frame > 1 ? 2 : 1), 0) << "the inactive frame";
    DestroyWindow(mine);
}

TEST_F(SkinnedProgram, CaptionButtonsTrackHoverAndPressAndCloseEndsTheProgram) {
    RECT window{};
    GetWindowRect(Main, &window);
    const RECT close = CloseButton(window.right - window.left);
    TDataSkinSysButton* e = CloseDefinition();
    ASSERT_TRUE(e);
    const int fw = e->Image.Width() / std::max(e->Frame, 1);
    // A point of the button where its looks differ.
    POINT sample{-1, -1};
    for (int y = 0; y < e->Image.Height() && sample.x < 0; ++y)
        for (int x = 0; x < fw; ++x)
            if (e->Image.PixelColor(x, y) != e->Image.PixelColor(2 * fw + x, y) &&
                e->Image.PixelColor(x, y) != e->Image.PixelColor(fw + x, y) &&
                e->Image.PixelColor(fw + x, y) != e->Image.PixelColor(2 * fw + x, y)) {
                sample = POINT{x, y};
                break;
            }
    ASSERT_GE(sample.x, 0);
    const int sx = window.left + close.left + sample.x, sy = window.top + close.top + sample.y;
    auto look = [&](int frame) { return Rgb(e->Image.PixelColor((frame - 1) * fw + sample.x, sample.y)); };

    MouseTo(window.left + (close.left + close.right) / 2, window.top + (close.top + close.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(sx, sy) == look(3); }, 2000)) << "hot under the mouse";
    MouseButton(true);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(sx, sy) == look(2); }, 2000)) << "pressed";
    MouseTo(window.left + 100, window.top + 150);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(sx, sy) == look(1); }, 2000)) << "left while pressed";
    MouseButton(false);
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(WaitForSingleObject(Process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "released outside: nothing";

    Click(window.left + (close.left + close.right) / 2, window.top + (close.top + close.bottom) / 2);
    ASSERT_EQ(WaitForSingleObject(Process.hProcess, 8000), static_cast<DWORD>(WAIT_OBJECT_0)) << "the program ends";
    DWORD code = 99;
    GetExitCodeProcess(Process.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

TEST_F(SkinnedProgram, AMessageBoxIsSkinnedAndClosesThroughItsSkinnedButton) {
    HWND split = WindowOf(Process.dwProcessId, L"TButton", Main, L"立即拆分");
    ASSERT_TRUE(split);
    RECT r{};
    GetWindowRect(split, &r);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2); // nothing chosen yet: the program says so
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        box = WindowOf(Process.dwProcessId, L"#32770");
        return box && SendMessageW(box, SKM_ISSKINNED, 0, 0) == 1;
    })) << "the message box is skinned";
    WaitFor([] { return false; }, 300);
    RECT window{};
    GetWindowRect(box, &window);
    const RECT close = CloseButton(window.right - window.left);
    Click(window.left + (close.left + close.right) / 2, window.top + (close.top + close.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 4000)) << "closed through the skinned close button";
    EXPECT_EQ(WaitForSingleObject(Process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program goes on";
}

TEST_F(SkinnedProgram, TheMenuOpensOneSkinnedDropDownAndTheAboutDialogIsSkinned) {
    auto menus = [&] {
        std::vector<HWND> found;
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"#32768", nullptr)))
            if (IsWindowVisible(w)) found.push_back(w);
        return found;
    };
    SetForegroundWindow(Main);
    Press(VK_F10);
    ASSERT_TRUE(WaitFor([&] { return menus().size() == 1; }, 3000)) << "F10 opens the first drop-down";
    EXPECT_EQ(SendMessageW(menus().front(), SKM_ISSKINNED, 0, 0), 1);
    RECT first{};
    GetWindowRect(menus().front(), &first);
    Press(VK_RIGHT);
    ASSERT_TRUE(WaitFor([&] {
        const auto open = menus();
        RECT r{};
        if (open.size() == 1) GetWindowRect(open.front(), &r);
        return open.size() == 1 && r.left != first.left;
    }, 3000)) << "moving right switches to the next drop-down, still one";
    // Two more to the right: past 设置 and 皮肤 to 帮助, each time one drop-down further right.
    LONG left = -1;
    const auto openLeft = [&] {
        const auto open = menus();
        RECT r{};
        return open.size() == 1 && GetWindowRect(open.front(), &r) ? r.left : -1;
    };
    ASSERT_TRUE(WaitFor([&] { return (left = openLeft()) > first.left; }, 3000));
    for (const char* next : {"皮肤", "帮助"}) {
        Press(VK_RIGHT);
        LONG now = -1;
        ASSERT_TRUE(WaitFor([&] { return (now = openLeft()) > left; }, 3000)) << "and on to " << next;
        left = now;
    }
    Press(VK_DOWN); // the second entry of 帮助: 关于
    Press(VK_RETURN);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        about = WindowOf(Process.dwProcessId, L"TfAboutDlg");
        return about && SendMessageW(about, SKM_ISSKINNED, 0, 0) == 1;
    })) << "the About dialog, skinned";
    EXPECT_TRUE(menus().empty());
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 354) << "its stored client size";
    EXPECT_EQ(client.bottom, 165);
    // Alt and F10 in a window without a menu bar change nothing.
    Press(VK_MENU);
    Press(VK_F10);
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(menus().empty());
    EXPECT_TRUE(IsWindow(about));
    Key(VK_MENU, true);
    Press(VK_F4);
    Key(VK_MENU, false);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }, 3000)) << "Alt+F4 closes it";
    EXPECT_EQ(WaitForSingleObject(Process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

} // namespace
} // namespace orvo
