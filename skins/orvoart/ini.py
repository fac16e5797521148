"""Writing a skin's INI text as the packer and the engine want it (sections of key=value lines,
CR LF line ends)."""


def section(name, pairs):
    """The lines of one section, a blank line after it."""
    return [f"[{name}]"] + [f"{k}={v}" for k, v in pairs] + [""]


def margins(top, bottom, left, right):
    return [("TopHeight", top), ("BottomHeight", bottom), ("LeftWidth", left), ("Rightwidth", right)]


def text(lines):
    """The lines of the sections as one text with CR LF line ends, without the last blank line."""
    return "\r\n".join(lines[:-1]) + "\r\n"

