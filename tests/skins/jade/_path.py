"""Makes the Jade skin's generator importable from the tests and keeps caches out of the tree."""
import os
import sys

sys.dont_write_bytecode = True
SKIN_DIR = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "..", "..", "skins", "jade"))
ROOT = os.path.normpath(os.path.join(SKIN_DIR, "..", ".."))
for path in (SKIN_DIR, os.path.dirname(SKIN_DIR)):  # jade_art and the shared orvoart
    if path not in sys.path:
        sys.path.insert(0, path)
