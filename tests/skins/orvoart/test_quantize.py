import random
import unittest

import _path  # noqa: F401
from orvoart.quantize import quantize
from orvoart.raster import channels


class QuantizeTest(unittest.TestCase):
    def test_few_colours_are_kept_exactly(self):
        pixels = [5, 9, 5, 0xABCDEF, 9]
        palette, indices = quantize(pixels, 256, keep=(9,))
        self.assertEqual(palette[0], 9)
        self.assertEqual([palette[i] for i in indices], pixels)

    def test_many_colours_fit_the_limit_and_keep_the_reserved_ones(self):
        rnd = random.Random(3)
        face = 0xE3E0D5
        pixels = [rnd.randrange(1 << 24) for _ in range(5000)] + [face] * 100
        palette, indices = quantize(pixels, 256, keep=(face,))
        self.assertLessEqual(len(palette), 256)
        self.assertTrue(all(palette[i] == face for i, p in zip(indices, pixels) if p == face))
        # Each colour lands on a representative not far from it (a box mean, not an arbitrary one).
        worst = max(sum(abs(a - b) for a, b in zip(channels(p), channels(palette[i])))
                    for p, i in zip(pixels, indices))
        self.assertLess(worst, 3 * 100)

    def test_gradient_keeps_its_order(self):
        pixels = [(v << 16) | (v << 8) | v for v in range(256)] * 2
        palette, indices = quantize(pixels, 16)
        greys = [palette[i] & 255 for i in indices[:256]]
        self.assertEqual(greys, sorted(greys))


if __name__ == "__main__":
    unittest.main()
