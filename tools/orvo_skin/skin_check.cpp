#include "tools/orvo_skin/skin_check.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_image_name.h"
#include "core/skinfile/skinfile_error.h"

#include <set>

namespace orvo {
namespace {

struct TFixedFrames {
    const char* Section;
    int Frames;
};

// Elements whose frame count the component sets regardless of the INI.
constexpr TFixedFrames FixedFrames[] = {
    {"GroupBoxEdge", 2},       {"Tab.Pane", 1},           {"GroupBox", 1},
    {"MenuBackground", 1},     {"ToolBars", 5},           {"Tabs", 5},
    {"ExtraImages", 5},        {"MenuItem", 5},           {"Trackbar.ThumbHorz", 5},
    {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5}, {"Trackbar.ThumbRight", 5},
    {"Trackbar.ThumbUp", 5},   {"Trackbar.ThumbDown", 5}, {"StatusBarEdges", 3},
    {"ComboButton", 4},        {"SunkEdge", 4},           {"HorzScroll", 4},
    {"VertScroll", 4},         {"UpDown.Horz", 8},        {"UpDown.Vert", 8},
    {"Scrollbar", 23},
};

// Check and radio glyph strips: the key's count, else 16- or 13-pixel frames, at least 4.
int GlyphFrames(const TQuickIni& ini, std::string_view countKey, int width, int height) {
    int frames = ini.ReadInteger("Buttons", countKey, 0);
    if (frames == 0) frames = width / (height >= 16 ? 16 : 13);
    return frames < 4 ? 4 : frames;
}

bool IsCaptionButtonSection(std::string_view section) {
    for (const char* other : {"Button", "Buttons", "Button.Radio", "Button.CheckBox"})
        if (EqualsNoCase(section, other)) return false;
    return StartsWithNoCase(section, "Button");
}

int CaptionButtonFrames(const TQuickIni& ini, std::string_view section, int width, int height) {
    const int action = ini.ReadInteger(section, "Action", 0);
    if (action == -1 && ini.ReadInteger(section, "Visibility", -1) != 0) return 0; // dropped
    const int frames = ini.ReadInteger(section, "frame", 0);
    if (frames != 0) return frames;
    if (action == 3 || action == 11) return 0; // its image is cleared
    if (action < 0) return 6;
    return static_cast<double>(width) / height <= 3.8 ? 3 : 6;
}

int ImageFrames(const TQuickIni& ini, std::string_view section) {
    for (const TFixedFrames& f : FixedFrames)
        if (EqualsNoCase(section, f.Section)) return f.Frames;
    if (EqualsNoCase(section, "Headerbar")) {
        const int frames = ini.ReadInteger(section, "Frame", 0);
        return frames == 0 ? 5 : frames;
    }
    if (EqualsNoCase(section, "HorzScrollThumb") || EqualsNoCase(section, "VertScrollThumb"))
        return ini.ReadInteger(section, "FrameCount", 3);
    if (EqualsNoCase(section, "Track") || EqualsNoCase(section, "TRACKVERT") ||
        EqualsNoCase(section, "Progress.Chunk"))
        return ini.ReadInteger(section, "Frame", 0);
    return 0;
}

std::string_view SectionName(const TIniLine& header) {
    return std::string_view(header.Text).substr(1, header.Text.size() - 2);
}

void CheckImage(const TSkinReader& reader, const TQuickIni& ini, std::string_view section,
                const TIniLine& line, TSkinCheckReport& report) {
    std::string where = "[";
    where.append(section).append("] ").append(TrimBlanks(line.Text.substr(0, line.Text.find('='))));
    const std::string name(SkinImageEntryName(line.Value));
    if (name.empty()) {
        report.Warnings.push_back(where + ": '" + line.Value +
                                  "' is not loaded: only names ending in '.bmp' are");
        return;
    }
    ++report.ImagesChecked;
    const int index = reader.IndexOf(name);
    if (index < 0) return report.Errors.push_back(where + ": '" + name + "' is missing from the archive");
    const auto bytes = reader.EntryBytes(static_cast<std::size_t>(index));
    if (bytes.empty()) return report.Errors.push_back(where + ": '" + name + "' is empty");
    TBmpInfo info;
    try {
        info = ReadBmpInfo(bytes);
        ReadBmp(bytes);
    } catch (const EBmpError& e) {
        return report.Errors.push_back(where + ": '" + name + "' is not a readable bitmap: " + e.what());
    }
    const int frames = ExpectedFrameCount(ini, section, line.Key, info.Width, info.Height);
    if (frames > 1 && info.Width % frames != 0)
        report.Warnings.push_back(where + ": '" + name + "' is " + std::to_string(info.Width) +
                                  " pixels wide, not a multiple of its " + std::to_string(frames) +
                                  " frames");
}

} // namespace

int ExpectedFrameCount(const TQuickIni& ini, std::string_view section, std::string_view key, int width,
                       int height) {
    const std::string k = AsciiLower(key);
    if (EqualsNoCase(section, "Buttons")) {
        if (k == "bitmap") return 5;
        if (k == "checkbutton") return GlyphFrames(ini, "CheckButtonFrame", width, height);
        if (k == "radiobutton") return GlyphFrames(ini, "RadioButtonFrame", width, height);
        return 0;
    }
    if (EqualsNoCase(section, "Progress"))
        return k == "bitmap" ? (ini.ReadInteger(section, "Style", 0) ? 1 : 2) : 0;
    if (EqualsNoCase(section, "Personality")) {
        if (k == "menubar" || k == "textback") return 2;
        if (k == "left" || k == "right" || k == "top" || k == "bottom")
            return ini.ReadInteger(section, std::string(key) + "Frame", 1);
        return 0;
    }
    if (IsCaptionButtonSection(section))
        return k == "buttonimage" ? CaptionButtonFrames(ini, section, width, height) : 0;
    return k == "image" ? ImageFrames(ini, section) : 0;
}

TSkinCheckReport CheckSkin(const TSkinReader& reader) {
    TSkinCheckReport report;
    std::string iniName;
    const std::vector<std::uint8_t> iniText = reader.FindEntry(".ini", iniName);
    if (iniName.empty()) {
        report.Errors.push_back("the archive holds no .ini entry");
        return report;
    }
    TQuickIni ini;
    ini.LoadFromBytes(iniText);
    const auto& lines = ini.Lines();
    // Only what the component sees: the first occurrence of each section, and of each key in it.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].IsSection || ini.SectionIndex(SectionName(lines[i])) != static_cast<int>(i)) continue;
        std::set<std::string> keys;
        for (std::size_t j = i + 1; j < lines.size() && !lines[j].IsSection; ++j) {
            if (!keys.insert(lines[j].Key).second || !EndsWithNoCase(lines[j].Value, ".bmp")) continue;
            CheckImage(reader, ini, SectionName(lines[i]), lines[j], report);
        }
    }
    return report;
}

} // namespace orvo
