#include "tools/skininfo/skin_info.h"

#include "framework/base/sysutils.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_message.h"

#include <cstdio>
#include <utility>

namespace orvo {

namespace {

constexpr std::string_view Usage =
    "usage: skininfo STORE.skn\n"
    "Loads the skin store as the program does and prints what it understood:\n"
    "the skin name, every element, caption button and colour, in load order.\n";

std::string Hex(TColor colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(colour));
    return text;
}

std::string Percents(const std::vector<int>& percents) {
    std::string text;
    for (const int p : percents)
        text.append(text.empty() ? "" : ",").append(std::to_string(p));
    return text;
}

std::string Size(const TBitmap& image) {
    return std::to_string(image.Width()) + "x" + std::to_string(image.Height());
}

class TReport {
public:
    void Element(const TDataSkinObject& e) {
        FText += "element|" + Utf8Encode(e.Name) + "|frame=" + std::to_string(e.Frame) +
                 "|left=" + std::to_string(e.LeftWidth) + "|top=" + std::to_string(e.TopHeight) +
                 "|right=" + std::to_string(e.RightWidth) + "|bottom=" + std::to_string(e.BottomHeight) +
                 "|trans=" + std::to_string(e.Trans) + "|tile=" + std::to_string(e.Tile) +
                 "|style=" + std::to_string(e.Style) + "|image=" + Size(e.Image);
        if (auto* buttons = dynamic_cast<const TDataSkinButton*>(&e))
            FText += "|check=" + Size(buttons->CheckImage) +
                     "|checkframes=" + std::to_string(buttons->CheckButtonFrame) +
                     "|radio=" + Size(buttons->RadioImage) +
                     "|radioframes=" + std::to_string(buttons->RadioButtonFrame);
        FText += '\n';
    }
    void Button(const TDataSkinSysButton& b) {
        FText += "button|" + Utf8Encode(b.Name) + "|action=" + std::to_string(b.Action) +
                 "|align=" + std::to_string(b.Align) + "|x=" + std::to_string(b.XCoord) +
                 "|y=" + std::to_string(b.YCoord) + "|visibility=" + std::to_string(b.Visibility) +
                 "|visibility1=" + std::to_string(b.Visibility1) + "|frame=" + std::to_string(b.Frame) +
                 "|image=" + Size(b.Image) + '\n';
    }
    void Colours(const TSkinColours& colours) {
        for (const TSkinColourKey& key : SkinColourKeys)
            FText += "colour|" + std::to_string(key.Index) + "|" + std::string(key.Key) + "|" +
                     Hex(colours[key.Index]) + "|given=" + (colours.Given[key.Index] ? "1" : "0") + '\n';
    }
    void Line(const std::string& line) { FText += line + '\n'; }
    std::string Take() { return std::move(FText); }

private:
    std::string FText;
};

} // namespace

std::string SkinReport(TSkinData& skin) {
    TReport report;
    report.Line("skin|SkinName|" + Utf8Encode(skin.SkinName()));
    for (TDataSkinBorder* border : {&skin.Left(), &skin.Right(), &skin.Top(), &skin.Bottom()})
        report.Element(*border);
    report.Colours(skin.Colours());
    for (const auto& button : skin.SysButtons())
        report.Button(*button);
    report.Element(skin.Buttons());
    report.Element(skin.Title());
    for (int e = 0; e < SkinElementCount; ++e)
        if (const TDataSkinObject* element = skin.Element(static_cast<TSkinElement>(e)))
            report.Element(*element);
    report.Line("sample|FrameSample|" + Hex(skin.FrameSample()));
    // A store with images for other scales: which scales, and which images have them (that fit).
    if (const std::vector<int> scales = skin.StoreScales(); !scales.empty()) {
        report.Line("scales|store|" + Percents(scales));
        for (const auto& [entry, fitting] : skin.ImageScales())
            report.Line("scales|" + entry + "|" + Percents(fitting));
    }
    return report.Take();
}

int RunSkinInfo(const std::vector<std::string>& arguments, const TSkinInfoSink& out,
                const TSkinInfoSink& err) {
    if (arguments.size() == 1 && (arguments[0] == "-h" || arguments[0] == "--help")) {
        out(Usage);
        return SkinInfoOk;
    }
    if (arguments.size() != 1 || arguments[0].empty()) {
        err(Usage);
        return SkinInfoUsage;
    }
    // The one message the engine shows becomes an error line instead of a message box.
    std::wstring shown;
    TSkinMessageHandler previous = SetSkinMessageHandler([&](const std::wstring& text) { shown = text; });
    TSkinData skin(nullptr);
    skin.SetSkinFile(Utf8Decode(arguments[0]));
    SetSkinMessageHandler(std::move(previous));
    if (skin.NoSkin()) {
        std::wstring reason = skin.LoadError().empty() ? shown : skin.LoadError();
        for (wchar_t& c : reason)
            if (c == L'\r') c = L' ';
        err("skininfo: cannot load " + arguments[0] + ": " + Utf8Encode(reason) + "\n");
        return SkinInfoNotLoaded;
    }
    out(SkinReport(skin));
    return SkinInfoOk;
}

} // namespace orvo
