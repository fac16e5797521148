"""Median-cut colour reduction for the GIF logo, keeping chosen colours exact."""

from collections import Counter

from .raster import channels, rgb


def _split(box):
    """Splits a list of (colour, count) along its widest channel at the weighted median."""
    ranges = []
    for ch in range(3):
        vals = [channels(c)[ch] for c, _ in box]
        ranges.append(max(vals) - min(vals))
    ch = ranges.index(max(ranges))
    box = sorted(box, key=lambda e: (channels(e[0])[ch], e[0]))
    total, acc = sum(n for _, n in box), 0
    for i, (_, n) in enumerate(box):
        acc += n
        if acc * 2 >= total:
            cut = min(max(i + 1, 1), len(box) - 1)
            return box[:cut], box[cut:]
    return box[:-1], box[-1:]


def _mean(box):
    total = sum(n for _, n in box)
    sums = [sum(channels(c)[ch] * n for c, n in box) for ch in range(3)]
    return rgb(*(round(s / total) for s in sums))


def quantize(pixels, limit=256, keep=()):
    """Returns (palette, indices). Colours in keep are reproduced exactly and come first."""
    counts = Counter(pixels)
    exact = list(dict.fromkeys(keep))
    rest = [(c, n) for c, n in sorted(counts.items()) if c not in exact]
    budget = limit - len(exact)
    if len(rest) <= budget:
        palette = exact + [c for c, _ in rest]
        mapping = {c: c for c in palette}
    else:
        boxes = [rest]
        while len(boxes) < budget:
            boxes.sort(key=lambda b: (len(b) > 1, sum(n for _, n in b)), reverse=True)
            if len(boxes[0]) < 2:
                break
            boxes.extend(_split(boxes.pop(0)))
        mapping = {c: c for c in exact}
        palette = list(exact)
        for b in boxes:
            mean = _mean(b)
            palette.append(mean)
            for c, _ in b:
                mapping[c] = mean
    index = {c: i for i, c in enumerate(palette)}
    return palette, [index[mapping[c]] for c in pixels]
