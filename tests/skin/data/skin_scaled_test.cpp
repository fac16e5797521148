// The skin at other DPIs: which image each DPI takes from a store with images for some scales,
// the lengths and derived images at that scale, the cache and its GDI objects, and the shipped
// skins at 150 % without a magenta pixel, from their 100 % images alone and as drawn.
#include "tests/skin/data/skin_test_store.h"

#include "core/skinscale/skin_scales.h"
#include "skin/data/skin_bitmaps.h"
#include "skin/draw/skin_draw.h"
#include "tests/framework/support/gdi_count.h"

#include <fstream>
#include <functional>
#include <map>

namespace orvo::test {
namespace {

// Each scale's images share one green value and vary in red and blue, so a pixel tells which
// scale it was made from (resampling mixes only pixels of one image) and an image drawn for
// exactly the DPI can be compared pixel for pixel.
int GreenOf(int percent) {
    static const std::map<int, int> greens{{100, 20},  {125, 60},  {150, 100}, {175, 140},
                                           {200, 180}, {250, 220}, {300, 250}};
    return greens.at(percent);
}

TImage32 Family(int w, int h, int percent) {
    TImage32 image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) = static_cast<std::uint32_t>(((40 + (x * 7 + y * 3) % 50) << 16) | (GreenOf(percent) << 8) |
                                                        (30 + (x * 5 + y * 11) % 60));
    return image;
}

// The image's frames scaled from `w` x `h` for `percent`.
TImage32 FamilyAt(int w, int h, TImageFrames frames, int percent) {
    const TScaledImageSize size = ScaledImageSize(w, h, frames, DpiOfPercent(percent));
    return Family(size.Width, size.Height, percent);
}

constexpr char ScaledIni[] = R"([Buttons]
Bitmap=B.bmp
LeftWidth=8
TopHeight=9
Rightwidth=8
BottomHeight=9
Trans=0
[Button0]
ButtonImage=Close.bmp
Xcoord=25
Ycoord=5
Action=0
[MenuBackground]
Image=Menu.bmp
LeftWidth=1
TopHeight=1
Rightwidth=1
BottomHeight=1
[Scrollbar]
Image=Arrows.bmp
[Personality]
Top=Top.bmp
TopFrame=2
TopTopHeight=32
TopBotHeight=39
TextShift=16
TextShiftVert=2
TextRightClip=20
[GroupBox]
Image=Menu.bmp
BackgroundLeftShift=7
)";

// Buttons have 150 and 200 %, the close button 125 and 300 %, the arrows 250 %, the top border
// 150 %, the menu background none.
TTestSkin ScaledSkin() {
    TTestSkin skin(ScaledIni);
    skin.Image("B.bmp", Family(90, 21, 100))
        .Image("Close.bmp", Family(63, 21, 100))
        .Image("Menu.bmp", Family(20, 20, 100))
        .Image("Arrows.bmp", Family(391, 17, 100))
        .Image("Top.bmp", Family(40, 58, 100));
    for (const int p : {150, 200}) skin.Image(ScaledImageName("B.bmp", p), FamilyAt(90, 21, {5, false}, p));
    for (const int p : {125, 300}) skin.Image(ScaledImageName("Close.bmp", p), FamilyAt(63, 21, {3, false}, p));
    skin.Image("Arrows@250.bmp", FamilyAt(391, 17, {23, false}, 250));
    skin.Image("Top@150.bmp", FamilyAt(40, 58, {2, true}, 150));
    return skin;
}

// Every pixel of `image` has the green of `percent`'s images.
void ExpectFromScale(const TBitmap& image, int percent) {
    ASSERT_FALSE(image.Empty());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            ASSERT_EQ((image.PixelColor(x, y) >> 8) & 0xFF, GreenOf(percent)) << "at " << x << "," << y;
}

void ExpectSame(const TBitmap& image, const TImage32& drawn) {
    ASSERT_EQ(image.Width(), drawn.Width);
    ASSERT_EQ(image.Height(), drawn.Height);
    EXPECT_EQ(BitmapToImage32(image).Pixels, drawn.Pixels);
}

TEST(ScaledSkin, At96ItIsTheDesignedSkinItself) {
    auto data = Loaded(ScaledSkin());
    for (const int dpi : {96, 0, -40}) {
        TScaledSkin& at = data->AtDpi(dpi);
        EXPECT_EQ(at.Dpi(), 96);
        EXPECT_EQ(&at.Buttons(), &data->Buttons());
        EXPECT_EQ(&at.Top(), &data->Top());
        EXPECT_EQ(at.MenuBackground(), data->MenuBackground());
        EXPECT_EQ(at.SysButtons().data(), data->SysButtons().data());
    }
    EXPECT_EQ(data->Buttons().Image.Width(), 90); // the 100 % image, not a per-scale one
    ExpectFromScale(data->Buttons().Image, 100);
}

TEST(ScaledSkin, EachImageComesFromItsExactScaleOrTheNearestLargerOrTheLargest) {
    auto data = Loaded(ScaledSkin());
    struct {
        int Dpi;
        int Buttons, Close, Arrows, Top; // the scale each image is made from
    } const rows[] = {
        {120, 150, 125, 250, 150}, {144, 150, 300, 250, 150}, {168, 200, 300, 250, 150},
        {192, 200, 300, 250, 150}, {240, 200, 300, 250, 150}, {288, 200, 300, 250, 150},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Dpi);
        TScaledSkin& at = data->AtDpi(row.Dpi);
        EXPECT_EQ(at.Dpi(), row.Dpi);
        const int percent = ScalePercent(row.Dpi);
        const auto check = [&](const TBitmap& image, int w, int h, TImageFrames frames, int from) {
            const TScaledImageSize size = ScaledImageSize(w, h, frames, row.Dpi);
            EXPECT_EQ(image.Width(), size.Width);
            EXPECT_EQ(image.Height(), size.Height);
            if (from == percent)
                ExpectSame(image, FamilyAt(w, h, frames, from)); // as drawn for this scale
            else
                ExpectFromScale(image, from);
        };
        check(at.Buttons().Image, 90, 21, {5, false}, row.Buttons);
        check(at.SysButtons()[0]->Image, 63, 21, {3, false}, row.Close);
        check(at.Scrollbar()->Image, 391, 17, {23, false}, row.Arrows);
        check(at.Top().Image, 40, 58, {2, true}, row.Top);
        check(at.MenuBackground()->Image, 20, 20, {1, false}, 100); // no other scale: the 100 % image resampled
    }
}

TEST(ScaledSkin, ImagesOfTheWrongSizeOrUnreadableAreLeftAside) {
    TTestSkin skin(ScaledIni);
    skin.Image("B.bmp", Family(90, 21, 100))
        .Image("B@150.bmp", Family(136, 32, 150)) // not five frames of 27
        .Image("B@200.bmp", Family(180, 42, 200))
        .Raw("Close@150.bmp", {'B', 'M', 1, 2, 3})
        .Image("Close.bmp", Family(63, 21, 100))
        .Image("Menu@125.bmp", Family(25, 25, 125)); // its 100 % image is missing
    auto data = Loaded(skin);
    ExpectFromScale(data->AtDpi(144).Buttons().Image, 200); // the nearest larger that fits
    ExpectFromScale(data->AtDpi(144).SysButtons()[0]->Image, 100);
    EXPECT_TRUE(data->AtDpi(120).MenuBackground()->Image.Empty()); // empty at 100 %, empty at every scale
    EXPECT_EQ(data->StoreScales(), (std::vector<int>{125, 150, 200}));
    const auto scales = data->ImageScales();
    ASSERT_EQ(scales.size(), 1u);
    EXPECT_EQ(scales[0].first, "B.bmp");
    EXPECT_EQ(scales[0].second, std::vector<int>{200});
}

TEST(ScaledSkin, ALoadDecodesOnlyTheHundredPercentSkin) {
    // Images for other scales come last; a store cut inside them still loads, as they are decoded
    // only when a DPI needs them (and then missed: the 100 % image is resampled instead).
    TTestSkin skin(ScaledIni);
    skin.Image("B.bmp", Family(90, 21, 100));
    TImage32 noise = FamilyAt(90, 21, {5, false}, 200);
    for (std::size_t i = 0; i < noise.Pixels.size(); ++i) noise.Pixels[i] ^= static_cast<std::uint32_t>(i * 2654435761u) & 0x3F003F;
    skin.Image("B@200.bmp", noise);
    std::vector<std::uint8_t> store = skin.Store();
    store.resize(store.size() * 3 / 4);
    TSkinReader whole;
    ASSERT_FALSE(whole.Load(store)) << "the cut must be inside the stream";
    TSkinData data(nullptr);
    data.SetStoreStream(store);
    ASSERT_TRUE(data.LoadSkin()) << Utf8Encode(data.LoadError());
    EXPECT_EQ(data.Buttons().Image.Width(), 90);
    ExpectFromScale(data.AtDpi(192).Buttons().Image, 100);
    EXPECT_EQ(data.AtDpi(192).Buttons().Image.Width(), 180);
}

TEST(ScaledSkin, LengthsScaleByTheOneRuleAndEverythingElseStays) {
    auto data = Loaded(ScaledSkin());
    TScaledSkin& at = data->AtDpi(144);
    EXPECT_EQ(at.Scale(25), 38);
    const TDataSkinButton& b = at.Buttons();
    EXPECT_EQ(b.LeftWidth, 12);
    EXPECT_EQ(b.TopHeight, 14); // 13.5
    EXPECT_EQ(b.RightWidth, 12);
    EXPECT_EQ(b.BottomHeight, 14);
    EXPECT_EQ(b.Frame, 5);
    EXPECT_EQ(b.CheckButtonFrame, data->Buttons().CheckButtonFrame);
    EXPECT_EQ(at.Top().LeftWidth, 48);
    EXPECT_EQ(at.Top().RightWidth, 59); // 58.5
    EXPECT_EQ(at.Top().Frame, 2);
    EXPECT_EQ(at.Title().LeftWidth, 24);  // TextShift
    EXPECT_EQ(at.Title().TopHeight, 3);   // TextShiftVert
    EXPECT_EQ(at.Title().RightWidth, 30); // TextRightClip
    EXPECT_EQ(at.Title().FontHeight, 21);
    const TDataSkinSysButton& close = *at.SysButtons()[0];
    EXPECT_EQ(close.XCoord, 38);
    EXPECT_EQ(close.YCoord, 8); // 7.5
    EXPECT_EQ(close.Action, 0);
    EXPECT_EQ(close.Frame, 3);
    EXPECT_EQ(close.Name, L"BUTTON0");
    EXPECT_EQ(at.GroupBox()->BackgroundLeftShift, 11); // 10.5
    EXPECT_EQ(at.SysButtons().size(), data->SysButtons().size());
    EXPECT_EQ(at.Colour(scButtonFace), data->Colour(scButtonFace));
    EXPECT_EQ(at.FrameSample(), data->FrameSample());
    EXPECT_EQ(at.SkinName(), data->SkinName());
    // The designed skin is untouched by its scaled copies.
    EXPECT_EQ(data->Buttons().LeftWidth, 8);
    EXPECT_EQ(data->SysButtons()[0]->XCoord, 25);
}

TEST(ScaledSkin, DerivedImagesAreMadeAgainAtTheScale) {
    TTestSkin skin = ComboSkin();
    skin.Ini += "[MDICONTROLS]\nImage=mdi.bmp\n";
    skin.Image("mdi.bmp", FrameStrip(144, 10, 12));
    auto data = Loaded(skin);
    const int buttonMargin = data->ComboButton()->RightWidth; // the platform's arrow width + 4
    TScaledSkin& at = data->AtDpi(144);
    const TDataSkinBorder& c = *at.ComboButton();
    EXPECT_EQ(c.Style, 2);
    ASSERT_EQ(c.Image.Width(), 4 * 75);
    ASSERT_EQ(c.Image.Height(), 32); // 31.5
    EXPECT_EQ(c.LeftWidth, 3);
    EXPECT_EQ(c.RightWidth, ScaleLength(buttonMargin, 144));
    EXPECT_EQ(c.TopHeight, 3);
    EXPECT_EQ(c.BottomHeight, 5); // 4.5
    EXPECT_EQ(c.Frame, 4);
    EXPECT_EQ(at.SunkEdge()->LeftWidth, c.RightWidth);
    for (int k = 1; k <= 4; ++k) {
        const int x0 = 75 * (k - 1);
        EXPECT_EQ(c.Image.PixelColor(x0 + 74 - 4, 16), ButtonColour(k)) << k; // inside the button
        EXPECT_EQ(c.Image.PixelColor(x0 + 20, 16), clFuchsia) << k;             // the edit area
        EXPECT_EQ(c.Image.PixelColor(x0 + 1, 1), SunkColour(k)) << k;           // the edit frame
    }
    EXPECT_EQ(at.ComboxArrow()->Image.Width(), 4 * 26); // 25.5
    EXPECT_EQ(at.ComboxArrow()->Image.Height(), 26);
    EXPECT_EQ(at.ComboxArrow()->Image.PixelColor(2, 2), ButtonColour(1));
    EXPECT_EQ(at.ComboxArrow()->Image.PixelColor(13, 16), GlyphColour(1)); // the glyph, 8 x 8 at the middle
    EXPECT_EQ(at.Toolbar()->Image.Width(), 15);
    EXPECT_EQ(at.Toolbar()->Image.Height(), 60);
    EXPECT_EQ(at.Toolbar()->Image.PixelColor(0, 0), data->Toolbar()->Image.PixelColor(0, 0));
    // The MDI buttons: four frames of 18 cut from the strip of twelve at 150 %, placed by the rule.
    const auto& mdi = at.SysButtons();
    ASSERT_EQ(mdi.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mdi[i]->Image.Width(), 72);
        EXPECT_EQ(mdi[i]->Image.Height(), 15);
        EXPECT_EQ(mdi[i]->XCoord, ScaleLength(data->SysButtons()[i]->XCoord, 144));
        EXPECT_EQ(mdi[i]->Image.PixelColor(18 * 2 + 9, 7), FrameColour(4 * i + 3));
    }
}

TEST(ScaledSkin, KeptPerDpiAndFreedWithTheSkinAndTheComponent) {
    const TTestSkin skin = ScaledSkin();
    Loaded(skin)->AtDpi(144); // whatever the platform creates once
    const long before = GdiObjectsInUse();
    {
        auto data = Loaded(skin);
        const long loaded = GdiObjectsInUse();
        TScaledSkin* first = &data->AtDpi(144);
        EXPECT_EQ(&data->AtDpi(144), first);
        data->AtDpi(120);
        data->AtDpi(192);
        EXPECT_GT(GdiObjectsInUse(), loaded + 20); // three skins' worth of bitmaps
        ASSERT_TRUE(data->LoadSkin());             // the skin changes: its scaled copies go
        EXPECT_EQ(GdiObjectsInUse(), loaded);
        data->AtDpi(144);
        data->AtDpi(168);
    }
    EXPECT_EQ(GdiObjectsInUse(), before);
    EXPECT_EQ(GdiObjectsLeakedBy(20, [&] { Loaded(skin)->AtDpi(192); }), 0);
}

TEST(ScaledSkin, OddDpisAndHostileStoresStayBounded) {
    TTestSkin skin("[MenuBackground]\nImage=Menu.bmp\nLeftWidth=5000\nRightWidth=-7\n");
    skin.Image("Menu.bmp", Family(20, 20, 100)).Image("Menu@300.bmp", Family(16000, 1, 300));
    auto data = Loaded(skin);
    EXPECT_EQ(&data->AtDpi(100000), &data->AtDpi(960)); // kept within ten times the design
    EXPECT_EQ(data->AtDpi(960).MenuBackground()->Image.Width(), 200);
    EXPECT_EQ(data->AtDpi(10).Dpi(), 48);
    EXPECT_EQ(data->AtDpi(10).MenuBackground()->Image.Width(), 10);
    ExpectFromScale(data->AtDpi(288).MenuBackground()->Image, 100); // the huge one does not fit
    EXPECT_TRUE(data->ImageScales().empty());
}

// ---- The shipped skins ------------------------------------------------------------------------

std::vector<std::uint8_t> ReadStore(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void ForEachImage(const TSkinElementAccess& skin, const std::function<void(const std::wstring&, TBitmap&)>& visit) {
    for (TDataSkinBorder* b : {&skin.Left(), &skin.Right(), &skin.Top(), &skin.Bottom()}) visit(b->Name, b->Image);
    visit(L"Title", skin.Title().Image);
    visit(L"Buttons", skin.Buttons().Image);
    visit(L"Buttons.Check", skin.Buttons().CheckImage);
    visit(L"Buttons.Radio", skin.Buttons().RadioImage);
    for (const auto& b : skin.SysButtons()) visit(b->Name, b->Image);
    for (int i = 0; i < SkinElementCount; ++i)
        if (TDataSkinObject* e = skin.Element(static_cast<TSkinElement>(i))) {
            visit(e->Name, e->Image);
            if (auto* border = dynamic_cast<TDataSkinBorder*>(e)) visit(e->Name + L".2", border->Image2);
        }
}

// Strongly magenta: what a blend of a skin colour with the key looks like.
bool Pinkish(TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return c != clFuchsia && r - g >= 96 && b - g >= 96;
}

double KeyShare(const TBitmap& image) {
    long keys = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) keys += image.PixelColor(x, y) == clFuchsia;
    return static_cast<double>(keys) / (image.Width() * image.Height());
}

// The store without its images for other scales, as a skin drawn only at 100 % is stored.
std::vector<std::uint8_t> HundredPercentOnly(const std::vector<std::uint8_t>& store) {
    TSkinReader reader;
    EXPECT_TRUE(reader.Load(store));
    TSkinArchiveWriter writer;
    for (std::size_t i = 0; i < reader.Entries().size(); ++i)
        if (ParseScaledName(reader.Entries()[i].Name).Kind == TScaledNameKind::Plain) {
            const auto bytes = reader.EntryBytes(i);
            writer.Add(reader.Entries()[i].Name, {bytes.begin(), bytes.end()});
        }
    return EncodeSkinStore(writer.Build());
}

// `resampled`: the store has no images for 150 %, so each image is its 100 % image resampled,
// whose key keeps its share of the picture (an artist's drawing at 150 % may key more or less).
void ExpectNoMagentaOnScreenAt150(const std::vector<std::uint8_t>& store, bool resampled) {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->SetStoreStream(store);
    ASSERT_TRUE(data->LoadSkin());
    std::map<std::wstring, double> designedKeys;
    ForEachImage(*data, [&](const std::wstring& name, TBitmap& image) {
        if (image.Empty()) return;
        designedKeys[name] = KeyShare(image);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                ASSERT_FALSE(Pinkish(image.PixelColor(x, y))) << "the art itself is pink: " << Utf8Encode(name);
    });
    TBitmap screen(800, 200, pf24bit);
    ForEachImage(data->AtDpi(144), [&](const std::wstring& name, TBitmap& image) {
        SCOPED_TRACE(Utf8Encode(name));
        if (image.Empty()) return;
        // The key keeps its share of the image (no shape lost or grown), and is exactly the key.
        if (resampled) {
            EXPECT_NEAR(KeyShare(image), designedKeys[name], 0.06);
        }
        // Drawn as the engine draws a transparent element, over white: no key and no pink left.
        const RECT r{0, 0, std::min(image.Width(), 800), std::min(image.Height(), 200)};
        screen.Canvas().Brush().SetColor(clWhite);
        screen.Canvas().FillRect(RECT{0, 0, 800, 200});
        TransparentBlit(screen.Canvas().Handle(), r, image, clFuchsia);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const TColor c = screen.PixelColor(x, y);
                ASSERT_TRUE(c != clFuchsia && !Pinkish(c)) << "at " << x << "," << y;
            }
    });
}

// Resampled from their 100 % images alone, and as drawn for 150 %.
TEST(ScaledSkin, TheShippedSkinsAt150PercentShowNoMagenta) {
    for (const char* path : {ORVO_DEFAULT_SKIN_STORE, ORVO_JADE_SKIN_STORE, ORVO_NIGHT_SKIN_STORE}) {
        SCOPED_TRACE(path);
        const std::vector<std::uint8_t> store = ReadStore(path);
        ASSERT_GT(store.size(), 1000u);
        ExpectNoMagentaOnScreenAt150(HundredPercentOnly(store), true);
        ExpectNoMagentaOnScreenAt150(store, false);
    }
}

} // namespace
} // namespace orvo::test
