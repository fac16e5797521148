#include "core/split/piece_join.h"

namespace orvo {

// Not implemented yet.
std::optional<TJoinError> JoinPieces(const std::string& manifestPath, const std::string&, TFileSystem&,
                                     const TTaskControl&, TJoinReport&) {
    TJoinError error;
    error.Path = manifestPath;
    error.System = {0, "not implemented"};
    return error;
}

std::string TJoinError::Text() const {
    return "not implemented";
}

} // namespace orvo
