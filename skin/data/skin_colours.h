// The skin's colours: the [Colours] keys with system-colour defaults, the colours of extra
// "Colour..." sections, and ten custom colours.
#pragma once

#include "framework/graphics/color.h"

#include <array>
#include <string_view>
#include <vector>

namespace orvo {

class TQuickIni;

// Indices into the colour table. 9, 10 and 17 are not read from a skin. Window (the background of
// edits and lists) comes after the others, so the older indices keep their places.
enum TSkinColourIndex : int {
    scWindowText = 0,
    scTitleTextActive = 1,
    scTitleTextNoActive = 2,
    scButtonFace = 3,
    scButtonText = 4,
    scButtonHilight = 5,
    scButtonlight = 6,
    scButtonShadow = 7,
    scButtonDkShadow = 8,
    scHilightText = 11,
    scHilight = 12,
    scMenubar = 13,
    scMenuBarText = 14,
    scMenuText = 15,
    scMenu = 16,
    scScrollbar = 18,
    scWindow = 19,
};
constexpr int SkinColourCount = 20;
constexpr int CustomColourCount = 10;

struct TSkinColourKey {
    TSkinColourIndex Index;
    std::string_view Key;
    TColor Default; // scMenubar's default is the ButtonFace colour just read
};

// The [Colours] keys in the order they are read.
extern const std::array<TSkinColourKey, 17> SkinColourKeys;

struct TSkinColours {
    std::array<TColor, SkinColourCount> Colours{};
    std::array<bool, SkinColourCount> Given{}; // the skin set it
    std::vector<TColor> SectionColours;        // one per [Colour...] section, in text order
    std::array<TColor, CustomColourCount> CustomColours{};

    TColor operator[](TSkinColourIndex index) const { return Colours[index]; }
    // Every colour at its default, as for a skin without any colour.
    void Reset();
    void Read(const TQuickIni& ini);
};

// The key of a table index, or an empty text for the indices no skin sets.
std::string_view SkinColourKey(int index);

} // namespace orvo
