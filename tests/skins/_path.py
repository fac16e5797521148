"""Makes the skins' drawing library importable from the tests, keeps caches out of the tree, and
finds the rendered skins: the build's (ORVO_SKINS_BUILD, ORVO_PICTURES_BUILD, set by ctest), or
rendered here into a temporary folder when the tests are run by hand."""
import atexit
import os
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True
ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
SKINS = os.path.join(ROOT, "skins")
if SKINS not in sys.path:
    sys.path.insert(0, SKINS)

from orvoart import files, pictures, registry  # noqa: E402

_scratch = []


def scratch():
    """A temporary folder, removed when the tests end."""
    path = tempfile.mkdtemp(prefix="orvo-art-")
    _scratch.append(path)
    return path


atexit.register(lambda: [shutil.rmtree(p, ignore_errors=True) for p in _scratch])
_rendered = {}


def rendered(name):
    """The folder holding skins/<name> rendered at every scale."""
    build = os.environ.get("ORVO_SKINS_BUILD")
    if build and os.path.isdir(os.path.join(build, name)):
        return os.path.join(build, name)
    if name not in _rendered:
        _rendered[name] = os.path.join(scratch(), name)
        files.write_skin(registry.load(name), _rendered[name])
    return _rendered[name]


def pictures_folder():
    build = os.environ.get("ORVO_PICTURES_BUILD")
    if build and os.path.isdir(build):
        return build
    if "pictures" not in _rendered:
        _rendered["pictures"] = scratch()
        pictures.write_all(_rendered["pictures"])
    return _rendered["pictures"]
