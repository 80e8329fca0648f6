#ifndef PAGEDIGEST_H
#define PAGEDIGEST_H

#include "pagemodel.h"

#include <QCryptographicHash>
#include <QList>
#include <QString>
#include <QStringList>

// Every member of laid-out pages as text, one line per item, with the
// numbers exact (17 significant digits bring a double back bit for bit),
// and a digest of it: two layouts give the same digest only when they give
// the same pages. Kept beside the benchmarks so that a change made for speed
// can be checked against pages recorded before it.

namespace PageDigest {

inline QString number(qreal v)
{
    return QString::number(v, 'g', 17);
}

inline QString rect(const QRect &r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

inline QString rect(const QRectF &r)
{
    return number(r.x()) + QLatin1Char(',') + number(r.y()) + QLatin1Char(',') + number(r.width())
           + QLatin1Char(',') + number(r.height());
}

inline QString line(const QLineF &l)
{
    return number(l.x1()) + QLatin1Char(',') + number(l.y1()) + QLatin1Char(',') + number(l.x2())
           + QLatin1Char(',') + number(l.y2());
}

// Code points rather than the characters: private-use glyphs and format
// characters read the same in any editor.
inline QString codes(const QString &text)
{
    QStringList out;
    for (char32_t u : text.toUcs4())
        out.append(QString::number(quint32(u), 16));
    return out.join(QLatin1Char('.'));
}

inline QString item(const PageItem &i)
{
    return QStringLiteral("item %1 %2 %3 %4 %5 %6 %7:%8:%9:%10")
        .arg(codes(i.text), i.color.name(QColor::HexArgb), rect(i.cell), QString::number(i.alignment), rect(i.ink),
             rect(i.frameInk))
        .arg(int(i.source.kind))
        .arg(i.source.entry)
        .arg(i.source.offset)
        .arg(i.source.glyph);
}

inline QString text(const QList<ScorePage> &pages)
{
    QStringList out;
    for (const ScorePage &page : pages) {
        out.append(QStringLiteral("page %1x%2 %3,%4 %5 %6")
                       .arg(page.size.width())
                       .arg(page.size.height())
                       .arg(page.contentOrigin.x())
                       .arg(page.contentOrigin.y())
                       .arg(page.background.isValid() ? page.background.name(QColor::HexArgb) : QStringLiteral("none"),
                            codes(page.title)));
        for (const PageRun &run : page.runs) {
            out.append(QStringLiteral("run %1 %2 %3,%4 %5 %6")
                           .arg(run.font.key())
                           .arg(int(run.rotated))
                           .arg(run.origin.x())
                           .arg(run.origin.y())
                           .arg(run.rotation)
                           .arg(int(run.resumed)));
            for (const PageItem &i : run.items)
                out.append(item(i));
        }
        const PageDecoration &d = page.decoration;
        QStringList frame;
        for (const QLineF &l : d.frame)
            frame.append(line(l));
        QStringList rules;
        for (const QLineF &l : d.rules)
            rules.append(line(l));
        out.append(QStringLiteral("decoration %1 %2 [%3] %4 [%5] %6 ")
                       .arg(d.color.isValid() ? d.color.name(QColor::HexArgb) : QStringLiteral("none"),
                            number(d.frameWidth), frame.join(QLatin1Char(' ')), number(d.ruleWidth),
                            rules.join(QLatin1Char(' ')), d.numberFont.key())
                   + item(d.number));
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

inline QString digest(const QList<ScorePage> &pages)
{
    return QString::fromLatin1(QCryptographicHash::hash(text(pages).toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace PageDigest

#endif // PAGEDIGEST_H
