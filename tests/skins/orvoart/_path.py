"""Makes the skins' shared drawing library importable from the tests and keeps caches out of the tree."""
import os
import sys

sys.dont_write_bytecode = True
SKINS = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "..", "..", "skins"))
if SKINS not in sys.path:
    sys.path.insert(0, SKINS)
