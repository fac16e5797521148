// Any bytes must come back unchanged through the encoder and the decoder.
#include "core/skinfile/skin_store.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> store = orvo::EncodeSkinStore({data, size});
    const std::vector<std::uint8_t> back = orvo::DecodeSkinStore(store);
    if (back.size() != size || (size > 0 && std::memcmp(back.data(), data, size) != 0)) std::abort();
    return 0;
}
