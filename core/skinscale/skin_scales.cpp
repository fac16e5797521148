#include "core/skinscale/skin_scales.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/skin_reader.h"

#include <algorithm>
#include <set>

namespace orvo {

bool IsSkinScalePercent(int percent) {
    return std::find(std::begin(SkinScalePercents), std::end(SkinScalePercents), percent) !=
           std::end(SkinScalePercents);
}

std::string ScaledImageName(std::string_view name, int percent) {
    const std::size_t dot = EndsWithNoCase(name, ".bmp") ? name.size() - 4 : name.size();
    std::string out(name.substr(0, dot));
    out += '@';
    out += std::to_string(percent);
    out += name.substr(dot);
    return out;
}

TScaledName ParseScaledName(std::string_view name) {
    TScaledName result;
    if (!EndsWithNoCase(name, ".bmp")) return result;
    const std::string_view stem = name.substr(0, name.size() - 4);
    const std::size_t at = stem.rfind('@');
    if (at == std::string_view::npos || at == 0) return result;
    const std::string_view digits = stem.substr(at + 1);
    if (digits.empty() || digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return result;
    int percent = 0;
    for (const char c : digits)
        percent = percent * 10 + (c - '0');
    result.Percent = percent;
    result.Base = std::string(stem.substr(0, at)) + std::string(name.substr(name.size() - 4));
    // Only the canonical spelling names a scale: "@0150" is no name a reader looks for.
    const bool canonical = std::to_string(percent) == digits;
    result.Kind = canonical && IsSkinScalePercent(percent) ? TScaledNameKind::Scaled : TScaledNameKind::UnknownScale;
    return result;
}

bool TScaledImageSize::Fits(int width, int height) const {
    if (Frames.Stacked) return width == Width && height >= Height && height <= Height + Spare;
    return height == Height && width >= Width && width <= Width + Spare;
}

std::string TScaledImageSize::Describe() const {
    const auto size = [](int w, int h) { return std::to_string(w) + " x " + std::to_string(h); };
    std::string text = Frames.Count == 1 ? "1 frame of " : std::to_string(Frames.Count) + " frames of ";
    text += size(FrameWidth, FrameHeight);
    if (Frames.Count > 1) text += Frames.Stacked ? " stacked" : " side by side";
    text += ": " + size(Width, Height);
    if (Spare > 0)
        text += " to " + (Frames.Stacked ? size(Width, Height + Spare) : size(Width + Spare, Height));
    return text + " pixels";
}

TScaledImageSize ScaledImageSize(int width, int height, TImageFrames frames, int dpi) {
    TScaledImageSize size;
    frames.Count = std::max(frames.Count, 1);
    size.Frames = frames;
    const int along = frames.Stacked ? height : width;
    const int across = frames.Stacked ? width : height;
    const int frameAlong = ScaleLength(along / frames.Count, dpi);
    const int frameAcross = ScaleLength(across, dpi);
    size.FrameWidth = frames.Stacked ? frameAcross : frameAlong;
    size.FrameHeight = frames.Stacked ? frameAlong : frameAcross;
    size.Width = frames.Stacked ? frameAcross : frameAlong * frames.Count;
    size.Height = frames.Stacked ? frameAlong * frames.Count : frameAcross;
    if (along % frames.Count != 0) size.Spare = frames.Count - 1;
    return size;
}

int SourcePercentFor(int dpi, std::span<const int> available) {
    if (dpi <= 0) dpi = DesignDpi;
    int larger = 0, largest = 100;
    for (const int percent : available) {
        const int at = DpiOfPercent(percent);
        if (at == dpi) return percent;
        if (at > dpi && (larger == 0 || percent < larger)) larger = percent;
        largest = std::max(largest, percent);
    }
    if (dpi == DesignDpi) return 100;
    if (dpi < DesignDpi) return 100; // the 100 % image is the nearest larger one
    return larger != 0 ? larger : largest;
}

TSkinScaleIndex::TSkinScaleIndex(const TSkinReader& reader) {
    std::set<std::string> seen;
    const auto& entries = reader.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!seen.insert(entries[i].Key).second) continue; // a repeated name is never read
        const TScaledName name = ParseScaledName(entries[i].Key);
        if (name.Kind != TScaledNameKind::Scaled) continue;
        std::vector<TEntry>& list = FByBase[name.Base]; // Key is lower case, so Base is too
        list.insert(std::upper_bound(list.begin(), list.end(), name.Percent,
                                     [](int p, const TEntry& e) { return p < e.Percent; }),
                    TEntry{name.Percent, i});
    }
}

std::span<const TSkinScaleIndex::TEntry> TSkinScaleIndex::Of(std::string_view name) const {
    const auto found = FByBase.find(AsciiLower(name));
    if (found == FByBase.end()) return {};
    return found->second;
}

std::vector<int> TSkinScaleIndex::Percents() const {
    std::set<int> all;
    for (const auto& [base, list] : FByBase)
        for (const TEntry& e : list)
            all.insert(e.Percent);
    return {all.begin(), all.end()};
}

} // namespace orvo
