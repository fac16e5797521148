// Under the dark skin no control is left in the platform's white, seen from outside as a user sees
// it: the splitter (its main window, a message box, the open-file dialog and the folder browser)
// and every page of the skin gallery run in their own processes, and the screen over each of their
// controls is read. A white island is an area, so a pixel counts when it and its eight neighbours
// are near white: text (light under this skin) and the odd glyph highlight are a stroke or two
// wide. The gallery then switches the skin off and on again from its Skin menu: without a skin
// every control looks exactly as its twin that was never skinned, and the skin comes back whole.
#include "skin/data/skin_protocol.h"
#include "skin/form/item_colours.h"
#include "tests/framework/support/input_driver.h"
#include "tests/framework/support/other_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvo::test {
namespace {

bool Skinned(HWND w) {
    return Ask(w, SKM_ISSKINNED) == 1;
}

// A program of the build in its own process, in a folder of the test's choosing.
class TProgram {
public:
    TProgram(const char* exe, const std::wstring& argument, const std::wstring& folder = {}) {
        std::wstring command = L"\"" + WinePath(exe) + L"\" \"" + argument + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &si, &FInfo);
    }
    ~TProgram() {
        if (!FInfo.hProcess) return;
        for (HWND w : TopWindows()) PostMessageW(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(FInfo.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(FInfo.hProcess, 1);
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    // Its visible top-level windows, the newest first.
    std::vector<HWND> TopWindows() const {
        std::pair<DWORD, std::vector<HWND>> search{FInfo.dwProcessId, {}};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(p);
                DWORD process = 0;
                GetWindowThreadProcessId(w, &process);
                if (process == s->first && IsWindowVisible(w)) s->second.push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.second;
    }
    // Its visible, skinned window of a class (and caption, when given).
    HWND Window(const std::wstring& className, const std::wstring& caption = {}) const {
        for (HWND w : TopWindows())
            if (ClassOf(w) == className && (caption.empty() || TextOf(w).starts_with(caption)) && Skinned(w))
                return w;
        return nullptr;
    }

private:
    TFreshSettings FSettings; // before the process starts
    PROCESS_INFORMATION FInfo{};
};

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> found;
    EnumChildWindows(
        root,
        [](HWND w, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND ChildWithText(HWND root, const std::wstring& className, const std::wstring& text, int nth = 0) {
    for (HWND w : Descendants(root))
        if (ClassOf(w) == className && TextOf(w) == text && nth-- == 0) return w;
    return nullptr;
}

// The screen, read once.
class TScreenShot {
public:
    TScreenShot() : FWidth(GetSystemMetrics(SM_CXSCREEN)), FHeight(GetSystemMetrics(SM_CYSCREEN)) {
        HDC screen = GetDC(nullptr);
        TPixelSurface surface = PixelSurface(screen, FWidth, FHeight);
        TMemoryDc memory(CreateCompatibleDC(screen));
        if (surface.Pixels && memory) {
            TSelectObject selected(memory.Get(), surface.Bitmap.Get());
            BitBlt(memory.Get(), 0, 0, FWidth, FHeight, screen, 0, 0, SRCCOPY);
            GdiFlush();
            FPixels.assign(surface.Pixels, surface.Pixels + static_cast<std::size_t>(FWidth) * FHeight);
        }
        ReleaseDC(nullptr, screen);
    }
    bool NearWhite(int x, int y) const {
        if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || FPixels.empty()) return false;
        const std::uint32_t c = FPixels[static_cast<std::size_t>(y) * FWidth + x];
        return std::min({c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}) >= 240;
    }
    // Pixels of `r` (screen coordinates) that lie in a near-white area, those in `left` aside.
    int IslandPixels(const RECT& r, const std::vector<RECT>& left) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const POINT p{x, y};
                if (std::any_of(left.begin(), left.end(), [p](const RECT& l) { return PtInRect(&l, p) != FALSE; }))
                    continue;
                bool island = true;
                for (int dy = -1; dy <= 1 && island; ++dy)
                    for (int dx = -1; dx <= 1 && island; ++dx) island = NearWhite(x + dx, y + dy);
                count += island;
            }
        return count;
    }
    std::uint32_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || FPixels.empty()) return 0;
        return FPixels[static_cast<std::size_t>(y) * FWidth + x] & 0xFFFFFF;
    }

private:
    int FWidth;
    int FHeight;
    std::vector<std::uint32_t> FPixels;
};

// A few pixels of a glyph's highlight, never an area.
constexpr int FewPixels = 6;

// The visible controls of `root` that have white islands, described; what lies within `skip`
// left out.
std::vector<std::wstring> Islands(HWND root, const std::vector<HWND>& skip = {}) {
    const TScreenShot shot;
    std::vector<RECT> left;
    for (HWND w : skip) {
        RECT r{};
        GetWindowRect(w, &r);
        left.push_back(r);
    }
    std::vector<std::wstring> found;
    for (HWND w : Descendants(root)) {
        // A page is the skin's face with the program's pictures on it (the gallery's logo).
        if (!IsWindowVisible(w) || ClassOf(w) == L"TTabSheet") continue;
        if (std::any_of(skip.begin(), skip.end(), [w](HWND s) { return s == w || IsChild(s, w); })) continue;
        RECT r{};
        GetWindowRect(w, &r);
        // Only what shows inside the window being looked at, and only the window's own surface:
        // what its children cover is theirs.
        RECT outer{};
        GetWindowRect(root, &outer);
        IntersectRect(&r, &r, &outer);
        std::vector<RECT> covered = left;
        for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT c{};
            if (IsWindowVisible(child) && GetWindowRect(child, &c)) covered.push_back(c);
        }
        const int n = shot.IslandPixels(r, covered);
        if (n > FewPixels) found.push_back(ClassOf(w) + L" '" + TextOf(w) + L"': " + std::to_wstring(n));
    }
    return found;
}

// No island within a few seconds (a window paints its parts one after another).
void ExpectNoIslands(HWND root, const std::wstring& what, const std::vector<HWND>& skip = {}) {
    std::vector<std::wstring> last;
    WaitFor([&] { return (last = Islands(root, skip)).empty(); }, 4000);
    for (const std::wstring& island : last) ADD_FAILURE() << std::string(what.begin(), what.end()) << ": "
                                                          << std::string(island.begin(), island.end());
}

TEST(WhiteIslands, TheSplitterItsMessageBoxAndItsDialogsUnderNight) {
    // The open-file dialog shows the program's folder: two folders, nothing with a white icon.
    const auto folder = std::filesystem::temp_directory_path() / L"白色岛屿";
    std::filesystem::create_directories(folder / L"第一");
    std::filesystem::create_directories(folder / L"second");
    TProgram app(ORVO_SKINNED_SPLITTER_EXE, WinePath(ORVO_NIGHT_SKIN_STORE), folder.wstring());
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = app.Window(L"TfMainWin")) != nullptr; }));
    SetForegroundWindow(main);
    ExpectNoIslands(main, L"main window");

    auto dialogOf = [&](HWND button, const char* what) {
        HWND dialog = nullptr;
        for (int attempt = 0; attempt < 2 && !dialog; ++attempt) {
            PostMessageW(button, BM_CLICK, 0, 0);
            WaitFor([&] { return (dialog = app.Window(L"#32770")) != nullptr; }, 5000);
        }
        EXPECT_NE(dialog, nullptr) << "the " << what;
        return dialog;
    };
    // "立即拆分" without a file to split says so in a message box.
    if (HWND box = dialogOf(ChildWithText(main, L"TButton", L"立即拆分"), "message box")) {
        ExpectNoIslands(box, L"message box");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box); });
    }
    if (HWND open = dialogOf(ChildWithText(main, L"TButton", L"浏览", 0), "open-file dialog")) {
        ExpectNoIslands(open, L"open-file dialog");
        PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&] { return !IsWindow(open); });
    }
    if (HWND browser = dialogOf(ChildWithText(main, L"TButton", L"浏览", 1), "folder browser")) {
        ExpectNoIslands(browser, L"folder browser");
        PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&] { return !IsWindow(browser); });
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// The shown page's name.
std::wstring ShownPage(HWND pages) {
    for (HWND sheet = GetWindow(pages, GW_CHILD); sheet; sheet = GetWindow(sheet, GW_HWNDNEXT))
        if (IsWindowVisible(sheet) && ClassOf(sheet) == L"TTabSheet") return TextOf(sheet);
    return {};
}

// The group boxes of the twins that keep the platform's look.
std::vector<HWND> Twins(HWND gallery) {
    std::vector<HWND> twins;
    for (HWND w : Descendants(gallery))
        if (ClassOf(w) == L"TGroupBox" && TextOf(w) == L"Platform look (Tag 99)") twins.push_back(w);
    return twins;
}

// The screen over a window, row by row.
std::vector<std::uint32_t> PixelsOf(const TScreenShot& shot, HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    std::vector<std::uint32_t> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

TEST(WhiteIslands, EveryGalleryPageUnderNightAndTheSkinSwitchedOffAndOn) {
    TProgram gallery(ORVO_GALLERY_EXE, WinePath(ORVO_NIGHT_SKIN_STORE));
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = gallery.Window(L"TfGallery", L"Orvo skin gallery")) != nullptr; }));
    HWND pages = nullptr;
    for (HWND w : Descendants(main))
        if (ClassOf(w) == L"TPageControl") pages = w;
    ASSERT_NE(pages, nullptr);
    // A click on a tab gives the page control the focus: Ctrl+Tab goes from page to page.
    auto focusOf = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ? info.hwndFocus : nullptr;
    };
    RECT r{};
    GetWindowRect(pages, &r);
    for (int attempt = 0; attempt < 3 && focusOf() != pages; ++attempt) {
        SetForegroundWindow(main);
        ClickAt(POINT{r.left + 24, r.top + 10});
        WaitFor([&] { return focusOf() == pages; }, 1500);
    }
    ASSERT_EQ(focusOf(), pages);
    MoveTo(POINT{0, 0});
    auto nextPage = [&] {
        const std::wstring page = ShownPage(pages);
        for (int attempt = 0; attempt < 3; ++attempt) {
            SetForegroundWindow(main);
            PressChord({VK_CONTROL, VK_TAB});
            if (WaitFor([&] { return ShownPage(pages) != page; }, 1500)) return;
        }
    };
    const std::vector<HWND> twins = Twins(main);
    ASSERT_FALSE(twins.empty());
    std::vector<std::wstring> seen;
    for (std::wstring page = ShownPage(pages); !page.empty() && std::find(seen.begin(), seen.end(), page) == seen.end();
         page = ShownPage(pages)) {
        seen.push_back(page);
        ExpectNoIslands(main, L"gallery page " + page, twins);
        nextPage();
    }
    EXPECT_GE(seen.size(), 12u) << "every page";

    // Off from the Skin menu: each control of the "Scrolling" page as its twin shows it (the
    // colours given back exactly); then on again, as it was.
    for (int i = 0; i < 16 && ShownPage(pages) != L"Scrolling"; ++i) nextPage();
    std::vector<HWND> skinnedLists, twinLists;
    for (HWND w : Descendants(pages)) {
        if (ClassOf(w) != L"TMemo" && ClassOf(w) != L"TListBox") continue;
        const bool twin = std::any_of(twins.begin(), twins.end(), [w](HWND t) { return IsChild(t, w); });
        if (IsWindowVisible(w)) (twin ? twinLists : skinnedLists).push_back(w);
    }
    ASSERT_EQ(skinnedLists.size(), 2u);
    ASSERT_EQ(twinLists.size(), 2u);
    // The page as it settles (the overlays paint after the lists).
    std::vector<std::vector<std::uint32_t>> night;
    WaitFor([&] {
        const TScreenShot shot;
        std::vector<std::vector<std::uint32_t>> now;
        for (HWND w : skinnedLists) now.push_back(PixelsOf(shot, w));
        const bool settled = now == night;
        night = std::move(now);
        return settled;
    }, 3000);
    PressChord({VK_MENU, 'K'});
    PressChord({'N'});
    ASSERT_TRUE(WaitFor([&] { return !Skinned(pages); }));
    EXPECT_TRUE(WaitFor([&] {
        const TScreenShot plain;
        for (std::size_t i = 0; i < skinnedLists.size(); ++i)
            if (PixelsOf(plain, skinnedLists[i]) != PixelsOf(plain, twinLists[i])) return false;
        return true;
    }, 4000)) << "no skin: the memo and the list box look as their twins";
    PressChord({VK_MENU, 'K'});
    PressChord({'I'});
    ASSERT_TRUE(WaitFor([&] { return Skinned(pages); }));
    EXPECT_TRUE(WaitFor([&] {
        const TScreenShot again;
        for (std::size_t i = 0; i < skinnedLists.size(); ++i)
            if (PixelsOf(again, skinnedLists[i]) != night[i]) return false;
        return true;
    }, 4000)) << "Night again: the same pixels as before";
}

} // namespace
} // namespace orvo::test
