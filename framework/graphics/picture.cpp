#include "framework/graphics/picture.h"

#include "framework/graphics/gif_image.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"

#include <cstring>

namespace orvo {

namespace {

constexpr std::size_t PictureSizeLimit = 256u << 20;

// The graphic classes a picture can hold, by the name stored with their data.
std::unique_ptr<TGraphic> NewGraphic(std::wstring_view className) {
    if (className == L"TBitmap") return std::make_unique<TBitmap>();
    if (className == L"TGIFImage") return std::make_unique<TGIFImage>();
    return nullptr;
}

std::unique_ptr<TGraphic> NewGraphicFor(std::span<const std::uint8_t> data) {
    if (TGIFImage::HasSignature(data)) return std::make_unique<TGIFImage>();
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') return std::make_unique<TBitmap>();
    throw EInvalidGraphic(L"Unknown picture file format");
}

} // namespace

ORVO_IMPLEMENT_CLASS(TPicture);

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Publish(TPublisher<TPicture>& p) {
    p.Binary(L"Data", &TPicture::ReadData, &TPicture::WriteData);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject* sender) { Changed(sender); };
    Changed(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    Take(graphic ? graphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return *bitmap;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*FGraphic);
}

void TPicture::LoadFromBytes(std::span<const std::uint8_t> data) {
    auto graphic = NewGraphicFor(data);
    graphic->LoadFromBytes(data);
    Take(std::move(graphic));
}

void TPicture::LoadFromStream(TStream& stream) {
    LoadFromBytes(ReadRemaining(stream, PictureSizeLimit));
}

void TPicture::LoadFromFile(const std::wstring& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TPicture::SaveToFile(const std::wstring& path) const {
    if (FGraphic) FGraphic->SaveToFile(path);
}

void TPicture::Assign(TPersistent* source) {
    if (!source) return Take(nullptr);
    if (auto* picture = dynamic_cast<TPicture*>(source)) return SetGraphic(picture->FGraphic.get());
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) return SetGraphic(graphic);
    TPersistent::Assign(source);
}

void TPicture::ReadData(TStream& stream) {
    std::uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string name(length, '\0');
    stream.ReadBuffer(name.data(), length);
    if (length == 0) return Take(nullptr);
    auto graphic = NewGraphic(std::wstring(name.begin(), name.end()));
    if (!graphic) throw EInvalidGraphic(L"Unknown picture class " + std::wstring(name.begin(), name.end()));
    graphic->LoadFromBytes(ReadRemaining(stream, PictureSizeLimit));
    Take(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) {
    std::string name;
    if (FGraphic) {
        const std::wstring_view className = FGraphic->ClassName();
        name.assign(className.begin(), className.end()); // class names are ASCII
    }
    const auto length = static_cast<std::uint8_t>(name.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name.data(), length);
    if (FGraphic) FGraphic->SaveToStream(stream);
}

} // namespace orvo
