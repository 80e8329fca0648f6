#ifndef SVGTEXT_H
#define SVGTEXT_H

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRegularExpression>
#include <QString>
#include <QTransform>
#include <QXmlStreamReader>

// The text pieces of an SVG page, with their origin in page coordinates, as
// a reader of the file finds them.
struct SvgText
{
    QString text;
    QPointF origin;
    QString fill;
    QTransform transform;
};

inline QTransform parseSvgTransform(const QString &value)
{
    static const QRegularExpression matrix(QStringLiteral("matrix\\(([^)]*)\\)"));
    const QRegularExpressionMatch m = matrix.match(value);
    if (!m.hasMatch())
        return QTransform();
    const QStringList v = m.captured(1).split(QLatin1Char(','));
    if (v.size() != 6)
        return QTransform();
    return QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(),
                      v[4].toDouble(), v[5].toDouble());
}

inline QList<SvgText> svgTexts(const QByteArray &svg)
{
    QList<SvgText> texts;
    QList<QTransform> stack{QTransform()};
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            const QTransform local = parseSvgTransform(a.value(QLatin1String("transform")).toString());
            stack.append(local * stack.last());
            if (xml.name() == QLatin1String("text")) {
                SvgText t;
                t.transform = stack.last();
                t.origin = t.transform.map(QPointF(a.value(QLatin1String("x")).toDouble(),
                                                   a.value(QLatin1String("y")).toDouble()));
                t.fill = a.value(QLatin1String("fill")).toString();
                t.text = xml.readElementText();
                stack.removeLast();
                texts.append(t);
            }
        } else if (xml.isEndElement()) {
            stack.removeLast();
        }
    }
    return texts;
}

inline QString svgTitle(const QByteArray &svg)
{
    QXmlStreamReader xml(svg);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("svg"))
            continue;
        if (xml.name() == QLatin1String("title"))
            return xml.readElementText();
        xml.skipCurrentElement();
    }
    return QString();
}

#endif // SVGTEXT_H
