#include "tools/orvo_skin/skin_pack.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/bmp.h"
#include "core/skinfile/quick_ini.h"
#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_image_name.h"
#include "core/skinfile/skinfile_error.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinscale/skin_scales.h"
#include "tools/orvo_skin/skin_check.h"
#include "tools/orvo_skin/tool_files.h"

#include <algorithm>
#include <system_error>

namespace orvo {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> RegularFileNames(const fs::path& dir) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) throw ESkinToolError("cannot list '" + Utf8FromPath(dir) + "': " + ec.message());
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : it)
        if (entry.is_regular_file(ec)) names.push_back(Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string FindIni(const fs::path& dir, const std::vector<std::string>& files) {
    std::vector<std::string> inis;
    for (const std::string& name : files)
        if (EndsWithNoCase(name, ".ini")) inis.push_back(name);
    if (inis.empty()) throw ESkinToolError("'" + Utf8FromPath(dir) + "' holds no .ini file");
    if (inis.size() > 1) {
        std::string list;
        for (const std::string& name : inis)
            list += (list.empty() ? "" : ", ") + name;
        throw ESkinToolError("'" + Utf8FromPath(dir) + "' holds several .ini files: " + list);
    }
    return inis.front();
}

// The file for a name from the INI: the exact name, else the one file matching without case.
std::string MatchFile(const fs::path& dir, const std::vector<std::string>& files, const std::string& wanted) {
    if (std::find(files.begin(), files.end(), wanted) != files.end()) return wanted;
    std::vector<std::string> matches;
    for (const std::string& name : files)
        if (EqualsNoCase(name, wanted)) matches.push_back(name);
    if (matches.empty())
        throw ESkinToolError("bitmap '" + wanted + "' named in the INI is missing from '" +
                             Utf8FromPath(dir) + "'");
    if (matches.size() > 1)
        throw ESkinToolError("bitmap '" + wanted + "' matches several files in '" + Utf8FromPath(dir) +
                             "' that differ only in letter case");
    return matches.front();
}

struct TScaledFile {
    int Percent;
    std::size_t Order; // of its 100 % image among the packed ones
    std::string Name;
};

// The directory's bitmaps for other scales of the packed 100 % images `packed` (file names).
std::vector<TScaledFile> ScaledFiles(const std::vector<std::string>& files, const std::vector<std::string>& packed) {
    std::vector<TScaledFile> scaled;
    for (const std::string& name : files) {
        const TScaledName parsed = ParseScaledName(name);
        if (parsed.Kind == TScaledNameKind::Plain) continue;
        if (std::any_of(packed.begin(), packed.end(), [&](const std::string& p) { return p == name; }))
            continue; // the INI names it itself: a 100 % image
        if (parsed.Kind == TScaledNameKind::UnknownScale)
            throw ESkinToolError("'" + name + "': " + std::to_string(parsed.Percent) +
                                 " % is not a scale a skin store carries");
        const auto base = std::find_if(packed.begin(), packed.end(),
                                       [&](const std::string& p) { return EqualsNoCase(p, parsed.Base); });
        if (base == packed.end())
            throw ESkinToolError("'" + name + "' has no 100 % image: the INI names no '" + parsed.Base + "'");
        for (const TScaledFile& other : scaled)
            if (EqualsNoCase(other.Name, name))
                throw ESkinToolError("'" + name + "' and '" + other.Name + "' differ only in letter case");
        scaled.push_back({parsed.Percent, static_cast<std::size_t>(base - packed.begin()), name});
    }
    std::sort(scaled.begin(), scaled.end(), [](const TScaledFile& a, const TScaledFile& b) {
        return a.Percent != b.Percent ? a.Percent < b.Percent : a.Order < b.Order;
    });
    return scaled;
}

// Images for other scales are judged as the component uses them: frames of the 100 % image's
// scaled by the rule.
void CheckScaledImages(const std::vector<std::uint8_t>& archive) {
    TSkinReader reader;
    if (const TSkinLoadResult loaded = reader.LoadArchive(archive); !loaded)
        throw ESkinToolError("the packed archive does not read back: " + loaded.Message);
    const TSkinCheckReport report = CheckSkin(reader);
    if (report.Errors.empty()) return;
    std::string text = report.Errors.front();
    if (report.Errors.size() > 1) text += " (and " + std::to_string(report.Errors.size() - 1) + " more errors)";
    throw ESkinToolError(text);
}

} // namespace

std::vector<std::string> BitmapsNamedByIni(const std::vector<std::uint8_t>& iniText) {
    TQuickIni ini;
    ini.LoadFromBytes(iniText);
    std::vector<std::string> names;
    bool inSection = false; // lines before the first section are never read
    for (const TIniLine& line : ini.Lines()) {
        inSection = inSection || line.IsSection;
        if (!inSection || line.IsSection || !EndsWithNoCase(line.Value, ".bmp")) continue;
        const std::string name(FileNamePart(line.Value)); // the skin looks up the name part
        const bool seen = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return EqualsNoCase(n, name); });
        if (!seen && !name.empty()) names.push_back(name);
    }
    return names;
}

TPackedSkin PackSkinDirectory(const fs::path& dir) {
    const std::vector<std::string> files = RegularFileNames(dir);
    const std::string iniName = FindIni(dir, files);
    std::vector<std::uint8_t> iniText = ReadWholeFile(dir / PathFromUtf8(iniName));
    TSkinArchiveWriter writer;
    TPackedSkin packed;
    for (const std::string& wanted : BitmapsNamedByIni(iniText)) {
        const std::string name = MatchFile(dir, files, wanted);
        std::vector<std::uint8_t> bytes = ReadWholeFile(dir / PathFromUtf8(name));
        try {
            ReadBmp(bytes);
        } catch (const EBmpError& e) {
            throw ESkinToolError("'" + name + "' is not a bitmap the skin can load: " + e.what());
        }
        writer.Add(name, std::move(bytes));
        packed.EntryNames.push_back(name);
    }
    const std::vector<TScaledFile> scaled = ScaledFiles(files, packed.EntryNames);
    writer.Add(iniName, std::move(iniText));
    packed.EntryNames.push_back(iniName);
    for (const TScaledFile& file : scaled) {
        writer.Add(file.Name, ReadWholeFile(dir / PathFromUtf8(file.Name)));
        packed.EntryNames.push_back(file.Name);
    }
    packed.Archive = writer.Build();
    if (!scaled.empty()) CheckScaledImages(packed.Archive);
    return packed;
}

} // namespace orvo
