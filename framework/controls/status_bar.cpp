#include "framework/controls/status_bar.h"

#include "framework/controls/control_canvas.h"
#include "framework/controls/control_publish.h"

#include <algorithm>
#include <commctrl.h>
#include <vector>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TStatusPanel);
ORVO_IMPLEMENT_CLASS(TStatusPanels);
ORVO_IMPLEMENT_CLASS(TStatusBar);

namespace {

// The native control shows at most this many parts.
constexpr int MaxParts = 255;

} // namespace

const TEnumType& StatusPanelBevelType() {
    static const TEnumType type(L"TStatusPanelBevel", {L"pbNone", L"pbLowered", L"pbRaised"});
    return type;
}

const TEnumType& StatusPanelStyleType() {
    static const TEnumType type(L"TStatusPanelStyle", {L"psText", L"psOwnerDraw"});
    return type;
}

// ---- TStatusPanel ----------------------------------------------------------------------------

void TStatusPanel::Publish(TPublisher<TStatusPanel>& p) {
    p.String(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Integer(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    p.Enum(L"Bevel", StatusPanelBevelType(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
    p.Enum(L"Alignment", AlignmentType(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
    p.Enum(L"Style", StatusPanelStyleType(), &TStatusPanel::Style, &TStatusPanel::SetStyle);
    p.Enum(L"BiDiMode", BiDiModeType(), &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode);
}

std::wstring TStatusPanel::DisplayName() const {
    return FText.empty() ? TCollectionItem::DisplayName() : FText;
}

void TStatusPanel::SetText(const std::wstring& text) {
    if (text == FText) return;
    FText = text;
    Changed(false);
}

void TStatusPanel::SetWidth(int width) {
    width = std::max(width, 0);
    if (width == Width()) return;
    FWidth.Set(width, CollectionItemDpi(*this));
    Changed(true);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    if (bevel == FBevel) return;
    FBevel = bevel;
    Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed(false);
}

void TStatusPanel::SetBiDiMode(TBiDiMode mode) {
    if (mode == FBiDiMode) return;
    FBiDiMode = mode;
    Changed(false);
}

// ---- TStatusPanels ---------------------------------------------------------------------------

TStatusPanels::TStatusPanels(TStatusBar* bar)
    : TCollection(CollectionItemClass<TStatusPanel>(), bar), FBar(bar) {}

void TStatusPanels::Update(TCollectionItem* item) {
    if (item)
        FBar->UpdatePanel(item->Index());
    else
        FBar->UpdatePanels();
}

// ---- TStatusBar ------------------------------------------------------------------------------

void TStatusBar::Publish(TPublisher<TStatusBar>& p) {
    PublishFont(p);
    p.Collection(L"Panels", &TStatusBar::Panels);
    p.Boolean(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    p.String(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    p.Boolean(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    p.Event(L"OnDrawPanel", &TStatusBar::OnDrawPanel);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 200, 19);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetPanels(TStatusPanels* panels) {
    if (panels) FPanels.Assign(panels);
}

void TStatusBar::SetSimplePanel(bool value) {
    if (value == FSimplePanel) return;
    FSimplePanel = value;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
    if (text == FSimpleText) return;
    FSimpleText = text;
    UpdateSimpleText();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (value == FSizeGrip) return;
    FSizeGrip = value;
    RecreateWnd();
}

TCanvas* TStatusBar::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(*this);
    return FCanvas.get();
}

RECT TStatusBar::PanelRect(int index) {
    RECT r{};
    if (HandleAllocated() &&
        !SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        r = RECT{};
    return r;
}

void TStatusBar::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.BaseClassName = STATUSCLASSNAMEW;
    if (FSizeGrip) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdatePanels();
    FollowParent();
}

void TStatusBar::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    UpdatePanels();
    FollowParent();
}

void TStatusBar::FollowParent() {
    // The native bar places itself along its parent's bottom edge whenever it is told of a size.
    if (HandleAllocated()) SendMessageW(Handle(), WM_SIZE, 0, 0);
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND bar = Handle();
    const bool simple = FSimplePanel || FPanels.Count() == 0;
    if (!simple) {
        const int count = std::min(FPanels.Count(), MaxParts);
        std::vector<int> edges(static_cast<std::size_t>(count));
        int right = 0;
        for (int i = 0; i < count; ++i) {
            right += FPanels[i]->Width();
            edges[static_cast<std::size_t>(i)] = i == count - 1 ? -1 : right;
        }
        SendMessageW(bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
        for (int i = 0; i < count; ++i)
            UpdatePanel(i);
    }
    SendMessageW(bar, SB_SIMPLE, simple ? TRUE : FALSE, 0);
    if (simple) UpdateSimpleText();
}

void TStatusBar::UpdatePanel(int index) {
    if (!HandleAllocated() || FSimplePanel || index < 0 || index >= std::min(FPanels.Count(), MaxParts))
        return;
    const TStatusPanel& panel = *FPanels[index];
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel.Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel.Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (IsRightToLeftReading(panel.BiDiMode())) flags |= SBT_RTLREADING;
    if (panel.Style() == psOwnerDraw) {
        SendMessageW(Handle(), SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(index));
        return;
    }
    // The native bar centres what follows one tab and right-aligns what follows two.
    TAlignment alignment = panel.Alignment();
    if (IsRightToLeftAlignment(panel.BiDiMode()) && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    const std::wstring text = (alignment == taCenter         ? L"\t"
                               : alignment == taRightJustify ? L"\t\t"
                                                             : L"") +
                              panel.Text();
    SendMessageW(Handle(), SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::UpdateSimpleText() {
    if (!HandleAllocated() || !(FSimplePanel || FPanels.Count() == 0)) return;
    WPARAM flags = SB_SIMPLEID;
    if (UseRightToLeftReading()) flags |= SBT_RTLREADING;
    SendMessageW(Handle(), SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const RECT& rect) {
    if (OnDrawPanel) OnDrawPanel(this, panel, rect);
}

void TStatusBar::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID >= static_cast<UINT>(FPanels.Count())) return;
    Canvas();
    TControlCanvas::TPaintScope scope(*FCanvas, item.hDC);
    FCanvas->Font().Assign(*Font());
    FCanvas->Brush().SetColor(clBtnFace);
    DrawPanel(FPanels[static_cast<int>(item.itemID)], item.rcItem);
}

void TStatusBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case CM_PARENTRESIZED:
        FollowParent();
        return;
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        FollowParent(); // the height follows the font
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo
