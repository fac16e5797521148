#include "tests/skin/form/skin_test_form.h"

#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinfile/skin_store.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"
#include "framework/window/display_scale.h"
#include "skin/manager/skin_manager.h"
#include "tests/framework/support/pump.h"

#include <algorithm>
#include <memory>

namespace orvo::test {

ORVO_IMPLEMENT_CLASS(TSkinnedForm);

void TSkinnedForm::Publish(TPublisher<TSkinnedForm>& p) {
    p.Field(L"SkinData1", &TSkinnedForm::SkinData1);
    p.Field(L"MainMenu1", &TSkinnedForm::MainMenu1);
    p.Field(L"PopupMenu1", &TSkinnedForm::PopupMenu1);
    p.Field(L"mnFile", &TSkinnedForm::mnFile);
    p.Field(L"mnOpen", &TSkinnedForm::mnOpen);
    p.Field(L"mnExit", &TSkinnedForm::mnExit);
    p.Field(L"mnEdit", &TSkinnedForm::mnEdit);
    p.Field(L"mnRun", &TSkinnedForm::mnRun);
}

namespace {

std::wstring WinePath(const char* path) {
    std::string s = path;
    std::replace(s.begin(), s.end(), '/', '\\');
    return L"Z:" + std::wstring(s.begin(), s.end());
}

} // namespace

std::wstring DefaultStorePath() {
    return WinePath(ORVO_DEFAULT_SKIN_STORE);
}

std::wstring JadeStorePath() {
    return WinePath(ORVO_JADE_SKIN_STORE);
}

std::wstring DefaultStoreWithout(const std::vector<std::string>& sections, const std::vector<std::string>& images) {
    TFileStream in(DefaultStorePath(), fmOpenRead | fmShareDenyWrite);
    std::vector<std::uint8_t> store(static_cast<std::size_t>(in.Size()));
    in.ReadBuffer(store.data(), static_cast<std::int64_t>(store.size()));
    TSkinReader reader;
    if (!reader.Load(store)) return {};
    TSkinArchiveWriter writer;
    for (std::size_t i = 0; i < reader.Entries().size(); ++i) {
        const TSkinEntry& entry = reader.Entries()[i];
        if (std::find(images.begin(), images.end(), entry.Key) != images.end()) continue;
        const auto bytes = reader.EntryBytes(i);
        std::vector<std::uint8_t> kept(bytes.begin(), bytes.end());
        if (entry.Key.ends_with(".ini")) {
            // Each section's header and its keys, up to the next section.
            std::string text(kept.begin(), kept.end());
            for (const std::string& section : sections) {
                const std::size_t at = text.find("[" + section + "]");
                if (at == std::string::npos) continue;
                const std::size_t next = text.find("\n[", at + 1);
                text.erase(at, next == std::string::npos ? std::string::npos : next + 1 - at);
            }
            kept.assign(text.begin(), text.end());
        }
        writer.Add(entry.Name, std::move(kept));
    }
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    const std::string name = sections.empty() ? std::string("nothing") : sections.front();
    const std::wstring path = std::wstring(folder) + L"orvo-test-without-" + std::wstring(name.begin(), name.end()) + L".skn";
    const std::vector<std::uint8_t> packed = EncodeSkinStore(writer.Build(reader.Version()));
    TFileStream out(path, fmCreate);
    out.WriteBuffer(packed.data(), static_cast<std::int64_t>(packed.size()));
    return path;
}

void WhenActive(std::function<void(HWND)> check) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [check, poll] {
        HWND active = GetActiveWindow();
        wchar_t name[16]{};
        GetClassNameW(active, name, 16);
        if (std::wstring(name) == L"#32770") {
            TSkinManage* manager = ExistingSkinManager();
            if (manager && manager->FindFormSkin(active) &&
                manager->FindFormSkin(active)->State() == TFormSkinState::Skinned) {
                check(active);
                return;
            }
        }
        Later(*poll);
    };
    Later(*poll);
}

void MoveToDpi(HWND window, int dpi) {
    RECT r{};
    GetWindowRect(window, &r);
    SIZE size{r.right - r.left, r.bottom - r.top};
    SendMessageW(window, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&size));
    RECT suggested{r.left, r.top, r.left + size.cx, r.top + size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump(50);
}

std::wstring NightStorePath() {
    return WinePath(ORVO_NIGHT_SKIN_STORE);
}

TSkinnedFormHost::TSkinnedFormHost(const std::wstring& store, bool show) {
    InstallSkinEngine();
    Form = CreateForm<TSkinnedForm>(nullptr);
    if (!store.empty()) Form->SkinData1->SetSkinFile(store);
    if (show) ShowAndWait();
}

TSkinnedFormHost::~TSkinnedFormHost() {
    delete Form;
    FreeSkinManager();
    Pump(20);
}

TWinSkinForm* TSkinnedFormHost::Skin() const {
    TSkinManage* manager = ExistingSkinManager();
    return manager && Form->HandleAllocated() ? manager->FindFormSkin(Form->Handle()) : nullptr;
}

bool TSkinnedFormHost::ShowAndWait() {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    return PumpUntil([this] {
        TWinSkinForm* skin = Skin();
        return skin && skin->State() == TFormSkinState::Skinned;
    });
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

TWindowImage CaptureWindow(HWND window) {
    TWindowImage image;
    RECT r{};
    GetWindowRect(window, &r);
    image.Width = r.right - r.left;
    image.Height = r.bottom - r.top;
    if (image.Width <= 0 || image.Height <= 0) return image;
    HDC dc = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.Width, image.Height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (std::size_t i = 0; i < image.Pixels.size(); ++i)
        image.Pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return image;
}

int WindowsOfProcess() {
    struct TCount {
        int N = 0;
        static BOOL CALLBACK Child(HWND, LPARAM p) {
            ++reinterpret_cast<TCount*>(p)->N;
            return TRUE;
        }
        static BOOL CALLBACK Top(HWND w, LPARAM p) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process != GetCurrentProcessId()) return TRUE;
            ++reinterpret_cast<TCount*>(p)->N;
            EnumChildWindows(w, &Child, p);
            return TRUE;
        }
    } count;
    EnumWindows(&TCount::Top, reinterpret_cast<LPARAM>(&count));
    return count.N;
}

std::vector<HWND> VisibleMenuWindows() {
    std::vector<HWND> menus;
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"#32768", nullptr)))
        if (IsWindowVisible(w)) menus.push_back(w);
    return menus;
}

LRESULT SendNcMouse(HWND window, UINT message, POINT p) {
    RECT r{};
    GetWindowRect(window, &r);
    const POINT screen{r.left + p.x, r.top + p.y};
    const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    return SendMessageW(window, message, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
}

void ClickCaptionButton(HWND window, const RECT& button) {
    const POINT c{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    SendNcMouse(window, WM_NCLBUTTONDOWN, c);
    RECT r{};
    GetWindowRect(window, &r);
    POINT client{c.x + r.left, c.y + r.top};
    ScreenToClient(window, &client);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}

LRESULT HitTest(HWND window, POINT p) {
    RECT r{};
    GetWindowRect(window, &r);
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + p.x, r.top + p.y));
}

} // namespace orvo::test
