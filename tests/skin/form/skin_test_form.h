// What the skin engine's window tests share: a sizeable form with a main menu and a popup menu
// whose skin component holds the default skin (or another store given at run time), shown and
// skinned the way the program's forms are; pixels read back from a window; window counting.
#pragma once

#include "framework/forms/forms.h"
#include "framework/menus/menus.h"
#include "framework/menus/popup_menu.h"
#include "skin/data/skin_data.h"
#include "skin/form/form_skin.h"

#include <functional>
#include <string>
#include <vector>

namespace orvo::test {

class TSkinnedForm : public TForm {
    ORVO_CLASS(TSkinnedForm, TForm)
public:
    explicit TSkinnedForm(TComponent* owner) : TForm(owner) {}
    static void Publish(TPublisher<TSkinnedForm>& p);

    TSkinData* SkinData1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* mnFile = nullptr;
    TMenuItem* mnOpen = nullptr;
    TMenuItem* mnExit = nullptr;
    TMenuItem* mnEdit = nullptr;
    TMenuItem* mnRun = nullptr;
};

// The skin engine installed, a skinned form created and shown; everything torn down at the end
// (the manager too, so every test starts from nothing).
class TSkinnedFormHost {
public:
    // `store`: a .skn file to use instead of the default skin (empty: the stored one).
    explicit TSkinnedFormHost(const std::wstring& store = {}, bool show = true);
    ~TSkinnedFormHost();
    TSkinnedFormHost(const TSkinnedFormHost&) = delete;
    TSkinnedFormHost& operator=(const TSkinnedFormHost&) = delete;

    TSkinnedForm* Form = nullptr;
    HWND Handle() const { return Form->Handle(); }
    // The form's skin object, or null.
    TWinSkinForm* Skin() const;
    // Shows the form and waits until it is skinned; false when it never was.
    bool ShowAndWait();
};

// The packed skin stores of the build.
std::wstring DefaultStorePath();
std::wstring JadeStorePath();
// The default skin's store without the INI sections `sections` and the image entries `images`
// (lower-case names), written to a temporary file whose path is returned (empty on failure).
std::wstring DefaultStoreWithout(const std::vector<std::string>& sections, const std::vector<std::string>& images);
std::wstring NightStorePath();

// The colour of a pixel of a window, read from the window's own surface (frame coordinates).
COLORREF WindowPixel(HWND window, int x, int y);
// A window's whole image (frame coordinates), 32 bits per pixel, as 0x00BBGGRR values.
struct TWindowImage {
    int Width = 0;
    int Height = 0;
    std::vector<COLORREF> Pixels;
    COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};
TWindowImage CaptureWindow(HWND window);
// The windows of this process (top-level and children), for leak tests.
int WindowsOfProcess();
// Visible menu windows ("#32768") of this process.
std::vector<HWND> VisibleMenuWindows();
// Sends a non-client mouse message as the system would: `p` in frame coordinates.
LRESULT SendNcMouse(HWND window, UINT message, POINT p);
// Runs `check` once a dialog the test opens (a "#32770": a message box, a common dialog) is the
// active window and skinned; `check` closes it.
void WhenActive(std::function<void(HWND)> check);
// What the system does when a window moves to a monitor at `dpi` (under Wine a test does it):
// asks the window its size there (WM_GETDPISCALEDSIZE), suggests that rectangle (WM_DPICHANGED).
void MoveToDpi(HWND window, int dpi);
// Sends WM_NCHITTEST for a frame point.
LRESULT HitTest(HWND window, POINT p);
// Presses a caption button as the system reports it (a non-client press) and releases it over the
// button (the captured mouse's release).
void ClickCaptionButton(HWND window, const RECT& button);

} // namespace orvo::test
