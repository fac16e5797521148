// A loaded skin at another DPI: the same definitions with their lengths scaled by the one rule,
// each image taken from the store's images for that scale or resampled, and the derived images
// made again at that scale.
#include "skin/data/skin_scaling.h"

#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_load_steps.h"
#include "skin/data/skin_readers.h"

namespace orvo {

namespace {

// The pane a tab control draws from the second image of [Tabs] keeps these edges (tab.cpp).
constexpr TGridMargins TabBorderMargins{4, 5, 4, 4};

constexpr TDataSkinBorder TSkinDefinitions::*BorderSides[] = {&TSkinDefinitions::Left, &TSkinDefinitions::Right,
                                                            &TSkinDefinitions::Top, &TSkinDefinitions::Bottom};

TGridMargins MarginsOf(const TDataSkinObject& e) {
    return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

bool IsDerived(TSkinElement e) {
    return e == TSkinElement::ComboxArrow || e == TSkinElement::Toolbar;
}

// The element as the load read it: ComboButton and SunkEdge before the combo box pictures.
const TDataSkinObject* AsRead(const TSkinDefinitions& skin, TSkinElement e) {
    if (e == TSkinElement::ComboButton && skin.AsRead.ComboButton) return skin.AsRead.ComboButton.get();
    if (e == TSkinElement::SunkEdge && skin.AsRead.SunkEdge) return skin.AsRead.SunkEdge.get();
    return skin.Element(e);
}

std::size_t SkinButtonCount(const TSkinDefinitions& skin) {
    // The load appends the three MDI child buttons, whose images are cut from their strip.
    return skin.SysButtons.size() >= 3 ? skin.SysButtons.size() - 3 : 0;
}

void VisitElementImages(TSkinElement id, const TDataSkinObject& e, TDataSkinObject* target,
                        const TSkinImageVisitor& visit) {
    const bool stacked = id == TSkinElement::MenuBar;
    const TGridMargins margins =
        stacked ? TGridMargins{e.LeftWidth, 0, e.RightWidth, 0} : MarginsOf(e);
    visit({e.Image, e.ImageEntry, {e.Frame, stacked}, margins, target ? &target->Image : nullptr});
    const auto* border = dynamic_cast<const TDataSkinBorder*>(&e);
    if (!border || id == TSkinElement::ComboButton) return; // the combo's second image is its mirror
    auto* second = target ? &static_cast<TDataSkinBorder*>(target)->Image2 : nullptr;
    if (id == TSkinElement::Tabs)
        visit({border->Image2, border->Image2Entry, {1, false}, TabBorderMargins, second});
    else if (id == TSkinElement::UpDownHorz || id == TSkinElement::UpDownVert)
        visit({border->Image2, border->Image2Entry, {e.Frame, false}, {}, second}); // a glyph per frame
    else
        visit({border->Image2, border->Image2Entry, {1, false}, {}, second});
}

void ScaleLengths(TDataSkinObject& e, int dpi) {
    const auto s = [dpi](int& v) { v = ScaleLength(v, dpi); };
    s(e.LeftWidth);
    s(e.TopHeight);
    s(e.RightWidth);
    s(e.BottomHeight);
    if (auto* title = dynamic_cast<TDataSkinTitle*>(&e)) {
        s(title->FontHeight);
        s(title->TXTBackleft);
        s(title->TXTBackRight);
    } else if (auto* button = dynamic_cast<TDataSkinSysButton*>(&e)) {
        s(button->XCoord);
        s(button->YCoord);
    } else if (auto* box = dynamic_cast<TDataSkinBoxLabel*>(&e)) {
        s(box->BackgroundLeftShift);
        s(box->BackgroundRightShift);
    }
}

// The definitions of `designed` without images, the elements the derived images replace as read.
std::unique_ptr<TSkinDefinitions> CopyStructure(const TSkinDefinitions& designed) {
    auto scaled = std::make_unique<TSkinDefinitions>();
    scaled->SkinName = designed.SkinName;
    scaled->Colours = designed.Colours;
    scaled->FrameSample = designed.FrameSample;
    for (auto side : BorderSides)
        ((*scaled).*side).Assign(designed.*side, false);
    scaled->Title.Assign(designed.Title, false);
    scaled->Buttons.Assign(designed.Buttons, false);
    for (const auto& button : designed.SysButtons)
        scaled->SysButtons.emplace_back(static_cast<TDataSkinSysButton*>(button->Clone(false).release()));
    for (int i = 0; i < SkinElementCount; ++i) {
        const auto id = static_cast<TSkinElement>(i);
        if (const TDataSkinObject* e = AsRead(designed, id); e && !IsDerived(id)) scaled->Slot(id) = e->Clone(false);
    }
    scaled->AsRead.ComboButtonWidth = designed.AsRead.ComboButtonWidth;
    scaled->AsRead.MdiStripEntry = designed.AsRead.MdiStripEntry;
    return scaled;
}

void ScaleAllLengths(TSkinDefinitions& skin, int dpi) {
    for (auto side : BorderSides)
        ScaleLengths(skin.*side, dpi);
    ScaleLengths(skin.Title, dpi);
    ScaleLengths(skin.Buttons, dpi);
    for (auto& button : skin.SysButtons)
        ScaleLengths(*button, dpi);
    for (auto& element : skin.Elements)
        if (element) ScaleLengths(*element, dpi);
}

// Each image at the DPI: the store's image for exactly that scale as drawn; else its nearest
// larger one, or its largest, or the 100 % image, resampled.
class TImageScaler {
public:
    TImageScaler(TSkinScaleSource& store, int dpi) : FStore(store), FDpi(dpi) {}

    void operator()(const TSkinImageSlot& slot) {
        TBitmap& target = *slot.Target;
        target.Clear();
        const TBitmap& designed = slot.Designed;
        if (designed.Empty()) return;
        const int count = std::max(slot.Frames.Count, 1);
        const int width = designed.Width(), height = designed.Height();
        const int frameWidth = slot.Frames.Stacked ? width : width / count;
        const int frameHeight = slot.Frames.Stacked ? height / count : height;
        TSkinScaleSource::TSource source = FStore.SourceFor(slot.Entry, width, height, slot.Frames, FDpi);
        TImage32 image = std::move(source.Image);
        if (const int drawnAt = DpiOfPercent(source.Percent); !image.Empty() && drawnAt != FDpi)
            image = ScaleSkinImage(image, drawnAt, slot.Frames, frameWidth, frameHeight, slot.Margins, FDpi);
        if (image.Empty())
            image = ScaleSkinImage(BitmapToImage32(designed), DesignDpi, slot.Frames, frameWidth, frameHeight,
                                   slot.Margins, FDpi);
        const std::uint64_t pixels = image.Pixels.size();
        if (FPixels + pixels > MaxScaledSkinPixels) return;
        FPixels += pixels;
        Image32ToBitmap(image, target);
    }

private:
    TSkinScaleSource& FStore;
    int FDpi;
    std::uint64_t FPixels = 0;
};

} // namespace

void VisitSkinImages(const TSkinDefinitions& designed, TSkinDefinitions* scaled, const TSkinImageVisitor& visit) {
    const auto into = [scaled](auto pick) -> TBitmap* { return scaled ? &pick(*scaled) : nullptr; };
    for (auto side : BorderSides) {
        const TDataSkinBorder& b = designed.*side;
        const bool stacked = side == &TSkinDefinitions::Top || side == &TSkinDefinitions::Bottom;
        const TGridMargins margins = stacked ? TGridMargins{b.LeftWidth, 0, b.RightWidth, 0}
                                             : TGridMargins{0, b.TopHeight, 0, b.BottomHeight};
        visit({b.Image, b.ImageEntry, {b.Frame, stacked}, margins,
               into([side](TSkinDefinitions& s) -> TBitmap& { return (s.*side).Image; })});
    }
    const TDataSkinTitle& title = designed.Title;
    visit({title.Image, title.ImageEntry, {title.Frame, true}, {title.TXTBackleft, 0, title.TXTBackRight, 0},
           into([](TSkinDefinitions& s) -> TBitmap& { return s.Title.Image; })});
    const TDataSkinButton& buttons = designed.Buttons;
    visit({buttons.Image, buttons.ImageEntry, {buttons.Frame, false}, MarginsOf(buttons),
           into([](TSkinDefinitions& s) -> TBitmap& { return s.Buttons.Image; })});
    visit({buttons.CheckImage, buttons.CheckImageEntry, {buttons.CheckButtonFrame, false}, {},
           into([](TSkinDefinitions& s) -> TBitmap& { return s.Buttons.CheckImage; })});
    visit({buttons.RadioImage, buttons.RadioImageEntry, {buttons.RadioButtonFrame, false}, {},
           into([](TSkinDefinitions& s) -> TBitmap& { return s.Buttons.RadioImage; })});
    for (std::size_t i = 0; i < SkinButtonCount(designed); ++i) {
        const TDataSkinSysButton& b = *designed.SysButtons[i];
        visit({b.Image, b.ImageEntry, {b.Frame, false}, {},
               into([i](TSkinDefinitions& s) -> TBitmap& { return s.SysButtons[i]->Image; })});
    }
    visit({designed.AsRead.MdiStrip, designed.AsRead.MdiStripEntry, {12, false}, {},
           into([](TSkinDefinitions& s) -> TBitmap& { return s.AsRead.MdiStrip; })});
    for (int i = 0; i < SkinElementCount; ++i) {
        const auto id = static_cast<TSkinElement>(i);
        const TDataSkinObject* e = AsRead(designed, id);
        if (!e || IsDerived(id)) continue;
        VisitElementImages(id, *e, scaled ? scaled->Element(id) : nullptr, visit);
    }
}

std::unique_ptr<TSkinDefinitions> ScaleSkinDefinitions(const TSkinDefinitions& designed, TSkinScaleSource& store,
                                                       int dpi) {
    std::unique_ptr<TSkinDefinitions> scaled = CopyStructure(designed);
    TImageScaler scaler(store, dpi);
    VisitSkinImages(designed, scaled.get(), [&scaler](const TSkinImageSlot& slot) { scaler(slot); });
    ScaleAllLengths(*scaled, dpi);
    CutMdiButtonImages(scaled->AsRead.MdiStrip, scaled->SysButtons);
    MirrorComboButton(*scaled);
    BuildComboComposite(*scaled, designed.AsRead.ComboButtonWidth, dpi);
    BuildComboxArrow(*scaled, dpi);
    BuildToolbar(*scaled, dpi);
    return scaled;
}

} // namespace orvo
