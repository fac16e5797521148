// Header controls over the native SysHeader32 class: a row of sections (column titles) that the
// user can click and resize.
//
// Classes in this file:
//   THeaderSection   one section: text, width with its limits, alignment, image, plain or
//                    owner-drawn
//   THeaderSections  the collection of sections (`Sections`, stored as `< item ... end >`)
//   THeaderControl   the control
//
// The sections live in the collection and are written into each new window. A section the user
// drags wider or narrower keeps within its MinWidth and MaxWidth, takes the new width and fires
// OnSectionResize; a click on a section (AllowClick) fires OnSectionClick. An owner-drawn section
// is painted by OnDrawSection on the control's Canvas.
#pragma once

#include "framework/base/collection.h"
#include "framework/controls/win_control.h"

#include <functional>
#include <memory>
#include <string>

namespace orvo {

class THeaderControl;
class TImageList;

enum THeaderSectionStyle : std::uint8_t { hsText, hsOwnerDraw };
const TEnumType& HeaderSectionStyleType();

class THeaderSection : public TCollectionItem {
    ORVO_CLASS(THeaderSection, TCollectionItem)
public:
    THeaderSection() = default;

    const std::wstring& Text() const noexcept { return FText; }
    void SetText(const std::wstring& text);
    // Pixels at the header's DPI, kept within MinWidth..MaxWidth (MaxWidth 0: no upper limit).
    int Width() const noexcept { return FWidth.At(CollectionItemDpi(*this)); }
    void SetWidth(int width);
    int MinWidth() const noexcept { return FMinWidth.At(CollectionItemDpi(*this)); }
    void SetMinWidth(int width);
    int MaxWidth() const noexcept { return FMaxWidth.At(CollectionItemDpi(*this)); }
    void SetMaxWidth(int width);
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // In the header's Images; -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);
    THeaderSectionStyle Style() const noexcept { return FStyle; }
    void SetStyle(THeaderSectionStyle style);
    // Clicks on the section press it and fire OnSectionClick.
    bool AllowClick() const noexcept { return FAllowClick; }
    void SetAllowClick(bool value);
    // The section's left and right edges in the header (the widths of those before it added up).
    int Left() const;
    int Right() const { return Left() + Width(); }

    std::wstring DisplayName() const override;
    static void Publish(TPublisher<THeaderSection>& p);

private:
    friend class THeaderControl;
    int ClampWidth(int width) const noexcept;

    std::wstring FText;
    TScaledLength FWidth{50};
    TScaledLength FMinWidth{0};
    TScaledLength FMaxWidth{10000};
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    THeaderSectionStyle FStyle = hsText;
    bool FAllowClick = true;
};

class THeaderSections : public TCollection {
    ORVO_CLASS(THeaderSections, TCollection)
public:
    explicit THeaderSections(THeaderControl* header);

    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }
    THeaderSection* Items(int index) const { return static_cast<THeaderSection*>(TCollection::Items(index)); }
    THeaderControl* Header() const noexcept { return FHeader; }

protected:
    void Update(TCollectionItem* item) override;

private:
    THeaderControl* FHeader;
};

using TSectionNotifyEvent = std::function<void(THeaderControl* HeaderControl, THeaderSection* Section)>;
// Draws `Section` into `Rect` on HeaderControl->Canvas(); Pressed while the mouse holds it down.
using TDrawSectionEvent =
    std::function<void(THeaderControl* HeaderControl, THeaderSection* Section, const RECT& Rect, bool Pressed)>;

class THeaderControl : public TWinControl {
    ORVO_CLASS(THeaderControl, TWinControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections* Sections() const noexcept { return FSections.get(); }
    // Not owned; the header forgets a list that is freed.
    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);
    // The section under the mouse is highlighted.
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value);
    // Sections resize while they are dragged (otherwise when the drag ends).
    bool FullDrag() const noexcept { return FFullDrag; }
    void SetFullDrag(bool value);
    // The canvas OnDrawSection draws on (only while it runs).
    TCanvas* Canvas() noexcept { return FCanvas.get(); }

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;
    TDrawSectionEvent OnDrawSection;

    static void Publish(TPublisher<THeaderControl>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void ChangeScale(int oldDpi, int newDpi) override;
    virtual void SectionClick(THeaderSection* section);
    virtual void SectionResize(THeaderSection* section);
    virtual void DrawSection(THeaderSection* section, const RECT& rect, bool pressed);

private:
    friend class THeaderSections;
    void SectionsChanged(THeaderSection* section);
    void WriteSection(int index, bool insert);
    void WriteAllSections();
    bool HandleNotify(const NMHEADERW& notice, LRESULT& result);
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::unique_ptr<THeaderSections> FSections;
    std::unique_ptr<TCanvas> FCanvas;
    TImageList* FImages = nullptr;
    bool FHotTrack = false;
    bool FFullDrag = true;
    bool FWriting = false; // the native control is being told, not told us
};

} // namespace orvo
