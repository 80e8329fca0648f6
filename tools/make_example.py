#!/usr/bin/python3
"""Builds an example document (.gcp) from two UTF-8 sources.

    tools/make_example.py examples/youyuan-zaoluopao

reads NAME.lyric.txt (the lyric text as typed) and NAME.score.txt (one line
per sung character, holding the dictionary names of its symbols separated by
spaces; lines starting with "#" are remarks) and writes NAME.gcp. Symbol names
are looked up in resources/wordsdict.csv.
"""
import re
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LYRIC = re.compile('[\u4e00-\u9fa5 ]')


def dictionary():
    names = {}
    lines = (ROOT / 'resources' / 'wordsdict.csv').read_text(encoding='utf-8').splitlines()[1:]
    for line in lines:
        code, _, _, name = line.split(' ', 3)
        names.setdefault(name, chr(int(code[1:], 16)))
    return names


def lyric_chars(lyrics):
    count = 0
    for line in lyrics.split('\n'):
        if line[:1] in ('#', ';', '>', '=', '【', '@'):
            continue
        count += len(LYRIC.findall(line))
    return count


def qstring(text):
    data = text.encode('utf-16-be')
    return struct.pack('>I', len(data)) + data


def main(base):
    base = Path(base)
    lyrics = base.with_name(base.name + '.lyric.txt').read_text(encoding='utf-8').rstrip('\n')
    names = dictionary()
    score_lines = []
    source = base.with_name(base.name + '.score.txt').read_text(encoding='utf-8')
    for number, line in enumerate(source.splitlines(), 1):
        if line.startswith('#'):
            continue
        try:
            score_lines.append(''.join(names[name] for name in line.split()))
        except KeyError as error:
            sys.exit(f'line {number}: no symbol named {error}')
    if len(score_lines) != lyric_chars(lyrics):
        sys.exit(f'{len(score_lines)} score lines for {lyric_chars(lyrics)} sung characters')
    score = '\n'.join(score_lines)
    data = (struct.pack('>i', len(lyrics.encode('utf-16-le')) // 2) + qstring(lyrics)
            + struct.pack('>i', len(score.encode('utf-16-le')) // 2) + qstring(score))
    base.with_name(base.name + '.gcp').write_bytes(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else str(ROOT / 'examples' / 'youyuan-zaoluopao'))
