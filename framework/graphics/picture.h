// TPicture: holds one graphic (a bitmap or a GIF image), recognises the format of what it loads
// by its signature, and stores itself in a stored form as binary data: Picture.Data is one byte
// with the length of the graphic's class name, the name in ASCII ("TGIFImage"), then the
// graphic's file bytes.
#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/graphics/graphic.h"

#include <memory>

namespace orvo {

template <class T> class TPublisher;

class TPicture : public TPersistent {
    ORVO_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    // Null when empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of `graphic` (null empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap; a picture that holds something else is emptied first and then
    // holds a new bitmap.
    TBitmap& Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // BMP or GIF, told apart by the first bytes; anything else throws EInvalidGraphic and leaves
    // the picture as it was.
    void LoadFromBytes(std::span<const std::uint8_t> data);
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::wstring& path);
    void SaveToFile(const std::wstring& path) const;

    using TPersistent::Assign;
    void Assign(TPersistent* source) override;

    static void Publish(TPublisher<TPicture>& p);
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    TNotifyEvent OnChange;

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed(TObject*) {
        if (OnChange) OnChange(this);
    }

    std::unique_ptr<TGraphic> FGraphic;
};

} // namespace orvo
