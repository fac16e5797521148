#include "core/skinfile/quick_ini.h"

#include "core/skinfile/ascii_text.h"

#include <algorithm>

namespace orvo {
namespace {

TIniLine MakeLine(std::string_view text) {
    TIniLine line;
    line.Text = std::string(text);
    line.IsSection = text.size() >= 2 && text.front() == '[' && text.back() == ']';
    const std::size_t eq = text.find('=');
    if (eq != std::string_view::npos) {
        line.Key = AsciiLower(TrimBlanks(text.substr(0, eq)));
        line.Value = std::string(TrimBlanks(text.substr(eq + 1)));
    }
    return line;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

void TQuickIni::LoadFromText(std::string_view text) {
    FLines.clear();
    FSections.clear();
    text = text.substr(0, std::min(text.find('\0'), MaxTextSize));
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        const std::string_view raw = text.substr(i, end == std::string_view::npos ? end : end - i);
        i = end == std::string_view::npos ? text.size() : end;
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        const std::string_view trimmed = TrimBlanks(raw);
        if (trimmed.empty() || trimmed.front() == ';') continue;
        FLines.push_back(MakeLine(trimmed));
        if (FLines.back().IsSection) FSections.push_back(static_cast<int>(FLines.size() - 1));
    }
}

void TQuickIni::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    LoadFromText({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

int TQuickIni::SectionIndex(std::string_view section) const {
    for (const int line : FSections) {
        const std::string_view header = FLines[line].Text;
        if (EqualsNoCase(header.substr(1, header.size() - 2), section)) return line;
    }
    return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
    const int header = SectionIndex(section);
    if (header < 0) return std::string(def);
    const std::string wanted = AsciiLower(key);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size() && !FLines[i].IsSection;
         ++i) {
        if (FLines[i].Key != wanted) continue;
        return FLines[i].Value.empty() ? std::string(def) : FLines[i].Value;
    }
    return std::string(def);
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const {
    return ParseSkinInteger(ReadString(section, key, ""), def);
}

std::vector<std::string> TQuickIni::ReadSections() const {
    std::vector<std::string> names;
    names.reserve(FSections.size());
    for (const int line : FSections) {
        const std::string_view header = FLines[line].Text;
        names.emplace_back(TrimBlanks(header.substr(1, header.size() - 2)));
    }
    return names;
}

std::int32_t ParseSkinInteger(std::string_view text, std::int32_t def) {
    bool hex = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    }
    bool negative = false;
    if (!hex && !text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (!hex && !text.empty() && text[0] == '$') {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return def;
    const std::uint64_t limit = hex ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t value = 0;
    for (const char c : text) {
        const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) return def;
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (value > limit) return def;
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

} // namespace orvo
