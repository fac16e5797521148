"""The skins drawn here, by folder under skins/: each folder's art package holds `skin.py`, the
skin as a whole (see files.py for what it gives)."""

import importlib
import os
import sys

SKINS_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Folder -> art package. "default" is the skin stored in the program.
SKINS = {"default": "slate_art", "jade": "jade_art", "night": "night_art"}


def load(name):
    """The skin module of skins/<name>."""
    folder = os.path.join(SKINS_DIR, name)
    if folder not in sys.path:
        sys.path.insert(0, folder)
    return importlib.import_module(f"{SKINS[name]}.skin")
