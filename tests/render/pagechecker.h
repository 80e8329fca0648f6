#ifndef PAGECHECKER_H
#define PAGECHECKER_H

#include "pagemodel.h"
#include "verticaltext.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

// Reads laid-out pages as a proof-reader would and names every fault: the ink
// of two glyphs on top of each other, a glyph that straddles two columns, ink
// outside the content area or off the page, and pages with nothing on them.
// It works on the page model alone, from each item's ink turned as its run is.
namespace PageChecker {

struct Options
{
    // The column width the layout used (after any clamping).
    int columnWidth = 130;
    // The step from one column to the next, 0 for columns side by side.
    int columnPitch = 0;
    qreal pitch() const { return columnPitch > 0 ? columnPitch : columnWidth; }
    // The size of the content area; its top-right corner is each page's
    // content origin.
    QSizeF content;
    // A document that begins with a page break asks for an empty first page.
    bool leadingBreak = false;
    // The clear space every column keeps at its right edge, so that its ink
    // never runs up against the next column's characters.
    qreal gutter = 0;
};

inline qreal area(const QPolygonF &p)
{
    qreal a = 0;
    for (int i = 0; i + 1 < p.size(); ++i)
        a += p.at(i).x() * p.at(i + 1).y() - p.at(i + 1).x() * p.at(i).y();
    if (p.size() > 2 && p.first() != p.last())
        a += p.last().x() * p.first().y() - p.first().x() * p.last().y();
    return std::abs(a) / 2;
}

struct Ink
{
    const PageItem *item;
    QPolygonF outline;
    QRectF box;
};

inline QString describe(const Ink &ink)
{
    const ItemSource &s = ink.item->source;
    return QStringLiteral("'%1' (kind %2, entry %3, offset %4, glyph %5, at %6,%7 %8x%9)")
        .arg(ink.item->text)
        .arg(int(s.kind))
        .arg(s.entry)
        .arg(s.offset)
        .arg(s.glyph)
        .arg(ink.box.x(), 0, 'f', 1)
        .arg(ink.box.y(), 0, 'f', 1)
        .arg(ink.box.width(), 0, 'f', 1)
        .arg(ink.box.height(), 0, 'f', 1);
}

// Punctuation that may hang below the foot of a column, into the margin:
// what closes a phrase is set with the character before it, never at the
// head of the next column.
inline bool mayHang(const PageItem &item)
{
    if (item.source.kind == ItemSource::Kind::Notation || item.text.size() != 1)
        return false;
    const QChar c = item.text.at(0);
    return VerticalText::isHangingPunctuation(c) || VerticalText::isClosingPunctuation(c);
}

using FirstNotes = QHash<QPair<int, int>, int>;

// A character and the head of its own notation (its first note, and the
// marks before it) may touch.
inline bool ownFirstNote(const Ink &a, const Ink &b, qreal overlap, const FirstNotes &firstNotes)
{
    const auto pair = [&](const PageItem &ch, const PageItem &note) {
        return ch.source.kind == ItemSource::Kind::Lyric && note.source.kind == ItemSource::Kind::Notation
               && ch.source.entry == note.source.entry && ch.source.offset == note.source.offset
               && note.source.glyph <= firstNotes.value({note.source.entry, note.source.offset}, 0) && overlap < 0.5;
    };
    return pair(*a.item, *b.item) || pair(*b.item, *a.item);
}

inline QStringList check(const QList<ScorePage> &pages, const Options &options)
{
    constexpr qreal slack = 0.5;
    QStringList faults;
    FirstNotes firstNotes;
    for (const ScorePage &page : pages) {
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind != ItemSource::Kind::Notation || item.text.isEmpty())
                    continue;
                const char32_t code = QStringView(item.text).toUcs4().value(0);
                if (code >= 0xF0000 && code <= 0xF0007)
                    continue;
                const QPair<int, int> key{item.source.entry, item.source.offset};
                firstNotes[key] = qMin(firstNotes.value(key, item.source.glyph), item.source.glyph);
            }
        }
    }
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        const QString where = QStringLiteral("page %1: ").arg(p + 1);
        QList<Ink> inks;
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.frameInk.isEmpty())
                    continue;
                const QPolygonF outline = inkOutline(page, run, item);
                inks.append({&item, outline, outline.boundingRect()});
            }
        }
        if (inks.isEmpty()) {
            if (!(p == 0 && options.leadingBreak))
                faults.append(where + QStringLiteral("empty"));
            continue;
        }

        const QRectF pageRect(QPointF(0, 0), QSizeF(page.size));
        const qreal right = page.contentOrigin.x();
        const qreal top = page.contentOrigin.y();
        const QRectF content(right - options.content.width(), top, options.content.width(),
                             options.content.height());
        const int width = options.columnWidth;
        for (const Ink &ink : std::as_const(inks)) {
            if (!pageRect.adjusted(-slack, -slack, slack, slack).contains(ink.box)) {
                faults.append(where + describe(ink) + QStringLiteral(" off the page"));
                continue;
            }
            QRectF allowed = content.adjusted(-slack, -slack, slack, slack);
            if (mayHang(*ink.item))
                allowed.setBottom(pageRect.bottom());
            if (!allowed.contains(ink.box))
                faults.append(where + describe(ink) + QStringLiteral(" outside the content area"));
            if (width > 0) {
                // Columns stand side by side from the right edge of the
                // content: a glyph lies within one of them.
                const qreal k = std::floor((right - ink.box.right() + slack) / options.pitch());
                const qreal columnLeft = right - k * options.pitch() - width;
                if (ink.box.left() < columnLeft - slack)
                    faults.append(where + describe(ink) + QStringLiteral(" straddles two columns"));
                else if (ink.box.right() > columnLeft + width - options.gutter + slack && !mayHang(*ink.item))
                    faults.append(where + describe(ink) + QStringLiteral(" in the gutter"));
            }
        }

        std::sort(inks.begin(), inks.end(), [](const Ink &a, const Ink &b) { return a.box.left() < b.box.left(); });
        for (int i = 0; i < inks.size(); ++i) {
            const Ink &a = inks.at(i);
            for (int j = i + 1; j < inks.size() && inks.at(j).box.left() < a.box.right(); ++j) {
                const Ink &b = inks.at(j);
                if (!a.box.intersects(b.box))
                    continue;
                const qreal overlap = area(a.outline.intersected(b.outline));
                if (overlap <= 0.01 || ownFirstNote(a, b, overlap, firstNotes))
                    continue;
                faults.append(where + describe(a) + QStringLiteral(" and ") + describe(b)
                              + QStringLiteral(" overlap by %1 pt²").arg(overlap, 0, 'f', 2));
            }
        }
    }
    return faults;
}

// Upright runs (angle 0), read as a singer reads them: a character's first
// note stands level with it, and no other character's note stands beside it,
// so that what is level with a character is its own melody.
inline QStringList checkUprightOwnership(const QList<ScorePage> &pages, const Options &options)
{
    constexpr qreal slack = 0.5;
    QStringList faults;
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        const QString where = QStringLiteral("page %1: ").arg(p + 1);
        QList<Ink> characters;
        QList<Ink> notes;
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.frameInk.isEmpty())
                    continue;
                const QPolygonF outline = inkOutline(page, run, item);
                const Ink ink{&item, outline, outline.boundingRect()};
                // Sung characters: punctuation and dashes have no melody to
                // mistake.
                if (item.source.kind == ItemSource::Kind::Lyric && item.text.size() == 1
                    && item.text.at(0).script() == QChar::Script_Han)
                    characters.append(ink);
                else if (item.source.kind == ItemSource::Kind::Notation)
                    notes.append(ink);
            }
        }
        const auto column = [&](const QRectF &box) {
            return std::floor((page.contentOrigin.x() - box.center().x()) / options.pitch());
        };
        for (const Ink &ch : std::as_const(characters)) {
            const ItemSource &own = ch.item->source;
            const Ink *first = nullptr;
            for (const Ink &note : std::as_const(notes)) {
                const ItemSource &s = note.item->source;
                const bool isOwn = s.entry == own.entry && s.offset == own.offset;
                if (isOwn && (!first || s.glyph < first->item->source.glyph))
                    first = &note;
                const qreal y = note.box.center().y();
                if (!isOwn && column(note.box) == column(ch.box) && y > ch.box.top() + slack
                    && y < ch.box.bottom() - slack)
                    faults.append(where + describe(note) + QStringLiteral(" stands beside ") + describe(ch));
            }
            if (first && (first->box.top() < ch.box.top() - first->box.height() || first->box.top() > ch.box.bottom()))
                faults.append(where + describe(*first) + QStringLiteral(" is not level with ") + describe(ch));
        }
    }
    return faults;
}

// Slanted runs, read as a singer reads them: a character's notes in a
// column read as one line, slanted from the character and, where they do
// not fit, upright below; never as two slanted strands side by side.
inline QStringList checkOneLinePerMelisma(const QList<ScorePage> &pages, const Options &options)
{
    QStringList faults;
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        // Slanted runs of notes, by character and column.
        QHash<QString, int> strands;
        for (const PageRun &run : page.runs) {
            if (!run.rotated || run.rotation == 0 || run.items.isEmpty())
                continue;
            const PageItem &item = run.items.first();
            const char32_t code = QStringView(item.text).toUcs4().value(0);
            if (item.source.kind != ItemSource::Kind::Notation || (code >= 0xF0000 && code <= 0xF0007))
                continue;
            const int column = int(std::floor(-run.origin.x() / options.pitch()));
            const QString key = QStringLiteral("entry %1 offset %2 column %3")
                                    .arg(item.source.entry)
                                    .arg(item.source.offset)
                                    .arg(column);
            if (++strands[key] == 2)
                faults.append(QStringLiteral("page %1: %2 in parallel strands").arg(p + 1).arg(key));
        }
    }
    return faults;
}

// Beat marks, read as a singer reads them: each stands nearer to its own note
// (the note or ornament it follows, or for marks before a character's first
// note, that note) than to any other on the page, measured between ink
// centres.
inline QStringList checkMarkOwnership(const QList<ScorePage> &pages)
{
    QStringList faults;
    const auto isMark = [](const PageItem &item) {
        const char32_t code = QStringView(item.text).toUcs4().value(0);
        return code >= 0xF0000 && code <= 0xF0007;
    };
    const auto distance = [](const Ink &a, const Ink &b) {
        const QPointF d = a.box.center() - b.box.center();
        return std::hypot(d.x(), d.y());
    };
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        QList<Ink> marks;
        QList<Ink> notes;
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind != ItemSource::Kind::Notation || item.frameInk.isEmpty())
                    continue;
                const QPolygonF outline = inkOutline(page, run, item);
                (isMark(item) ? marks : notes).append({&item, outline, outline.boundingRect()});
            }
        }
        for (const Ink &mark : std::as_const(marks)) {
            const ItemSource &m = mark.item->source;
            // Its own note: the last before it in its character's notation,
            // or failing that the first after it.
            const Ink *own = nullptr;
            for (const Ink &note : std::as_const(notes)) {
                const ItemSource &n = note.item->source;
                if (n.entry != m.entry || n.offset != m.offset)
                    continue;
                const int g = n.glyph;
                const int best = own ? own->item->source.glyph : -1;
                if (!own || (g < m.glyph && (best > m.glyph || g > best)) || (g > m.glyph && best > m.glyph && g < best))
                    own = &note;
            }
            if (!own)
                continue;
            const qreal ownDistance = distance(mark, *own);
            for (const Ink &note : std::as_const(notes)) {
                if (&note != own && distance(mark, note) < ownDistance) {
                    faults.append(QStringLiteral("page %1: %2 nearer to %3 than to its own %4")
                                      .arg(p + 1)
                                      .arg(describe(mark), describe(note), describe(*own)));
                    break;
                }
            }
        }
    }
    return faults;
}

// Punctuation, read as a singer reads it: it belongs to the character before
// it, so it stands just below that character, in the same column, left of the
// notation: never after its melisma, where a 。 reads as an eye mark.
inline QStringList checkPunctuationWithItsCharacter(const QList<ScorePage> &pages, const Options &options,
                                                    qreal characterHeight)
{
    QStringList faults;
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        QHash<QPair<int, int>, Ink> characters;
        QList<Ink> marks;
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind != ItemSource::Kind::Lyric || item.frameInk.isEmpty() || item.text.size() != 1)
                    continue;
                const QPolygonF outline = inkOutline(page, run, item);
                const Ink ink{&item, outline, outline.boundingRect()};
                if (VerticalText::isHangingPunctuation(item.text.at(0)))
                    marks.append(ink);
                else
                    characters.insert({item.source.entry, item.source.offset}, ink);
            }
        }
        const auto column = [&](const QRectF &box) {
            return std::floor((page.contentOrigin.x() - box.center().x()) / options.pitch());
        };
        for (const Ink &mark : std::as_const(marks)) {
            const auto before = characters.constFind({mark.item->source.entry, mark.item->source.offset - 1});
            if (before == characters.constEnd())
                continue; // its character is on the page before, or it opens a line
            const QRectF ch = before->box;
            if (column(mark.box) != column(ch) || mark.box.top() - ch.bottom() > characterHeight / 2)
                faults.append(QStringLiteral("page %1: %2 stands apart from %3").arg(p + 1).arg(describe(mark), describe(*before)));
        }
    }
    return faults;
}

// An opening bracket never ends a column: what it opens follows it in the
// same column.
inline QStringList checkOpeningBrackets(const QList<ScorePage> &pages, const Options &options)
{
    QStringList faults;
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        QList<Ink> text;
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                const bool spokenOrSung = item.source.kind == ItemSource::Kind::Lyric
                                          || item.source.kind == ItemSource::Kind::JiaBai;
                if (spokenOrSung && !item.frameInk.isEmpty() && item.text.size() == 1) {
                    const QPolygonF outline = inkOutline(page, run, item);
                    text.append({&item, outline, outline.boundingRect()});
                }
            }
        }
        const auto column = [&](const QRectF &box) {
            return std::floor((page.contentOrigin.x() - box.center().x()) / options.pitch());
        };
        for (const Ink &open : std::as_const(text)) {
            if (!VerticalText::isOpeningPunctuation(open.item->text.at(0)))
                continue;
            bool followed = false;
            bool laterOnPage = false;
            for (const Ink &next : std::as_const(text)) {
                if (next.item->source.entry != open.item->source.entry || next.item->source.offset <= open.item->source.offset)
                    continue;
                laterOnPage = true;
                followed = followed || column(next.box) == column(open.box);
            }
            if (laterOnPage && !followed)
                faults.append(QStringLiteral("page %1: %2 ends its column").arg(p + 1).arg(describe(open)));
        }
    }
    return faults;
}

// No page leaves an empty strip at the left of its content narrower than a
// column: the leftmost sung character's ink starts within `strip` of the
// content's left edge, or a whole column or more from it where the page
// ended early (the page's columns share out the width they leave). A page
// of one column keeps it at the right.
inline QStringList checkNoStripLeft(const QList<ScorePage> &pages, const Options &options, qreal strip)
{
    QStringList faults;
    if (options.content.width() < 2 * options.columnWidth)
        return faults;
    for (int p = 0; p + 1 < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        qreal left = page.contentOrigin.x();
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind == ItemSource::Kind::Lyric && !item.frameInk.isEmpty())
                    left = qMin(left, inkOutline(page, run, item).boundingRect().left());
            }
        }
        const qreal contentLeft = page.contentOrigin.x() - options.content.width();
        if (left - contentLeft > strip && left - contentLeft < options.columnWidth)
            faults.append(QStringLiteral("page %1: %2 pt left empty").arg(p + 1).arg(left - contentLeft));
    }
    return faults;
}

} // namespace PageChecker

#endif // PAGECHECKER_H
