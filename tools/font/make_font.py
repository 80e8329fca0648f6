#!/usr/bin/python3
"""Builds the notation font resources/fonts/mevto.ttf and its glyph table
resources/fonts/README.md from the outlines of AR PL UKai (fonts-arphic-ukai).

    /usr/bin/python3 tools/font/make_font.py [--ukai PATH] [--out DIR]

The notes, the radicals 亻 and 彳, the low-octave tail 丿 and the signs
、 一 〃 ㄣ ㄥ ～ are UKai contours, moved and scaled; the dot, ring, triangles,
crosses, arch and breath tick are drawn here in a matching stroke weight.  The output is
byte-for-byte reproducible: timestamps are fixed and nothing depends on the
clock or on dictionary order.
"""
import argparse
import math
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.areaPen import AreaPen
from fontTools.pens.recordingPen import RecordingPen
from fontTools.pens.reverseContourPen import ReverseContourPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTCollection

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import notation  # noqa: E402

FAMILY = "Qelun工尺谱康熙字体"
PS_NAME = "QelunGongchepuKangxi-Regular"
VERSION = "1.000"
# Fixed build date, also quoted in the modification notice the Arphic
# licence asks for; changing it is a deliberate act, never the clock.
BUILD_DATE = "Mon Jan  1 00:00:00 2024"
NOTICE_DATE = "2024-01-01"

UKAI = "/usr/share/fonts/truetype/arphic/ukai.ttc"

EM = 1024
# UKai's CJK metrics, so Qt lays out lines exactly as with UKai itself.
HHEA_ASCENT, HHEA_DESCENT, HHEA_GAP = 997, -133, 6
TYPO_ASCENT, TYPO_DESCENT = 900, -124
WIN_ASCENT, WIN_DESCENT = 997, 133
# The ideographic em box every glyph must stay inside.
BOX = (0, TYPO_DESCENT, EM, TYPO_ASCENT)
# Centre used for self-placed signs: the middle of the line box, so that
# Qt's vertical centring (used by the score renderer) centres the ink too.
MID_X = EM / 2
MID_Y = (HHEA_ASCENT + HHEA_DESCENT) / 2

SMALL_SCALE = 0.6
# The renderer centres a small note's advance over a rect of its ink width
# at the right of the cell; with the ink centred in the advance that lands
# the ink flush right.  Ink shifted right inside the advance would overshoot
# the cell into the beat-mark lane, so the small forms stay centred.
SMALL_CENTRE_X = MID_X


# --- outlines ---------------------------------------------------------------

class Shape:
    """A list of closed contours, each a list of pen operations."""

    def __init__(self, contours=None):
        self.contours = contours or []

    def __add__(self, other):
        return Shape(self.contours + other.contours)

    def pick(self, *indices):
        return Shape([self.contours[i] for i in indices])

    def bounds(self):
        pts = [p for c in self.contours for _op, args in c for p in args if p is not None]
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        return min(xs), min(ys), max(xs), max(ys)

    def transform(self, sx, sy, dx, dy):
        """Scale about the origin, then move; affine maps keep quadratics."""
        def t(p):
            return None if p is None else (p[0] * sx + dx, p[1] * sy + dy)
        out = []
        for c in self.contours:
            ops = [(op, tuple(t(p) for p in args)) for op, args in c]
            if sx * sy < 0:  # a mirror flips the winding; keep TrueType's
                ops = _reverse(ops)
            out.append(ops)
        return Shape(out)

    def fit(self, box, keep_ratio=True):
        """Scale and move so the ink fills `box` (x0, y0, x1, y1); with
        keep_ratio the ink is centred in the box along the slack axis."""
        x0, y0, x1, y1 = self.bounds()
        bx0, by0, bx1, by1 = box
        sx = (bx1 - bx0) / (x1 - x0)
        sy = (by1 - by0) / (y1 - y0)
        if keep_ratio:
            sx = sy = min(sx, sy)
        dx = (bx0 + bx1) / 2 - (x0 + x1) / 2 * sx
        dy = (by0 + by1) / 2 - (y0 + y1) / 2 * sy
        return self.transform(sx, sy, dx, dy)

    def scaled_about(self, s, cx, cy):
        return self.transform(s, s, cx - cx * s, cy - cy * s)

    def centred(self, cx, cy, height=None, width=None):
        """Uniformly scaled to the given ink height or width, ink centred."""
        x0, y0, x1, y1 = self.bounds()
        if height is not None:
            s = height / (y1 - y0)
        elif width is not None:
            s = width / (x1 - x0)
        else:
            s = 1.0
        return self.transform(s, s, cx - (x0 + x1) / 2 * s, cy - (y0 + y1) / 2 * s)

    def draw(self, pen):
        for c in self.contours:
            for op, args in c:
                getattr(pen, op)(*args)


def _reverse(ops):
    rec = RecordingPen()
    rev = ReverseContourPen(rec)
    for op, args in ops:
        getattr(rev, op)(*args)
    return rec.value


class Source:
    """Contours of UKai glyphs, looked up by character."""

    def __init__(self, path):
        # Face 0 of the collection is UKai CN, whose forms suit the notes.
        self.font = TTCollection(path).fonts[0]
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()

    def __call__(self, char):
        rec = RecordingPen()
        self.glyphs[self.cmap[ord(char)]].draw(rec)
        contours, cur = [], []
        for op, args in rec.value:
            cur.append((op, args))
            if op in ("closePath", "endPath"):
                # UKai winds its contours the PostScript way; TrueType's
                # clockwise outers keep them in step with the drawn marks
                # where both overlap in one glyph.
                contours.append(_reverse(cur))
                cur = []
        return Shape(contours)


def circle(cx, cy, r, clockwise=True):
    """A circle as eight off-curve points with implied on-curve points;
    the octagon's corners sit at r / cos(22.5 deg) so the curve passes
    through radius r between them."""
    k = r / math.cos(math.pi / 8)
    angles = [i * math.pi / 4 for i in range(8)]
    if clockwise:
        angles = [-a for a in angles]
    pts = [(cx + k * math.cos(a), cy + k * math.sin(a)) for a in angles]
    return Shape([[("qCurveTo", tuple(pts) + (None,)), ("closePath", ())]])


def polygon(points):
    """A closed polygon; pass the points clockwise for a filled area."""
    ops = [("moveTo", (points[0],))]
    ops += [("lineTo", (p,)) for p in points[1:]]
    ops.append(("closePath", ()))
    return Shape([ops])


def ring(cx, cy, r, weight):
    return circle(cx, cy, r, True) + circle(cx, cy, r - weight, False)


def triangle(cx, cy, side):
    """An upright equilateral triangle centred on its ink box."""
    h = side * math.sqrt(3) / 2
    return [(cx - side / 2, cy - h / 2), (cx, cy + h / 2), (cx + side / 2, cy - h / 2)]


def hollow_triangle(cx, cy, side, weight):
    outer = triangle(cx, cy, side)
    # The inner edge lies `weight` inside each side: the incentre-scaled copy.
    h = side * math.sqrt(3) / 2
    inradius = h / 3
    s = (inradius - weight) / inradius
    icx, icy = cx, cy - h / 2 + inradius
    inner = [(icx + (x - icx) * s, icy + (y - icy) * s) for x, y in outer]
    return polygon(outer) + polygon(list(reversed(inner)))


def chevron(box, weight):
    """A bold ㄑ-like tick: two strokes meeting at a point on the left,
    tapering toward their open ends like a brush tick."""
    x0, y0, x1, y1 = box
    ym = (y0 + y1) / 2
    end = weight * 0.6  # stroke width at the open ends
    return polygon([
        (x0, ym),                      # the point
        (x1 - end, y1),                # upper end, outer edge
        (x1, y1 - end * 0.8),          # upper end, inner edge
        (x0 + weight * 1.15, ym),      # the inner corner
        (x1, y0 + end * 0.8),          # lower end, inner edge
        (x1 - end, y0),                # lower end, outer edge
    ])


def crescent(cx, cy, width, height, weight):
    """⌒: an arch whose band is `weight` thick at the top and tapers to
    points at both feet."""
    x0, x1 = cx - width / 2, cx + width / 2
    yb = cy - height / 2
    # A quadratic from foot to foot peaks at half its control point's height.
    top = yb + 2 * height
    inner = yb + 2 * (height - weight)
    ops = [("moveTo", ((x0, yb),)),
           ("qCurveTo", ((cx, top), (x1, yb))),
           ("qCurveTo", ((cx, inner), (x0, yb))),
           ("closePath", ())]
    return Shape([ops])


def brush_stroke(p0, p1, p2, w0, w2):
    """A stroke along the quadratic spine p0-p1-p2, `w0` wide at its start
    and `w2` at its end; offsetting the control point by the mean width is
    close enough to a true offset curve for the gentle curves used here."""
    def normal(a, b):
        dx, dy = b[0] - a[0], b[1] - a[1]
        n = math.hypot(dx, dy)
        return -dy / n, dx / n
    n0, n2 = normal(p0, p1), normal(p1, p2)
    n1 = normal(p0, p2)
    w1 = (w0 + w2) / 2
    def off(p, n, w, side):
        return (p[0] + side * n[0] * w / 2, p[1] + side * n[1] * w / 2)
    ops = [("moveTo", (off(p0, n0, w0, 1),)),
           ("qCurveTo", (off(p1, n1, w1, 1), off(p2, n2, w2, 1))),
           ("lineTo", (off(p2, n2, w2, -1),)),
           ("qCurveTo", (off(p1, n1, w1, -1), off(p0, n0, w0, -1))),
           ("closePath", ())]
    return clockwise(Shape([ops]))


def clockwise(shape):
    """The shape with every contour wound clockwise (TrueType's outer)."""
    out = []
    for c in shape.contours:
        pen = AreaPen()
        for op, args in c:
            getattr(pen, op)(*args)
        out.append(_reverse(c) if pen.value > 0 else c)
    return Shape(out)


# --- the signs --------------------------------------------------------------

# Stroke weight of the drawn marks, close to UKai's main strokes.
MARK_WEIGHT = 78


class Glyphs:
    def __init__(self, src):
        self.src = src
        # 亻 is the first contour of 仁, 彳 the first two of 行: taking the
        # radicals from real characters gives their compressed left-side form.
        self.ren = src("仁").pick(0)
        self.chi = src("行").pick(0, 1)
        self.tail = src("丿")

    # Notes.  Each builder returns the full-size form; the breath and small
    # variants are derived from it so every octave gets them the same way.

    def plain(self, char):
        return self.src(char)

    def high(self, char, radical):
        """Radical on the left, the note narrowed into the right part.  All
        seven upper notes are tall enough to fill the same part unharmed, so
        the composites line up as one series."""
        rx1 = radical.bounds()[2]
        note = self.src(char).fit((rx1 - 36, -10, 985, 800), keep_ratio=False)
        return radical + note

    def low(self, char):
        """The note raised and shrunk, a falling tail stroke under its foot."""
        # One fixed transform for every note keeps UKai's own placement, so
        # a low 一 still sits where 一 sits, only higher and smaller.
        note = self.src(char).scaled_about(0.78, MID_X, 880)
        foot = note.bounds()[1]
        top = foot + 50
        # Stretching 丿 wider than its own ratio thickens the stroke enough
        # to survive editor sizes.
        tail = self.tail.fit((MID_X - 170, max(TYPO_DESCENT + 4, top - 300), MID_X + 30, top),
                             keep_ratio=False)
        return note + tail

    def breath(self, shape):
        """Note shrunk toward the lower left, tick at the upper right."""
        body = shape.scaled_about(0.82, 40, TYPO_DESCENT + 40)
        return body + self.breath_tick()

    def breath_tick(self):
        return chevron((EM - 215, TYPO_ASCENT - 300, EM - 35, TYPO_ASCENT - 15), 52)

    def small(self, shape):
        return shape.scaled_about(SMALL_SCALE, SMALL_CENTRE_X, MID_Y)

    def note(self, n):
        if n.octave == "plain":
            g = self.plain(n.char)
        elif n.octave == "high":
            g = self.high(n.char, self.ren)
        elif n.octave == "double":
            g = self.high(n.char, self.chi)
        else:
            g = self.low(n.char)
        if n.breath:
            g = self.breath(g)
        if n.small:
            g = self.small(g)
        return g

    # Beat marks: compact, centred on the line box, each family one shape
    # (板 strokes and crosses, 眼 dots and rings); the 腰 marks are triangles
    # or the smaller cross, so no two are alike even at small sizes.

    def marks(self):
        s = self.src
        w = MARK_WEIGHT
        return {
            0xF0000: s("、").centred(MID_X, MID_Y, height=380),            # 头板
            0xF0001: circle(MID_X, MID_Y, 105),                            # 头眼/末眼
            0xF0002: ring(MID_X, MID_Y, 225, w),                           # 中眼
            0xF0003: self.cross(470),                                      # 赠板
            0xF0004: polygon(triangle(MID_X, MID_Y, 300)),                 # 腰头眼/腰末眼
            0xF0005: hollow_triangle(MID_X, MID_Y, 500, w),                # 腰中眼
            0xF0006: s("一").centred(MID_X, MID_Y, width=560),             # 底板
            0xF0007: self.brush_cross(400),                                # 腰赠板
        }

    def brush_cross(self, size):
        """乂: a falling 丿 and a rising-weight 乀 drawn as tapered brush
        strokes.  UKai's own 乂 is too light at mark size, and its strokes
        lose their shape when stretched."""
        h = size / 2
        def at(fx, fy):
            return (MID_X + fx * h, MID_Y + fy * h)
        pie = brush_stroke(at(0.35, 1), at(0.05, -0.25), at(-1, -1), 84, 14)
        na = brush_stroke(at(-0.8, 0.9), at(-0.05, -0.2), at(1, -0.95), 30, 92)
        return pie + na

    def cross(self, size):
        """×: two straight bars of the mark weight."""
        h = size / 2
        d = MARK_WEIGHT / 2 / math.sqrt(0.5) / 2
        def bar(sign):
            # A bar from (-h, -sign*h) to (h, sign*h), clockwise.
            a = (MID_X - h, MID_Y - sign * h)
            b = (MID_X + h, MID_Y + sign * h)
            nx, ny = -sign * d, d  # normal to the bar
            pts = [(a[0] - nx, a[1] - ny), (a[0] + nx, a[1] + ny),
                   (b[0] + nx, b[1] + ny), (b[0] - nx, b[1] - ny)]
            return polygon(pts)
        return bar(1) + bar(-1)

    def ornaments(self):
        s = self.src
        ditto = s("〃").centred(MID_X, MID_Y, height=420)
        return {
            0xF0008: ditto,                                                 # 疊腔
            0xF0009: ditto.transform(1, 1, -90, -40) + self.breath_tick(),   # 疊腔气口
            0xF000A: crescent(MID_X, MID_Y, 520, 230, MARK_WEIGHT),         # arc sign
            0xF000B: s("ㄣ").centred(MID_X, MID_Y, height=470),              # 带腔撮腔
            0xF000C: s("ㄥ").centred(MID_X, MID_Y, height=470),              # 豁腔
            0xF000D: s("～").centred(MID_X, MID_Y, width=560),              # 擻腔
        }


# What each mark and ornament glyph shows, for the glyph table.
MARK_LOOKS = {
    0xF0000: "、 brush dot (UKai 、)",
    0xF0001: "● small filled dot",
    0xF0002: "○ ring",
    0xF0003: "× straight cross",
    0xF0004: "▲ small filled triangle",
    0xF0005: "△ hollow triangle",
    0xF0006: "— brush bar (UKai 一)",
    0xF0007: "乂 brush cross of a 丿 and a 乀, smaller than ×",
    0xF0008: "〃 double tick (UKai 〃)",
    0xF0009: "〃 with the breath tick at the upper right",
    0xF000A: "⌒ arch tapering to both feet; this font's own sign, no dictionary entry",
    0xF000B: "ㄣ hook (UKai ㄣ)",
    0xF000C: "ㄥ hook (UKai ㄥ)",
    0xF000D: "～ wave (UKai ～)",
}

OCTAVE_LOOKS = {
    "plain": "{c}",
    "low": "{c} raised and shrunk, falling tail stroke 丿 below",
    "high": "亻 + narrowed {c}",
    "double": "彳 + narrowed {c}",
}


def note_look(n):
    text = OCTAVE_LOOKS[n.octave].format(c=n.char)
    if n.breath:
        text += ", shrunk, ㄑ-like breath tick at the upper right"
    if n.small:
        text += ", at 60 %"
    return text


# --- font assembly ----------------------------------------------------------

def glyph_name(cp):
    return "u%05X" % cp


def to_ttglyph(shape):
    pen = TTGlyphPen(None)
    shape.draw(pen)
    return pen.glyph()


def check_inside(name, shape):
    x0, y0, x1, y1 = shape.bounds()
    bx0, by0, bx1, by1 = BOX
    if x0 < bx0 or y0 < by0 or x1 > bx1 or y1 > by1:
        raise SystemExit("glyph %s leaves the em box: %r" % (name, (x0, y0, x1, y1)))


def build(ukai_path):
    src = Source(ukai_path)
    ukai_copyright = src.font["name"].getDebugName(0)
    ukai_license = src.font["name"].getDebugName(13)
    maker = Glyphs(src)

    shapes = {}
    shapes.update(maker.marks())
    shapes.update(maker.ornaments())
    for n in notation.notes():
        shapes[n.cp] = maker.note(n)
    assert sorted(shapes) == notation.all_code_points()

    notdef = polygon([(100, -100), (100, 880), (924, 880), (924, -100)]) + \
        polygon([(170, -30), (854, -30), (854, 810), (170, 810)])

    order = [".notdef", "space"] + [glyph_name(cp) for cp in sorted(shapes)]
    glyf = {".notdef": to_ttglyph(notdef), "space": TTGlyphPen(None).glyph()}
    for cp, shape in shapes.items():
        check_inside(glyph_name(cp), shape)
        glyf[glyph_name(cp)] = to_ttglyph(shape)

    fb = FontBuilder(EM, isTTF=True)
    fb.font.recalcTimestamp = False
    fb.setupGlyphOrder(order)
    cmap = {0x20: "space"}
    cmap.update({cp: glyph_name(cp) for cp in shapes})
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyf)

    glyf_table = fb.font["glyf"]
    hmetrics, vmetrics = {}, {}
    for name in order:
        g = glyf_table[name]
        g.recalcBounds(glyf_table)
        has_ink = g.numberOfContours != 0
        hmetrics[name] = (EM, g.xMin if has_ink else 0)
        # Vertical origin at the top of the ideographic box.
        vmetrics[name] = (EM, TYPO_ASCENT - g.yMax if has_ink else 0)
    fb.setupHorizontalMetrics(hmetrics)
    fb.setupHorizontalHeader(ascent=HHEA_ASCENT, descent=HHEA_DESCENT, lineGap=HHEA_GAP)
    fb.setupVerticalMetrics(vmetrics)
    fb.setupVerticalHeader(ascent=EM // 2, descent=-(EM // 2), lineGap=0)

    notice = ("Modified %s by the Qelun project: notation glyphs for gongche "
              "scores composed from the outlines of AR PL UKai CN with "
              "tools/font/make_font.py." % NOTICE_DATE)
    fb.setupNameTable({
        "copyright": ukai_copyright + "\n\n" + notice,
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": "Qelun: %s: %s" % (PS_NAME, VERSION),
        "fullName": FAMILY,
        "version": "Version " + VERSION,
        "psName": PS_NAME,
        "description": notice,
        "licenseDescription": ukai_license,
        "typographicFamily": FAMILY,
        "typographicSubfamily": "Regular",
    }, mac=False)

    fb.setupOS2(
        version=4,
        achVendID="QLUN",
        usWeightClass=400,
        fsType=0,
        fsSelection=0x40,  # REGULAR
        sTypoAscender=TYPO_ASCENT, sTypoDescender=TYPO_DESCENT, sTypoLineGap=0,
        usWinAscent=WIN_ASCENT, usWinDescent=WIN_DESCENT,
        sxHeight=500, sCapHeight=TYPO_ASCENT,
        ulCodePageRange1=0, ulCodePageRange2=0,
    )
    os2 = fb.font["OS/2"]
    os2.recalcUnicodeRanges(fb.font)
    os2.usFirstCharIndex = 0x20
    os2.usLastCharIndex = 0xFFFF  # the notation lies above the BMP
    fb.setupPost(keepGlyphNames=True)
    stamp = timestampFromString(BUILD_DATE)
    fb.setupHead(unitsPerEm=EM, fontRevision=float(VERSION), created=stamp, modified=stamp)
    fb.setupMaxp()
    return fb.font, shapes


def readme_text():
    names = notation.mark_names()
    codes = notation.mark_codes()
    rows = []
    for cp, name in names.items():
        rows.append((cp, " ".join(codes.get(cp, [])) or "—", name, MARK_LOOKS[cp]))
    for n in notation.notes():
        rows.append((n.cp, n.code, n.name, note_look(n)))
    out = [
        "# Notation font mevto.ttf",
        "",
        "Family name: \"%s\". Generated by `tools/font/make_font.py` from the outlines "
        "of AR PL UKai CN (fonts-arphic-ukai, Arphic Public License, text in "
        "`LICENSE-ArphicPL.txt` beside this file). Do not edit the font or this table "
        "by hand; regenerate both with:" % FAMILY,
        "",
        "    /usr/bin/python3 tools/font/make_font.py",
        "",
        "Metrics: unitsPerEm %d, every glyph advances %d horizontally and vertically "
        "and stays inside the ideographic box y %d…%d; hhea/OS/2 line metrics are "
        "UKai's (ascent %d, descent %d). Small forms (小) are drawn at 60 %% and "
        "centred in their advance: the score renderer sets them flush right by "
        "their ink width, which only lands inside the cell for centred ink."
        % (EM, EM, TYPO_DESCENT, TYPO_ASCENT, HHEA_ASCENT, -HHEA_DESCENT),
        "",
        "U+F000A has no dictionary entry; it appears only among the beat-mark "
        "alternatives and is drawn as an arc ⌒.",
        "",
        "A sheet of every glyph is `docs/font-glyphs.png` (tools/glyphsheet).",
        "",
        "| Code point | Code | Name | Glyph |",
        "|---|---|---|---|",
    ]
    out += ["| U+%05X | %s | %s | %s |" % r for r in rows]
    return "\n".join(out) + "\n"


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--ukai", default=UKAI)
    ap.add_argument("--out", default=os.path.join(root, "resources", "fonts"))
    args = ap.parse_args()
    font, _ = build(args.ukai)
    os.makedirs(args.out, exist_ok=True)
    font.save(os.path.join(args.out, "mevto.ttf"))
    with open(os.path.join(args.out, "README.md"), "w", encoding="utf-8", newline="\n") as f:
        f.write(readme_text())


if __name__ == "__main__":
    main()
