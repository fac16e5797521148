#include "tools/orvo_skin/skin_check.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_image_name.h"
#include "core/skinfile/skinfile_error.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

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
    if (EqualsNoCase(section, "MDICONTROLS")) return 12; // three buttons of four frames
    return 0;
}

std::string_view SectionName(const TIniLine& header) {
    return std::string_view(header.Text).substr(1, header.Text.size() - 2);
}

std::string Shown(const TSkinEntry& e) {
    return "'" + e.Name + "'";
}

// The images for other scales of one image the INI names, against the frames it is cut into.
// Each (entry, frames) pair is judged once, however many keys name the image.
class TScaledImageCheck {
public:
    TScaledImageCheck(const TSkinReader& reader, TSkinCheckReport& report)
        : FReader(reader), FIndex(reader), FReport(report) {}

    void Check(const std::string& where, const std::string& name, int width, int height, TImageFrames frames) {
        for (const TSkinScaleIndex::TEntry& e : FIndex.Of(name)) {
            if (!FJudged.insert({e.Index, frames.Count, frames.Stacked}).second) continue;
            ++FReport.ScaledImagesChecked;
            const TSkinEntry& entry = FReader.Entries()[e.Index];
            const TScaledImageSize size = ScaledImageSize(width, height, frames, DpiOfPercent(e.Percent));
            try {
                const TBmpInfo info = ReadBmpInfo(FReader.EntryBytes(e.Index));
                ReadBmp(FReader.EntryBytes(e.Index));
                if (!size.Fits(info.Width, info.Height))
                    FReport.Errors.push_back(where + ": " + Shown(entry) + " is " + std::to_string(info.Width) +
                                             " x " + std::to_string(info.Height) + " pixels; at " +
                                             std::to_string(e.Percent) + " % it must have " + size.Describe() +
                                             " (the 100 % image '" + name + "' scaled)");
            } catch (const EBmpError& error) {
                FReport.Errors.push_back(where + ": " + Shown(entry) + " is not a readable bitmap: " + error.what());
            }
        }
    }

    // The entries that look like images for other scales but belong to nothing the skin loads.
    void CheckStrays(const std::set<std::string>& named) {
        const auto& entries = FReader.Entries();
        std::size_t lastPlain = 0;
        std::set<std::string> seen;
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (ParseScaledName(entries[i].Key).Kind == TScaledNameKind::Plain) lastPlain = i;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const TSkinEntry& e = entries[i];
            const TScaledName name = ParseScaledName(e.Name);
            if (name.Kind == TScaledNameKind::Plain || !seen.insert(e.Key).second) continue;
            if (name.Kind == TScaledNameKind::UnknownScale) {
                FReport.Errors.push_back(Shown(e) + ": " + std::to_string(name.Percent) +
                                         " % is not a scale a skin store carries (" + ScaleList() + ")");
                continue;
            }
            if (FReader.IndexOf(name.Base) < 0)
                FReport.Errors.push_back(Shown(e) + " has no 100 % image: the archive holds no '" + name.Base + "'");
            else if (!named.count(AsciiLower(name.Base)))
                FReport.Warnings.push_back(Shown(e) + " is not used: no section names '" + name.Base + "'");
            if (i < lastPlain)
                FReport.Warnings.push_back(Shown(e) + " comes before the 100 % entry '" + entries[lastPlain].Name +
                                           "': images for other scales belong after every 100 % entry");
        }
    }

private:
    static std::string ScaleList() {
        std::string list;
        for (const int p : SkinScalePercents)
            list.append(list.empty() ? "" : ", ").append(std::to_string(p));
        return list;
    }

    const TSkinReader& FReader;
    TSkinScaleIndex FIndex;
    TSkinCheckReport& FReport;
    std::set<std::tuple<std::size_t, int, bool>> FJudged;
};

void CheckImage(const TSkinReader& reader, const TQuickIni& ini, std::string_view section,
                const TIniLine& line, TSkinCheckReport& report, TScaledImageCheck& scaled) {
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
    scaled.Check(where, name, info.Width, info.Height,
                 ExpectedImageFrames(ini, section, line.Key, info.Width, info.Height));
}

} // namespace

void ForEachImageLine(const TQuickIni& ini,
                      const std::function<void(std::string_view section, const TIniLine& line)>& visit) {
    const auto& lines = ini.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].IsSection || ini.SectionIndex(SectionName(lines[i])) != static_cast<int>(i)) continue;
        std::set<std::string> keys;
        for (std::size_t j = i + 1; j < lines.size() && !lines[j].IsSection; ++j) {
            if (!keys.insert(lines[j].Key).second || !EndsWithNoCase(lines[j].Value, ".bmp")) continue;
            visit(SectionName(lines[i]), lines[j]);
        }
    }
}

TImageFrames ExpectedImageFrames(const TQuickIni& ini, std::string_view section, std::string_view key, int width,
                                 int height) {
    const int count = ExpectedFrameCount(ini, section, key, width, height);
    const std::string k = AsciiLower(key);
    // The top and bottom borders, the caption text's background and the menu bar hold their
    // frames one above the other.
    const bool stacked = EqualsNoCase(section, "Personality") &&
                         (k == "top" || k == "bottom" || k == "textback" || k == "menubar");
    return {std::max(count, 1), stacked};
}

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
    if ((EqualsNoCase(section, "UpDown.Horz") || EqualsNoCase(section, "UpDown.Vert")) && k == "glyphimage")
        return 8; // one glyph per frame of the buttons
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
    TScaledImageCheck scaled(reader, report);
    std::set<std::string> named; // lower case, as the archive's keys
    // Only what the component sees: the first occurrence of each section, and of each key in it.
    ForEachImageLine(ini, [&](std::string_view section, const TIniLine& line) {
        named.insert(AsciiLower(FileNamePart(line.Value)));
        CheckImage(reader, ini, section, line, report, scaled);
    });
    scaled.CheckStrays(named);
    return report;
}

} // namespace orvo
