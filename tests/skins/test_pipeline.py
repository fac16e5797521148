"""The pipeline: the same sources give the same files (and the same store) byte for byte, on any
processor, and each scale's sizes follow the one rule the program scales by."""
import filecmp
import os
import subprocess
import sys
import unittest

from _path import ROOT, registry, scratch
from orvoart.files import scaled_size
from orvoart.scale import Scale, scale_length

RENDER = os.path.join(ROOT, "skins", "render.py")
# Pixman's plain routines instead of the ones it picks for this processor.
PLAIN = dict(os.environ, PIXMAN_DISABLE="mmx sse2 ssse3 vmx arm-simd arm-neon mips-dspr2")


def render(args, env=None):
    subprocess.run([sys.executable, RENDER, *args], check=True, env=env, stderr=subprocess.DEVNULL)


def same_folders(a, b):
    names = sorted(os.listdir(a))
    if names != sorted(os.listdir(b)):
        return False
    _, mismatch, errors = filecmp.cmpfiles(a, b, names, shallow=False)
    return not mismatch and not errors


class DeterminismTest(unittest.TestCase):
    def test_rendering_twice_gives_the_same_bytes(self):
        # Two processes (so nothing is shared), the second with pixman's processor-specific
        # routines switched off.
        tool = os.environ.get("ORVO_SKIN_TOOL")
        for name in registry.SKINS:
            a, b = os.path.join(scratch(), name), os.path.join(scratch(), name)
            render(["skin", name, a])
            render(["skin", name, b], PLAIN)
            self.assertTrue(same_folders(a, b), name)
            if tool:
                stores = [os.path.join(scratch(), "s.skn") for _ in range(2)]
                for folder, store in zip((a, b), stores):
                    subprocess.run([tool, "pack", folder, store], check=True, stdout=subprocess.DEVNULL)
                self.assertTrue(filecmp.cmp(*stores, shallow=False), f"{name}.skn")
        a, b = scratch(), scratch()
        render(["pictures", a])
        render(["pictures", b], PLAIN)
        self.assertTrue(same_folders(a, b), "pictures")


class ScaleRuleTest(unittest.TestCase):
    def test_lengths_follow_the_programs_rule(self):
        # round(v * dpi / 96), halves away from zero: 23 pixels are 35 at 150 %.
        self.assertEqual([scale_length(v, 144) for v in (23, 21, 5, 1, 0, -5)], [35, 32, 8, 2, 0, -8])
        self.assertEqual([scale_length(v, 120) for v in (10, 6, 2)], [13, 8, 3])
        self.assertEqual(scale_length(17, 192), 34)

    def test_each_frame_is_scaled_and_the_strip_keeps_its_count(self):
        k = Scale(150)
        self.assertEqual(scaled_size((90, 21, 5, "h"), k), (5 * 27, 32))
        self.assertEqual(scaled_size((292, 58, 2, "v"), k), (438, 2 * 44))
        # Two spare columns after five 14-wide frames: the frames as the engine cuts them stay whole.
        w, h = scaled_size((72, 18, 5, "h"), k)
        self.assertEqual((w // 5, h), (21, 27))


if __name__ == "__main__":
    unittest.main()
