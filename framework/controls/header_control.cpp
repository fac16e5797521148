#include "framework/controls/header_control.h"

#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"
#include "framework/controls/component_reference.h"
#include "framework/controls/control_publish.h"
#include "framework/graphics/image_list.h"

#include <algorithm>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(THeaderSection);
ORVO_IMPLEMENT_CLASS(THeaderSections);
ORVO_IMPLEMENT_CLASS(THeaderControl);

const TEnumType& HeaderSectionStyleType() {
    static const TEnumType type(L"THeaderSectionStyle", {L"hsText", L"hsOwnerDraw"});
    return type;
}

// ---- THeaderSection --------------------------------------------------------------------------

void THeaderSection::Publish(TPublisher<THeaderSection>& p) {
    p.String(L"Text", &THeaderSection::Text, &THeaderSection::SetText);
    p.Integer(L"MinWidth", &THeaderSection::MinWidth, &THeaderSection::SetMinWidth);
    p.Integer(L"MaxWidth", &THeaderSection::MaxWidth, &THeaderSection::SetMaxWidth);
    p.Integer(L"Width", &THeaderSection::Width, &THeaderSection::SetWidth);
    p.Enum(L"Alignment", AlignmentType(), &THeaderSection::Alignment, &THeaderSection::SetAlignment);
    p.Integer(L"ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex);
    p.Enum(L"Style", HeaderSectionStyleType(), &THeaderSection::Style, &THeaderSection::SetStyle);
    p.Boolean(L"AllowClick", &THeaderSection::AllowClick, &THeaderSection::SetAllowClick);
}

std::wstring THeaderSection::DisplayName() const {
    return FText.empty() ? TCollectionItem::DisplayName() : FText;
}

int THeaderSection::ClampWidth(int width) const noexcept {
    width = std::max(width, MinWidth());
    if (MaxWidth() > 0) width = std::min(width, MaxWidth());
    return std::max(width, 0);
}

void THeaderSection::SetText(const std::wstring& text) {
    if (text == FText) return;
    FText = text;
    Changed(false);
}

void THeaderSection::SetWidth(int width) {
    width = ClampWidth(width);
    if (width == Width()) return;
    FWidth.Set(width, CollectionItemDpi(*this));
    Changed(false);
}

void THeaderSection::SetMinWidth(int width) {
    const int dpi = CollectionItemDpi(*this);
    FMinWidth.Set(std::max(width, 0), dpi);
    if (MaxWidth() > 0 && MaxWidth() < MinWidth()) FMaxWidth = FMinWidth;
    SetWidth(Width());
}

void THeaderSection::SetMaxWidth(int width) {
    const int dpi = CollectionItemDpi(*this);
    FMaxWidth.Set(std::max(width, 0), dpi);
    if (MaxWidth() > 0 && MinWidth() > MaxWidth()) FMinWidth = FMaxWidth;
    SetWidth(Width());
}

void THeaderSection::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    Changed(false);
}

void THeaderSection::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed(false);
}

void THeaderSection::SetStyle(THeaderSectionStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed(false);
}

void THeaderSection::SetAllowClick(bool value) {
    FAllowClick = value;
}

int THeaderSection::Left() const {
    int left = 0;
    if (TCollection* sections = Collection())
        for (int i = 0; i < Index(); ++i)
            left += static_cast<const THeaderSection*>(sections->Items(i))->Width();
    return left;
}

// ---- THeaderSections -------------------------------------------------------------------------

THeaderSections::THeaderSections(THeaderControl* header)
    : TCollection(CollectionItemClass<THeaderSection>(), header), FHeader(header) {}

void THeaderSections::Update(TCollectionItem* item) {
    if (FHeader) FHeader->SectionsChanged(static_cast<THeaderSection*>(item));
}

// ---- THeaderControl --------------------------------------------------------------------------

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), FSections(std::make_unique<THeaderSections>(this)), FCanvas(std::make_unique<TCanvas>()) {
    SetControlStyle(TControlStyle{csDoubleClicks});
    SetBounds(0, 0, 300, 21);
}

THeaderControl::~THeaderControl() = default;

void THeaderControl::Publish(TPublisher<THeaderControl>& p) {
    PublishFont(p);
    p.Collection(L"Sections", &THeaderControl::Sections);
    p.Object(L"Images", &THeaderControl::Images, &THeaderControl::SetImages);
    p.Boolean(L"HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack);
    p.Boolean(L"FullDrag", &THeaderControl::FullDrag, &THeaderControl::SetFullDrag);
    p.Event(L"OnSectionClick", &THeaderControl::OnSectionClick);
    p.Event(L"OnSectionResize", &THeaderControl::OnSectionResize);
    p.Event(L"OnDrawSection", &THeaderControl::OnDrawSection);
}

void THeaderControl::CreateParams(TCreateParams& params) {
    NeedCommonControls(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_HEADERW;
    params.Style |= HDS_HORZ | HDS_BUTTONS;
    if (FHotTrack) params.Style |= HDS_HOTTRACK;
    if (FFullDrag) params.Style |= HDS_FULLDRAG;
}

void THeaderControl::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    WriteAllSections();
}

void THeaderControl::SetImages(TImageList* images) {
    if (!ReplaceReference(*this, FImages, images)) return;
    if (HandleAllocated()) {
        SendMessageW(Handle(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
        WriteAllSections();
    }
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) SetImages(nullptr);
}

void THeaderControl::SetHotTrack(bool value) {
    if (value == FHotTrack) return;
    FHotTrack = value;
    RecreateWnd();
}

void THeaderControl::SetFullDrag(bool value) {
    if (value == FFullDrag) return;
    FFullDrag = value;
    RecreateWnd();
}

void THeaderControl::WriteSection(int index, bool insert) {
    const THeaderSection* section = FSections->Items(index);
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<wchar_t*>(section->FText.c_str());
    item.cxy = section->Width();
    static constexpr int alignments[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
    item.fmt = HDF_STRING | alignments[section->FAlignment];
    if (section->FStyle == hsOwnerDraw) item.fmt |= HDF_OWNERDRAW;
    // Only a section with an image names one: the header marks every item given an image index
    // as showing it.
    if (FImages && section->FImageIndex >= 0) {
        item.mask |= HDI_IMAGE;
        item.iImage = section->FImageIndex;
        item.fmt |= HDF_IMAGE;
    }
    FWriting = true;
    SendMessageW(Handle(), insert ? HDM_INSERTITEMW : HDM_SETITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    FWriting = false;
}

void THeaderControl::WriteAllSections() {
    if (!HandleAllocated()) return;
    FWriting = true;
    while (SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0) > 0)
        SendMessageW(Handle(), HDM_DELETEITEM, 0, 0);
    FWriting = false;
    for (int i = 0; i < FSections->Count(); ++i)
        WriteSection(i, true);
}

void THeaderControl::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    if (FImages) FImages->SetDpi(newDpi); // a list no form owns follows the header
    if (HandleAllocated())
        SendMessageW(Handle(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    for (int i = 0; i < FSections->Count(); ++i)
        SectionsChanged(FSections->Items(i));
}

void THeaderControl::SectionsChanged(THeaderSection* section) {
    if (!HandleAllocated()) return;
    const int count = static_cast<int>(SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0));
    if (section && count == FSections->Count())
        WriteSection(section->Index(), false);
    else
        WriteAllSections();
}

void THeaderControl::SectionClick(THeaderSection* section) {
    if (OnSectionClick) OnSectionClick(this, section);
}

void THeaderControl::SectionResize(THeaderSection* section) {
    if (OnSectionResize) OnSectionResize(this, section);
}

void THeaderControl::DrawSection(THeaderSection* section, const RECT& rect, bool pressed) {
    if (OnDrawSection) OnDrawSection(this, section, rect, pressed);
}

bool THeaderControl::HandleNotify(const NMHEADERW& notice, LRESULT& result) {
    result = 0;
    const int index = notice.iItem;
    if (index < 0 || index >= FSections->Count()) return false;
    THeaderSection* section = FSections->Items(index);
    switch (notice.hdr.code) {
    case HDN_ITEMCLICKW:
    case HDN_ITEMCLICKA:
        if (section->FAllowClick) SectionClick(section);
        return true;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA: {
        if (FWriting || !notice.pitem || !(notice.pitem->mask & HDI_WIDTH)) return true;
        // The user dragged the divider: the width within the section's limits.
        const int width = section->ClampWidth(notice.pitem->cxy);
        if (width != notice.pitem->cxy) WriteSection(index, false);
        if (width == section->Width()) return true;
        section->FWidth.Set(width, CurrentDpi());
        SectionResize(section);
        return true;
    }
    default:
        return false;
    }
}

void THeaderControl::DrawItem(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= FSections->Count()) return;
    FCanvas->SetHandle(item.hDC);
    try {
        FCanvas->Font().Assign(*Font());
        DrawSection(FSections->Items(index), item.rcItem, (item.itemState & ODS_SELECTED) != 0);
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}

void THeaderControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        if (m.LParam && HandleNotify(*reinterpret_cast<const NMHEADERW*>(m.LParam), m.Result)) return;
        m.Result = 0;
        return;
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo
