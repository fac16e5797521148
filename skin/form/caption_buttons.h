// Caption buttons: close, maximise/restore, minimise, help, the window icon that opens the system
// menu, custom actions, and the three buttons of a maximised MDI child. One TWinSysButton per
// caption-button definition of the skin, placed, shown, drawn and clicked by the form skin, which
// feeds it the non-client mouse messages. TNCObject is what the non-client area's mouse handling
// knows: caption buttons and menu-bar items derive from it.
//
// The rules (which buttons show, where they go, which frame of their image is drawn) are plain
// functions of plain values, tested without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <windows.h>

namespace orvo {

class TDataSkinSysButton;
class TWinSkinForm;
enum class TFrameKind : std::uint8_t;

// The actions a button definition names.
enum TCaptionAction : int {
    cbaClose = 0,
    cbaMaximize = 1,
    cbaMinimize = 2,
    cbaSystemMenu = 3,
    cbaHelp = 4,
    cbaMdiMinimize = 7,
    cbaMdiRestore = 8,
    cbaMdiClose = 9,
    cbaIcon = 11,
    cbaIconSystemMenu = 12,
    cbaMaximizeAlt = 22,
    cbaMinimizeAlt = 23,
    cbaMdiMinimizeAlt = 60,
    cbaMdiRestoreAlt = 61,
    cbaMdiCloseAlt = 62,
};

// Where a button is placed (the definition's Align).
enum TCaptionAlign : int {
    calTopLeft = 0,         // (XCoord, YCoord)
    calTopRight = 1,        // (W - XCoord, YCoord)
    calLeftOfText = 2,      // left of the caption text
    calRightOfText = 3,     // right of the caption text
    calLeftOfTextAlt = 8,
    calRightOfTextAlt = 9,
    calMenuBar = 100,       // inside the menu bar (the buttons of a maximised MDI child)
};

// Button states; each is also the 1-based frame of the button's image drawn for it.
enum TNCButtonState : int { nbsNormal = 1, nbsPressed = 2, nbsHot = 3 };

// What a visibility code is evaluated against.
struct TCaptionState {
    bool Maximized = false;
    bool Active = true;
    std::uint8_t BorderIcons = 0; // TBorderIconBits
    TFrameKind Kind{};
    bool DialogClass = false;
    bool MdiChildMaximizedInBar = false; // an MDI frame whose active child is maximised, with a bar
    // Private message SKM_CAPTIONBUTTONVISIBLE for the codes 1000-2000: (code, action) -> answer.
    std::function<LRESULT(int code, int action)> AskWindow;
};

// One visibility code; `primary` chooses the Visibility column, else the Visibility1 column.
bool VisibilityCodeTrue(int code, bool primary, const TCaptionState& s);
// The button's visibility (both codes, then adjusted by action) and whether it is enabled.
struct TButtonShow {
    bool Visible = false;
    bool Enabled = true;
};
TButtonShow EvaluateButton(int action, int visibility, int visibility1, const TCaptionState& s);

struct TButtonLayoutInput {
    int Align = 0;
    int XCoord = 0;
    int YCoord = 0;
    int Width = 0;  // image width over the frame count
    int Height = 0; // image height
    int WindowWidth = 0;
    RECT TextRect{};
    int BorderRight = 0;
    int BorderTop = 0;
    int MenuHeight = 0;
    int MenuBarLeftWidth = 0; // the MenuBar element's LeftWidth, 0 without the element
};
RECT LayoutButton(const TButtonLayoutInput& in) noexcept;

// The frame drawn in the caption bar: 1, or 4 for an image of at least four frames when the window
// is inactive or the button disabled.
int CaptionFrameIndex(int frameCount, bool windowActive, bool enabled) noexcept;
// The frame drawn for a state change (hover, press): the state itself, a disabled button's
// inactive frame, the hot frame of a menu-bar MDI button.
int StateFrameIndex(int frameCount, int state, bool enabled, int visibility) noexcept;
// The hint text of an action (English, as the system's own tooltips); empty for none.
const wchar_t* CaptionHintText(int action) noexcept;
// The actions drawn as the window icon.
inline bool IsIconAction(int action) noexcept {
    return action == cbaSystemMenu || action == cbaIcon;
}

// The platform's kind of caption button (DFCS_CAPTIONMIN, ...) that stands in for a button the
// skin gives no image: only for the buttons a user cannot do without, close, maximise (restore
// while `maximized`) and minimise of a window, and a maximised MDI child's minimise, restore and
// close in its frame's bar (its only way back); -1 for every other action, which a skin may leave
// out.
int PlatformStandIn(int action, bool maximized = false) noexcept;
// The stand-in's place from the right end (1 the rightmost), in the platform's order.
int PlatformStandInSlot(int action) noexcept;
// Draws a stand-in button in the platform's look for a button state (TNCButtonState).
void DrawPlatformStandIn(HDC dc, const RECT& r, int action, int state, bool enabled, bool maximized = false);

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* owner) : Owner(owner) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm* Owner;
    RECT BoundsRect{};
    bool Visible = false;
    int ButtonState = nbsNormal;
    bool Enabled = true;
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* owner, TDataSkinSysButton* element) : TNCObject(owner), Element(element) {}
    void Paint() override;

    // The skin's definition; owned by the skin component.
    TDataSkinSysButton* Element;
};

} // namespace orvo
