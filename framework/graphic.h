// TGraphic: what a picture can hold (a bitmap, a GIF image): a size, a way to draw itself onto a
// canvas, transparency, and its file bytes.
#pragma once

#include "framework/exceptions.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace orvo {

class TCanvas;

ORVO_EXCEPTION(EInvalidGraphic, Exception);

class TGraphic {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;
    virtual ~TGraphic() = default;

    // The class name stored with a picture's data ("TBitmap", "TGIFImage").
    virtual std::wstring GraphicClassName() const = 0;
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

    void LoadFromFile(const std::wstring& path);
    void SaveToFile(const std::wstring& path) const;

    std::function<void()> OnChange;

protected:
    void Changed() {
        if (OnChange) OnChange();
    }

private:
    bool FTransparent = false;
};

// Whole-file helpers: I/O failures throw EFOpenError / EReadError / EWriteError with the path.
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path, std::size_t limit);
void WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> data);

} // namespace orvo
