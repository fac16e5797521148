// The checks made before a split writes anything: its options, its names against the source, and
// with NoClobber the names already in the target folder.
#include "core/split/manifest.h"
#include "core/split/name_template.h"
#include "core/split/piece_naming.h"
#include "core/split/split_engine.h"

#include <algorithm>

namespace orvo {

std::optional<TOptionRefusal> CheckSplitTargets(const TSplitJob& job, TFileSystem& files) {
    if (std::optional<TOptionRefusal> refusal = ValidateSplitOptions(job)) return refusal;
    TOptionRefusal refusal;
    const std::optional<TNameTemplate> names = TNameTemplate::Parse(job.NameTemplate, &refusal);
    if (!names) return refusal;
    const TSourceNameParts source = SourceNameParts(job.SourcePath);
    const std::uint64_t total = job.Mode == TSplitMode::Pieces ? static_cast<std::uint64_t>(job.PieceCount) : 0;
    if (std::optional<TOptionRefusal> bad = CheckName(names->Render(source.Name, source.Ext, 1, total))) return bad;

    // A piece must never overwrite the source: is the source, in the target folder, a name the
    // template gives?
    const std::string sourceFile = job.SourcePath.substr(DirectoryPartOf(job.SourcePath).size());
    if (names->Match(sourceFile, source.Name, source.Ext) &&
        SameFile(files, job.SourcePath, job.TargetDir + sourceFile))
        return TOptionRefusal{TOptionProblem::PieceIsSource, job.SourcePath};
    const std::string manifest = ManifestPathFor(job.TargetDir, job.SourcePath);
    if (job.Manifest && SameFile(files, job.SourcePath, manifest))
        return TOptionRefusal{TOptionProblem::PieceIsSource, job.SourcePath};

    if (!job.NoClobber) return std::nullopt;
    std::vector<std::string> entries;
    TSystemError system;
    if (!files.ListDirectory(job.TargetDir, entries, system)) {
        // An unlistable folder: fall back to the names that can be asked for one by one.
        TFileStatus status;
        const std::string first = job.TargetDir + names->Render(source.Name, source.Ext, 1, total);
        if (files.Status(first, status, system) && status.Exists)
            return TOptionRefusal{TOptionProblem::PieceExists, first};
        entries.clear();
    }
    std::sort(entries.begin(), entries.end());
    for (const std::string& entry : entries)
        if (names->Match(entry, source.Name, source.Ext))
            return TOptionRefusal{TOptionProblem::PieceExists, job.TargetDir + entry};
    TFileStatus status;
    if (job.Manifest && files.Status(manifest, status, system) && status.Exists)
        return TOptionRefusal{TOptionProblem::ManifestExists, manifest};
    return std::nullopt;
}

} // namespace orvo
