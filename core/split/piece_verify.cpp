#include "core/split/piece_verify.h"

namespace orvo {

// Not implemented yet: refuses every manifest.
std::optional<TManifestError> VerifyPieces(const std::string& manifestPath, TFileSystem&, const TTaskControl&,
                                           TVerifyReport&) {
    return TManifestError{manifestPath, {TManifestProblem::Unreadable, "not implemented"}, {0, "not implemented"}};
}

std::string TManifestError::Text() const {
    return "not implemented";
}

} // namespace orvo
