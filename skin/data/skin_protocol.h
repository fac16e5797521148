// The numbers the parts of the skin engine agree on: the private window messages skin objects
// send each other and answer (their numbers are fixed: a skinned window of another module may
// speak them too), the manager's actions and states. Declared once, here, at the bottom of the
// engine, so every layer names them the same way.
#pragma once

#include <windows.h>

namespace orvo {

// ---- private window messages ------------------------------------------------------------------

// The skin changed: the form re-applies it (framework road).
constexpr UINT SKM_SKINCHANGED = 13313; // 0x3401
// Repaint the skinned frame now.
constexpr UINT SKM_REPAINTFRAME = 13570; // 0x3502
// Posted by the manager right after a window got its form skin: finish skinning it now.
constexpr UINT SKM_FINISHSKINNING = 13571; // 0x3503
constexpr LPARAM SkmFinishSkinningParam = 1000;
// Switch one control's skin on (WParam 1) or off (WParam 0).
constexpr UINT SKM_SWITCHCONTROLSKIN = 13574; // 0x3506
// A caption button with a custom action was clicked; WParam = the action.
constexpr UINT SKM_CAPTIONACTION = 13588; // 0x3514
// Asked by a caption button whose visibility code is 1000-2000 (WParam = the code, LParam = the
// action); an answer above 0 shows it.
constexpr UINT SKM_CAPTIONBUTTONVISIBLE = 13589; // 0x3515
// Redraw the MDI client (WParam = the child that asks).
constexpr UINT SKM_REDRAWMDICLIENT = 13590; // 0x3516
// Sent to a form: re-create the scroll-bar skin of the control whose window is WParam.
constexpr UINT SKM_RECREATESCROLLSKIN = 13591; // 0x3517
// The same message for every control family: the control whose window is now WParam had its
// window re-created; its skin object is replaced by a fresh one.
constexpr UINT SKM_RECREATECONTROLSKIN = SKM_RECREATESCROLLSKIN;
// From the menu-bar hook to its form: open the menu-bar item under the screen point in LParam.
constexpr UINT SKM_OPENMENUITEM = 13592; // 0x3518
// Posted to a skinned dialog when a child window was made inside it (WParam = the child): the
// child gets its skin and the skin's colours once it is whole.
constexpr UINT SKM_CHILDCREATED = 13620; // 0x3534
// "Are you skinned?": every skin object answers 1.
constexpr UINT SKM_ISSKINNED = 13603; // 0x3523
// With LParam SkmPaintMagic: paint the skinned look into the DC in WParam; answered SkmPaintMagic.
constexpr UINT SKM_PAINTCONTROLINTO = 48202; // 0xBC4A
constexpr UINT SKM_PAINTINTO = 48203;        // 0xBC4B
// Answered SkmPaintMagic when LParam is SkmPaintMagic, else 1.
constexpr UINT SKM_PAINTQUERY = 48205; // 0xBC4D
// Sent to a form after every skinning pass, LParam SkmPaintMagic.
constexpr UINT SKM_SKINNINGDONE = 48206; // 0xBC4E
constexpr LPARAM SkmPaintMagic = 16802;  // 0x41A2

// ---- the manager ------------------------------------------------------------------------------

// What the skin component asks the manager to do, some milliseconds later.
enum class TSkinAction : int {
    None = 0,
    SwitchOn = 1,  // skin every window
    SwitchOff = 2, // give every window its own look back
    Refresh = 3,   // the skin changed: re-apply it everywhere
};

enum class TSkinManagerState : int {
    Idle = 0,       // no window has been activated yet
    Running = 1,    // windows are skinned as they are activated
    Destroying = 4, // the manager is being torn down
};

} // namespace orvo
