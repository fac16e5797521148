// The text-entry family: borders and buttons around what the controls draw themselves. The text
// area always stays the control's; the skin paints over the frame after the control has painted
// (the up-down, which has no text, is painted by the skin alone).
//
// Classes in this file:
//   TSkinEdit      edits (and date-time pickers with arrows): a ButtonShadow line and two white
//                  rings in place of the sunken edge; an up-down found inside the edit (a spin
//                  edit's arrows, a time picker's) gets a TSkinUpDown at the first paint.
//   TSkinUpDown    up-down arrow pairs, alone or inside an edit: UpDown.Vert / UpDown.Horz, frame
//                  by half (1 normal, 2 pressed, 3 disabled, 4 hot; the second half + 4), hot
//                  from the mouse entering and leaving; without the elements, plain rectangles
//                  with line arrows.
//   TSkinComBox    combo boxes: SunkEdge and ComboButton (Style 0), the whole box from one of them
//                  (Style 2), or a flat box with the button (Style 1); ExtraImages' arrow glyph;
//                  the button lights up under the mouse only; the drop-down list's scroll bar is
//                  painted by a TComboxScrollBar, a simple combo's list gets a TSkinScrollbarH.
//   TSkinDateTime  date pickers with a calendar: flat border, a TArrowButton (ComboxArrow frames)
//                  laid over the picker's own button, which opens the picker's calendar.
//
// Messages: WM_PAINT and WM_NCPAINT paint the frame after the control; WM_PRINTCLIENT prints the
// border; SKM_PAINTCONTROLINTO renders the control and its frame into a foreign DC. Every DC that
// a caller hands in is saved and restored around the drawing.
#pragma once

#include "framework/controls/win_control.h"
#include "skin/controls/control_skin.h"

namespace orvo {

class TDataSkinObject;
class TSkinComBox;
class TSkinDateTime;
class TSkinScrollbarH;
class TComboxScrollBar;

// Button state index of the combo box and the up-down.
enum TSkinButtonState : int { bsNormalState = 1, bsPressedState = 2, bsDisabledState = 3, bsHotState = 4 };

// Which half of an up-down a point lies in: 0 the first (up, left), 1 the second.
int UpDownHalfAt(SIZE size, bool horizontal, POINT p) noexcept;
// The frame of half `half` (0, 1) of an up-down: 3 disabled; 2 pressed and under the cursor; 4
// hot and under the cursor; else 1; the second half's frames are 4 further on.
int UpDownFrame(int half, bool enabled, bool pressed, bool hot, int cursorHalf) noexcept;
// The combo box's button state.
int ComboButtonState(bool enabled, bool pressed, bool focused, bool hot) noexcept;

class TSkinEdit : public TSkinControl {
    ORVO_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void Unskin() override;

    // The arrows found inside the edit (owned by this object), or null.
    class TSkinUpDown* UpDown = nullptr;

    // WM_PAINT of a date-time picker skinned by `skin`, painted with the skin's text and border;
    // false when it is none or the skin leaves window colours to the platform.
    static bool PaintPickerText(TSkinControl& skin, TMessage& message);

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    void FindUpDown();
    void PrintBorder(HDC dc);
    void RenderInto(HDC dc);
};

class TSkinUpDown : public TSkinControl {
    ORVO_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool InEdit = false;
    // 1: left/right arrows whatever the style says.
    int Horizontal = 0;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    bool IsHorizontal() const;
    // The half under the cursor for a face of `face`'s size; -1 outside the client area.
    int CursorHalf(SIZE face) const;
    void SetHot(bool hot);
    void DrawHalf(HDC dc, const RECT& r, int frame, bool horizontal, bool first) const;
    int FCursorHalf = -1;
};

class TSkinComBox : public TSkinControl {
    ORVO_CLASS(TSkinComBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinComBox() override;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) override;
    void Unskin() override;

    DWORD ComboStyle = 0;
    DWORD ComboExStyle = 0;
    HWND ListHandle = nullptr;
    HWND EditHandle = nullptr;
    bool DroppedDown = false;
    TSkinScrollbarH* ListScroll = nullptr;
    TComboxScrollBar* DropScroll = nullptr;
    COMBOBOXINFO ComboInfo{};
    RECT ButtonRect{};
    bool FlatMode = false;

protected:
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    void AttachParts(bool frameworkRoad);
    void ReleaseParts();
    void EditMessage(TMessage& message);
    bool ReadComboInfo();
    void DrawFlat(HDC dc, const RECT& r, int state);
    TWindowSubclass FEditSubclass;
};

// The date picker's button: a real child window over the picker's own, painted from ComboxArrow.
class TArrowButton : public TCustomControl {
    ORVO_CLASS(TArrowButton, TCustomControl)
public:
    TArrowButton(TComponent* owner, TSkinDateTime* skin, TWinControl* picker);

    int ButtonWidth = 0;
    TWinControl* Picker = nullptr;
    TSkinDateTime* SkinOwner = nullptr;
    HWND PickerHandle = nullptr;
    std::uint8_t MouseState = 0;

    // Left and top in the picker's client area, from its current size.
    void Place();

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
};

class TSkinDateTime : public TSkinControl {
    ORVO_CLASS(TSkinDateTime, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinDateTime() override;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) override;
    void Unskin() override;

    TArrowButton* Arrow = nullptr;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;
};

} // namespace orvo
