#include "columnink.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTransform>

#include <algorithm>

// The ink of a column answers as the outlines in it answer one by one,
// whatever the order they were set in: it may read only the outlines that
// can matter, but must never leave out one that does.
class TestColumnInk : public QObject
{
    Q_OBJECT

private slots:
    void answersAsItsOutlinesDo_data();
    void answersAsItsOutlinesDo();
    void emptyInkNeedsNoShift();
};

namespace {

// A glyph box turned about its centre, as a turned run sets it: a closed
// polygon of four corners.
QPolygonF turnedBox(QRandomGenerator &random, qreal spread)
{
    const QRectF box(random.bounded(spread), random.bounded(spread), 2 + random.bounded(20.0), 2 + random.bounded(20.0));
    const int angle = QList<int>{0, 0, -30, -45, 30, -90}.at(random.bounded(6));
    QTransform turn;
    turn.translate(box.center().x(), box.center().y());
    turn.rotate(angle);
    turn.translate(-box.center().x(), -box.center().y());
    return turn.map(QPolygonF(box));
}

struct Kept
{
    QPolygonF outline;
    int tag;
};

ColumnInk inkOf(const QList<Kept> &kept)
{
    ColumnInk ink;
    for (const Kept &k : kept)
        ink.add(k.outline, k.tag);
    return ink;
}

bool anyCollides(const QList<Kept> &kept, const QPolygonF &outline, int ignoreTag)
{
    return std::any_of(kept.begin(), kept.end(), [&](const Kept &k) {
        return k.tag != ignoreTag && inkOf({k}).collides(outline);
    });
}

// Whether no outline on its own asks the moving one to move on: where two
// outlines touch, the rounding of the move may leave them 1e-14 apart or
// overlapping.
bool clearOfAll(const QList<Kept> &kept, const QPolygonF &moved, qreal gap, int ignoreTag, bool across)
{
    return std::all_of(kept.begin(), kept.end(), [&](const Kept &k) {
        const ColumnInk one = inkOf({k});
        return k.tag == ignoreTag
               || (across ? one.clearanceRight(moved, gap) : one.clearanceDown(moved, gap)) < 1e-9;
    });
}

// Whether the outline keeps the gap from all ink along the move: moved by
// a little less than the gap either way, it lies on none of it.
bool keepsGap(const QList<Kept> &kept, const QPolygonF &moved, QPointF gap, int ignoreTag)
{
    if (gap.isNull())
        return true;
    const QPointF within = gap * (1 - 1e-6 / qMax(gap.x(), gap.y()));
    return !anyCollides(kept, moved.translated(within), ignoreTag) && !anyCollides(kept, moved.translated(-within), ignoreTag);
}

} // namespace

void TestColumnInk::answersAsItsOutlinesDo_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<qreal>("spread"); // how far apart the outlines lie
    QTest::addColumn<qreal>("gap");
    QTest::addRow("crowded, no gap") << 1 << 40.0 << 0.0;
    QTest::addRow("crowded, a point") << 2 << 40.0 << 1.0;
    QTest::addRow("a column, a point") << 3 << 300.0 << 1.0;
    QTest::addRow("a column, three points") << 4 << 300.0 << 3.0;
    QTest::addRow("a page, fractional gap") << 5 << 800.0 << 0.75;
}

void TestColumnInk::answersAsItsOutlinesDo()
{
    QFETCH(int, seed);
    QFETCH(qreal, spread);
    QFETCH(qreal, gap);
    QRandomGenerator random{quint32(seed)};
    QList<Kept> kept;
    for (int i = 0; i < 60; ++i)
        kept.append({turnedBox(random, spread), random.bounded(4)});
    const ColumnInk ink = inkOf(kept);
    // Set top to bottom, as a column is filled, and backwards.
    QList<Kept> sorted = kept;
    std::sort(sorted.begin(), sorted.end(), [](const Kept &a, const Kept &b) {
        return a.outline.boundingRect().bottom() < b.outline.boundingRect().bottom();
    });
    const ColumnInk downwards = inkOf(sorted);
    std::reverse(sorted.begin(), sorted.end());
    const ColumnInk upwards = inkOf(sorted);

    for (int q = 0; q < 200; ++q) {
        QPolygonF moving = turnedBox(random, spread);
        if (q % 2 == 1) {
            // Set just below (or a gap's width into) an outline, as a column
            // is filled: beside the ink above it, not on it.
            const QRectF above = kept.at(random.bounded(int(kept.size()))).outline.boundingRect();
            const QRectF box = moving.boundingRect();
            moving.translate(above.center().x() - box.center().x() + random.bounded(10.0) - 5,
                             above.bottom() - box.top() + random.bounded(2 * gap + 0.5) - gap);
        }
        const int ignore = q % 3 == 0 ? random.bounded(4) : -2;
        const QString where = QStringLiteral("question %1").arg(q);

        const bool collides = anyCollides(kept, moving, ignore);
        QVERIFY2(ink.collides(moving, ignore) == collides, qPrintable(where));
        QVERIFY2(upwards.collides(moving, ignore) == collides, qPrintable(where));

        // Moved by the answer, no outline of the ink stands in its way (a
        // touch aside); the answer does not hang on the order the ink was
        // set in.
        const qreal down = ink.clearanceDown(moving, gap, ignore);
        QVERIFY2(down >= 0, qPrintable(where));
        QVERIFY2(clearOfAll(kept, moving.translated(0, down), gap, ignore, false), qPrintable(where));
        QVERIFY2(keepsGap(kept, moving.translated(0, down), QPointF(0, gap), ignore), qPrintable(where));
        QCOMPARE(downwards.clearanceDown(moving, gap, ignore), down);
        QCOMPARE(upwards.clearanceDown(moving, gap, ignore), down);
        QCOMPARE(ink.clearanceDown(QList<QPolygonF>{moving}, gap, ignore), down);

        const qreal right = ink.clearanceRight(moving, gap, ignore);
        QVERIFY2(right >= 0, qPrintable(where));
        QVERIFY2(clearOfAll(kept, moving.translated(right, 0), gap, ignore, true), qPrintable(where));
        QVERIFY2(keepsGap(kept, moving.translated(right, 0), QPointF(gap, 0), ignore), qPrintable(where));
        QCOMPARE(upwards.clearanceRight(moving, gap, ignore), right);

        // Leaving out a tag is leaving out its outlines.
        if (ignore >= 0) {
            QList<Kept> rest;
            std::copy_if(kept.begin(), kept.end(), std::back_inserter(rest), [&](const Kept &k) { return k.tag != ignore; });
            QCOMPARE(inkOf(rest).clearanceDown(moving, gap), down);
            QCOMPARE(inkOf(rest).clearanceRight(moving, gap), right);
        }
    }
}

void TestColumnInk::emptyInkNeedsNoShift()
{
    QRandomGenerator random(9);
    ColumnInk ink;
    const QPolygonF moving = turnedBox(random, 50);
    QCOMPARE(ink.clearanceDown(moving, 1.0), 0.0);
    QCOMPARE(ink.clearanceRight(moving, 1.0), 0.0);
    QVERIFY(!ink.collides(moving));
    // What is cleared away is gone.
    ink.add(moving);
    QVERIFY(ink.collides(moving));
    ink.clear();
    QVERIFY(ink.isEmpty());
    QCOMPARE(ink.clearanceDown(moving, 1.0), 0.0);
}

QTEST_MAIN(TestColumnInk)
#include "tst_columnink.moc"
