// The component's skin at other DPIs: made on first use per DPI from the loaded definitions and
// the store's per-scale images, kept until the skin changes.
#include "skin/data/skin_data.h"

#include "framework/base/exceptions.h"
#include "skin/data/skin_scaling.h"
#include "skin/data/skin_trace.h"

#include <algorithm>

namespace orvo {

namespace {

// Half and ten times the design DPI: beyond any display, and it bounds what a DPI can cost.
constexpr int MinSkinDpi = DesignDpi / 2;
constexpr int MaxSkinDpi = DesignDpi * 10;

} // namespace

TScaledSkin& TSkinData::AtDpi(int dpi) {
    dpi = dpi <= 0 ? DesignDpi : std::clamp(dpi, MinSkinDpi, MaxSkinDpi);
    if (dpi == DesignDpi) return FDesigned;
    if (const auto found = FScaled.find(dpi); found != FScaled.end()) return *found->second;
    try {
        auto scaled = std::make_unique<TScaledSkin>(ScaleSkinDefinitions(FSkin, FScaleSource, dpi), dpi);
        return *FScaled.emplace(dpi, std::move(scaled)).first->second;
    } catch (const Exception& e) {
        ORVO_SKIN_TRACE(L"skin at %d DPI not made: %ls", dpi, e.Message().c_str());
    } catch (const std::exception& e) {
        ORVO_SKIN_TRACE(L"skin at %d DPI not made: %hs", dpi, e.what());
    }
    return FDesigned; // out of memory or GDI objects: drawn unscaled rather than not at all
}

std::vector<std::pair<std::string, std::vector<int>>> TSkinData::ImageScales() {
    std::vector<std::pair<std::string, std::vector<int>>> result;
    if (FScaleSource.Empty()) return result;
    VisitSkinImages(FSkin, nullptr, [&](const TSkinImageSlot& slot) {
        if (slot.Designed.Empty() || slot.Entry.empty()) return;
        for (const auto& [entry, scales] : result)
            if (entry == slot.Entry) return;
        std::vector<int> scales =
            FScaleSource.ScalesOf(slot.Entry, slot.Designed.Width(), slot.Designed.Height(), slot.Frames);
        if (!scales.empty()) result.emplace_back(slot.Entry, std::move(scales));
    });
    return result;
}

} // namespace orvo
