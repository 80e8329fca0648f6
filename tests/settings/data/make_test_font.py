#!/usr/bin/python3
# Builds the tiny TrueType font that the font registration tests place in a
# "fonts" folder. Its family name is installed nowhere else, so the tests can
# tell whether the registration made it available.
# Run with Debian's python (it has fontTools): /usr/bin/python3 make_test_font.py
import os
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

def square():
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0)); pen.lineTo((100, 700)); pen.lineTo((600, 700)); pen.lineTo((600, 0))
    pen.closePath()
    return pen.glyph()

fb = FontBuilder(1000, isTTF=True)
fb.setupGlyphOrder([".notdef", "A"])
fb.setupCharacterMap({ord("A"): "A"})
fb.setupGlyf({".notdef": square(), "A": square()})
fb.setupHorizontalMetrics({".notdef": (700, 100), "A": (700, 100)})
fb.setupHorizontalHeader(ascent=800, descent=-200)
fb.setupNameTable({"familyName": "Qelun Test Face", "styleName": "Regular"})
fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
fb.setupPost()
fb.save(os.path.join(os.path.dirname(os.path.abspath(__file__)), "qelun-test-face.ttf"))
