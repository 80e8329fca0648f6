#!/usr/bin/python3
"""Writes resources/wordsdict.csv, the input method's code dictionary.

The note entries follow from a rule (note letter + octave suffix + "q" for
the breath mark + "x" for the small form), so they are generated rather than
typed, which keeps codes, names and code points in step with the notation
font (tools/font/make_font.py reads the same tables through notation.py).

    /usr/bin/python3 tools/make_wordsdict.py [output.csv]
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "font"))
import notation  # noqa: E402

HEADER = "unicode编码 拼音 权重 注释"
WEIGHT = "0.6"


def entries():
    """(code point, code, name) for every dictionary line, in file order."""
    for cp, code, name in notation.MARK_ENTRIES:
        yield cp, code, name
    for note in notation.notes():
        yield note.cp, note.code, note.name


def render():
    lines = [HEADER]
    lines += ["U%08X %s %s %s" % (cp, code, WEIGHT, name) for cp, code, name in entries()]
    # The program reads the file in text mode, but the shipped copy keeps CRLF.
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "wordsdict.csv")
    with open(out, "wb") as f:
        f.write(render())


if __name__ == "__main__":
    main()
