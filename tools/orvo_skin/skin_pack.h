// Packing a skin directory into an archive: the directory's one INI file and every bitmap its
// sections name, bitmaps first in the order of their first mention, the INI after them, and then
// the bitmaps drawn for other scales ("Stem@150.bmp" beside "Stem.bmp"), by scale and then in
// the order of their 100 % images. Without such bitmaps the archive is that of the 100 % skin.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvo {

struct TPackedSkin {
    std::vector<std::uint8_t> Archive;   // version 20000
    std::vector<std::string> EntryNames; // in archive order
};

// A bitmap named in the INI with another letter case than its file is found all the same and
// stored under the file's own name. Throws ESkinToolError when the directory holds no or several
// INI files, or a named bitmap is missing, ambiguous or not a readable BMP; or a bitmap for another
// scale has no scale a store carries, no 100 % image among the named ones, another file of the same
// name in another letter case, or not the size of its 100 % image's frames scaled by the rule.
TPackedSkin PackSkinDirectory(const std::filesystem::path& dir);

// The bitmap file names an INI text names, in order of first mention (case-insensitively unique).
std::vector<std::string> BitmapsNamedByIni(const std::vector<std::uint8_t>& iniText);

} // namespace orvo
