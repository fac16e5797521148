#include "skin/draw/skin_draw.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace orvo {

namespace {

// Rectangles wait in an RGNDATA block that grows by this many, and become a region (ORed into
// the result) whenever this many have gathered, which keeps every block small.
constexpr DWORD GrowBy = 500;
constexpr DWORD FlushAt = 2000;

class TRegionBuilder {
public:
    TRegionBuilder() { Reset(); }

    void Add(const RECT& r) {
        if (Header().nCount == FCapacity) Grow();
        Rects()[Header().nCount++] = r;
        RECT& box = Header().rcBound;
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
        if (Header().nCount == FlushAt) Flush();
    }

    TRegionHandle Finish() {
        Flush();
        return std::move(FResult);
    }

private:
    RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(FBuffer.data()); }
    RECT* Rects() { return reinterpret_cast<RECT*>(FBuffer.data() + sizeof(RGNDATAHEADER)); }

    void Grow() {
        FCapacity += GrowBy;
        FBuffer.resize(sizeof(RGNDATAHEADER) + FCapacity * sizeof(RECT));
    }

    void Reset() {
        if (FBuffer.empty()) Grow();
        RGNDATAHEADER& h = Header();
        h.dwSize = sizeof(RGNDATAHEADER);
        h.iType = RDH_RECTANGLES;
        h.nCount = 0;
        h.nRgnSize = 0;
        h.rcBound = RECT{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    }

    void Flush() {
        const DWORD count = Header().nCount;
        if (count == 0) return;
        Header().nRgnSize = count * sizeof(RECT);
        TRegionHandle part(ExtCreateRegion(nullptr,
                                           static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT)),
                                           reinterpret_cast<const RGNDATA*>(FBuffer.data())));
        if (!part) throw EOutOfResources(L"Out of system resources");
        if (FResult)
            CombineRgn(FResult.Get(), FResult.Get(), part.Get(), RGN_OR);
        else
            FResult = std::move(part);
        Reset();
    }

    // DWORD-aligned storage for the header and the rectangles.
    std::vector<std::uint8_t> FBuffer;
    DWORD FCapacity = 0;
    TRegionHandle FResult;
};

} // namespace

TRegionHandle RegionFromBitmap(TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                               int redTolerance, TColor key) {
    if (bitmap.Empty()) return {};
    key = ColorToRGB(key);
    const int keyR = key & 0xFF, keyG = (key >> 8) & 0xFF, keyB = (key >> 16) & 0xFF;
    const int highR = std::min(keyR + std::max(redTolerance, 0), 255);
    const int highG = std::min(keyG + std::max(greenTolerance, 0), 255);
    const int highB = std::min(keyB + std::max(blueTolerance, 0), 255);
    const auto transparent = [&](std::uint32_t rgb) {
        const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
        return r >= keyR && r <= highR && g >= keyG && g <= highG && b >= keyB && b <= highB;
    };

    const int w = bitmap.Width();
    std::vector<std::uint32_t> row(w);
    TRegionBuilder builder;
    for (int y = 0; y < bitmap.Height(); ++y) {
        // Each row is read once, as 0x00RRGGBB, whatever the bitmap's format; the bitmap is left as it is.
        ReadRow(bitmap.PixelFormat(), bitmap.ScanLine(y), w, bitmap.Palette(), row.data());
        for (int x = 0; x < w;) {
            while (x < w && transparent(row[x]))
                ++x;
            const int start = x;
            while (x < w && !transparent(row[x]))
                ++x;
            if (x > start) builder.Add(RECT{start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    return builder.Finish();
}

} // namespace orvo
