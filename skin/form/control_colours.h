// TControlColours: the window colours the skin gives the controls of one skinned window, and what
// each of them had before.
//
// A framework control whose own Color (not its parent's) is the default window colour, clWindow,
// takes the skin's Window, and its Font.Color, when that is the default text (clWindowText or
// clBtnText), the skin's WindowText; one whose own Color is the platform's face, clBtnFace, takes
// the skin's ButtonFace and ButtonText the same way (a tab control's page area, a tool bar in a
// cool bar: the platform's face is near white on some systems). What stands on the form's face
// (labels, group box and check box captions) takes ButtonText: the form's own Font.Color is set,
// which every control that follows its parent's font follows; a control with a font of its own
// gets it directly. The form goes last and comes back first, so the controls that follow it
// follow it back. The framework passes both on as it does any colour of the program's (the
// colour messages, a list or tree view's own colour settings, owner-drawn items), and keeps them
// when the control's window is made again. A control whose Tag is the skin component's DisableTag
// keeps its own colours, as it keeps the platform's look.
//
// A list view or tree view of another module (the open-file dialog's file list, the folder
// browser's tree) has its colours set directly: LVM_SETBKCOLOR, LVM_SETTEXTCOLOR and
// LVM_SETTEXTBKCOLOR, or TVM_SETBKCOLOR, TVM_SETTEXTCOLOR and TVM_SETLINECOLOR; a date-time
// picker's calendar by DTM_SETMCCOLOR. Its selected items are recoloured in its parent's
// custom-draw answers (item_colours.h): by the form skin when the parent is the skinned window,
// else through a subclass of the parent (the shell's view that holds the open-file dialog's file
// list), taken out again with the colours. An extended combo box of another module answers its
// combo's colour messages with the platform's colours and draws its items in them: it is
// subclassed the same way, to answer as the skinned dialog does.
//
// Every colour set is remembered with the value it replaced and given back by Restore (switching
// the skin off) and before the next Apply (a new skin), unless the program changed it meanwhile:
// then the program's colour stays. Only a skin that names its Window colour sets anything
// (window_colours.h). Framework controls are held through free notifications; a window of another
// module that is gone is passed over.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/color.h"

#include <array>
#include <memory>
#include <vector>
#include <windows.h>

namespace orvo {

class TControl;
class TCustomForm;
class TSkinData;
class TWinControl;
class TWindowSubclass;

class TControlColours : public TComponent {
    ORVO_CLASS(TControlColours, TComponent)
public:
    explicit TControlColours(TComponent* owner);
    ~TControlColours() override;

    // The skin's colours on the controls of a framework form, or on the list and tree views among
    // the child windows of `window`. What an earlier Apply set is given back first.
    void Apply(HWND window, TCustomForm* form, const TSkinData& skin);
    // A window made after the window was skinned: the colours on it, if it is a list or tree view.
    void ApplyToWindow(HWND window, const TSkinData& skin);
    // Every colour given back (where the program did not change it meanwhile).
    void Restore();
    // Everything forgotten, nothing written (the window is going away).
    void Forget() noexcept;
    // The number of controls and windows whose colours are set now.
    std::size_t Count() const noexcept { return FControls.size() + FWindows.size(); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TControlEntry {
        TControl* Control = nullptr;
        bool ColorSet = false;
        TColor OwnColor = 0; // what was there
        TColor SkinColor = 0;
        bool FontSet = false;
        TColor OwnFontColor = 0;
        TColor SkinFontColor = 0;
        bool OwnParentFont = false;
    };
    // The colour settings of a list view, a tree view or a date-time picker's calendar, with
    // what they were and what the skin made them.
    struct TWindowEntry {
        HWND Window = nullptr;
        int Kind = 0; // index into the table of settings (control_colours.cpp)
        std::array<COLORREF, 6> Own{};
        std::array<COLORREF, 6> Skin{};
    };
    void ApplyToControls(TWinControl* parent, const TSkinData& skin);
    // `onFace`: the control shows the skin's face whatever its Color says (the form).
    void ApplyToControl(TControl* control, const TSkinData& skin, bool onFace = false);
    bool Known(HWND window) const;
    // A window of another module that answers for its children (the parent of a list or tree
    // view, an extended combo box): its colour messages, custom-drawn and owner-drawn items in
    // the skin's colours.
    void WatchContainer(HWND container, const TSkinData& skin);

    HWND FWindow = nullptr; // the skinned window
    std::vector<TControlEntry> FControls;
    std::vector<TWindowEntry> FWindows;
    std::vector<std::unique_ptr<TWindowSubclass>> FParents;
};

} // namespace orvo
