import random
import struct
import unittest

import _path  # noqa: F401
from orvoart.codecs import (bmp_bytes, gif_bytes, ico_bytes, png_bytes, read_bmp, read_gif, read_ico,
                            read_png)
from orvoart.raster import Image


def noise(w, h, seed, alpha=False):
    rnd = random.Random(seed)
    img = Image(w, h, alpha=0 if alpha else None)
    for y in range(h):
        for x in range(w):
            img.set(x, y, rnd.randrange(1 << 24), rnd.randrange(256))
    return img


class BmpTest(unittest.TestCase):
    def test_round_trip_with_row_padding(self):
        # Widths 1..5 at 24 bits cover every padding length; rows must come back in order.
        for bpp in (24, 32):
            for w in range(1, 6):
                img = noise(w, 3, w)
                back, got_bpp = read_bmp(bmp_bytes(img, bpp))
                self.assertEqual((got_bpp, back.w, back.h, back.px), (bpp, w, 3, img.px))

    def test_header_is_bottom_up_bi_rgb_with_zero_fourth_byte(self):
        img = noise(3, 2, 7)
        data = bmp_bytes(img, 32)
        size, w, h, planes, bpp, comp, image_size = struct.unpack_from("<IiiHHII", data, 14)
        self.assertEqual((size, w, h, planes, bpp, comp, image_size), (40, 3, 2, 1, 32, 0, 24))
        self.assertEqual(struct.unpack_from("<I", data, 2)[0], len(data))
        self.assertEqual(set(data[54 + 3::4]), {0})
        # Bottom-up: the first stored pixel is the bottom-left one.
        self.assertEqual(data[54:57], bytes((img.get(0, 1) & 255, img.get(0, 1) >> 8 & 255, img.get(0, 1) >> 16)))

    def test_rejects_what_it_cannot_read(self):
        good = bmp_bytes(noise(4, 4, 1), 32)
        for bad in (b"", b"XX" + good[2:], good[:60], good[:30] + struct.pack("<I", 1) + good[34:]):
            with self.assertRaises(ValueError):
                read_bmp(bad)


class PngGifIcoTest(unittest.TestCase):
    def test_png_round_trip(self):
        for alpha in (False, True):
            img = noise(7, 5, 3, alpha)
            back = read_png(png_bytes(img))
            self.assertEqual(back.px, img.px)
            self.assertEqual(back.alpha, img.alpha)

    def test_gif_round_trip_through_code_table_resets(self):
        # 300 x 200 random indices over 256 colours overflow the 4096-entry table many times.
        rnd = random.Random(5)
        palette = [rnd.randrange(1 << 24) for _ in range(256)]
        indices = [rnd.randrange(256) for _ in range(300 * 200)]
        img, pal = read_gif(gif_bytes(300, 200, palette, indices))
        self.assertEqual(img.px, [palette[i] for i in indices])

    def test_gif_small_palettes_and_runs(self):
        for colours in (1, 2, 3, 5, 17):
            palette = list(range(colours))
            indices = [(i // 7) % colours for i in range(40 * 30)]
            data = gif_bytes(40, 30, palette, indices)
            self.assertTrue(data.startswith(b"GIF89a") and data.endswith(b";"))
            self.assertEqual(read_gif(data)[0].px, [palette[i] for i in indices])

    def test_icon_keeps_sizes_alpha_and_png_for_the_largest(self):
        images = [noise(s, s, s, alpha=True) for s in (16, 24, 256)]
        entries = read_ico(ico_bytes(images))
        self.assertEqual([(w, h, kind) for w, h, kind, _ in entries],
                         [(16, 16, "dib"), (24, 24, "dib"), (256, 256, "png")])
        for (_, _, _, back), img in zip(entries, images):
            self.assertEqual((back.px, back.alpha), (img.px, img.alpha))


if __name__ == "__main__":
    unittest.main()
