#include "skin/data/skin_scale_source.h"

#include "core/skinfile/bmp.h"
#include "core/skinfile/skinfile_error.h"

#include <algorithm>

namespace orvo {

TSkinLoadResult LoadSkinArchive(TSkinReader& archive, std::span<const std::uint8_t> store) {
    return archive.LoadPartly(store, [](const TSkinEntry& e) {
        return ParseScaledName(e.Name).Kind == TScaledNameKind::Plain;
    });
}

void TSkinScaleSource::Reset(std::unique_ptr<TSkinReader> archive) {
    FArchive.reset();
    FIndex = {};
    FScaleEnds.clear();
    FUndecodable.clear();
    if (!archive) return;
    TSkinScaleIndex index(*archive);
    if (index.Empty()) return; // today's store: nothing to keep
    for (const auto& [base, entries] : index.All())
        for (const TSkinScaleIndex::TEntry& e : entries) {
            const TSkinEntry& stored = archive->Entries()[e.Index];
            std::uint64_t& end = FScaleEnds[e.Percent];
            end = std::max<std::uint64_t>(end, stored.Offset + stored.Size);
        }
    FIndex = std::move(index);
    FArchive = std::move(archive);
}

TImage32 TSkinScaleSource::Read(const TSkinScaleIndex::TEntry& entry, int width, int height, TImageFrames frames) {
    // Every image of the scale at once: the others are asked for next. A store that cannot give
    // them is not asked again.
    if (!FArchive->Decoded(entry.Index)) {
        if (FUndecodable.count(entry.Percent)) return {};
        if (!FArchive->DecodeTo(FScaleEnds[entry.Percent])) {
            FUndecodable.insert(entry.Percent);
            if (!FArchive->Decoded(entry.Index)) return {};
        }
    }
    const std::span<const std::uint8_t> bytes = FArchive->EntryBytes(entry.Index);
    try {
        const TBmpInfo info = ReadBmpInfo(bytes);
        if (!ScaledImageSize(width, height, frames, DpiOfPercent(entry.Percent)).Fits(info.Width, info.Height))
            return {};
        return ReadBmp(bytes);
    } catch (const EBmpError&) {
        return {}; // not a bitmap we read: as if it were not there
    }
}

TSkinScaleSource::TSource TSkinScaleSource::SourceFor(std::string_view entry, int width, int height,
                                                      TImageFrames frames, int dpi) {
    if (!FArchive || entry.empty()) return {};
    const auto listed = FIndex.Of(entry);
    std::vector<int> left;
    for (const TSkinScaleIndex::TEntry& e : listed)
        left.push_back(e.Percent);
    // The preferred scale first; one whose image does not fit is left aside for the next choice.
    while (!left.empty()) {
        const int percent = SourcePercentFor(dpi, left);
        if (percent == 100) break;
        const auto e = std::find_if(listed.begin(), listed.end(),
                                    [percent](const TSkinScaleIndex::TEntry& x) { return x.Percent == percent; });
        if (TImage32 image = Read(*e, width, height, frames); !image.Empty()) return {std::move(image), percent};
        left.erase(std::find(left.begin(), left.end(), percent));
    }
    return {};
}

std::vector<int> TSkinScaleSource::ScalesOf(std::string_view entry, int width, int height, TImageFrames frames) {
    std::vector<int> fitting;
    if (!FArchive || entry.empty()) return fitting;
    for (const TSkinScaleIndex::TEntry& e : FIndex.Of(entry))
        if (!Read(e, width, height, frames).Empty()) fitting.push_back(e.Percent);
    return fitting;
}

} // namespace orvo
