#include "core/settings/window_settings.h"

#include "core/skinfile/quick_ini.h"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

namespace orvo {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

constexpr std::array<std::pair<TSkinChoice, std::string_view>, 5> SkinNames{{
    {TSkinChoice::Slate, "slate"},
    {TSkinChoice::Jade, "jade"},
    {TSkinChoice::Night, "night"},
    {TSkinChoice::File, "file"},
    {TSkinChoice::None, "none"},
}};

constexpr std::array<std::pair<TSplitMode, std::string_view>, 3> ModeNames{{
    {TSplitMode::Lines, "lines"},
    {TSplitMode::Bytes, "bytes"},
    {TSplitMode::Pieces, "pieces"},
}};

// The encodings a source without a mark may be read in (as the command line offers them).
constexpr std::array<std::pair<TTextEncoding, std::string_view>, 4> EncodingNames{{
    {TTextEncoding::Bytes, "bytes"},
    {TTextEncoding::Utf8, "utf-8"},
    {TTextEncoding::Utf16Le, "utf-16le"},
    {TTextEncoding::Utf16Be, "utf-16be"},
}};

template <typename T, std::size_t N>
std::optional<T> Named(const std::array<std::pair<T, std::string_view>, N>& names, std::string_view text) {
    for (const auto& [value, name] : names)
        if (name == text) return value;
    return std::nullopt;
}

template <typename T, std::size_t N>
std::string_view NameOf(const std::array<std::pair<T, std::string_view>, N>& names, T value) {
    for (const auto& [each, name] : names)
        if (each == value) return name;
    return names.front().second;
}

// Decimal digits only, within [low, high].
template <typename T>
std::optional<T> Number(std::string_view text, T low, T high) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<bool> Flag(std::string_view text) {
    if (text == "1") return true;
    if (text == "0") return false;
    return std::nullopt;
}

class TReader {
public:
    explicit TReader(std::string_view text) { FIni.LoadFromText(text); }

    std::string Text(std::string_view section, std::string_view key) const {
        return FIni.ReadString(section, key, "");
    }
    template <typename T>
    void Read(std::string_view section, std::string_view key, T& field, auto parse) const {
        if (const auto value = parse(Text(section, key))) field = *value;
    }

private:
    TQuickIni FIni;
};

void ReadOptions(const TReader& ini, TSplitOptions& options) {
    const TSplitOptions defaults;
    ini.Read("split", "mode", options.Mode, [](std::string_view t) { return Named(ModeNames, t); });
    ini.Read("split", "lines", options.LineCount, [](std::string_view t) { return Number(t, 1, MaxLineCount); });
    ini.Read("split", "bytes", options.PieceBytes,
             [](std::string_view t) { return Number<std::uint64_t>(t, 1, MaxPieceBytes); });
    ini.Read("split", "pieces", options.PieceCount,
             [](std::string_view t) { return Number(t, MinPieceCount, MaxPieceCount); });
    ini.Read("split", "header", options.HeaderLines, [](std::string_view t) { return Number(t, 0, MaxHeaderLines); });
    ini.Read("split", "csv", options.Csv, Flag);
    ini.Read("split", "encoding", options.Unmarked, [](std::string_view t) { return Named(EncodingNames, t); });
    ini.Read("split", "keep_line_ends", options.KeepLineEnds, Flag);
    ini.Read("split", "manifest", options.Manifest, Flag);
    // A template is kept only when it can name pieces.
    std::string name = ini.Text("split", "name");
    if (!name.empty()) {
        TSplitOptions probe;
        probe.NameTemplate = name;
        if (!ValidateSplitOptions(probe)) options.NameTemplate = std::move(name);
    }
    // A mode whose size or count was lost falls back to lines.
    if ((options.Mode == TSplitMode::Bytes && options.PieceBytes == 0) ||
        (options.Mode == TSplitMode::Pieces && options.PieceCount == 0))
        options.Mode = TSplitMode::Lines;
    if (ValidateSplitOptions(options)) options = defaults;
}

} // namespace

bool TWindowSettings::operator==(const TWindowSettings& other) const {
    const TSplitOptions& a = Options;
    const TSplitOptions& b = other.Options;
    return TargetDir == other.TargetDir && UseFileDir == other.UseFileDir && Skin == other.Skin &&
           SkinFile == other.SkinFile && a.Mode == b.Mode && a.LineCount == b.LineCount &&
           a.PieceBytes == b.PieceBytes && a.PieceCount == b.PieceCount && a.HeaderLines == b.HeaderLines &&
           a.Csv == b.Csv && a.Unmarked == b.Unmarked && a.NameTemplate == b.NameTemplate &&
           a.KeepLineEnds == b.KeepLineEnds && a.Manifest == b.Manifest;
}

std::string_view SkinChoiceName(TSkinChoice skin) {
    return NameOf(SkinNames, skin);
}

TWindowSettings ParseWindowSettings(std::string_view text) {
    TWindowSettings settings;
    if (text.size() > MaxSettingsText) return settings;
    if (text.starts_with(Utf8Mark)) text.remove_prefix(Utf8Mark.size());
    const TReader ini(text);
    settings.TargetDir = ini.Text("window", "target");
    ini.Read("window", "use_file_dir", settings.UseFileDir, Flag);
    ReadOptions(ini, settings.Options);
    ini.Read("skin", "skin", settings.Skin, [](std::string_view t) { return Named(SkinNames, t); });
    settings.SkinFile = ini.Text("skin", "file");
    if (settings.Skin == TSkinChoice::File && settings.SkinFile.empty()) settings.Skin = TSkinChoice::Slate;
    return settings;
}

std::string FormatWindowSettings(const TWindowSettings& settings) {
    const TSplitOptions& o = settings.Options;
    const auto line = [](std::string_view key, std::string_view value) {
        return std::string(key) + "=" + std::string(value) + "\r\n";
    };
    const auto flag = [&](std::string_view key, bool value) { return line(key, value ? "1" : "0"); };
    const auto number = [&](std::string_view key, auto value) { return line(key, std::to_string(value)); };
    std::string text = "; Orvo: the splitter window's settings\r\n[window]\r\n";
    text += line("target", settings.TargetDir);
    text += flag("use_file_dir", settings.UseFileDir);
    text += "[split]\r\n";
    text += line("mode", NameOf(ModeNames, o.Mode));
    text += number("lines", o.LineCount);
    text += number("bytes", o.PieceBytes);
    text += number("pieces", o.PieceCount);
    text += number("header", o.HeaderLines);
    text += flag("csv", o.Csv);
    text += line("encoding", NameOf(EncodingNames, o.Unmarked));
    text += line("name", o.NameTemplate);
    text += flag("keep_line_ends", o.KeepLineEnds);
    text += flag("manifest", o.Manifest);
    text += "[skin]\r\n";
    text += line("skin", SkinChoiceName(settings.Skin));
    text += line("file", settings.SkinFile);
    return text;
}

} // namespace orvo
