// The program's main window driven from outside, as a user would: OrvoSplitter.exe runs in its own
// process, this one moves and presses the real mouse (SendInput) and reads the screen. Every
// button, the check box and the group boxes answer the already-skinned query; the screen shows
// the skin's face frame for each state, pixel for pixel in the frame's fixed corners; a press
// released outside a button opens nothing, one released inside runs its command. The log box and
// the edits show the skin's borders. The gallery's memo has its overlay over its scroll bar,
// drawn from the skin's images, and scrolls by the real mouse on it.
#include "framework/graphics/bitmap.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/draw/skin_draw.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace orvo {
namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
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

std::wstring TextOf(HWND w) {
    wchar_t text[200]{};
    GetWindowTextW(w, text, 200);
    return text;
}

LRESULT Ask(HWND w, UINT message) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(w, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

void MoveMouse(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (screen.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (screen.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

void Button(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

// The running program.
class TSplitterProcess {
public:
    explicit TSplitterProcess(const char* exe = ORVO_SPLITTER_EXE, std::wstring title = L"Orvo") : FTitle(std::move(title)) {
        std::wstring command = L"\"" + WinePath(exe) + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &FInfo))
            return;
        WaitFor([this] { return (Main = FindMain()) != nullptr; });
    }
    ~TSplitterProcess() {
        if (!FInfo.hProcess) return;
        if (Main) PostMessageW(Main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(FInfo.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(FInfo.hProcess, 1);
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }
    // The program's visible top-level windows other than the main window.
    std::vector<HWND> OtherWindows() const {
        std::vector<HWND> found;
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
        std::erase_if(found, [this](HWND w) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            return process != FInfo.dwProcessId || w == Main || !IsWindowVisible(w) || ClassOf(w) != L"#32770";
        });
        return found;
    }
    HWND Child(const std::wstring& className, const std::wstring& text) const {
        struct TSearch {
            std::wstring Class, Text;
            HWND Found = nullptr;
        } search{className, text};
        EnumChildWindows(
            Main,
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<TSearch*>(p);
                if (ClassOf(w) == s->Class && (s->Text.empty() || TextOf(w) == s->Text)) {
                    s->Found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    std::vector<HWND> Children(const std::wstring& className) const {
        std::pair<std::wstring, std::vector<HWND>> search{className, {}};
        EnumChildWindows(
            Main,
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<std::pair<std::wstring, std::vector<HWND>>*>(p);
                if (ClassOf(w) == s->first) s->second.push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.second;
    }

    HWND Main = nullptr;

private:
    static BOOL CALLBACK Collect(HWND w, LPARAM p) {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
    }
    HWND FindMain() const {
        std::vector<HWND> all;
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
        for (HWND w : all) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == FInfo.dwProcessId && IsWindowVisible(w) && TextOf(w).starts_with(FTitle)) return w;
        }
        return nullptr;
    }
    std::wstring FTitle;
    PROCESS_INFORMATION FInfo{};
};

// The default skin, as the program stores it.
std::unique_ptr<TSkinData> DefaultSkin() {
    std::ifstream file(ORVO_DEFAULT_SKIN_STORE, std::ios::binary);
    std::vector<std::uint8_t> store((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto data = std::make_unique<TSkinData>(nullptr);
    data->SetStoreStream(std::move(store));
    EXPECT_TRUE(data->LoadSkin());
    return data;
}

// The screen's pixels over a window.
std::unique_ptr<TBitmap> Screen(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    auto bitmap = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(bitmap->Canvas().Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    return bitmap;
}

// Frame `frame` of the skin's button face at `size`.
std::unique_ptr<TBitmap> Face(TSkinData& skin, SIZE size, int frame) {
    TDataSkinButton& e = skin.Buttons();
    auto bitmap = std::make_unique<TBitmap>(size.cx, size.cy);
    DrawSliced(bitmap->Canvas().Handle(), RECT{0, 0, size.cx, size.cy}, e.Image, 5, frame, false,
               TMargins{e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}, e.Tile != 0, e.Trans != 0);
    GdiFlush();
    return bitmap;
}

// The frame whose fixed corners the screen shows over `button`; 0 when none matches exactly.
int ShownFrame(TSkinData& skin, HWND button) {
    const auto shown = Screen(button);
    const SIZE size{shown->Width(), shown->Height()};
    const TDataSkinButton& e = skin.Buttons();
    for (int frame = 1; frame <= 5; ++frame) {
        const auto face = Face(skin, size, frame);
        bool same = true;
        for (int y = 0; y < e.TopHeight - 1 && same; ++y)
            for (int x = 0; x < e.LeftWidth - 1 && same; ++x) {
                same = shown->PixelColor(x, y) == face->PixelColor(x, y) &&
                       shown->PixelColor(size.cx - 1 - x, size.cy - 1 - y) ==
                           face->PixelColor(size.cx - 1 - x, size.cy - 1 - y);
            }
        if (same) return frame;
    }
    return 0;
}

// The vertical bar of a window with WS_VSCROLL only, on the screen: beside its client area.
// (GetScrollBarInfo does not reach another process's windows under Wine; the tests inside the
// process compare the overlays with it.)
RECT VerticalBarOf(HWND w) {
    RECT client{};
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    const int right = origin.x + client.right;
    return RECT{right, origin.y, right + GetSystemMetrics(SM_CXVSCROLL), origin.y + client.bottom};
}

POINT CentreOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(MainWindowFromOutside, SkinnedControlsStatesAndClicks) {
    auto skin = DefaultSkin();
    TSplitterProcess app;
    ASSERT_NE(app.Main, nullptr) << "the program's window did not show";
    const std::vector<HWND> buttons = app.Children(L"TButton");
    ASSERT_EQ(buttons.size(), 3u) << "浏览, 浏览, 立即拆分";
    ASSERT_TRUE(WaitFor([&] { return Ask(buttons[0], SKM_ISSKINNED) == 1; })) << "skinned after activation";
    for (HWND w : buttons) EXPECT_EQ(Ask(w, SKM_ISSKINNED), 1);
    for (HWND w : app.Children(L"TGroupBox")) EXPECT_EQ(Ask(w, SKM_ISSKINNED), 1);
    HWND check = app.Child(L"TCheckBox", L"使用文件所在目录");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(Ask(check, SKM_ISSKINNED), 1);
    EXPECT_EQ(app.Children(L"TGroupBox").size(), 4u);

    HWND split = app.Child(L"TButton", L"立即拆分");
    ASSERT_NE(split, nullptr);
    HWND browse = app.Child(L"TButton", L"浏览");
    ASSERT_NE(browse, nullptr);

    RECT mainRect{};
    GetWindowRect(app.Main, &mainRect);
    const POINT away{mainRect.left + 200, mainRect.bottom - 12};
    MoveMouse(away);
    EXPECT_TRUE(WaitFor([&] { return ShownFrame(*skin, split) == 1; }, 2000)) << "normal";
    MoveMouse(CentreOf(split));
    EXPECT_TRUE(WaitFor([&] { return ShownFrame(*skin, split) == 4; }, 2000)) << "hot under the mouse";
    Button(true);
    EXPECT_TRUE(WaitFor([&] { return ShownFrame(*skin, split) == 2; }, 2000)) << "pressed";
    MoveMouse(away);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return ShownFrame(*skin, split) == 5; }, 2000)) << "focused after the cancelled press";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(app.OtherWindows().empty()) << "a press released outside is no click (立即拆分 reports empty input)";

    // Released inside: the command runs (the folder browser opens).
    MoveMouse(CentreOf(browse));
    Button(true);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return !app.OtherWindows().empty(); }, 4000)) << "the folder browser";
    for (HWND dialog : app.OtherWindows()) PostMessageW(dialog, WM_CLOSE, 0, 0);
    WaitFor([&] { return app.OtherWindows().empty(); }, 3000);

    // The check box: its glyph follows a click.
    TDataSkinButton& e = skin->Buttons();
    ASSERT_FALSE(e.CheckImage.Empty());
    const int frames = std::max(e.CheckButtonFrame, 1);
    const int fw = e.CheckImage.Width() / frames;
    auto glyphShown = [&](int frame) {
        const auto shown = Screen(check);
        const int top = (shown->Height() - e.CheckImage.Height()) / 2;
        for (int y = 1; y < e.CheckImage.Height() - 1; ++y)
            for (int x = 1; x < fw - 1; ++x) {
                const TColor want = e.CheckImage.PixelColor((frame - 1) * fw + x, y);
                if (want == clFuchsia) continue;
                if (shown->PixelColor(x, top + y) != want) return false;
            }
        return true;
    };
    EXPECT_TRUE(WaitFor([&] { return glyphShown(1); }, 2000)) << "unchecked glyph";
    MoveMouse(CentreOf(check));
    Button(true);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return glyphShown(2); }, 2000)) << "checked glyph";

    // The log box and the three edits: skinned, with the skin's border colours on the screen.
    HWND log = app.Child(L"TMemo", L"");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(Ask(log, SKM_ISSKINNED), 1);
    const TColor shadow = skin->Colour(scButtonShadow);
    const auto logShown = Screen(log);
    EXPECT_EQ(logShown->PixelColor(0, 0), shadow);
    EXPECT_EQ(logShown->PixelColor(logShown->Width() - 1, logShown->Height() / 2), shadow);
    EXPECT_EQ(logShown->PixelColor(1, logShown->Height() / 2), skin->Colour(scButtonFace));
    const std::vector<HWND> edits = app.Children(L"TEdit");
    ASSERT_EQ(edits.size(), 3u) << "source, target, line count";
    for (HWND edit : edits) {
        EXPECT_EQ(Ask(edit, SKM_ISSKINNED), 1);
        const auto shown = Screen(edit);
        EXPECT_EQ(shown->PixelColor(0, 0), shadow);
        EXPECT_EQ(shown->PixelColor(shown->Width() - 1, shown->Height() - 1), shadow);
        EXPECT_EQ(shown->PixelColor(1, shown->Height() / 2), TColor(0xFFFFFF));
    }
}

// The skin engine's own windows: scroll-bar overlays and the date picker's button.
bool SkinWindow(HWND w) {
    const std::wstring name = ClassOf(w);
    return name == L"TWScrollbar" || name == L"TArrowButton";
}

// The windows directly inside a parent.
std::vector<HWND> DirectChildren(HWND parent) {
    std::vector<HWND> found;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) found.push_back(w);
    return found;
}

// The gallery's scrolling page: the skinned memo and its Tag 99 twin.
struct TGalleryMemos {
    HWND Skinned = nullptr;
    HWND Twin = nullptr;
};

TGalleryMemos ShowScrollingPage(TSplitterProcess& gallery) {
    HWND pages = gallery.Child(L"TPageControl", L"");
    if (pages) SendMessageW(pages, TCM_SETCURFOCUS, 5, 0); // "Scrolling"
    TGalleryMemos memos;
    for (HWND memo : gallery.Children(L"TMemo")) {
        const std::wstring group = TextOf(GetParent(memo));
        if (group == L"Skinned") memos.Skinned = memo;
        if (group == L"Platform look (Tag 99)") memos.Twin = memo;
    }
    WaitFor([&] { return memos.Skinned && IsWindowVisible(memos.Skinned); }, 3000);
    return memos;
}

TEST(GalleryFromOutside, MemoOverlayScrollsByTheRealMouse) {
    auto skin = DefaultSkin();
    TSplitterProcess gallery(ORVO_GALLERY_EXE, L"Orvo skin gallery");
    ASSERT_NE(gallery.Main, nullptr);
    const TGalleryMemos memos = ShowScrollingPage(gallery);
    ASSERT_NE(memos.Skinned, nullptr);
    ASSERT_NE(memos.Twin, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(memos.Skinned) && Ask(memos.Skinned, SKM_ISSKINNED) == 1; }))
        << "the scrolling page shows, skinned";
    HWND overlay = GetWindow(memos.Skinned, GW_HWNDPREV);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(ClassOf(overlay), L"TWScrollbar") << "directly above the memo in z-order";
    EXPECT_EQ(Ask(overlay, SKM_ISSKINNED), 1);
    ASSERT_TRUE(WaitFor([&] {
        RECT r{};
        GetWindowRect(overlay, &r);
        const RECT bar = VerticalBarOf(memos.Skinned);
        return IsWindowVisible(overlay) && EqualRect(&r, &bar);
    })) << "exactly over the vertical bar";

    RECT bar{};
    GetWindowRect(overlay, &bar);
    const int b = GetSystemMetrics(SM_CXHSCROLL);

    // The real mouse: the down arrow scrolls one line.
    const auto firstLine = [&] { return static_cast<int>(Ask(memos.Skinned, EM_GETFIRSTVISIBLELINE)); };
    ASSERT_EQ(firstLine(), 0);
    MoveMouse(POINT{(bar.left + bar.right) / 2, bar.bottom - b / 2});
    Button(true);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return firstLine() == 1; }, 2000)) << "one line down, now " << firstLine();
    // The thumb dragged down and back up: the memo follows both ways (a page press never goes back).
    const POINT thumb{(bar.left + bar.right) / 2, bar.top + b + 3};
    MoveMouse(thumb);
    Button(true);
    MoveMouse(POINT{thumb.x, thumb.y + 60});
    const int down = firstLine();
    MoveMouse(POINT{thumb.x, thumb.y + 20});
    const int back = firstLine();
    Button(false);
    EXPECT_GT(down, 30) << "dragged down";
    EXPECT_LT(back, down) << "dragged back up";
    EXPECT_GT(back, 1);

    // The twin keeps the platform's bar: nothing over it, not skinned.
    EXPECT_NE(Ask(memos.Twin, SKM_ISSKINNED), 1);
    HWND above = GetWindow(memos.Twin, GW_HWNDPREV);
    EXPECT_TRUE(!above || ClassOf(above) != L"TWScrollbar");
}

// The gallery's pages: on each, every family skinned in the left group, its Tag 99 twin as it is in
// the right one.
TEST(GalleryFromOutside, TwinsKeepThePlatformLook) {
    TSplitterProcess gallery(ORVO_GALLERY_EXE, L"Orvo skin gallery");
    ASSERT_NE(gallery.Main, nullptr);
    struct TPair {
        std::vector<HWND> Skinned, Twins;
    } pairs;
    EnumChildWindows(
        gallery.Main,
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t text[64]{};
            GetWindowTextW(w, text, 64);
            auto* found = reinterpret_cast<TPair*>(p);
            if (ClassOf(w) == L"TGroupBox" && std::wstring(text) == L"Skinned") found->Skinned.push_back(w);
            if (ClassOf(w) == L"TGroupBox" && std::wstring(text) == L"Platform look (Tag 99)") found->Twins.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&pairs));
    ASSERT_GE(pairs.Skinned.size(), 4u) << "a pair on every page of a family";
    ASSERT_EQ(pairs.Skinned.size(), pairs.Twins.size());
    ASSERT_TRUE(WaitFor([&] { return Ask(pairs.Skinned.front(), SKM_ISSKINNED) == 1; }));
    // The controls of a group (the skin's own windows left out: overlays, the picker's button).
    auto windowsIn = [](HWND parent) {
        std::vector<HWND> found = DirectChildren(parent);
        std::erase_if(found, SkinWindow);
        return found;
    };
    std::size_t controls = 0;
    for (std::size_t i = 0; i < pairs.Skinned.size(); ++i) {
        EXPECT_EQ(Ask(pairs.Skinned[i], SKM_ISSKINNED), 1);
        EXPECT_NE(Ask(pairs.Twins[i], SKM_ISSKINNED), 1);
        const auto left = windowsIn(pairs.Skinned[i]);
        const auto right = windowsIn(pairs.Twins[i]);
        EXPECT_EQ(left.size(), right.size()) << "page pair " << i;
        controls += left.size();
        for (HWND w : left) EXPECT_EQ(Ask(w, SKM_ISSKINNED), 1) << "skinned: " << ClassOf(w).size();
        for (HWND w : right) EXPECT_NE(Ask(w, SKM_ISSKINNED), 1) << "twin: " << ClassOf(w).size();
    }
    EXPECT_GE(controls, 35u) << "buttons, checks, radio buttons and groups, panels, status bars, edits, combos, "
                                "up-downs, date pickers, memos, lists, scroll bars";
}

} // namespace
} // namespace orvo
