#include "skin/draw/draw_helpers.h"

#include <algorithm>

namespace orvo::draw_detail {

namespace {

// Larger scratch surfaces are not kept between calls.
constexpr long long KeptPixels = 4'000'000;

struct TThreadScratch {
    std::unique_ptr<TBitmap> Bitmap;
    bool InUse = false;
};

thread_local TThreadScratch Scratch;

} // namespace

std::unique_ptr<TBitmap> Surface(int width, int height) {
    auto surface = std::make_unique<TBitmap>(std::max(width, 0), std::max(height, 0), pf24bit);
    if (!surface->Empty()) SetStretchBltMode(surface->Canvas().Handle(), COLORONCOLOR);
    return surface;
}

TScratch::TScratch(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (Scratch.InUse || static_cast<long long>(width) * height > KeptPixels) {
        FOwn = Surface(width, height);
        FBitmap = FOwn.get();
        return;
    }
    auto& kept = Scratch.Bitmap;
    if (!kept || kept->Width() < width || kept->Height() < height) {
        const int w = kept ? std::max(kept->Width(), width) : width;
        const int h = kept ? std::max(kept->Height(), height) : height;
        kept = std::make_unique<TBitmap>(w, h, pf24bit);
    }
    SetStretchBltMode(kept->Canvas().Handle(), COLORONCOLOR);
    Scratch.InUse = FLeased = true;
    FBitmap = kept.get();
}

TScratch::~TScratch() {
    if (FLeased) Scratch.InUse = false;
}

} // namespace orvo::draw_detail
