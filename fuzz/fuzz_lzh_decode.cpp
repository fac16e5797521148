// Any bytes as a skin store: decoding either fails with ElzhException or yields the stated size,
// plus at most one match's overrun.
#include "core/skinfile/byte_order.h"
#include "core/skinfile/skin_store.h"
#include "core/skinfile/skinfile_error.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const std::vector<std::uint8_t> out = orvo::DecodeSkinStore({data, size});
        const std::uint32_t stated = orvo::LoadLE32(data);
        if (out.size() < stated || out.size() > stated + 59u) std::abort();
    } catch (const orvo::ElzhException&) {
    }
    return 0;
}
