#include "tools/orvo_skin/skin_scale_report.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/bmp.h"
#include "core/skinfile/skin_image_name.h"
#include "core/skinfile/skinfile_error.h"
#include "core/skinscale/skin_scales.h"
#include "tools/orvo_skin/skin_check.h"
#include "tools/orvo_skin/tool_files.h"

#include <map>
#include <set>

namespace orvo {

namespace {

struct TImageLine {
    std::string Name;
    std::string Text; // what follows the name
    std::vector<int> Percents;
};

std::string Frames(TImageFrames frames) {
    if (frames.Count == 1) return "1 frame";
    return std::to_string(frames.Count) + " frames" + (frames.Stacked ? " stacked" : "");
}

} // namespace

std::string SkinScaleReport(const TSkinReader& reader) {
    std::string iniName;
    const std::vector<std::uint8_t> iniText = reader.FindEntry(".ini", iniName);
    if (iniName.empty()) throw ESkinToolError("the archive holds no .ini entry");
    TQuickIni ini;
    ini.LoadFromBytes(iniText);
    const TSkinScaleIndex index(reader);
    std::vector<TImageLine> images;
    std::set<std::string> seen;
    ForEachImageLine(ini, [&](std::string_view section, const TIniLine& line) {
        const std::string name(FileNamePart(line.Value));
        if (!seen.insert(AsciiLower(name)).second) return;
        TImageLine image{name, "", {}};
        const int at = reader.IndexOf(name);
        if (at < 0) {
            image.Text = "missing";
        } else {
            image.Name = reader.Entries()[static_cast<std::size_t>(at)].Name; // as stored
            try {
                const TBmpInfo info = ReadBmpInfo(reader.EntryBytes(static_cast<std::size_t>(at)));
                image.Text = std::to_string(info.Width) + "x" + std::to_string(info.Height) + " " +
                             Frames(ExpectedImageFrames(ini, section, line.Key, info.Width, info.Height));
            } catch (const EBmpError&) {
                image.Text = "unreadable";
            }
        }
        for (const TSkinScaleIndex::TEntry& e : index.Of(name))
            image.Percents.push_back(e.Percent);
        images.push_back(std::move(image));
    });

    const std::vector<int> all = index.Percents();
    std::string out = "store: " + std::to_string(reader.Entries().size()) + " entries, " +
                      std::to_string(images.size()) + " images, scales 100";
    for (const int p : all)
        out += " " + std::to_string(p);
    out += "\n";
    for (const int p : all) {
        std::size_t having = 0;
        for (const TImageLine& image : images)
            having += std::count(image.Percents.begin(), image.Percents.end(), p);
        out += "scale " + std::to_string(p) + ": " + std::to_string(having) + " of " +
               std::to_string(images.size()) + " images\n";
    }
    for (const TImageLine& image : images) {
        out.append("image ").append(image.Name).append(" ").append(image.Text).append(": 100");
        for (const int p : image.Percents)
            out.append(" ").append(std::to_string(p));
        out.append("\n");
    }
    return out;
}

} // namespace orvo
