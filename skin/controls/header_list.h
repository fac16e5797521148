// Headers, list views and check lists.
//
// Classes in this file:
//   TSkinHeader     a header (SysHeader32): every item on the Headerbar element (frame 2 for the
//                   item under the mouse, 1 the others), its image and text on top, the empty
//                   area right of the last item in frame 1; composed off screen, one blit.
//   TSkinItemView   a list or tree view's scroll bars and border; under a skin that dresses window
//                   colours its check boxes (the platform's state images, white boxes) are copied
//                   in the skin's window colours; the platform's images are put back at Unskin and
//                   before the window goes.
//   TSkinListView   a list view: its header (LVM_GETHEADER) gets a TSkinHeader, also a header the
//                   list view makes later (report view chosen or a column added after attaching).
//   TSkinTreeView   a tree view: its check boxes as above.
//   TSkinCheckList  a check list box: its owner-drawn items (CN_DRAWITEM) with the skin's check
//                   glyphs (Buttons.CheckImage), header items in their own colours.
//
// Messages: WM_PAINT, WM_ERASEBKGND, WM_MOUSEMOVE, WM_MOUSELEAVE (header); WM_PARENTNOTIFY and the
// column and style messages (list view); CN_DRAWITEM (check list).
// Without a Headerbar image the header is the platform's; without check glyphs the check list
// draws its items its own way.
#pragma once

#include "skin/controls/control_skin.h"
#include "skin/controls/scroll_bar.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace orvo {

// The frame of a check list's glyph for a check state (0 unchecked, 1 checked, 2 grayed) in a strip
// of `frameCount` frames.
int CheckListGlyphFrame(int state, int frameCount) noexcept;

// The text of header item `index`, read into our own buffer: a callback marker or a pointer of the
// control's own is read as no text.
std::wstring HeaderItemText(HWND header, int index, int* format, int* image);

class TSkinHeader : public TSkinControl {
    ORVO_CLASS(TSkinHeader, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                       TCanvas* formCanvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) override;

    std::vector<RECT> ItemRects; // as last painted, 3 pixels in on the left and right
    int HotItem = -1;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    bool Usable() const;
    void DrawItem(HDC dc, int index, const RECT& r, HIMAGELIST images);
};

// The list skins' base: the scroll-bar overlays and the border.
using TListSkinBase = TSkinScrollbar;

// A list or tree view: the bars, the border, and its check boxes in the skin's window colours.
class TSkinItemView : public TListSkinBase {
    ORVO_CLASS(TSkinItemView, TListSkinBase)
public:
    using TListSkinBase::TListSkinBase;
    // Both roads (attaching, a re-created window) lead here: the bars, then the check boxes.
    void AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form,
                          TCanvas* formCanvas) override;
    void Unskin() override;
    void SkinChanged() override;
    ~TSkinItemView() override;

protected:
    bool BeforeMessage(TMessage& message) override;

private:
    // The message that reads the view's image lists, and the one that sets them.
    bool IsTree() const;
    HIMAGELIST StateImages() const;
    HIMAGELIST SetStateImages(HIMAGELIST images) const;
    void RecolourStateImages();
    void RestoreStateImages();
    HIMAGELIST FOwnStateImages = nullptr;  // the view's, while the copy is in
    HIMAGELIST FSkinStateImages = nullptr; // the copy in the skin's colours (owned)
};

class TSkinTreeView : public TSkinItemView {
    ORVO_CLASS(TSkinTreeView, TSkinItemView)
public:
    using TSkinItemView::TSkinItemView;
};

class TSkinListView : public TSkinItemView {
    ORVO_CLASS(TSkinListView, TSkinItemView)
public:
    using TSkinItemView::TSkinItemView;
    // The bars and check boxes, then the header.
    void AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form,
                          TCanvas* formCanvas) override;
    void Unskin() override;

    // Owned by this object; registered with the form like any control skin (so a skin change
    // reaches it from there).
    TSkinHeader* Header = nullptr;

protected:
    void AfterMessage(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void SkinHeader(HWND header);
};

class TSkinCheckList : public TListSkinBase {
    ORVO_CLASS(TSkinCheckList, TListSkinBase)
public:
    using TListSkinBase::TListSkinBase;

protected:
    bool BeforeMessage(TMessage& message) override;

private:
    bool HasGlyphs() const;
    void DrawItem(DRAWITEMSTRUCT& item);
};

} // namespace orvo
