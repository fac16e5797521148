// Run by hand under Wine (not a test): draws every element of a loaded skin, every frame, at its
// own size (opaque, so the magenta key shows) and sliced with the drawing routines to a larger and
// a smaller size (transparent where the element says so, over a checkerboard), into one sheet.
//
//   wine build/<dir>/tests/skin/data/orvo_skin_sheet.exe sheet.bmp [STORE.skn [DPI]]
//   convert sheet.bmp docs/skin-elements.png
//
// Without a store the default skin stored in the program is drawn (a store of "-" is that skin
// too); with a DPI, the skin at that DPI as the component hands it to the drawing code.
#include "framework/forms/form_reader.h"
#include "tests/skin/data/skin_test_host.h"
#include "framework/base/sysutils.h"
#include "skin/data/skin_data.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace orvo {

namespace {

constexpr int SheetWidth = 1400;
constexpr int Gap = 6;
constexpr int LabelHeight = 16;

// How the drawing code cuts an image: its frames, their direction and the margins it keeps.
struct TCut {
    std::wstring Label;
    TBitmap* Image = nullptr;
    int Frames = 1;
    bool Stacked = false;
    TMargins Margins;
    bool Tile = false;
    bool Transparent = false;
};

// One element drawn into a bitmap of its own: its label, then one row per size.
class TBlock {
public:
    explicit TBlock(const TCut& cut) : FCut(cut) {
        Layout(nullptr);
        FBitmap.SetSize(FWidth, FHeight);
        TCanvas& canvas = FBitmap.Canvas();
        canvas.Brush().SetColor(0xF0F0F0);
        canvas.FillRect(RECT{0, 0, FWidth, FHeight});
        Layout(&canvas);
    }
    TBitmap& Bitmap() { return FBitmap; }

private:
    static constexpr int MaxRowWidth = 620;

    // Places (and with a canvas, draws) the label and the rows; measures the block.
    void Layout(TCanvas* canvas) {
        FWidth = 0;
        int y = 0;
        TCanvas& measure = canvas ? *canvas : FBitmap.Canvas();
        measure.Font().SetName(L"Tahoma");
        measure.Font().SetHeight(-11);
        measure.Brush().SetStyle(bsClear);
        std::wstring label = FCut.Label;
        if (FCut.Image && !FCut.Image->Empty()) {
            // The routines draw black where margins overlap: worth seeing at a glance.
            const TFrameBounds f = FrameBounds(*FCut.Image, FCut.Frames, 1, FCut.Stacked);
            const TMargins& m = FCut.Margins;
            if (m.Left + m.Right > f.Width || m.Top + m.Bottom > f.Height)
                label += L"   (margins exceed a frame)";
        }
        if (canvas) canvas->TextOut(0, 0, label);
        FWidth = measure.TextWidth(label);
        y += LabelHeight;
        if (!FCut.Image || FCut.Image->Empty()) {
            if (canvas) canvas->TextOut(12, y, L"(no image)");
            FHeight = y + LabelHeight;
            return;
        }
        const TFrameBounds f = FrameBounds(*FCut.Image, FCut.Frames, 1, FCut.Stacked);
        const SIZE natural{f.Width, f.Height};
        const SIZE larger{f.Width * 2 + 12, f.Height + 10};
        const SIZE smaller{std::max(f.Width * 2 / 3, 2), std::max(f.Height * 2 / 3, 2)};
        for (SIZE size : {natural, larger, smaller})
            y = Row(canvas, size, size.cx == natural.cx && size.cy == natural.cy, y);
        FHeight = y;
    }

    int Row(TCanvas* canvas, SIZE size, bool opaque, int y) {
        int x = 12, rowHeight = 0;
        for (int k = 1; k <= FCut.Frames; ++k) {
            if (x + size.cx > MaxRowWidth && x > 12) {
                x = 12;
                y += rowHeight + Gap;
                rowHeight = 0;
            }
            if (canvas) {
                const RECT r{x, y, x + size.cx, y + size.cy};
                HDC dc = canvas->Handle();
                if (!opaque) Checkerboard(dc, r);
                DrawSliced(dc, r, *FCut.Image, FCut.Frames, k, FCut.Stacked, FCut.Margins, FCut.Tile,
                           !opaque && FCut.Transparent);
            }
            x += size.cx + Gap;
            rowHeight = std::max<int>(rowHeight, size.cy);
            FWidth = std::max(FWidth, x);
        }
        return y + rowHeight + Gap;
    }

    static void Checkerboard(HDC dc, const RECT& r) {
        for (int y = r.top; y < r.bottom; y += 4)
            for (int x = r.left; x < r.right; x += 4) {
                const RECT cell{x, y, std::min<int>(x + 4, r.right), std::min<int>(y + 4, r.bottom)};
                TBrushHandle brush(
                    CreateSolidBrush(((x + y) / 4) % 2 ? RGB(200, 200, 200) : RGB(255, 255, 255)));
                FillRect(dc, &cell, brush.Get());
            }
    }

    const TCut& FCut;
    TBitmap FBitmap{1, 1, pf24bit};
    int FWidth = 0;
    int FHeight = 0;
};

// The blocks packed left to right into lines of the sheet's width.
std::unique_ptr<TBitmap> PackBlocks(std::vector<std::unique_ptr<TBlock>>& blocks) {
    std::vector<POINT> places;
    int x = Gap, y = Gap, lineHeight = 0;
    for (auto& block : blocks) {
        const int w = block->Bitmap().Width(), h = block->Bitmap().Height();
        if (x + w > SheetWidth - Gap && x > Gap) {
            x = Gap;
            y += lineHeight + 2 * Gap;
            lineHeight = 0;
        }
        places.push_back({x, y});
        x += w + 3 * Gap;
        lineHeight = std::max(lineHeight, h);
    }
    auto sheet = std::make_unique<TBitmap>(SheetWidth, y + lineHeight + Gap, pf24bit);
    sheet->Canvas().Brush().SetColor(0xF0F0F0);
    sheet->Canvas().FillRect(RECT{0, 0, sheet->Width(), sheet->Height()});
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        TBitmap& b = blocks[i]->Bitmap();
        BitBlt(sheet->Canvas().Handle(), places[i].x, places[i].y, b.Width(), b.Height(), b.Canvas().Handle(),
               0, 0, SRCCOPY);
    }
    return sheet;
}

std::wstring Describe(const TDataSkinObject& e, const std::wstring& what = {}) {
    return e.Name + what + L"   frames " + IntToStr(e.Frame) + L"   margins " + IntToStr(e.LeftWidth) + L"," +
           IntToStr(e.TopHeight) + L"," + IntToStr(e.RightWidth) + L"," + IntToStr(e.BottomHeight) +
           L"   trans " + IntToStr(e.Trans) + L"   tile " + IntToStr(e.Tile) + L"   style " +
           IntToStr(e.Style) + L"   image " + IntToStr(e.Image.Width()) + L"x" + IntToStr(e.Image.Height());
}

TCut ElementCut(TDataSkinObject& e) {
    return {
        Describe(e), &e.Image,    e.Frame, false, {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
        e.Tile == 1, e.Trans != 0};
}

std::vector<TCut> Cuts(const TSkinElementAccess& skin) {
    std::vector<TCut> cuts;
    // Window borders: left and right frames side by side keeping their top and bottom; top and
    // bottom frames stacked keeping their left and right; the middle tiled unless stretched.
    for (TDataSkinBorder* side : {&skin.Left(), &skin.Right()})
        cuts.push_back({Describe(*side),
                        &side->Image,
                        side->Frame,
                        false,
                        {0, side->TopHeight, 0, side->BottomHeight},
                        side->Tile != 1,
                        side->Trans == 1});
    for (TDataSkinBorder* side : {&skin.Top(), &skin.Bottom()})
        cuts.push_back({Describe(*side),
                        &side->Image,
                        side->Frame,
                        true,
                        {side->LeftWidth, 0, side->RightWidth, 0},
                        side->Tile != 1,
                        side->Trans == 1});
    TDataSkinTitle& title = skin.Title();
    cuts.push_back(
        {Describe(title), &title.Image, 2, true, {title.TXTBackleft, 0, title.TXTBackRight, 0}, false, true});
    TDataSkinButton& buttons = skin.Buttons();
    cuts.push_back(ElementCut(buttons));
    cuts.push_back({L"Buttons.CheckImage   frames " + IntToStr(buttons.CheckButtonFrame),
                    &buttons.CheckImage,
                    buttons.CheckButtonFrame,
                    false,
                    {},
                    false,
                    true});
    cuts.push_back({L"Buttons.RadioImage   frames " + IntToStr(buttons.RadioButtonFrame),
                    &buttons.RadioImage,
                    buttons.RadioButtonFrame,
                    false,
                    {},
                    false,
                    true});
    for (const auto& b : skin.SysButtons())
        cuts.push_back({Describe(*b, L" (action " + IntToStr(b->Action) + L")"),
                        &b->Image,
                        b->Frame,
                        false,
                        {},
                        false,
                        true});
    for (int i = 0; i < SkinElementCount; ++i) {
        TDataSkinObject* e = skin.Element(static_cast<TSkinElement>(i));
        if (!e) continue;
        cuts.push_back(ElementCut(*e));
        if (auto* two = dynamic_cast<TDataSkinBorder*>(e); two && !two->Image2.Empty())
            cuts.push_back({e->Name + L".Image2   image " + IntToStr(two->Image2.Width()) + L"x" +
                                IntToStr(two->Image2.Height()),
                            &two->Image2,
                            1,
                            false,
                            {},
                            false,
                            e->Trans != 0});
    }
    return cuts;
}

} // namespace
} // namespace orvo

int wmain(int argc, wchar_t** argv) {
    using namespace orvo;
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvo_skin_sheet OUT.bmp [STORE.skn [DPI]]\n");
        return 1;
    }
    TSkinTestHost host(nullptr);
    ReadComponentRes(&host);
    TSkinData& skin = *host.SkinData1;
    if (argc > 2 && std::wstring(argv[2]) != L"-") skin.SetSkinFile(argv[2]);
    if (skin.NoSkin()) {
        std::fprintf(stderr, "the skin does not load: %s\n", Utf8Encode(skin.LoadError()).c_str());
        return 2;
    }
    const std::vector<TCut> cuts = Cuts(skin.AtDpi(argc > 3 ? _wtoi(argv[3]) : DesignDpi));
    std::vector<std::unique_ptr<TBlock>> blocks;
    for (const TCut& cut : cuts)
        blocks.push_back(std::make_unique<TBlock>(cut));
    PackBlocks(blocks)->SaveToFile(argv[1]);
    return 0;
}
