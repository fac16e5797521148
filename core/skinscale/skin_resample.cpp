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
    int Index; // source pixel
    float Weight;
};

// For each result pixel j of a run, the source pixels it is made of: Taps[Start[j]] up to
// Taps[Start[j + 1]].
struct TAxisFilter {
    std::vector<int> Start;
    std::vector<TTap> Taps;
    bool Negative = false; // some weight is below 0: results may leave their neighbours' range
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
                const double weight = w[static_cast<std::size_t>(t)];
                if (weight != 0) filter.Taps.push_back({source.From + k, static_cast<float>(weight)}); // not in the range
            }
        }
    }
    filter.Start.push_back(static_cast<int>(filter.Taps.size()));
    filter.Negative = std::any_of(filter.Taps.begin(), filter.Taps.end(), [](const TTap& t) { return t.Weight < 0; });
    return filter;
}

bool IsKey(std::uint32_t pixel) {
    return (pixel & 0xFFFFFF) == SkinKeyPixel;
}

// A block of pixels as planes: each channel times its coverage, the coverage (0 for the key, 1
// for a colour), and the lowest and highest value of each channel among the covered pixels that
// contribute (255 and 0 where none does). The cubic's negative lobes may not carry a result past
// those (no halo, no ringing): only the filter's shape is kept.
struct TPlanes {
    int Width = 0;
    bool Ranges = false; // Low and High are kept (only a filter with negative weights needs them)
    std::array<std::vector<float>, 4> Sum;
    std::array<std::vector<std::uint8_t>, 3> Low, High;

    void Reset(int width, int height, bool ranges) {
        Width = width;
        Ranges = ranges;
        const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        for (auto& plane : Sum) plane.assign(n, 0.0f);
        for (auto& plane : Low) plane.assign(ranges ? n : 0, 255);
        for (auto& plane : High) plane.assign(ranges ? n : 0, 0);
    }
};

// The block's source pixels as planes.
void LoadPlanes(const TImage32& source, int x0, int y0, int width, int height, bool ranges, TPlanes& planes) {
    planes.Reset(width, height, ranges);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* line = &source.Pixels[static_cast<std::size_t>(y0 + y) * source.Width + x0];
        const std::size_t row = static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = line[x];
            if (IsKey(p)) continue;
            const std::size_t i = row + x;
            const std::uint8_t c[3] = {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                       static_cast<std::uint8_t>(p)};
            for (std::size_t k = 0; k < 3; ++k) planes.Sum[k][i] = c[k];
            if (ranges)
                for (std::size_t k = 0; k < 3; ++k) planes.Low[k][i] = planes.High[k][i] = c[k];
            planes.Sum[3][i] = 1.0f;
        }
    }
}

// Across: every row of `in` to the filter's width.
void FilterRows(const TPlanes& in, int rows, const TAxisFilter& f, TPlanes& out) {
    const int width = static_cast<int>(f.Start.size()) - 1;
    out.Reset(width, rows, in.Ranges);
    for (int r = 0; r < rows; ++r) {
        const std::size_t from = static_cast<std::size_t>(r) * in.Width, to = static_cast<std::size_t>(r) * width;
        for (int j = 0; j < width; ++j) {
            float s[4] = {0, 0, 0, 0};
            std::uint8_t low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
            for (int t = f.Start[j]; t < f.Start[j + 1]; ++t) {
                const std::size_t i = from + static_cast<std::size_t>(f.Taps[t].Index);
                const float w = f.Taps[t].Weight;
                for (std::size_t k = 0; k < 4; ++k) s[k] += w * in.Sum[k][i];
                if (in.Ranges)
                    for (std::size_t k = 0; k < 3; ++k) {
                        low[k] = std::min(low[k], in.Low[k][i]);
                        high[k] = std::max(high[k], in.High[k][i]);
                    }
            }
            for (std::size_t k = 0; k < 4; ++k) out.Sum[k][to + j] = s[k];
            if (in.Ranges)
                for (std::size_t k = 0; k < 3; ++k) {
                    out.Low[k][to + j] = low[k];
                    out.High[k][to + j] = high[k];
                }
        }
    }
}

// A channel of the result, rounded; `low` and `high` are never below 0 or above 255.
std::uint32_t Channel(float value, float low, float high) {
    return static_cast<std::uint32_t>(std::clamp(value, low, high) + 0.5f);
}

// Down: the result rows from the rows filtered across, resolved to pixels of the result.
void FilterColumns(const TPlanes& in, const TAxisFilter& f, TImage32& result, int x0, int y0, TPlanes& row) {
    const int width = in.Width, height = static_cast<int>(f.Start.size()) - 1;
    for (int i = 0; i < height; ++i) {
        row.Reset(width, 1, in.Ranges);
        for (int t = f.Start[i]; t < f.Start[i + 1]; ++t) {
            const std::size_t from = static_cast<std::size_t>(f.Taps[t].Index) * width;
            const float w = f.Taps[t].Weight;
            for (std::size_t k = 0; k < 4; ++k) {
                float* acc = row.Sum[k].data();
                const float* src = in.Sum[k].data() + from;
                for (int j = 0; j < width; ++j) acc[j] += w * src[j];
            }
            for (std::size_t k = 0; in.Ranges && k < 3; ++k) {
                std::uint8_t* low = row.Low[k].data();
                std::uint8_t* high = row.High[k].data();
                const std::uint8_t* lowIn = in.Low[k].data() + from;
                const std::uint8_t* highIn = in.High[k].data() + from;
                for (int j = 0; j < width; ++j) {
                    low[j] = std::min(low[j], lowIn[j]);
                    high[j] = std::max(high[j], highIn[j]);
                }
            }
        }
        std::uint32_t* line = &result.Pixels[static_cast<std::size_t>(y0 + i) * result.Width + x0];
        for (int j = 0; j < width; ++j) {
            const float cover = row.Sum[3][j];
            if (!(cover >= 0.5f) || (in.Ranges && row.Low[0][j] > row.High[0][j])) {
                line[j] = SkinKeyPixel;
                continue;
            }
            const float scale = 1.0f / cover;
            std::uint32_t c[3];
            for (std::size_t k = 0; k < 3; ++k)
                c[k] = in.Ranges ? Channel(row.Sum[k][j] * scale, row.Low[k][j], row.High[k][j])
                                 : Channel(row.Sum[k][j] * scale, 0.0f, 255.0f);
            // A blend that lands on the key, or within the tolerance a window region gives it, is
            // moved off it by one step of blue.
            if (c[0] == 255 && c[1] <= 1 && c[2] == 255) c[2] = 254;
            line[j] = (c[0] << 16) | (c[1] << 8) | c[2];
        }
    }
}

// One piece of the frames: the same cut of every frame, so its filters are made once.
class TPieceResampler {
public:
    TPieceResampler(const TAxisPiece& x, const TAxisPiece& y)
        : FX(x), FY(y), FCopy(x.Source.Length == x.Target.Length && y.Source.Length == y.Target.Length) {
        if (FCopy) return;
        FAcross = MakeFilter({0, x.Source.Length}, x.Target.Length);
        FDown = MakeFilter({0, y.Source.Length}, y.Target.Length);
    }

    // The piece of the frame at (sx, sy) of the source onto the frame at (tx, ty) of the result.
    void Run(const TImage32& source, int sx, int sy, int tx, int ty, TImage32& result) {
        const int x0 = sx + FX.Source.From, y0 = sy + FY.Source.From;
        const int rx = tx + FX.Target.From, ry = ty + FY.Target.From;
        if (FCopy) {
            // Kept at its size: the pixels as drawn, whatever they are.
            for (int i = 0; i < FY.Target.Length; ++i)
                std::copy_n(&source.Pixels[static_cast<std::size_t>(y0 + i) * source.Width + x0], FX.Target.Length,
                            &result.Pixels[static_cast<std::size_t>(ry + i) * result.Width + rx]);
            return;
        }
        LoadPlanes(source, x0, y0, FX.Source.Length, FY.Source.Length, FAcross.Negative || FDown.Negative, FSource);
        FilterRows(FSource, FY.Source.Length, FAcross, FRows);
        FilterColumns(FRows, FDown, result, rx, ry, FRow);
    }

private:
    TAxisPiece FX, FY;
    bool FCopy;
    TAxisFilter FAcross, FDown;
    TPlanes FSource, FRows, FRow;
};

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
    for (int r = 0; r < down.Count; ++r)
        for (int c = 0; c < across.Count; ++c) {
            TPieceResampler piece(across.Pieces[c], down.Pieces[r]);
            for (int f = 0; f < count; ++f)
                piece.Run(source, frames.Stacked ? 0 : f * sw, frames.Stacked ? f * sh : 0,
                          frames.Stacked ? 0 : f * frameWidth, frames.Stacked ? f * frameHeight : 0, result);
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
