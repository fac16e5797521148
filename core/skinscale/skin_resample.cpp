#include "core/skinscale/skin_resample.h"

#include "core/skinfile/bmp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace orvo {

namespace {

// A run of pixels along one axis: From, From + 1, ..., From + Length - 1.
struct TRun {
    int From = 0;
    int Length = 0;
};

// A source run and the result run it is resampled onto.
struct TAxisPiece {
    TRun Source;
    TRun Target;
};

// The pieces an axis of a frame is cut into: before the first margin's end, between the margins,
// after the second margin's start. Pieces that vanish in the result are left out; a piece that is
// empty in the source but not in the result takes the one source pixel at its place (as the
// drawing code takes the seam between two margins that meet).
struct TAxisCut {
    std::array<TAxisPiece, 3> Pieces;
    int Count = 0;
};

TAxisCut CutAxis(int sourceExtent, int sourceBefore, int sourceAfter, int targetExtent, int targetBefore,
                 int targetAfter) {
    TAxisCut cut;
    const int sb = std::max(sourceBefore, 0), sa = std::max(sourceAfter, 0);
    const int tb = std::max(targetBefore, 0), ta = std::max(targetAfter, 0);
    if (sb + sa > sourceExtent || tb + ta > targetExtent) {
        cut.Pieces[cut.Count++] = {{0, sourceExtent}, {0, targetExtent}};
        return cut;
    }
    const std::array<TAxisPiece, 3> all = {{
        {{0, sb}, {0, tb}},
        {{sb, sourceExtent - sb - sa}, {tb, targetExtent - tb - ta}},
        {{sourceExtent - sa, sa}, {targetExtent - ta, ta}},
    }};
    for (TAxisPiece piece : all) {
        if (piece.Target.Length <= 0) continue;
        if (piece.Source.Length <= 0) piece.Source = {std::clamp(piece.Source.From, 0, sourceExtent - 1), 1};
        cut.Pieces[cut.Count++] = piece;
    }
    return cut;
}

struct TTap {
    int Index; // source pixel, absolute
    float Weight;
};

// For each result pixel j of a run, the source pixels it is made of: Taps[Start[j]] up to
// Taps[Start[j + 1]].
struct TAxisFilter {
    std::vector<int> Start;
    std::vector<TTap> Taps;
};

// Catmull-Rom weights of the four pixels around a position t (0 <= t < 1) past the second one.
std::array<double, 4> CubicWeights(double t) {
    const double t2 = t * t, t3 = t2 * t;
    return {(-t3 + 2 * t2 - t) / 2, (3 * t3 - 5 * t2 + 2) / 2, (-3 * t3 + 4 * t2 + t) / 2, (t3 - t2) / 2};
}

TAxisFilter MakeFilter(TRun source, int targetLength) {
    TAxisFilter filter;
    filter.Start.reserve(static_cast<std::size_t>(targetLength) + 1);
    const int m = source.Length, n = targetLength;
    for (int j = 0; j < n; ++j) {
        filter.Start.push_back(static_cast<int>(filter.Taps.size()));
        if (m == n) {
            filter.Taps.push_back({source.From + j, 1.0f});
        } else if (n < m) {
            // Result pixel j covers [j m, (j + 1) m) in units of 1/n of a source pixel; source
            // pixel k covers [k n, (k + 1) n). Weights are the overlaps, exact, over m.
            const std::int64_t lo = static_cast<std::int64_t>(j) * m, hi = lo + m;
            for (std::int64_t k = lo / n; k * n < hi && k < m; ++k) {
                const std::int64_t overlap = std::min(hi, (k + 1) * n) - std::max(lo, k * n);
                if (overlap > 0)
                    filter.Taps.push_back({source.From + static_cast<int>(k),
                                           static_cast<float>(static_cast<double>(overlap) / m)});
            }
        } else {
            const double x = (j + 0.5) * m / n - 0.5;
            const double base = std::floor(x);
            const std::array<double, 4> w = CubicWeights(x - base);
            for (int t = 0; t < 4; ++t) {
                const int k = std::clamp(static_cast<int>(base) - 1 + t, 0, m - 1);
                filter.Taps.push_back({source.From + k, static_cast<float>(w[static_cast<std::size_t>(t)])});
            }
        }
    }
    filter.Start.push_back(static_cast<int>(filter.Taps.size()));
    return filter;
}

// Colour sums weighted by coverage, and the coverage.
struct TSum {
    float Red = 0, Green = 0, Blue = 0, Cover = 0;
};

bool IsKey(std::uint32_t pixel) {
    return (pixel & 0xFFFFFF) == SkinKeyPixel;
}

std::uint8_t Channel(float sum, float cover) {
    const float v = std::clamp(sum / cover, 0.0f, 255.0f);
    return static_cast<std::uint8_t>(std::floor(v + 0.5f));
}

std::uint32_t Resolve(const TSum& s) {
    if (!(s.Cover >= 0.5f)) return SkinKeyPixel;
    const std::uint32_t r = Channel(s.Red, s.Cover), g = Channel(s.Green, s.Cover);
    std::uint32_t b = Channel(s.Blue, s.Cover);
    // A blend that lands on the key, or within the tolerance a window region gives it, is moved
    // off it by one step of blue.
    if (r == 255 && g <= 1 && b == 255) b = 254;
    return (r << 16) | (g << 8) | b;
}

// One piece of one frame: the source block (columns x, rows y) onto the result block.
void ResamplePiece(const TImage32& source, const TAxisPiece& x, const TAxisPiece& y, int sx, int sy, int tx,
                   int ty, TImage32& result, std::vector<TSum>& rows) {
    if (x.Source.Length == x.Target.Length && y.Source.Length == y.Target.Length) {
        // Kept at its size: the pixels as drawn, whatever they are.
        for (int i = 0; i < y.Target.Length; ++i)
            std::copy_n(&source.Pixels[static_cast<std::size_t>(sy + y.Source.From + i) * source.Width + sx +
                                       x.Source.From],
                        x.Target.Length,
                        &result.Pixels[static_cast<std::size_t>(ty + y.Target.From + i) * result.Width + tx +
                                       x.Target.From]);
        return;
    }
    const TAxisFilter fx = MakeFilter({sx + x.Source.From, x.Source.Length}, x.Target.Length);
    const TAxisFilter fy = MakeFilter({sy + y.Source.From, y.Source.Length}, y.Target.Length);
    const int tw = x.Target.Length, firstRow = sy + y.Source.From;
    // Across first: every source row of the piece to the result's width.
    rows.assign(static_cast<std::size_t>(tw) * y.Source.Length, TSum{});
    for (int r = 0; r < y.Source.Length; ++r) {
        const std::uint32_t* line = &source.Pixels[static_cast<std::size_t>(firstRow + r) * source.Width];
        TSum* out = &rows[static_cast<std::size_t>(r) * tw];
        for (int j = 0; j < tw; ++j) {
            TSum s;
            for (int k = fx.Start[j]; k < fx.Start[j + 1]; ++k) {
                const std::uint32_t p = line[fx.Taps[k].Index];
                if (IsKey(p)) continue;
                const float w = fx.Taps[k].Weight;
                s.Red += w * static_cast<float>((p >> 16) & 0xFF);
                s.Green += w * static_cast<float>((p >> 8) & 0xFF);
                s.Blue += w * static_cast<float>(p & 0xFF);
                s.Cover += w;
            }
            out[j] = s;
        }
    }
    // Then down: the result rows from those.
    for (int i = 0; i < y.Target.Length; ++i) {
        std::uint32_t* line = &result.Pixels[static_cast<std::size_t>(ty + y.Target.From + i) * result.Width];
        for (int j = 0; j < tw; ++j) {
            TSum s;
            for (int k = fy.Start[i]; k < fy.Start[i + 1]; ++k) {
                const TSum& in = rows[static_cast<std::size_t>(fy.Taps[k].Index - firstRow) * tw + j];
                const float w = fy.Taps[k].Weight;
                s.Red += w * in.Red;
                s.Green += w * in.Green;
                s.Blue += w * in.Blue;
                s.Cover += w * in.Cover;
            }
            line[tx + x.Target.From + j] = Resolve(s);
        }
    }
}

bool WellFormed(const TImage32& image) {
    return image.Width > 0 && image.Height > 0 &&
           image.Pixels.size() == static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height);
}

} // namespace

TImage32 ResampleFrames(const TImage32& source, TImageFrames frames, const TGridMargins& from, int frameWidth,
                        int frameHeight, const TGridMargins& to) {
    const int count = std::max(frames.Count, 1);
    if (!WellFormed(source) || frameWidth <= 0 || frameHeight <= 0) return {};
    const int sw = frames.Stacked ? source.Width : source.Width / count;
    const int sh = frames.Stacked ? source.Height / count : source.Height;
    if (sw <= 0 || sh <= 0) return {};
    const std::int64_t width = static_cast<std::int64_t>(frameWidth) * (frames.Stacked ? 1 : count);
    const std::int64_t height = static_cast<std::int64_t>(frameHeight) * (frames.Stacked ? count : 1);
    if (width > MaxBmpSide || height > MaxBmpSide || static_cast<std::uint64_t>(width * height) > MaxBmpPixels)
        return {};
    TImage32 result(static_cast<int>(width), static_cast<int>(height), SkinKeyPixel);
    const TAxisCut across = CutAxis(sw, from.Left, from.Right, frameWidth, to.Left, to.Right);
    const TAxisCut down = CutAxis(sh, from.Top, from.Bottom, frameHeight, to.Top, to.Bottom);
    std::vector<TSum> rows;
    for (int f = 0; f < count; ++f) {
        const int sx = frames.Stacked ? 0 : f * sw, sy = frames.Stacked ? f * sh : 0;
        const int tx = frames.Stacked ? 0 : f * frameWidth, ty = frames.Stacked ? f * frameHeight : 0;
        for (int r = 0; r < down.Count; ++r)
            for (int c = 0; c < across.Count; ++c)
                ResamplePiece(source, across.Pieces[c], down.Pieces[r], sx, sy, tx, ty, result, rows);
    }
    return result;
}

TGridMargins ScaleMargins(const TGridMargins& margins, int dpi) {
    const auto scale = [dpi](int v) { return ScaleLength(std::max(v, 0), dpi); };
    return {scale(margins.Left), scale(margins.Top), scale(margins.Right), scale(margins.Bottom)};
}

TImage32 ScaleSkinImage(const TImage32& source, int sourceDpi, TImageFrames frames, int frameWidth,
                        int frameHeight, const TGridMargins& margins, int dpi) {
    return ResampleFrames(source, frames, ScaleMargins(margins, sourceDpi), ScaleLength(frameWidth, dpi),
                          ScaleLength(frameHeight, dpi), ScaleMargins(margins, dpi));
}

} // namespace orvo
