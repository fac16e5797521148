// Tool bars and cool bars.
#include "skin/controls/containers.h"

#include "framework/base/properties.h"
#include "framework/controls/cool_bar.h"
#include "framework/controls/tool_bar.h"
#include "framework/graphics/canvas.h"
#include "skin/controls/button_skin.h"
#include "skin/data/skin_data.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"
#include "skin/form/item_colours.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinToolBar);
ORVO_IMPLEMENT_CLASS(TSkinCoolBar);

// ---- painters --------------------------------------------------------------------------------

int ToolbarButtonFrame(UINT bits) noexcept {
    if (bits & CDIS_SELECTED) return 2;
    if (bits & (CDIS_FOCUS | CDIS_HOT)) return 4;
    if (!(bits & (CDIS_GRAYED | CDIS_DISABLED)) && (bits & CDIS_DEFAULT)) return 1;
    return 0;
}

bool PaintToolbarBackground(TSkinData& skinData, HDC dc, const RECT& r) {
    if (skinData.Options().Contains(xoToolbarBK)) return false;
    TDataSkinObject* toolbar = skinData.Toolbar();
    if (!HasImage(toolbar) || r.right <= r.left || r.bottom <= r.top) return false;
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, toolbar->Image.Canvas().Handle(), 0, 0,
               toolbar->Image.Width(), toolbar->Image.Height(), SRCCOPY);
    SetStretchBltMode(dc, mode);
    return true;
}

bool PaintToolbarButton(TSkinData& skinData, HDC dc, const RECT& bounds, UINT bits, TColor& textColour) {
    if (skinData.Options().Contains(xoToolbarButton)) return false;
    TDataSkinButton& face = skinData.Buttons();
    if (face.Image.Empty()) return false;
    int frame = ToolbarButtonFrame(bits);
    // A check button held down keeps the platform's checked look, but not where the skin dresses
    // window colours: that look is near white; the pressed face says the same.
    if (frame == 0 && (bits & CDIS_CHECKED) && !(bits & (CDIS_GRAYED | CDIS_DISABLED)) &&
        WindowPaletteOf(skinData).Dressed)
        frame = 2;
    if (frame == 0) return false;
    if (frame == 1 && face.HasNormalColour2) textColour = face.NormalColour2;
    if (frame == 4 && face.HasMouseOverColour2) textColour = face.MouseOverColour2;
    if (frame == 2 && face.HasPressedColour2) textColour = face.PressedColour2;
    const RECT r{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
    DrawSliced(dc, r, face.Image, ButtonFaceFrames, frame, false,
               TMargins{face.LeftWidth, face.TopHeight, face.RightWidth, face.BottomHeight}, face.Tile != 0,
               face.Trans != 0);
    return true;
}

// ---- TSkinToolBar ----------------------------------------------------------------------------

TSkinToolBar::~TSkinToolBar() {
    // The bar may be half destroyed by now: its handlers are not touched, they find the token empty.
    if (FToken) *FToken = nullptr;
}

bool TSkinToolBar::Painting() const {
    return Active && SkinData && !SkinData->NoSkin() && Form && Form->State() == TFormSkinState::Skinned;
}

void TSkinToolBar::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                                 TCanvas* formCanvas) {
    if (Attached) return;
    // Flat re-creates the window: done before the hook, so the skin stays with the new window.
    if (auto* owner = dynamic_cast<TToolBar*>(Owner()); owner && !owner->Flat()) {
        owner->SetFlat(true);
        FFlatChanged = true;
    }
    TSkinBox::AttachControl(form, skinData, manageColor, formCanvas);
    auto* bar = dynamic_cast<TToolBar*>(Control);
    if (!Attached || !bar) return;
    FToken = std::make_shared<TSkinToolBar*>(this);
    std::weak_ptr<TSkinToolBar*> token = FToken;
    if (!bar->OnCustomDraw && !bar->OnAdvancedCustomDraw) {
        bar->OnCustomDraw = [token](TToolBar* sender, const RECT& r, bool&) {
            const auto self = token.lock();
            if (!self || !*self || !(*self)->Painting() || !sender->Canvas()) return;
            PaintToolbarBackground(*(*self)->SkinData, sender->Canvas()->Handle(), r);
        };
        FBackgroundInstalled = true;
    }
    if (!bar->OnCustomDrawButton && !bar->OnAdvancedCustomDrawButton) {
        // The advanced event, for its flags: the platform's own background and edges of a hot or
        // pressed button would cover the skin's face.
        bar->OnAdvancedCustomDrawButton = [token](TToolBar* sender, TToolButton* button,
                                                  TCustomDrawState state, TCustomDrawStage stage,
                                                  TTBCustomDrawFlags& flags, bool&) {
            const auto self = token.lock();
            if (stage != cdPrePaint || !self || !*self || !(*self)->Painting() || !sender->Canvas() ||
                !button)
                return;
            TColor text = sender->Canvas()->Font().Color();
            if (!PaintToolbarButton(*(*self)->SkinData, sender->Canvas()->Handle(), button->BoundsRect(),
                                    static_cast<UINT>(state.Bits()), text))
                return;
            sender->Canvas()->Font().SetColor(text);
            flags = TTBCustomDrawFlags{tbNoEdges, tbNoOffset, tbNoBackground};
        };
        FButtonInstalled = true;
    }
    bar->Invalidate();
}

void TSkinToolBar::Unskin() {
    if (!Active) return;
    // A bar whose window is re-created lives on (and gets a new skin object): the painters go
    // with this object. A dying bar is not touched.
    auto* bar = dynamic_cast<TToolBar*>(Control);
    if (bar && !bar->ComponentState().Contains(csDestroying)) {
        if (FBackgroundInstalled) bar->OnCustomDraw = nullptr;
        if (FButtonInstalled) bar->OnAdvancedCustomDrawButton = nullptr;
        if (State != TSkinControlState::Destroyed) {
            if (FFlatChanged) bar->SetFlat(false);
            bar->Invalidate();
        }
    }
    FBackgroundInstalled = FButtonInstalled = FFlatChanged = false;
    if (FToken) *FToken = nullptr;
    TSkinBox::Unskin();
}

// ---- TSkinCoolBar ----------------------------------------------------------------------------

void TSkinCoolBar::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                                 TCanvas* formCanvas) {
    if (Attached) return;
    TSkinBox::AttachControl(form, skinData, manageColor, formCanvas);
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!Attached || !bar) return;
    FSaved.clear();
    for (int i = 0; i < bar->Bands()->Count(); ++i) {
        TCoolBand* band = bar->Bands()->Items(i);
        FSaved.push_back(TSavedBand{band->Color(), band->ParentColor()});
    }
    PaintBands();
}

void TSkinCoolBar::PaintBands() {
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!bar || !SkinData) return;
    for (int i = 0; i < bar->Bands()->Count(); ++i)
        bar->Bands()->Items(i)->SetColor(SkinData->Colour(scButtonFace));
}

bool TSkinCoolBar::BeforeMessage(TMessage& m) {
    // The platform may draw its bands white whatever their colours (and the bands' tool bars ask
    // it for their background): under a skin that dresses window colours they take its face.
    if (SkinData && (m.Msg == WM_PAINT || m.Msg == WM_PRINTCLIENT || m.Msg == WM_ERASEBKGND)) {
        const TWindowPalette palette = WindowPaletteOf(*SkinData);
        if (palette.Dressed &&
            PaintRecoloured(Handle, m, [this](TMessage& inner) { CallDefault(inner); },
                            {GetSysColor(COLOR_WINDOW), palette.Face}, {GetSysColor(COLOR_BTNTEXT), palette.FaceText}))
            return false;
    }
    return TSkinBox::BeforeMessage(m);
}

void TSkinCoolBar::SkinChanged() {
    if (Active) PaintBands();
    TSkinBox::SkinChanged();
}

void TSkinCoolBar::Unskin() {
    if (!Active) return;
    if (auto* bar = dynamic_cast<TCoolBar*>(Control); bar && State != TSkinControlState::Destroyed) {
        const int count = std::min(bar->Bands()->Count(), static_cast<int>(FSaved.size()));
        for (int i = 0; i < count; ++i) {
            TCoolBand* band = bar->Bands()->Items(i);
            band->SetColor(FSaved[static_cast<std::size_t>(i)].Color);
            band->SetParentColor(FSaved[static_cast<std::size_t>(i)].ParentColor);
        }
    }
    FSaved.clear();
    TSkinBox::Unskin();
}

} // namespace orvo
