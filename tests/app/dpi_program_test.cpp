// The skinned programs at 96, 120, 144 and 192 DPI, started in the test prefix at that DPI and
// measured from outside (tests/framework/support/dpi_harness.h): the main window's and the About
// dialog's client sizes and every windowed control's rectangle follow the scale (within a pixel of
// rounding), the text is drawn in the stored font's height scaled, and the programs still work:
// skinned windows, a message box, the About dialog, a clean end. Around the client areas the frame
// is the skin's at that DPI: its borders and menu strip, the hit tests on them, the caption's close
// button in the skin's pixels at that DPI, and no key colour anywhere on the windows. The expected
// rectangles come from the stored forms and the program's skin, read in this process at 96 DPI.
#include "app/about_dlg.h"
#include "app/main_win.h"
#include "app/program.h"
#include "framework/forms/application.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/caption_buttons.h"
#include "skin/form/frame_geometry.h"
#include "tests/framework/support/dpi_harness.h"
#include "tests/framework/support/other_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace orvo {
namespace {

using test::TProgramAtDpi;
using test::ClassOf;
using test::WindowRectIn;
using test::TextOf;

std::wstring WinePath(const char* path) {
    std::string s = path;
    std::replace(s.begin(), s.end(), '/', '\\');
    return L"Z:" + std::wstring(s.begin(), s.end());
}

// A windowed control found by what a user sees of it: its class, its caption and its parent's
// caption (an edit's text is its own, not its window's caption another process can read).
std::wstring KeyOf(const std::wstring& cls, const std::wstring& text, const std::wstring& parentText) {
    const bool editor = cls == L"TEdit" || cls == L"TMemo";
    return parentText + L"/" + cls + L"/" + (editor ? std::wstring() : text);
}

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

// The stored bounds (96 DPI) of every windowed control of a form, by key.
void StoredRects(TWinControl& parent, std::map<std::wstring, RECT>& rects) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(parent.Controls(i));
        if (!c || !c->Visible()) continue;
        std::wstring text = c->Text();
        if (text.find(L'\r') != std::wstring::npos) text.clear();
        rects[KeyOf(std::wstring(c->ClassName()), text, parent.Text())] = c->BoundsRect();
        StoredRects(*c, rects);
    }
}

// The same of a window of another process: each visible child's rectangle in its parent's client
// area.
std::map<std::wstring, RECT> ShownRects(HWND top) {
    std::map<std::wstring, RECT> rects;
    std::pair<HWND, std::map<std::wstring, RECT>*> search{top, &rects};
    EnumChildWindows(
        top,
        [](HWND w, LPARAM p) -> BOOL {
            if (!IsWindowVisible(w)) return TRUE;
            HWND parent = GetParent(w);
            std::wstring text = TextOf(w);
            if (text.find(L'\r') != std::wstring::npos) text.clear();
            (*reinterpret_cast<decltype(search)*>(p)->second)[KeyOf(ClassOf(w), text, TextOf(parent))] =
                WindowRectIn(w, parent);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return rects;
}

void ExpectScaledRects(const std::map<std::wstring, RECT>& stored, const std::map<std::wstring, RECT>& shown,
                       int dpi) {
    ASSERT_FALSE(stored.empty());
    for (const auto& [key, r] : stored) {
        const auto it = shown.find(key);
        const std::string name = Utf8(key);
        if (it == shown.end()) {
            ADD_FAILURE() << "no window " << name << " at " << dpi;
            continue;
        }
        const RECT s = it->second;
        EXPECT_NEAR(s.left, ScaleLength(r.left, dpi), 1) << name << " at " << dpi;
        EXPECT_NEAR(s.right - s.left, ScaleLength(r.right - r.left, dpi), 1) << name << " at " << dpi;
        // A status bar is as high as its font makes it, along the bottom: its bottom edge scales.
        if (key.find(L"/TStatusBar/") != std::wstring::npos) {
            EXPECT_NEAR(s.bottom, ScaleLength(r.bottom, dpi), 1) << name << " at " << dpi;
            continue;
        }
        EXPECT_NEAR(s.top, ScaleLength(r.top, dpi), 1) << name << " at " << dpi;
        EXPECT_NEAR(s.bottom - s.top, ScaleLength(r.bottom - r.top, dpi), 1) << name << " at " << dpi;
    }
}

// The height of a line of text in a font of this face and height, as an edit lays its lines out.
int LineHeight(const wchar_t* face, int height) {
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return metrics.tmHeight;
}

bool IsMagenta(COLORREF c) {
    return GetRValue(c) == 255 && GetBValue(c) == 255 && GetGValue(c) <= 1;
}

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

// A window of the other process as the screen shows it (it is in front).
std::vector<COLORREF> ScreenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<COLORREF> pixels(static_cast<std::size_t>(w) * h);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The frame of a skinned window of the program at `dpi` is the program's skin at that DPI: borders
// (and the menu strip under the caption), hit tests, the close button's pixels, no key colour.
void ExpectSkinnedFrame(HWND window, TSkinData& skin, int dpi, bool menu, bool closeBox, const char* what) {
    TScaledSkin& s = skin.AtDpi(dpi);
    const TFrameBorders b = BordersFromSkin(s.Left(), s.Top(), s.Right(), s.Bottom(), TFrameKind::Single, 0);
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    EXPECT_EQ(origin.x - outer.left, b.Left) << what << " at " << dpi;
    EXPECT_EQ(outer.right - (origin.x + client.right), b.Right) << what << " at " << dpi;
    EXPECT_EQ(outer.bottom - (origin.y + client.bottom), b.Bottom) << what << " at " << dpi;
    EXPECT_EQ(origin.y - outer.top - b.Top, menu ? SystemMetricForDpi(SM_CYMENU, dpi) : 0) << what << " at " << dpi;

    const auto hit = [&](int x, int y) {
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(outer.left + x, outer.top + y));
    };
    EXPECT_EQ(hit(w / 3, b.Top / 2), HTCAPTION) << what << " at " << dpi;
    EXPECT_EQ(hit(w / 3, b.Top - 1), HTCAPTION) << what << " at " << dpi;
    if (menu) {
        EXPECT_EQ(hit(w / 3, b.Top + 2), HTMENU) << what << " at " << dpi;
    }
    EXPECT_EQ(hit(b.Left - 1, h / 2), HTBORDER) << what << " at " << dpi;
    EXPECT_EQ(hit(b.Left, h / 2), HTCLIENT) << what << " at " << dpi;
    EXPECT_EQ(hit(w / 2, h - b.Bottom), HTBORDER) << what << " at " << dpi;
    EXPECT_EQ(hit(w / 2, h - b.Bottom - 1), HTCLIENT) << what << " at " << dpi;

    const std::vector<COLORREF> screen = ScreenPixels(outer);
    const auto at = [&](int x, int y) { return screen[static_cast<std::size_t>(y) * w + x]; };
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(window, region) != ERROR;
    int magenta = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) magenta += (!shaped || PtInRegion(region, x, y)) && IsMagenta(at(x, y));
    DeleteObject(region);
    EXPECT_EQ(magenta, 0) << what << ": no key pixel on screen at " << dpi;

    // The close button, where the skin at that DPI puts it, in its pixels.
    if (!closeBox) return;
    int buttons = 0;
    for (const auto& button : s.SysButtons()) {
        const TDataSkinSysButton& e = *button;
        if (e.Action != cbaClose || e.Image.Empty() || (e.Align != calTopRight && e.Align != calTopLeft)) continue;
        const int frames = std::max(e.Frame, 1), fw = e.Image.Width() / frames;
        const int left = e.Align == calTopRight ? w - e.XCoord : e.XCoord, top = e.YCoord;
        int differ = 0;
        for (int y = 0; y < e.Image.Height(); ++y)
            for (int x = 0; x < fw; ++x) {
                const COLORREF c = Rgb(e.Image.PixelColor(x, y));
                if (!IsMagenta(c) && left + x >= 0 && left + x < w && top + y < h) differ += at(left + x, top + y) != c;
            }
        EXPECT_EQ(differ, 0) << what << ": the close button's pixels at " << dpi;
        ++buttons;
    }
    EXPECT_GT(buttons, 0) << what;
}

bool Settle(int ms) {
    return test::WaitUntil([] { return false; }, ms);
}

// The program's two forms as stored, read once in this process (at 96 DPI).
struct TStoredForms {
    TStoredForms() {
        StartProgram();
        StoredRects(*fMainWin, Main);
        StoredRects(*fAboutDlg, About);
        MainClient = SIZE{fMainWin->ClientWidth(), fMainWin->ClientHeight()};
        AboutClient = SIZE{fAboutDlg->ClientWidth(), fAboutDlg->ClientHeight()};
        MemoFont = fMainWin->MemoLog->Font()->Height();
        MemoFace = fMainWin->MemoLog->Font()->Name();
        // The program makes its menu as this process did: the same command numbers.
        AboutCommand = fMainWin->N5->Command();
    }
    std::map<std::wstring, RECT> Main, About;
    SIZE MainClient{}, AboutClient{};
    int MemoFont = 0;
    std::wstring MemoFace;
    UINT AboutCommand = 0;
    TSkinData& Skin() const { return *fMainWin->SkinData1; }
};

const TStoredForms& Stored() {
    static const TStoredForms forms;
    return forms;
}

class ProgramAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(ProgramAtDpi, TheMainWindowAndTheAboutDialogFollowTheScaleAndTheProgramWorks) {
    const int dpi = GetParam();
    const TStoredForms& stored = Stored();
    const test::TFreshSettings settings;
    TProgramAtDpi program(dpi, L"\"" + WinePath(ORVO_SPLITTER_EXE) + L"\"");
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(L"TfMainWin");
    ASSERT_TRUE(main);
    ASSERT_TRUE(test::WaitUntil([&] { return SendMessageW(main, SKM_ISSKINNED, 0, 0) == 1; })) << "skinned";
    SetForegroundWindow(main);
    Settle(500); // the first skinning and its resize

    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, ScaleLength(stored.MainClient.cx, dpi));
    EXPECT_EQ(client.bottom, ScaleLength(stored.MainClient.cy, dpi));
    ExpectScaledRects(stored.Main, ShownRects(main), dpi);
    ExpectSkinnedFrame(main, stored.Skin(), dpi, true, true, "the main window");

    // The log's lines are as far apart as a line of its stored font, scaled.
    HWND memo = program.FindWindowOf(L"TMemo", main);
    ASSERT_TRUE(memo);
    SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"一\r\n二"));
    const auto y = [&](int index) { return static_cast<int>(HIWORD(SendMessageW(memo, EM_POSFROMCHAR, index, 0))); };
    EXPECT_EQ(y(3) - y(0), LineHeight(stored.MemoFace.c_str(), ScaleLength(stored.MemoFont, dpi)));

    // The About dialog, by its menu item's command.
    PostMessageW(main, WM_COMMAND, stored.AboutCommand, 0);
    HWND about = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] {
        about = program.FindWindowOf(L"TfAboutDlg");
        return about && SendMessageW(about, SKM_ISSKINNED, 0, 0) == 1;
    })) << "the About dialog at " << dpi;
    Settle(300);
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, ScaleLength(stored.AboutClient.cx, dpi));
    EXPECT_EQ(client.bottom, ScaleLength(stored.AboutClient.cy, dpi));
    ExpectScaledRects(stored.About, ShownRects(about), dpi);
    ExpectSkinnedFrame(about, stored.Skin(), dpi, false, false, "the About dialog");
    PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(test::WaitUntil([&] { return !IsWindowVisible(about); }));

    // A message box: "立即拆分" with nothing chosen.
    HWND split = program.FindWindowOf(L"TButton", main, L"立即拆分");
    ASSERT_TRUE(split);
    PostMessageW(split, BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] {
        box = program.FindWindowOf(L"#32770");
        return box && SendMessageW(box, SKM_ISSKINNED, 0, 0) == 1;
    })) << "a skinned message box at " << dpi;
    Settle(300);
    ExpectSkinnedFrame(box, stored.Skin(), dpi, false, true, "a message box");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(box); }));

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.Process(), 8000), static_cast<DWORD>(WAIT_OBJECT_0)) << "it ends";
    DWORD code = 99;
    GetExitCodeProcess(program.Process(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(test::PrefixLogPixels(), 96);
}

// The gallery's stored client size, read from its stored form.
SIZE GalleryClient() {
    std::ifstream file(std::filesystem::path(WinePath(ORVO_GALLERY_FORM)));
    std::stringstream text;
    text << file.rdbuf();
    const std::string form = text.str();
    std::smatch w, h;
    const bool found = std::regex_search(form, w, std::regex(R"(ClientWidth = (\d+))")) &&
                       std::regex_search(form, h, std::regex(R"(ClientHeight = (\d+))"));
    return found ? SIZE{std::stoi(w[1]), std::stoi(h[1])} : SIZE{0, 0};
}

TEST_P(ProgramAtDpi, TheGalleryComesUpSkinnedAtItsScaledSizeAndEnds) {
    const int dpi = GetParam();
    const SIZE stored = GalleryClient();
    ASSERT_GT(stored.cx, 0);
    TProgramAtDpi program(dpi, L"\"" + WinePath(ORVO_GALLERY_EXE) + L"\"");
    HWND gallery = program.WaitForWindow(L"TfGallery");
    ASSERT_TRUE(gallery);
    ASSERT_TRUE(test::WaitUntil([&] { return SendMessageW(gallery, SKM_ISSKINNED, 0, 0) == 1; }));
    Settle(400);
    RECT client{}, window{};
    GetClientRect(gallery, &client);
    GetWindowRect(gallery, &window);
    // At 200 % the gallery is larger than the test display (1280 x 1024): the system keeps it to
    // the screen there (its largest size being the screen's plus the frame at that DPI, which is
    // the skin's frame there, not this process's).
    const SIZE frame{window.right - window.left - client.right, window.bottom - window.top - client.bottom};
    const SIZE scaled{ScaleLength(stored.cx, dpi), ScaleLength(stored.cy, dpi)};
    if (scaled.cx + frame.cx <= GetSystemMetrics(SM_CXSCREEN) && scaled.cy + frame.cy <= GetSystemMetrics(SM_CYSCREEN)) {
        EXPECT_EQ(client.right, scaled.cx);
        EXPECT_EQ(client.bottom, scaled.cy);
    } else {
        EXPECT_LE(client.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(client.bottom, GetSystemMetrics(SM_CYSCREEN));
        EXPECT_GT(client.right, ScaleLength(stored.cx, 144));
    }
    PostMessageW(gallery, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.Process(), 8000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 99;
    GetExitCodeProcess(program.Process(), &code);
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ProgramAtDpi, ::testing::Values(96, 120, 144, 192),
                         [](const ::testing::TestParamInfo<int>& param) { return std::to_string(param.param); });

} // namespace
} // namespace orvo
