// A page shown on screen is painted again only where an edit changed it,
// from glyphs shaped once: the image must come out as the changed page
// painted whole by the painter's own text drawing would, at any scale and
// device pixel ratio.

#include "generatedscore.h"
#include "pagemetrics.h"
#include "pagepainter.h"
#include "pagerepainter.h"
#include "renderfixture.h"
#include "scorelayout.h"
#include "shapedtextcache.h"

#include <QPainter>
#include <QTest>

namespace {

// The first sung line of the first page with at least six characters.
int sungLine(const QList<ExportEntry> &entries)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).type == 8 && entries.at(i).text.size() >= 6)
            return i;
    }
    return -1;
}

} // namespace

class TestPageRepainter : public QObject
{
    Q_OBJECT

private slots:
    void repaintedAsPaintedWhole_data();
    void repaintedAsPaintedWhole();
    void eachItemInItsColour_data();
    void eachItemInItsColour();
};

void TestPageRepainter::repaintedAsPaintedWhole_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("ratio");
    // Whether only part of the page is to be painted again.
    QTest::addColumn<bool>("partial");
    for (const double ratio : {1.0, 2.0}) {
        const double scale = ratio == 1.0 ? 1.0 : 1.37;
        const QByteArray at = "scale " + QByteArray::number(scale) + ", ratio " + QByteArray::number(ratio);
        QTest::addRow("nothing changed, %s", at.constData()) << "none" << scale << ratio << true;
        QTest::addRow("character typed inside a line, %s", at.constData()) << "inside" << scale << ratio << true;
        QTest::addRow("notation changed, %s", at.constData()) << "notation" << scale << ratio << true;
        QTest::addRow("line split, %s", at.constData()) << "return" << scale << ratio << true;
        QTest::addRow("character deleted, %s", at.constData()) << "delete" << scale << ratio << true;
        QTest::addRow("character deleted on a clear page, %s", at.constData())
            << "delete clear" << scale << ratio << true;
        QTest::addRow("character deleted on half-transparent paper, %s", at.constData())
            << "delete half-clear" << scale << ratio << true;
        QTest::addRow("background changed, %s", at.constData()) << "background" << scale << ratio << false;
    }
}

void TestPageRepainter::repaintedAsPaintedWhole()
{
    QFETCH(QString, edit);
    QFETCH(double, scale);
    QFETCH(double, ratio);
    QFETCH(bool, partial);
    RenderFixture fixture;
    const QList<ExportEntry> entries = generatedScore(2);
    QList<ExportEntry> edited = entries;
    const int line = sungLine(entries);
    QVERIFY(line >= 0);
    ExportEntry &entry = edited[line];
    const QString note = entry.scores.at(1);
    if (edit == u"inside") {
        entry.text.insert(3, QStringLiteral("春"));
        entry.scores.insert(3, note);
    } else if (edit == u"notation") {
        entry.scores[2] = note + note;
    } else if (edit == u"return") {
        ExportEntry rest = entry;
        rest.text = entry.text.mid(3);
        rest.scores = entry.scores.mid(3);
        entry.text.truncate(3);
        entry.scores.resize(3);
        edited.insert(line + 1, rest);
    } else if (edit.startsWith(u"delete")) {
        entry.text.remove(2, 1);
        entry.scores.remove(2);
    }

    fixture.config->setIsBgTransparent(edit.endsWith(u" clear"));
    if (edit.endsWith(u"half-clear"))
        fixture.config->setBackgroundColor(QColor(0xf5, 0xe6, 0xc8, 128));
    ScoreLayout layout(*fixture.config);
    layout.layout(entries, false, QString());
    const ScorePage before = layout.pages().first();
    if (edit == u"background")
        fixture.config->setBackgroundColor(QColor(QStringLiteral("#f5e6c8")));
    layout.layout(edited, false, QString());
    const ScorePage after = layout.pages().first();

    const QRectF area = PageRepainter::changedArea(before, after);
    const QRectF page(QPointF(0, 0), QSizeF(after.size));
    QCOMPARE(area != page, partial);
    QCOMPARE(area.isNull(), edit == u"none");

    const QSize pixels = (QSizeF(after.size) * scale * ratio).toSize();
    PageRepainter repainted;
    repainted.paint(before, scale, pixels, ratio);
    const QImage shown = repainted.paint(after, scale, pixels, ratio);
    PageRepainter whole;
    QCOMPARE(shown, whole.paint(after, scale, pixels, ratio));

    QImage drawn(pixels, shown.format());
    PageMetrics::setPageResolution(drawn);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(after.background.isValid() ? after.background : QColor(Qt::white));
    QPainter painter(&drawn);
    painter.scale(scale, scale);
    PagePainter::paint(painter, after);
    painter.end();
    QCOMPARE(shown, drawn);
}

void TestPageRepainter::eachItemInItsColour_data()
{
    QTest::addColumn<bool>("shaped");
    QTest::newRow("drawn as text") << false;
    QTest::newRow("drawn from shaped glyphs") << true;
}

// A turned run is drawn between save() and restore(), which brings back
// the pen of before the run: an item after it in the turned run's colour
// must still get its own colour.
void TestPageRepainter::eachItemInItsColour()
{
    QFETCH(bool, shaped);
    RenderFixture fixture;
    const QFont font = fixture.config->lyricFont();
    const auto run = [&](const QColor &colour, QRect cell, bool rotated) {
        PageRun r;
        r.font = font;
        r.rotated = rotated;
        r.rotation = rotated ? 10 : 0;
        r.origin = rotated ? cell.topLeft() : QPoint();
        r.resumed = !rotated;
        PageItem item;
        item.text = QStringLiteral("田");
        item.color = colour;
        item.alignment = Qt::AlignCenter;
        item.cell = rotated ? QRect(QPoint(0, 0), cell.size()) : cell;
        r.items.append(item);
        return r;
    };
    const QSize cell(60, 60);
    ScorePage page;
    page.size = QSize(300, 100);
    page.background = Qt::white;
    page.runs = {run(Qt::red, QRect(QPoint(10, 20), cell), false), run(Qt::blue, QRect(QPoint(100, 20), cell), true),
                 run(Qt::blue, QRect(QPoint(200, 20), cell), false)};
    page.runs.first().resumed = false;

    QImage image(page.size, QImage::Format_RGB32);
    PageMetrics::setPageResolution(image);
    image.fill(Qt::white);
    QPainter painter(&image);
    ShapedTextCache cache;
    PagePainter::paint(painter, page, shaped ? &cache : nullptr);
    painter.end();
    int red = 0;
    int blue = 0;
    for (int y = 20; y < 20 + cell.height(); ++y) {
        for (int x = 200; x < 200 + cell.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            red += pixel.red() > 200 && pixel.blue() < 100;
            blue += pixel.blue() > 200 && pixel.red() < 100;
        }
    }
    QVERIFY(blue > 0);
    QCOMPARE(red, 0);
}

QTEST_MAIN(TestPageRepainter)
#include "tst_pagerepainter.moc"
