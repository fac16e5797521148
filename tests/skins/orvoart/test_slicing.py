import unittest

import _path  # noqa: F401
from orvoart.raster import Image
from orvoart.slicing import frame_origin, frame_strip, sliced


def numbered(w, h):
    """Each pixel's colour is its own position, so a copy shows where it came from."""
    img = Image(w, h)
    img.px = [(y << 8) | x for y in range(h) for x in range(w)]
    return img


def source_x(img, x, y=0):
    return img.get(x, y) & 255


def source_y(img, x, y):
    return img.get(x, y) >> 8


class SlicingTest(unittest.TestCase):
    def test_frame_positions(self):
        self.assertEqual(frame_origin(Image(100, 10), 5, 4, False), (60, 0, 20, 10))
        self.assertEqual(frame_origin(Image(292, 58), 2, 2, True), (0, 29, 292, 29))
        # A strip that does not divide evenly keeps the truncated frame width.
        self.assertEqual(frame_origin(Image(72, 18), 5, 5, False), (56, 0, 14, 18))

    def test_margins_stay_and_edges_stretch(self):
        img = numbered(20, 10)
        out = sliced(img, 1, 1, False, (3, 2, 4, 1), (50, 30))
        self.assertEqual([source_x(out, x) for x in range(3)], [0, 1, 2])
        self.assertEqual([source_x(out, x) for x in range(46, 50)], [16, 17, 18, 19])
        self.assertEqual([source_y(out, 0, y) for y in (0, 1, 29)], [0, 1, 9])
        middle = {source_x(out, x) for x in range(3, 46)}
        self.assertEqual(middle, set(range(3, 16)))

    def test_target_smaller_than_margins_drops_them(self):
        img = numbered(20, 10)
        out = sliced(img, 1, 1, False, (8, 0, 8, 0), (10, 10))
        # The whole frame width is stretched over the target: both ends of the source appear.
        self.assertEqual((source_x(out, 0), source_x(out, 9)), (1, 19))

    def test_tiled_centre_repeats_from_its_origin(self):
        img = numbered(5, 1)
        out = sliced(img, 1, 1, False, (1, 0, 1, 0), (12, 1), tile=True)
        self.assertEqual([source_x(out, x) for x in range(12)], [0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 4])

    def test_overlapping_margins_mirror_the_middle(self):
        # 14-wide frames with 8-pixel margins: the middle source runs backwards, as a
        # stretching blit does with a negative width.
        img = numbered(14, 1)
        out = sliced(img, 1, 1, False, (8, 0, 8, 0), (20, 1))
        self.assertEqual([source_x(out, x) for x in range(8, 12)], [7, 7, 6, 6])
        self.assertEqual([source_x(out, x) for x in range(12, 20)], list(range(6, 14)))

    def test_frame_strip_picks_and_stretches_one_frame(self):
        img = numbered(60, 4)
        out = frame_strip(img, 3, 2, (40, 8))
        self.assertEqual({source_x(out, x, y) for x in range(40) for y in range(8)}, set(range(20, 40)))


if __name__ == "__main__":
    unittest.main()
