// Any text as a manifest: the reader refuses it or reads a manifest whose every name is a plain
// file name, and which reads back the same once written again.
#include "core/split/manifest.h"
#include "core/split/name_template.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TManifest manifest;
    if (ParseManifest(text, manifest)) return 0;
    for (const TManifestPiece& piece : manifest.Pieces)
        if (CheckName(piece.Name) || piece.Name.find('/') != std::string::npos) std::abort();
    TManifest again;
    if (ParseManifest(ManifestText(manifest), again) || !(again == manifest)) std::abort();
    return 0;
}
