#include "linetally.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

int countXs(const QString &line)
{
    return int(line.count(QLatin1Char('x')));
}

// Lines of zero to three x's, some with other text.
QString randomLines(QRandomGenerator &random, int lines)
{
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text.append(QString(random.bounded(4), QLatin1Char('x')) + (random.bounded(3) ? QString() : QStringLiteral("-")));
    return text.join(QLatin1Char('\n'));
}

} // namespace

class TestLineTally : public QObject
{
    Q_OBJECT

private slots:
    void answersAsARecount_data();
    void answersAsARecount();
};

void TestLineTally::answersAsARecount_data()
{
    // Edits of a few lines and of many, so that lines move within the kept
    // runs of counts, across their bounds, and whole runs come and go.
    QTest::addColumn<int>("startLines");
    QTest::addColumn<int>("mostLinesAdded");
    QTest::addColumn<int>("mostCharsRemoved");
    QTest::addRow("a line at a time") << 3000 << 1 << 4;
    QTest::addRow("pastes and cuts of many lines") << 3000 << 1200 << 5000;
    QTest::addRow("from an empty document") << 0 << 700 << 800;
}

void TestLineTally::answersAsARecount()
{
    QFETCH(int, startLines);
    QFETCH(int, mostLinesAdded);
    QFETCH(int, mostCharsRemoved);
    QRandomGenerator random(11);
    QTextDocument doc;
    // With a layout, the document says where it changed, and the tally
    // recounts only there.
    QVERIFY(doc.documentLayout());
    doc.setPlainText(randomLines(random, startLines));
    const LineTally tally(&doc, countXs);
    QCOMPARE(tally.total(), int(doc.toPlainText().count(QLatin1Char('x'))));

    for (int step = 0; step < 120; ++step) {
        QTextCursor cursor(&doc);
        cursor.setPosition(random.bounded(doc.characterCount()));
        if (random.bounded(2)) {
            cursor.insertText(random.bounded(2) ? QStringLiteral("\n")
                                                : randomLines(random, 1 + random.bounded(mostLinesAdded)));
        } else {
            const int end = qMin(doc.characterCount() - 1, cursor.position() + random.bounded(mostCharsRemoved + 1));
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }

        // Every answer, line by line, against the document's own lines.
        const QString context = QStringLiteral("step %1, %2 lines").arg(step).arg(doc.blockCount());
        int through = 0;
        int line = 0;
        for (QTextBlock block = doc.firstBlock(); block.isValid(); block = block.next(), ++line) {
            const int count = countXs(block.text());
            QVERIFY2(tally.countOf(line) == count, qPrintable(context));
            if (count > 0) {
                QVERIFY2(tally.lineReaching(through + 1) == line, qPrintable(context));
                QVERIFY2(tally.lineReaching(through + count) == line, qPrintable(context));
            }
            through += count;
            QVERIFY2(tally.countThrough(line) == through, qPrintable(context));
        }
        QVERIFY2(tally.total() == through, qPrintable(context));
        QVERIFY2(tally.lineReaching(through + 1) == -1, qPrintable(context));
        QVERIFY2(tally.countOf(line) == 0 && tally.countThrough(line) == through, qPrintable(context));
    }
}

QTEST_MAIN(TestLineTally)
#include "tst_linetally.moc"
