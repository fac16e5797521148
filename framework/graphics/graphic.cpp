#include "framework/graphics/graphic.h"

#include "framework/base/properties.h"
#include "framework/base/streams.h"

namespace orvo {

namespace {

// Pictures of the program are small; this bounds what a hostile file can make us allocate.
constexpr std::size_t GraphicSizeLimit = 256u << 20;

} // namespace

ORVO_IMPLEMENT_CLASS(TGraphic);

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

std::vector<std::uint8_t> ReadRemaining(TStream& stream, std::size_t limit) {
    const std::int64_t remaining = stream.Size() - stream.Position();
    if (remaining < 0 || static_cast<std::uint64_t>(remaining) > limit)
        throw EInvalidGraphic(L"The image is too large");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(remaining));
    stream.ReadBuffer(data.data(), remaining);
    return data;
}

void TGraphic::LoadFromStream(TStream& stream) {
    LoadFromBytes(ReadRemaining(stream, GraphicSizeLimit));
}

void TGraphic::SaveToStream(TStream& stream) const {
    const auto data = SaveToBytes();
    stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
}

void TGraphic::LoadFromFile(const std::wstring& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::wstring& path) const {
    TFileStream file(path, fmCreate);
    SaveToStream(file);
}

} // namespace orvo
