// The caption-button reader: [Button...] sections, and the buttons of a maximised MDI child.
#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_readers.h"
#include "skin/data/skin_text.h"

#include "core/skinfile/ascii_text.h"

#include <string>

namespace orvo {

namespace {

// Real skins define a handful; the cap keeps a hostile INI from making thousands of bitmaps.
constexpr std::size_t MaxCaptionButtons = 64;

std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool IsCaptionButtonSection(TSkinSource& source, const std::string& section) {
    const std::string upper = AsciiUpper(section);
    if (!upper.starts_with("BUTTON")) return false;
    if (upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX")
        return false;
    // A button without an action is kept only when it says it is always visible.
    return source.Integer(section, "Action", 0) != -1 || source.Integer(section, "Visibility", -1) == 0;
}

// Without a frame key the count is guessed from the image's shape: three frames for a strip at
// most 3.8 times as wide as high, else six.
void GuessFrames(TDataSkinSysButton& b) {
    b.Frame = 6;
    if (!b.Image.Empty()) b.Frame = static_cast<double>(b.Image.Width()) / b.Image.Height() <= 3.8 ? 3 : 6;
    if (b.Action < 0) b.Frame = 6;
    if (b.Action == 3 || b.Action == 11) b.Image.Clear(); // drawn as the window icon
}

std::unique_ptr<TDataSkinSysButton> ReadCaptionButton(TSkinSource& source, const std::string& section) {
    auto b = std::make_unique<TDataSkinSysButton>(AnsiToWide(AsciiUpper(section)));
    b->Action = source.Integer(section, "Action");
    b->Align = source.Integer(section, "Align");
    b->XCoord = source.Integer(section, "Xcoord");
    b->YCoord = source.Integer(section, "Ycoord");
    b->Visibility = source.Integer(section, "Visibility");
    b->Visibility1 = source.Integer(section, "Visibility1", b->Action == -1 ? -1 : 0);
    b->CombineOp = source.Integer(section, "CombineOp", -1);
    b->Frame = source.Integer(section, "frame");
    b->ImageEntry = source.LoadImage(b->Image, section, "ButtonImage");
    if (b->Frame == 0) GuessFrames(*b);
    return b;
}

// Minimise, restore and close of a maximised MDI child, cut from one strip of 12 frames: four
// frames per button.
void AddMdiButtons(TBitmap& strip, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons) {
    static constexpr const wchar_t* names[] = {L"MDIMINIMIZE", L"MDIRESTORE", L"MDICLOSE"};
    for (int i = 0; i < 3; ++i) {
        auto b = std::make_unique<TDataSkinSysButton>(names[i]);
        b->Action = 7 + i;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->CombineOp = -1;
        b->Frame = 4;
        buttons.push_back(std::move(b));
    }
    if (const int w = CutMdiButtonImages(strip, buttons))
        for (int i = 0; i < 3; ++i)
            buttons[buttons.size() - 3 + static_cast<std::size_t>(i)]->XCoord = (w + 4) * (3 - i);
}

} // namespace

int CutMdiButtonImages(TBitmap& strip, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons) {
    const int w = strip.Width() / 12;
    if (buttons.size() < 3) return 0;
    for (int i = 0; i < 3; ++i) {
        TBitmap& image = buttons[buttons.size() - 3 + static_cast<std::size_t>(i)]->Image;
        if (w > 0)
            CopyBitmapBlock(strip, 4 * w * i, 0, 4 * w, strip.Height(), image);
        else
            image.Clear();
    }
    return w;
}

void ReadCaptionButtons(TSkinSource& source, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons,
                        TDerivedSources& asRead) {
    buttons.clear();
    bool remembered = false;
    int rememberedX = 0, rememberedY = 0;
    for (const std::string& section : source.Ini().ReadSections()) {
        if (buttons.size() == MaxCaptionButtons) break;
        if (!IsCaptionButtonSection(source, section)) continue;
        auto b = ReadCaptionButton(source, section);
        // The help button sits where the maximise button of the normal window would be.
        if (b->Action == 1 && b->Visibility == 2) {
            remembered = true;
            rememberedX = b->XCoord;
            rememberedY = b->YCoord;
        } else if (b->Action == 4) {
            b->XCoord = remembered ? rememberedX : 0;
            b->YCoord = remembered ? rememberedY : 0;
        }
        buttons.push_back(std::move(b));
    }
    asRead.MdiStripEntry = source.LoadImage(asRead.MdiStrip, "MDICONTROLS", "Image");
    AddMdiButtons(asRead.MdiStrip, buttons);
}

} // namespace orvo
