#include "framework/controls/cool_bar.h"

#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"
#include "framework/controls/component_reference.h"
#include "framework/controls/control_publish.h"
#include "framework/graphics/image_list.h"

#include <algorithm>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCoolBand);
ORVO_IMPLEMENT_CLASS(TCoolBands);
ORVO_IMPLEMENT_CLASS(TCoolBar);

// ---- TCoolBand -------------------------------------------------------------------------------

void TCoolBand::Publish(TPublisher<TCoolBand>& p) {
    p.Object(L"Control", &TCoolBand::Control, &TCoolBand::SetControl);
    p.String(L"Text", &TCoolBand::Text, &TCoolBand::SetText);
    p.Integer(L"Width", &TCoolBand::Width, &TCoolBand::SetWidth);
    p.Integer(L"MinWidth", &TCoolBand::MinWidth, &TCoolBand::SetMinWidth);
    p.Integer(L"MinHeight", &TCoolBand::MinHeight, &TCoolBand::SetMinHeight);
    p.Boolean(L"Break", &TCoolBand::Break, &TCoolBand::SetBreak);
    p.Boolean(L"FixedSize", &TCoolBand::FixedSize, &TCoolBand::SetFixedSize);
    p.Boolean(L"Visible", &TCoolBand::Visible, &TCoolBand::SetVisible);
    p.Integer(L"Color", ColorType(), &TCoolBand::Color, &TCoolBand::SetColor);
    p.Boolean(L"ParentColor", &TCoolBand::ParentColor, &TCoolBand::SetParentColor);
    p.Integer(L"ImageIndex", &TCoolBand::ImageIndex, &TCoolBand::SetImageIndex);
}

std::wstring TCoolBand::DisplayName() const {
    if (!FText.empty()) return FText;
    if (FControl && !FControl->Name().empty()) return FControl->Name();
    return TCollectionItem::DisplayName();
}

TCoolBar* TCoolBand::Bar() const {
    auto* bands = dynamic_cast<TCoolBands*>(Collection());
    return bands ? bands->Bar() : nullptr;
}

void TCoolBand::SetControl(TWinControl* control) {
    if (control == FControl) return;
    TWinControl* previous = FControl;
    FControl = control;
    if (TCoolBar* bar = Bar()) bar->ControlChanged(this, previous);
}

void TCoolBand::SetText(const std::wstring& text) {
    if (text == FText) return;
    FText = text;
    Changed(false);
}

void TCoolBand::SetWidth(int width) {
    width = std::max(width, 0);
    if (width == Width()) return;
    FWidth.Set(width, CollectionItemDpi(*this));
    Changed(false);
}

void TCoolBand::SetMinWidth(int width) {
    FMinWidth.Set(std::max(width, 0), CollectionItemDpi(*this));
    Changed(false);
}

void TCoolBand::SetMinHeight(int height) {
    FMinHeight.Set(std::max(height, 0), CollectionItemDpi(*this));
    Changed(true);
}

void TCoolBand::SetBreak(bool value) {
    if (value == FBreak) return;
    FBreak = value;
    Changed(true);
}

void TCoolBand::SetFixedSize(bool value) {
    FFixedSize = value;
    Changed(false);
}

void TCoolBand::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    Changed(true);
}

void TCoolBand::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    Changed(false);
}

void TCoolBand::SetParentColor(bool value) {
    FParentColor = value;
    Changed(false);
}

void TCoolBand::SetImageIndex(int index) {
    FImageIndex = index;
    Changed(false);
}

// ---- TCoolBands ------------------------------------------------------------------------------

TCoolBands::TCoolBands(TCoolBar* bar) : TCollection(CollectionItemClass<TCoolBand>(), bar), FBar(bar) {}

void TCoolBands::Update(TCollectionItem* item) {
    if (FBar) FBar->BandsChanged(static_cast<TCoolBand*>(item));
}

TCoolBand* TCoolBands::FindBand(const TControl* control) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Control() == control) return Items(i);
    return nullptr;
}

// ---- TCoolBar --------------------------------------------------------------------------------

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner), FBands(std::make_unique<TCoolBands>(this)) {
    SetControlStyle(TControlStyle{csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 150, 75);
}

TCoolBar::~TCoolBar() {
    Destroying();
    SetImages(nullptr);
    for (int i = 0; i < FBands->Count(); ++i)
        if (TWinControl* control = FBands->Items(i)->FControl) control->RemoveFreeNotification(this);
}

void TCoolBar::Publish(TPublisher<TCoolBar>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Collection(L"Bands", &TCoolBar::Bands);
    p.Object(L"Images", &TCoolBar::Images, &TCoolBar::SetImages);
    p.Boolean(L"AutoSize", &TCoolBar::AutoSize, &TCoolBar::SetAutoSize);
    p.Boolean(L"FixedOrder", &TCoolBar::FixedOrder, &TCoolBar::SetFixedOrder);
    p.Boolean(L"ShowText", &TCoolBar::ShowText, &TCoolBar::SetShowText);
    p.Event(L"OnChange", &TCoolBar::OnChange);
}

void TCoolBar::CreateParams(TCreateParams& params) {
    NeedCommonControls(ICC_COOL_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = REBARCLASSNAMEW;
    // The framework places the bar; the bands' controls are its children.
    params.Style |= WS_CLIPCHILDREN | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | RBS_VARHEIGHT |
                    RBS_BANDBORDERS;
    if (FFixedOrder) params.Style |= RBS_FIXEDORDER;
}

void TCoolBar::CreateWnd() {
    TWinControl::CreateWnd();
    REBARINFO info{sizeof(REBARINFO), RBIM_IMAGELIST, FImages ? FImages->Handle() : nullptr};
    SendMessageW(Handle(), RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    WriteAllBands();
}

void TCoolBar::Loaded() {
    TWinControl::Loaded();
    // Bands read before their controls were found: place the controls now.
    for (int i = 0; i < FBands->Count(); ++i)
        if (TWinControl* control = FBands->Items(i)->FControl; control && control->Parent() != this)
            control->SetParent(this);
    BandsChanged(nullptr);
}

void TCoolBar::SetImages(TImageList* images) {
    if (!ReplaceReference(*this, FImages, images)) return;
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    REBARINFO info{sizeof(REBARINFO), RBIM_IMAGELIST, FImages ? FImages->Handle() : nullptr};
    SendMessageW(Handle(), RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    WriteAllBands();
}

void TCoolBar::SetAutoSize(bool value) {
    FAutoSize = value;
    FitHeight();
}

void TCoolBar::SetFixedOrder(bool value) {
    if (value == FFixedOrder) return;
    FFixedOrder = value;
    RecreateWnd();
}

void TCoolBar::SetShowText(bool value) {
    if (value == FShowText) return;
    FShowText = value;
    BandsChanged(nullptr);
}

int TCoolBar::RowsHeight() {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), RB_GETBARHEIGHT, 0, 0)) : 0;
}

void TCoolBar::FitHeight() {
    if (!FAutoSize || !HandleAllocated()) return;
    const int height = RowsHeight();
    if (height > 0 && height != Height()) SetHeight(height);
}

void TCoolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FImages) SetImages(nullptr);
    bool changed = false;
    for (int i = 0; i < FBands->Count(); ++i)
        if (FBands->Items(i)->FControl == component) {
            FBands->Items(i)->FControl = nullptr;
            changed = true;
        }
    if (changed && !ComponentState().Contains(csDestroying)) BandsChanged(nullptr);
}

void TCoolBar::ControlChanged(TCoolBand* band, TWinControl* previous) {
    TWinControl* control = band->FControl;
    if (previous && !FBands->FindBand(previous)) previous->RemoveFreeNotification(this);
    if (control) {
        // A control sits in one band only.
        for (int i = 0; i < FBands->Count(); ++i)
            if (FBands->Items(i) != band && FBands->Items(i)->FControl == control) FBands->Items(i)->FControl = nullptr;
        control->FreeNotification(this);
        if (!ComponentState().Contains(csLoading) && control->Parent() != this) control->SetParent(this);
    }
    BandsChanged(nullptr);
}

// ---- the native bands ------------------------------------------------------------------------

void TCoolBar::WriteBand(int index, bool insert) {
    const TCoolBand* band = FBands->Items(index);
    REBARBANDINFOW info{};
    info.cbSize = REBARBANDINFOW_V6_SIZE;
    info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_COLORS |
                 RBBIM_IMAGE;
    info.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    if (band->FBreak) info.fStyle |= RBBS_BREAK;
    if (band->FFixedSize) info.fStyle |= RBBS_FIXEDSIZE | RBBS_NOGRIPPER;
    if (!band->FVisible) info.fStyle |= RBBS_HIDDEN;
    std::wstring text = FShowText ? band->FText : std::wstring();
    info.lpText = text.data();
    TWinControl* control = band->FControl && band->FControl->Parent() == this ? band->FControl : nullptr;
    info.hwndChild = control ? control->Handle() : nullptr;
    info.cxMinChild = static_cast<UINT>(band->MinWidth());
    info.cyMinChild = static_cast<UINT>(std::max(band->MinHeight(), control ? control->Height() : 0));
    info.cx = static_cast<UINT>(band->Width());
    info.wID = static_cast<UINT>(band->ID());
    info.clrFore = GetSysColor(COLOR_BTNTEXT);
    info.clrBack = ColorToColorRef(band->FParentColor ? Color() : band->FColor);
    info.iImage = FImages ? band->FImageIndex : -1;
    FWriting = true;
    SendMessageW(Handle(), insert ? RB_INSERTBANDW : RB_SETBANDINFOW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&info));
    FWriting = false;
}

void TCoolBar::WriteAllBands() {
    FWriting = true;
    while (SendMessageW(Handle(), RB_GETBANDCOUNT, 0, 0) > 0)
        SendMessageW(Handle(), RB_DELETEBAND, 0, 0);
    FWriting = false;
    for (int i = 0; i < FBands->Count(); ++i)
        WriteBand(i, true);
    FitHeight();
}

void TCoolBar::BandsChanged(TCoolBand* band) {
    if (!HandleAllocated() || FWriting || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDestroying))
        return;
    if (band && SendMessageW(Handle(), RB_GETBANDCOUNT, 0, 0) == FBands->Count())
        WriteBand(band->Index(), false);
    else
        WriteAllBands();
    FitHeight();
}

void TCoolBar::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    if (!HandleAllocated()) return;
    for (int i = 0; i < FBands->Count(); ++i)
        BandsChanged(FBands->Items(i));
}

void TCoolBar::ReadBands() {
    if (!HandleAllocated()) return;
    FWriting = true;
    const int count = static_cast<int>(SendMessageW(Handle(), RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW info{};
        info.cbSize = REBARBANDINFOW_V6_SIZE;
        info.fMask = RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE;
        if (!SendMessageW(Handle(), RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)))
            continue;
        auto* band = static_cast<TCoolBand*>(FBands->FindItemID(static_cast<int>(info.wID)));
        if (!band) continue;
        band->FWidth.Set(static_cast<int>(info.cx), CurrentDpi());
        band->FBreak = (info.fStyle & RBBS_BREAK) != 0;
        if (band->Index() != i) band->SetIndex(i);
    }
    FWriting = false;
}

void TCoolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        m.Result = 0;
        if (!header) return;
        if (header->code == RBN_HEIGHTCHANGE) {
            FitHeight();
        } else if (header->code == RBN_ENDDRAG || header->code == RBN_LAYOUTCHANGED) {
            ReadBands();
            FitHeight();
            if (OnChange) OnChange(this);
        }
        return;
    }
    case WM_DESTROY:
        ReadBands(); // the next window shows what the user left
        break;
    case CM_COLORCHANGED:
        TWinControl::WndProc(m);
        BandsChanged(nullptr);
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo
