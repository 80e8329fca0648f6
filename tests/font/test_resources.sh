#!/bin/bash
# Checks the shipped notation font and dictionary:
#   - resources/fonts/mevto.ttf passes ots-sanitize (browsers load exported
#     SVG pages' font only if it does), and with fontTools: a format-12 cmap
#     maps every notation code point to a drawn glyph, the family name is the
#     one the program shows, metrics and em box hold, no two symbols look alike;
#   - resources/wordsdict.csv has the shipped figures (155 lines, 5222 bytes,
#     CRLF, no BOM, header, first and last entries) and names only code points
#     the font draws;
#   - both files are what their generators produce now (skipped when UKai is
#     not installed), so a generator change cannot go uncommitted;
#   - with FONT_GLYPHSHEET set to a built font_glyphsheet, Qt itself reports the
#     family name after QFontDatabase::addApplicationFont.
#
# Usage: tests/font/test_resources.sh [REPO_ROOT]
# Environment: PYTHON (default /usr/bin/python3, needs fontTools),
#              OTS_SANITIZE (default ots-sanitize), FONT_GLYPHSHEET (optional).
set -u

ROOT=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
PYTHON=${PYTHON:-/usr/bin/python3}
OTS_SANITIZE=${OTS_SANITIZE:-ots-sanitize}
FONT="$ROOT/resources/fonts/mevto.ttf"
CSV="$ROOT/resources/wordsdict.csv"
FAMILY="Qelun工尺谱康熙字体"
UKAI=/usr/share/fonts/truetype/arphic/ukai.ttc

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

for f in "$FONT" "$CSV"; do
    [ -f "$f" ] || { echo "FAIL: missing $f" >&2; exit 1; }
done

# --- OpenType validity ------------------------------------------------------
if ! command -v "$OTS_SANITIZE" >/dev/null; then
    fail "$OTS_SANITIZE not found (install opentype-sanitizer)"
elif out=$("$OTS_SANITIZE" "$FONT" "$TMP/sanitized.ttf" 2>&1); then
    pass "ots-sanitize accepts mevto.ttf"
else
    fail "ots-sanitize rejects mevto.ttf: $out"
fi

# --- dictionary figures -----------------------------------------------------
bytes=$(stat -c %s "$CSV")
[ "$bytes" -eq 5222 ] && pass "wordsdict.csv is 5222 bytes" || fail "wordsdict.csv is $bytes bytes, expected 5222"
lines=$(wc -l < "$CSV")
[ "$lines" -eq 155 ] && pass "wordsdict.csv has 155 lines" || fail "wordsdict.csv has $lines lines, expected 155"
crlf=$(grep -c $'\r$' "$CSV")
[ "$crlf" -eq "$lines" ] && [ "$(tail -c 2 "$CSV" | od -An -tx1 | tr -d ' ')" = "0d0a" ] \
    && pass "every line ends in CRLF" || fail "only $crlf of $lines lines end in CRLF (or the last line lacks one)"
[ "$(head -c 3 "$CSV" | od -An -tx1 | tr -d ' ')" != "efbbbf" ] && pass "no byte-order mark" || fail "wordsdict.csv starts with a BOM"
line() { sed -n "$1p" "$CSV" | tr -d '\r'; }
expect_line() {
    [ "$(line "$1")" = "$2" ] && pass "line $1 is \"$2\"" || fail "line $1 is \"$(line "$1")\", expected \"$2\""
}
expect_line 1 "unicode编码 拼音 权重 注释"
expect_line 2 "U000F0000 tb 0.6 头板"
expect_line 31 "U000F000D sq 0.6 擻腔"
expect_line 32 "U000F0020 hd 0.6 合低八度"
expect_line 155 "U000F009B yuuqx 0.6 乙高十六度气口小"
bad=$(tail -n +2 "$CSV" | tr -d '\r' | grep -vcE '^U000F00[0-9A-F]{2} [a-z]+ 0\.6 [^ ]+$')
[ "$bad" -eq 0 ] && pass "every entry is \"U<8 hex> code 0.6 name\"" || fail "$bad entries do not have the form \"U<8 hex> code 0.6 name\""

# --- font contents (fontTools) ----------------------------------------------
if ! "$PYTHON" -c 'import fontTools' 2>/dev/null; then
    fail "$PYTHON has no fontTools (use Debian's /usr/bin/python3 with python3-fonttools)"
else
    "$PYTHON" - "$FONT" "$CSV" "$FAMILY" <<'EOF' || failures=$((failures + 1))
import sys
from fontTools.ttLib import TTFont
from fontTools.pens.recordingPen import RecordingPen
from fontTools.pens.areaPen import AreaPen

font_path, csv_path, family = sys.argv[1:4]
font = TTFont(font_path)
problems = []

wanted = list(range(0xF0000, 0xF000E)) + list(range(0xF0020, 0xF009C))
assert len(wanted) == 138
tables = [t for t in font["cmap"].tables if t.format == 12 and t.isUnicode()]
if not tables:
    problems.append("no Unicode format-12 cmap subtable")
else:
    cmap = tables[0].cmap
    missing = [cp for cp in wanted if cp not in cmap]
    if missing:
        problems.append("format-12 cmap lacks %d code points, first U+%05X" % (len(missing), missing[0]))
    extra = sorted(cp for cp in cmap if cp > 0xFFFF and cp not in wanted)
    if extra:
        problems.append("cmap maps unexpected code points, first U+%05X" % extra[0])

    glyf = font["glyf"]
    outlines = {}
    for cp in wanted:
        name = cmap.get(cp)
        if name is None:
            continue
        g = glyf[name]
        if g.numberOfContours == 0:
            problems.append("U+%05X maps to an empty glyph" % cp)
            continue
        pen = RecordingPen()
        font.getGlyphSet()[name].draw(pen)
        outlines.setdefault(repr(pen.value), []).append(cp)
        # TrueType winds outer contours clockwise (negative area here); a
        # glyph whose net winding is not must have reversed parts.
        area = AreaPen()
        pen.replay(area)
        if area.value >= 0:
            problems.append("U+%05X is not wound clockwise" % cp)
    for cps in outlines.values():
        if len(cps) > 1:
            problems.append("identical outlines at " + ", ".join("U+%05X" % c for c in cps))

    csv_cps = set()
    with open(csv_path, encoding="utf-8") as f:
        next(f)
        for row in f:
            csv_cps.add(int(row.split(" ")[0].replace("U", ""), 16))
    unmapped = sorted(csv_cps - set(cmap))
    if unmapped:
        problems.append("dictionary names code points the font lacks, first U+%05X" % unmapped[0])
    if csv_cps != set(wanted) - {0xF000A}:
        problems.append("dictionary does not cover every notation code point but U+F000A")

names = font["name"]
for name_id in (1, 4, 16):
    value = names.getName(name_id, 3, 1, 0x409)
    if value is None or value.toUnicode() != family:
        problems.append("name ID %d is %r, expected %r" % (name_id, value and value.toUnicode(), family))

em = font["head"].unitsPerEm
if "vhea" not in font or "vmtx" not in font:
    problems.append("no vertical metrics (vhea/vmtx)")
else:
    bad_v = [n for n, (adv, _tsb) in font["vmtx"].metrics.items() if adv != em]
    if bad_v:
        problems.append("vertical advance is not the em for %s" % bad_v[0])
bad_h = [n for n, (adv, _lsb) in font["hmtx"].metrics.items() if adv != em]
if bad_h:
    problems.append("horizontal advance is not the em for %s" % bad_h[0])
os2 = font["OS/2"]
top, bottom = os2.sTypoAscender, os2.sTypoDescender
if top - bottom != em:
    problems.append("typo ascender/descender do not span the em")
for name in font.getGlyphOrder():
    g = font["glyf"][name]
    if g.numberOfContours and (g.xMin < 0 or g.xMax > em or g.yMin < bottom or g.yMax > top):
        problems.append("%s leaves the em box" % name)
    if g.numberOfContours < 0:
        problems.append("%s is composite; every glyph should be a plain outline" % name)

for p in problems:
    print("FAIL:", p, file=sys.stderr)
if not problems:
    print("ok: cmap format 12 maps all 138 code points, family %s, metrics and outlines hold" % family)
sys.exit(1 if problems else 0)
EOF
fi

# --- generators reproduce the committed files -------------------------------
if [ -f "$UKAI" ] && "$PYTHON" -c 'import fontTools' 2>/dev/null; then
    if "$PYTHON" "$ROOT/tools/font/make_font.py" --out "$TMP/gen" >/dev/null \
        && cmp -s "$TMP/gen/mevto.ttf" "$FONT" && cmp -s "$TMP/gen/README.md" "$ROOT/resources/fonts/README.md"; then
        pass "make_font.py reproduces mevto.ttf and its README byte for byte"
    else
        fail "make_font.py output differs from the committed mevto.ttf/README.md (regenerate and commit)"
    fi
    if "$PYTHON" "$ROOT/tools/make_wordsdict.py" "$TMP/wordsdict.csv" && cmp -s "$TMP/wordsdict.csv" "$CSV"; then
        pass "make_wordsdict.py reproduces wordsdict.csv"
    else
        fail "make_wordsdict.py output differs from the committed wordsdict.csv"
    fi
else
    echo "skip: generators not rerun (needs $UKAI and fontTools)"
fi

# --- Qt's view of the font --------------------------------------------------
if [ -n "${FONT_GLYPHSHEET:-}" ]; then
    if out=$(QT_QPA_PLATFORM=offscreen "$FONT_GLYPHSHEET" "$FONT" "$TMP/sheet.png" 2>/dev/null) \
        && [[ "$out" == *"family \"$FAMILY\""* ]]; then
        pass "Qt registers the font as family $FAMILY"
    else
        fail "Qt does not report family $FAMILY: $out"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all font and dictionary checks passed"
