#include "skin/data/skin_scale_source.h"

#include "core/skinfile/bmp.h"
#include "core/skinfile/skinfile_error.h"

namespace orvo {

void TSkinScaleSource::Reset(std::unique_ptr<TSkinReader> archive) {
    FArchive.reset();
    FIndex = {};
    if (!archive) return;
    TSkinScaleIndex index(*archive);
    if (index.Empty()) return; // today's store: nothing to keep
    FIndex = std::move(index);
    FArchive = std::move(archive);
}

std::vector<int> TSkinScaleSource::ScalesOf(std::string_view entry, int width, int height,
                                            TImageFrames frames) const {
    std::vector<int> fitting;
    if (!FArchive || entry.empty()) return fitting;
    for (const TSkinScaleIndex::TEntry& e : FIndex.Of(entry)) {
        try {
            const TBmpInfo info = ReadBmpInfo(FArchive->EntryBytes(e.Index));
            if (ScaledImageSize(width, height, frames, DpiOfPercent(e.Percent)).Fits(info.Width, info.Height))
                fitting.push_back(e.Percent);
        } catch (const EBmpError&) {
            // not a bitmap we read: as if it were not there
        }
    }
    return fitting;
}

TImage32 TSkinScaleSource::Image(std::string_view entry, int percent) const {
    if (!FArchive) return {};
    for (const TSkinScaleIndex::TEntry& e : FIndex.Of(entry)) {
        if (e.Percent != percent) continue;
        try {
            return ReadBmp(FArchive->EntryBytes(e.Index));
        } catch (const EBmpError&) {
            return {};
        }
    }
    return {};
}

} // namespace orvo
