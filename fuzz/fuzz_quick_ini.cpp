// Any bytes as a skin INI text: every lookup the skin component makes answers something.
#include "core/skinfile/colour_text.h"
#include "core/skinfile/quick_ini.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvo::TQuickIni ini;
    ini.LoadFromBytes({data, size});
    const std::vector<std::string> sections = ini.ReadSections();
    for (const std::string& section : sections) {
        if (ini.SectionIndex(section) < -1) std::abort();
        for (const orvo::TIniLine& line : ini.Lines()) {
            const std::string value = ini.ReadString(section, line.Key, "?");
            ini.ReadInteger(section, line.Key, -1);
            orvo::ParseColour(value, -1);
            orvo::ParseSkinInteger(line.Value, 0);
        }
    }
    return 0;
}
