#include "core/split/manifest.h"
#include "core/split/piece_naming.h"

namespace orvo {

std::string ManifestPathFor(std::string_view targetDir, std::string_view sourcePath) {
    return std::string(targetDir) + BaseNameOf(sourcePath) + std::string(ManifestSuffix);
}

} // namespace orvo
