// TGraphic: what a picture can hold (a bitmap, a GIF image): a size, a way to draw itself onto a
// canvas, transparency, and its file bytes.
#pragma once

#include "framework/base/exceptions.h"
#include "framework/base/object.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace orvo {

class TCanvas;
class TStream;

ORVO_EXCEPTION(EInvalidGraphic, Exception);

// ClassName() is what a picture stores with the graphic's data ("TBitmap", "TGIFImage").
class TGraphic : public TPersistent {
    ORVO_CLASS(TGraphic, TPersistent)
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // Draws the graphic stretched into `r` of the canvas, transparent parts left alone.
    virtual void Draw(TCanvas& canvas, const RECT& r) = 0;
    // Replaces the content with a file image; throws EInvalidGraphic for data it cannot read.
    virtual void LoadFromBytes(std::span<const std::uint8_t> data) = 0;
    // The content as a file image.
    virtual std::vector<std::uint8_t> SaveToBytes() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // The whole rest of the stream / the whole file.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::wstring& path);
    void SaveToFile(const std::wstring& path) const;

    TNotifyEvent OnChange;

protected:
    void Changed() {
        if (OnChange) OnChange(this);
    }

private:
    bool FTransparent = false;
};

// The rest of a stream from its position, at most `limit` bytes (more throws EInvalidGraphic).
std::vector<std::uint8_t> ReadRemaining(TStream& stream, std::size_t limit);

} // namespace orvo
