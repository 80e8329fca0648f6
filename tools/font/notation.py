"""The notation symbols: code points, input codes and names.

Shared by the dictionary generator and the font generator so that the two
can never disagree about which code point is which symbol.
"""
from collections import namedtuple

# Beat marks and ornaments, in dictionary order: (code point, code, name).
MARK_ENTRIES = [
    (0xF0000, "tb", "头板"), (0xF0000, "b", "板(头板)"),
    (0xF0001, "ty", "头眼"), (0xF0001, "my", "末眼"),
    (0xF0001, "xy", "小眼(头眼/末眼)"), (0xF0001, "y", "眼(头眼/末眼)"),
    (0xF0002, "zy", "中眼"), (0xF0002, "y", "眼(中眼)"),
    (0xF0003, "zb", "赠板"), (0xF0003, "b", "板(赠板)"),
    (0xF0004, "yty", "腰头眼"), (0xF0004, "ymy", "腰末眼"),
    (0xF0004, "cty", "侧头眼(腰头眼)"), (0xF0004, "cmy", "侧末眼(腰末眼)"),
    (0xF0004, "yy", "腰眼(腰头眼/腰末眼)"), (0xF0004, "cy", "侧眼(腰头眼/腰末眼)"),
    (0xF0005, "yzy", "腰中眼"), (0xF0005, "czy", "侧中眼(腰中眼)"),
    (0xF0005, "yy", "腰眼(腰中眼)"), (0xF0005, "cy", "侧眼(腰中眼)"),
    (0xF0006, "db", "底板"), (0xF0006, "b", "板(底板)"),
    (0xF0007, "yzb", "腰赠板"), (0xF0007, "zb", "赠板(腰赠板)"),
    (0xF0008, "dq", "疊腔"),
    (0xF0009, "dqqk", "疊腔气口"),
    (0xF000B, "dq", "带腔撮腔"), (0xF000B, "cq", "带腔撮腔"),
    (0xF000C, "hq", "豁腔"),
    (0xF000D, "sq", "擻腔"),
]

# U+F000A has no dictionary entry: it is offered only among the beat-mark
# alternatives, so the font gives it a sign and a descriptive name of its own.
UNLISTED = {0xF000A: "弧形腔格记号"}

# The ten notes in their fixed order, with their first-letter codes.
NOTES = [("合", "h"), ("四", "s"), ("一", "y"), ("上", "s"), ("尺", "c"),
         ("工", "g"), ("凡", "f"), ("六", "l"), ("五", "w"), ("乙", "y")]
LOW_NOTES = NOTES[:7]    # 合 … 凡 have a low octave
HIGH_NOTES = NOTES[3:]   # 上 … 乙 have the two upper octaves

# octave key -> (code suffix, name suffix, notes that have it)
OCTAVES = {
    "low": ("d", "低八度", LOW_NOTES),
    "plain": ("", "", NOTES),
    "high": ("u", "高八度", HIGH_NOTES),
    "double": ("uu", "高十六度", HIGH_NOTES),
}
OCTAVE_ORDER = ["low", "plain", "high", "double"]

Note = namedtuple("Note", "cp code name char octave breath small")


def notes():
    """Every note symbol in code-point order, U+F0020 to U+F009B.

    Blocks run small-or-not, then breath-or-not, then octave; within a block
    the notes keep their fixed order.
    """
    cp = 0xF0020
    for small in (False, True):
        for breath in (False, True):
            for octave in OCTAVE_ORDER:
                code_suffix, name_suffix, members = OCTAVES[octave]
                for char, letter in members:
                    code = letter + code_suffix + ("q" if breath else "") + ("x" if small else "")
                    name = char + name_suffix + ("气口" if breath else "") + ("小" if small else "")
                    yield Note(cp, code, name, char, octave, breath, small)
                    cp += 1


def mark_names():
    """One display name per beat-mark/ornament code point (its first entry)."""
    names = {}
    for cp, _code, name in MARK_ENTRIES:
        names.setdefault(cp, name)
    names.update(UNLISTED)
    return dict(sorted(names.items()))


def mark_codes():
    codes = {}
    for cp, code, _name in MARK_ENTRIES:
        codes.setdefault(cp, []).append(code)
    return codes


def all_code_points():
    return sorted(mark_names()) + [n.cp for n in notes()]
