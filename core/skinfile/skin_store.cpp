#include "core/skinfile/skin_store.h"

#include "core/skinfile/byte_order.h"
#include "core/skinfile/lzh.h"
#include "core/skinfile/skinfile_error.h"

#include <algorithm>
#include <string>

namespace orvo {

std::uint32_t SkinStoreSize(std::span<const std::uint8_t> store) {
    if (store.size() < 4)
        throw ElzhException("LZH : skin store of " + std::to_string(store.size()) +
                            " bytes is shorter than its 4-byte size field");
    const auto size = static_cast<std::int32_t>(LoadLE32(store.data()));
    if (size < 0)
        throw ElzhException("LZH : skin store states a negative size (" + std::to_string(size) + ")");
    return static_cast<std::uint32_t>(size);
}

std::vector<std::uint8_t> DecodeSkinStore(std::span<const std::uint8_t> store) {
    const std::uint32_t size = SkinStoreSize(store);
    TLZH codec;
    return codec.Decode(store.subspan(4), size);
}

std::vector<std::uint8_t> DecodeSkinStorePrefix(std::span<const std::uint8_t> store, std::uint32_t limit) {
    const std::uint32_t size = SkinStoreSize(store);
    TLZH::CheckDecodable(store.size() - 4, size); // refused as the whole store would be
    TLZH codec;
    return codec.Decode(store.subspan(4), std::min(size, limit));
}

std::vector<std::uint8_t> EncodeSkinStore(std::span<const std::uint8_t> archive) {
    if (archive.size() > TLZH::MaxDecodedSize)
        throw ElzhException("LZH : " + std::to_string(archive.size()) + " bytes exceed the store limit of " +
                            std::to_string(TLZH::MaxDecodedSize) + " bytes");
    std::vector<std::uint8_t> store;
    AppendLE32(store, static_cast<std::uint32_t>(archive.size()));
    TLZH codec;
    const std::vector<std::uint8_t> bits = codec.Encode(archive);
    store.insert(store.end(), bits.begin(), bits.end());
    return store;
}

} // namespace orvo
