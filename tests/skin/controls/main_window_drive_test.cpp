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
#include "tests/framework/support/other_process.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace orvo {
namespace {

using test::ClassOf;
using test::TextOf;
using test::WaitFor;
using test::WinePath;

using test::Ask;

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
    explicit TSplitterProcess(const char* exe = ORVO_SPLITTER_EXE, std::wstring title = L"Orvo",
                              const std::wstring& arguments = {})
        : FTitle(std::move(title)) {
        std::wstring command = L"\"" + WinePath(exe) + L"\"";
        if (!arguments.empty()) command += L" " + arguments;
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
    test::TFreshSettings FSettings; // before the process starts
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
    ASSERT_EQ(buttons.size(), 4u) << "浏览, 浏览, 立即拆分 and the options button";
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

std::vector<HWND> InGroup(HWND main, const std::wstring& className, const std::wstring& group);

// The gallery's tree view (Lists page) wears the skin's bars like the memo: an overlay exactly
// over the vertical bar, directly above the tree, whose arrow and thumb move the tree under the
// real mouse; its twin keeps the platform's bars.
void TreeOverlayScrollsByTheRealMouse(TSplitterProcess& gallery) {
    const auto trees = InGroup(gallery.Main, L"TTreeView", L"Skinned");
    const auto twins = InGroup(gallery.Main, L"TTreeView", L"Platform look (Tag 99)");
    ASSERT_EQ(trees.size(), 1u);
    ASSERT_EQ(twins.size(), 1u);
    HWND tree = trees.front();
    HWND pages = gallery.Child(L"TPageControl", L"");
    ASSERT_NE(pages, nullptr);
    SendMessageW(pages, TCM_SETCURFOCUS, 8, 0); // "Lists and headers"
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(tree) && Ask(tree, SKM_ISSKINNED) == 1; }));
    EXPECT_NE(Ask(twins.front(), SKM_ISSKINNED), 1);
    HWND overlay = GetWindow(tree, GW_HWNDPREV);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(ClassOf(overlay), L"TWScrollbar") << "directly above the tree";
    ASSERT_TRUE(WaitFor([&] {
        RECT r{};
        GetWindowRect(overlay, &r);
        RECT client{};
        GetClientRect(tree, &client);
        POINT origin{0, 0};
        ClientToScreen(tree, &origin);
        // Beside the client area, as high as the client (a horizontal bar may lie below).
        // (Under Wine a vertical bar beside a horizontal one may reach a pixel into the corner.)
        return IsWindowVisible(overlay) && r.left == origin.x + client.right && r.top == origin.y &&
               r.right == r.left + GetSystemMetrics(SM_CXVSCROLL) && r.bottom >= origin.y + client.bottom &&
               r.bottom <= origin.y + client.bottom + 1;
    })) << "exactly over the vertical bar";
    HWND above = GetWindow(twins.front(), GW_HWNDPREV);
    EXPECT_TRUE(!above || ClassOf(above) != L"TWScrollbar");

    RECT bar{};
    GetWindowRect(overlay, &bar);
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    // The tree's first visible row (its item handles are only compared here).
    const auto firstRow = [&] { return Ask(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE); };
    const LRESULT top = firstRow();
    MoveMouse(POINT{(bar.left + bar.right) / 2, bar.bottom - b / 2});
    Button(true);
    Button(false);
    EXPECT_TRUE(WaitFor([&] { return firstRow() != top; }, 2000)) << "a row down";
    const LRESULT oneDown = firstRow();
    const POINT thumb{(bar.left + bar.right) / 2, bar.top + b + 4};
    MoveMouse(thumb);
    Button(true);
    MoveMouse(POINT{thumb.x, bar.bottom});
    const LRESULT down = firstRow();
    MoveMouse(POINT{thumb.x, bar.top});
    const LRESULT back = firstRow();
    Button(false);
    EXPECT_NE(down, oneDown) << "dragged down";
    EXPECT_EQ(back, top) << "dragged back to the top";
}

TEST(GalleryFromOutside, MemoAndTreeOverlaysScrollByTheRealMouse) {
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

    TreeOverlayScrollsByTheRealMouse(gallery);
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
        for (HWND w : left) {
            // The arrows of a tab set are skinned with the spin controls.
            if (ClassOf(w) == L"msctls_updown32") continue;
            EXPECT_EQ(Ask(w, SKM_ISSKINNED), 1) << "skinned: " << std::string(ClassOf(w).begin(), ClassOf(w).end());
        }
        for (HWND w : right) EXPECT_NE(Ask(w, SKM_ISSKINNED), 1) << "twin: " << ClassOf(w).size();
    }
    EXPECT_GE(controls, 50u) << "buttons, checks, groups, panels, status bars, tabs, tracks, lists, tool bars";
}

void Key(WORD key, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

void Keys(std::initializer_list<WORD> held, WORD key) {
    for (WORD k : held) Key(k, true);
    Key(key, true);
    Key(key, false);
    for (WORD k : held) Key(k, false);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
}

// The gallery's group ("Skinned" or the twin) a window lies in.
std::wstring GroupOf(HWND w) {
    for (HWND p = GetParent(w); p; p = GetParent(p))
        if (ClassOf(p) == L"TGroupBox") return TextOf(p);
    return {};
}

// The windows of a class in one group, top to bottom.
std::vector<HWND> InGroup(HWND main, const std::wstring& className, const std::wstring& group) {
    std::pair<std::wstring, std::vector<HWND>> search{className, {}};
    EnumChildWindows(
        main,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<std::pair<std::wstring, std::vector<HWND>>*>(p);
            if (ClassOf(w) == s->first) s->second.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    std::erase_if(search.second, [&](HWND w) { return GroupOf(w) != group; });
    std::stable_sort(search.second.begin(), search.second.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top < rb.top;
    });
    return search.second;
}

// The colour at the middle of frame `frame` of an n-frame strip.
TColor FrameMiddle(TBitmap& strip, int frames, int frame) {
    const int fw = strip.Width() / std::max(frames, 1);
    return strip.PixelColor(fw * (frame - 1) + fw / 2, strip.Height() / 2);
}

int CountColour(TBitmap& shot, TColor colour) {
    int n = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) n += shot.PixelColor(x, y) == colour;
    return n;
}

std::unique_ptr<TSkinData> StoreSkin(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> store((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto data = std::make_unique<TSkinData>(nullptr);
    data->SetStoreStream(std::move(store));
    EXPECT_TRUE(data->LoadSkin());
    return data;
}

std::unique_ptr<TSkinData> JadeSkin() { return StoreSkin(ORVO_JADE_SKIN_STORE); }

// Every family shows the skin's images for its states on screen; the Skin menu switches the skin
// (repainting in the new one) and off (the platform's look, nothing left behind).
TEST(GalleryFromOutside, FamiliesShowTheSkinsImagesAndTheMenuSwitchesThem) {
    auto slate = DefaultSkin();
    auto jade = JadeSkin();
    TSplitterProcess gallery(ORVO_GALLERY_EXE, L"Orvo skin gallery");
    ASSERT_NE(gallery.Main, nullptr);
    HWND pages = gallery.Child(L"TPageControl", L"");
    ASSERT_NE(pages, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Ask(pages, SKM_ISSKINNED) == 1; }));
    // The program's own windows, the skin's (overlays, the picker's button) left out.
    const auto programWindows = [&] {
        std::size_t n = 0;
        EnumChildWindows(
            gallery.Main,
            [](HWND w, LPARAM p) -> BOOL {
                if (!SkinWindow(w)) ++*reinterpret_cast<std::size_t*>(p);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&n));
        return n;
    };
    const std::size_t windows = programWindows();

    RECT mainRect{};
    GetWindowRect(gallery.Main, &mainRect);
    SetForegroundWindow(gallery.Main);
    MoveMouse(POINT{(mainRect.left + mainRect.right) / 2, mainRect.top + 8});
    Button(true);
    Button(false);
    // Ctrl+Tab through the pages until the one holding `className` shows.
    auto showPage = [&](const std::wstring& className) {
        for (int i = 0; i < 14; ++i) {
            const auto found = InGroup(gallery.Main, className, L"Skinned");
            if (!found.empty() && IsWindowVisible(found.front())) return found;
            Keys({VK_CONTROL}, VK_TAB);
        }
        return std::vector<HWND>{};
    };

    // The selected tab in frame 2 of Tabs, the others in frame 1; the twin in neither.
    TBitmap& tabs = slate->Tabs()->Image;
    const TColor selected = FrameMiddle(tabs, 5, 2), normal = FrameMiddle(tabs, 5, 1);
    ASSERT_NE(selected, normal);
    const auto tabControls = showPage(L"TTabControl");
    ASSERT_FALSE(tabControls.empty()) << "the Tabs page";
    EXPECT_TRUE(WaitFor([&] {
        const auto shot = Screen(tabControls.front());
        return CountColour(*shot, selected) > 20 && CountColour(*shot, normal) > 20;
    }, 3000)) << "selected and other tabs";
    const auto twinTabs = InGroup(gallery.Main, L"TTabControl", L"Platform look (Tag 99)");
    ASSERT_FALSE(twinTabs.empty());
    EXPECT_EQ(CountColour(*Screen(twinTabs.front()), selected), 0);

    // The second skin from the Skin menu, by the keyboard.
    const auto bars = showPage(L"TProgressBar");
    ASSERT_GE(bars.size(), 2u) << "the Track and progress page";
    Keys({VK_MENU}, 'K');
    Keys({}, 'J');
    TDataSkinBorder* progress = jade->Progress();
    ASSERT_TRUE(progress && progress->Style == 0);
    // A colour of the middle column of frame `frame` of the bar's image (its shading runs down).
    auto inFrame = [&](TColor colour, int frame) {
        TBitmap& image = progress->Image;
        const int x = image.Width() / 2 * (frame - 1) + image.Width() / 4;
        for (int y = 0; y < image.Height(); ++y)
            if (image.PixelColor(x, y) == colour) return true;
        return false;
    };
    // 50 of 0..100 on 192 pixels fills 96; 25 of -50..50 fills 144.
    auto filled = [&](HWND bar, int last, int first) {
        const auto shot = Screen(bar);
        const int y = shot->Height() / 2;
        const TColor fill = shot->PixelColor(10, y), trough = shot->PixelColor(shot->Width() - 10, y);
        return fill != trough && inFrame(fill, 2) && inFrame(trough, 1) && shot->PixelColor(last, y) == fill &&
               shot->PixelColor(first, y) == trough;
    };
    EXPECT_TRUE(WaitFor([&] { return filled(bars[0], 88, 104); }, 4000)) << "half filled, in the new skin";
    EXPECT_TRUE(filled(bars[1], 136, 152)) << "a range below zero, three quarters";
    const auto tracks = InGroup(gallery.Main, L"TTrackBar", L"Skinned");
    ASSERT_FALSE(tracks.empty());
    TDataSkinObject* thumb = jade->Element(TSkinElement::TrackbarThumbHorz);
    ASSERT_TRUE(thumb && !thumb->Image.Empty());
    const TColor thumbColour = FrameMiddle(thumb->Image, 5, 2);
    EXPECT_GT(CountColour(*Screen(tracks.front()), thumbColour), 4) << "the thumb, frame 2";
    const auto twinTracks = InGroup(gallery.Main, L"TTrackBar", L"Platform look (Tag 99)");
    ASSERT_FALSE(twinTracks.empty());
    EXPECT_EQ(CountColour(*Screen(twinTracks.front()), thumbColour), 0);

    // The header item under the real mouse in frame 2 of Headerbar.
    const auto headers = showPage(L"THeaderControl");
    ASSERT_FALSE(headers.empty()) << "the Lists and headers page";
    TDataSkinObject* bar = jade->Headerbar();
    ASSERT_TRUE(bar && !bar->Image.Empty());
    const int frames = std::max(bar->Frame, 1);
    const TColor hot = FrameMiddle(bar->Image, frames, 2), plain = FrameMiddle(bar->Image, frames, 1);
    ASSERT_NE(hot, plain);
    RECT h{};
    GetWindowRect(headers.front(), &h);
    const int y = (h.bottom - h.top) / 2;
    MoveMouse(POINT{h.left + 125, h.top + y});
    EXPECT_TRUE(WaitFor([&] {
        const auto shot = Screen(headers.front());
        return shot->PixelColor(125, y) == hot && shot->PixelColor(100, y) == plain;
    }, 3000)) << "the second item hot";
    MoveMouse(POINT{h.left + 125, h.bottom + 60});
    EXPECT_TRUE(WaitFor([&] { return Screen(headers.front())->PixelColor(125, y) == plain; }, 3000))
        << "leaving the header clears it";

    // The third skin, built in too: the header repaints in Night's items.
    auto night = StoreSkin(ORVO_NIGHT_SKIN_STORE);
    TDataSkinObject* nightBar = night->Headerbar();
    ASSERT_TRUE(nightBar && !nightBar->Image.Empty());
    const TColor nightPlain = FrameMiddle(nightBar->Image, std::max(nightBar->Frame, 1), 1);
    Keys({VK_MENU}, 'K');
    Keys({}, 'I');
    EXPECT_TRUE(WaitFor([&] { return Screen(headers.front())->PixelColor(100, y) == nightPlain; }, 4000))
        << "Orvo Night from the Skin menu";

    // No skin: nothing answers as skinned, no window is left behind.
    Keys({VK_MENU}, 'K');
    Keys({}, 'N');
    EXPECT_TRUE(WaitFor([&] { return Ask(pages, SKM_ISSKINNED) != 1; }, 4000));
    for (const wchar_t* family : {L"TTabControl", L"TTrackBar", L"TProgressBar", L"THeaderControl", L"TListView",
                                  L"TCheckListBox", L"TToolBar", L"TTabSet"})
        for (HWND w : InGroup(gallery.Main, family, L"Skinned")) EXPECT_NE(Ask(w, SKM_ISSKINNED), 1);
    EXPECT_EQ(programWindows(), windows);
    std::size_t skinWindows = 0;
    EnumChildWindows(
        gallery.Main,
        [](HWND w, LPARAM p) -> BOOL {
            if (SkinWindow(w) && IsWindowVisible(w)) ++*reinterpret_cast<std::size_t*>(p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&skinWindows));
    EXPECT_EQ(skinWindows, 0u) << "no overlay left showing";
    EXPECT_EQ(CountColour(*Screen(headers.front()), hot), 0);
}

// The visible menu windows ("#32768") on the screen.
std::vector<HWND> OpenMenus() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w)) found.push_back(w);
    return found;
}

// Clicks the first item of the gallery's bar and glides the real mouse along the bar: each item's
// drop-down replaces the one before, never two at a time, as on a native bar.
void GlideAlongTheBar(TSkinData& skin, const std::wstring& arguments) {
    TSplitterProcess gallery(ORVO_GALLERY_EXE, L"Orvo skin gallery", arguments);
    ASSERT_NE(gallery.Main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Ask(gallery.Main, SKM_ISSKINNED) == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    SetForegroundWindow(gallery.Main);
    RECT window{};
    GetWindowRect(gallery.Main, &window);
    // The bar under the caption; its first item starts past the MenuBar element's left part.
    const int left = skin.Left().Image.Width() / std::max(skin.Left().Frame, 1);
    const int top = skin.Top().Image.Height() / std::max(skin.Top().Frame, 1);
    const TDataSkinObject* element = skin.MenuBar();
    const int start = element && !element->Image.Empty() ? element->LeftWidth + 4 : 6;
    const int y = window.top + top + GetSystemMetrics(SM_CYMENU) / 2;
    const int x0 = window.left + left + start + 4;
    MoveMouse(POINT{x0, y});
    Button(true);
    Button(false);
    ASSERT_TRUE(WaitFor([] { return OpenMenus().size() == 1; }, 3000)) << "the first drop-down";
    std::vector<LONG> lefts;
    std::size_t most = 0;
    // Along the bar until the third item's drop-down shows (the gallery's bar is File, Skin, Help).
    for (int x = x0; x < x0 + 200 && lefts.size() < 3; x += 8) {
        MoveMouse(POINT{x, y});
        for (int look = 0; look < 3; ++look) {
            const auto open = OpenMenus();
            most = std::max(most, open.size());
            if (open.size() == 1) {
                RECT r{};
                GetWindowRect(open.front(), &r);
                if (lefts.empty() || lefts.back() != r.left) lefts.push_back(r.left);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    EXPECT_LE(most, 1u) << "one drop-down at a time";
    ASSERT_EQ(lefts.size(), 3u) << "File, Skin and Help in turn";
    EXPECT_LT(lefts[0], lefts[1]);
    EXPECT_LT(lefts[1], lefts[2]);
    EXPECT_EQ(lefts[0], x0 - 4) << "under the first item";
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_TRUE(WaitFor([] { return OpenMenus().empty(); }, 3000));
    EXPECT_TRUE(IsWindowVisible(gallery.Main));
}

TEST(GalleryFromOutside, TheRealMouseGlidingAlongTheBarSwitchesDropDowns) {
    GlideAlongTheBar(*DefaultSkin(), {});
    GlideAlongTheBar(*JadeSkin(), L"\"" + WinePath(ORVO_JADE_SKIN_STORE) + L"\"");
}

// The gallery's MDI frame driven with the real mouse: the frame and each child answer the
// already-skinned query; a child's skinned maximise button maximises it; the frame's bar then shows
// the skin's MDI buttons, which restore and close that child; the frame's close button closes the
// frame and every child, and the gallery goes on.
TEST(GalleryFromOutside, MdiFrameChildrenAndTheBarsButtons) {
    auto skin = DefaultSkin();
    TSplitterProcess gallery(ORVO_GALLERY_EXE, L"Orvo skin gallery");
    ASSERT_NE(gallery.Main, nullptr);
    HWND open = gallery.Child(L"TButton", L"MDI frame...");
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Ask(gallery.Main, SKM_ISSKINNED) == 1; }));
    PostMessageW(GetParent(open), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(open), BN_CLICKED), reinterpret_cast<LPARAM>(open));
    HWND frame = nullptr;
    HWND client = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        frame = FindWindowW(nullptr, L"MDI frame");
        client = frame ? FindWindowExW(frame, nullptr, L"MDIClient", nullptr) : nullptr;
        return client != nullptr;
    })) << "the frame and its client";
    auto children = [client] {
        std::vector<HWND> found;
        for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_MDICHILD) found.push_back(w);
        return found;
    };
    ASSERT_TRUE(WaitFor([&] { return children().size() == 4; }));
    ASSERT_TRUE(WaitFor([&] {
        for (HWND w : children())
            if (Ask(w, SKM_ISSKINNED) != 1) return false;
        return Ask(frame, SKM_ISSKINNED) == 1;
    }));
    const std::vector<HWND> all = children();

    // Alt + a letter no bar of the frame knows, in this secondary window, opens the gallery's own
    // bar item (Skin): its drop-down hangs under the gallery's bar.
    SetForegroundWindow(frame);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Keys({VK_MENU}, 'K');
    ASSERT_TRUE(WaitFor([] { return OpenMenus().size() == 1; }, 3000)) << "the main form's Skin drop-down";
    RECT dropDown{}, main{};
    GetWindowRect(OpenMenus().front(), &dropDown);
    GetWindowRect(gallery.Main, &main);
    const int mainBarBottom =
        main.top + skin->Top().Image.Height() / std::max(skin->Top().Frame, 1) + GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(dropDown.top, mainBarBottom - 1) << "under the gallery's bar";
    EXPECT_GT(dropDown.left, main.left);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    ASSERT_TRUE(WaitFor([] { return OpenMenus().empty(); }, 3000));

    HWND report = FindWindowExW(client, nullptr, nullptr, L"Report");
    ASSERT_NE(report, nullptr);
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(report), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    // The skin's maximise button (action 1, shown while not maximised), on the child's caption.
    const auto& buttons = skin->SysButtons();
    const TDataSkinSysButton& max = *buttons[1];
    ASSERT_EQ(max.Action, 1);
    RECT r{};
    GetWindowRect(report, &r);
    const int bw = max.Image.Width() / std::max(max.Frame, 1);
    MoveMouse(POINT{r.right - max.XCoord + bw / 2, r.top + max.YCoord + max.Image.Height() / 2});
    Button(true);
    Button(false);
    ASSERT_TRUE(WaitFor([&] { return IsZoomed(report) != FALSE; }, 3000)) << "the skinned maximise button";
    std::this_thread::sleep_for(std::chrono::milliseconds(400));

    // The bar's buttons: actions 7, 8, 9 placed from the right end of the menu strip.
    const int borderTop = skin->Top().Image.Height() / std::max(skin->Top().Frame, 1);
    const int borderRight = skin->Right().Image.Width() / std::max(skin->Right().Frame, 1);
    const int menuHeight = GetSystemMetrics(SM_CYMENU);
    auto barButton = [&](int action) {
        for (const auto& b : buttons)
            if (b->Action == action) {
                GetWindowRect(frame, &r);
                const int w = b->Image.Width() / std::max(b->Frame, 1), h = b->Image.Height();
                const int x = (r.right - r.left) - b->XCoord - borderRight;
                const int y = borderTop + (menuHeight - h) / 2;
                return RECT{x, y, x + w, y + h};
            }
        return RECT{};
    };
    const RECT close = barButton(9);
    ASSERT_GT(close.right, close.left);
    const auto shown = Screen(frame);
    TDataSkinSysButton& closeImage = *buttons[buttons.size() - 1];
    int opaque = 0, matched = 0;
    for (int y = 0; y < close.bottom - close.top; ++y)
        for (int x = 0; x < close.right - close.left; ++x) {
            const TColor c = closeImage.Image.Canvas().Pixel(x, y);
            if ((ColorToRGB(c) & 0xFFFFFF) == 0xFF00FF) continue;
            ++opaque;
            if ((ColorToRGB(shown->Canvas().Pixel(close.left + x, close.top + y)) & 0xFFFFFF) == (ColorToRGB(c) & 0xFFFFFF))
                ++matched;
        }
    ASSERT_GT(opaque, 0);
    EXPECT_EQ(matched, opaque) << "the skin's close image in the frame's menu bar";

    auto clickIn = [&](const RECT& b) {
        GetWindowRect(frame, &r);
        MoveMouse(POINT{r.left + (b.left + b.right) / 2, r.top + (b.top + b.bottom) / 2});
        Button(true);
        Button(false);
    };
    clickIn(barButton(8));
    ASSERT_TRUE(WaitFor([&] { return !IsZoomed(report); }, 3000)) << "the bar's restore button";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    GetWindowRect(report, &r);
    MoveMouse(POINT{r.right - max.XCoord + bw / 2, r.top + max.YCoord + max.Image.Height() / 2});
    Button(true);
    Button(false);
    ASSERT_TRUE(WaitFor([&] { return IsZoomed(report) != FALSE; }, 3000));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    clickIn(barButton(9));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(report); }, 3000)) << "the bar's close button";
    EXPECT_TRUE(IsWindow(frame));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    // The frame's own close button (action 0).
    const TDataSkinSysButton& frameClose = *buttons[0];
    ASSERT_EQ(frameClose.Action, 0);
    GetWindowRect(frame, &r);
    MoveMouse(POINT{r.right - frameClose.XCoord + bw / 2, r.top + frameClose.YCoord + frameClose.Image.Height() / 2});
    Button(true);
    Button(false);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 3000));
    for (HWND w : all)
        EXPECT_FALSE(IsWindow(w));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(IsWindowVisible(gallery.Main)) << "the gallery goes on";
    EXPECT_EQ(Ask(gallery.Main, SKM_ISSKINNED), 1);
}

} // namespace
} // namespace orvo
