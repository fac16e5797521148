// TQuickIni: the skin's INI text parsed once, answering section/key lookups. Lines are trimmed;
// blank lines and lines starting with ';' are dropped; a line "[Name]" opens a section. Sections,
// keys and their first occurrences win: a repeated section or key is invisible.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

struct TIniLine {
    std::string Text;  // the trimmed line
    std::string Key;   // before the first '=', trimmed, lower case; empty without '='
    std::string Value; // after the first '=', trimmed
    bool IsSection = false;
};

class TQuickIni {
public:
    // Text past this size is ignored, which bounds the memory a hostile skin can ask for (a skin's
    // INI is a few kilobytes).
    static constexpr std::size_t MaxTextSize = 1u << 20;

    // Parses `text` up to its first zero byte; CR, LF and CR LF end lines (so does LF CR twice).
    void LoadFromText(std::string_view text);
    void LoadFromBytes(std::span<const std::uint8_t> bytes);

    // The value of the first line of `section` whose key is `key` (any case); `def` when there is
    // none or its value is empty.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // ReadString converted by ParseSkinInteger.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    // Section names in text order, without brackets, trimmed.
    std::vector<std::string> ReadSections() const;
    // The line number of the section's header line ("[" + section + "]", any ASCII case), or -1.
    int SectionIndex(std::string_view section) const;

    const std::vector<TIniLine>& Lines() const { return FLines; }

private:
    std::vector<TIniLine> FLines;
    std::vector<int> FSections; // line numbers of section headers, in order
};

// A signed 32-bit number: decimal, or hexadecimal after '$' (a leading "0x" or "0X" counts as '$'),
// with an optional sign; hexadecimal takes any 32-bit pattern ($FFFFFFFF is -1). Anything else
// (empty text, stray characters, overflow) gives `def`.
std::int32_t ParseSkinInteger(std::string_view text, std::int32_t def);

} // namespace orvo
