#include "linegrammar.h"
#include "lyriccharindex.h"
#include "referencelyricindex.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString randomDocument(QRandomGenerator &random)
{
    static const QStringList pieces = {
        QStringLiteral("原"), QStringLiteral("来"), QStringLiteral(" "), QStringLiteral("，"),
        QStringLiteral("a"), QStringLiteral("\n"), QStringLiteral("\n# 标题"), QStringLiteral("\n【皂罗袍】"),
        QStringLiteral("\n【缺"), QStringLiteral("\n@换行符"), QStringLiteral("\n= 白"),
        QStringLiteral("\n@x"), QStringLiteral("。"), QStringLiteral(u"\u3000"), QStringLiteral("紫"),
    };
    QString text;
    const int length = random.bounded(0, 60);
    for (int i = 0; i < length; ++i)
        text += pieces.at(random.bounded(pieces.size()));
    return text;
}

} // namespace

class TestLyricCharIndex : public QObject
{
    Q_OBJECT

private slots:
    void emptyDocument();
    void workedExample();
    void positions_data();
    void positions();
    void matchesReference();
    void followsEdits_data();
    void followsEdits();
};

void TestLyricCharIndex::emptyDocument()
{
    QTextDocument doc;
    const LyricCharIndex index(&doc);
    QCOMPARE(index.lyricText(), QString());
    QCOMPARE(index.lyricIndexAt(0), -1);
    QCOMPARE(index.positionAfterLyricChar(1), 0);
    QCOMPARE(index.lyricCharAt(1), QString());
}

void TestLyricCharIndex::workedExample()
{
    QTextDocument doc(QStringLiteral("# 标题\n你 好\n@换行符"));
    const LyricCharIndex index(&doc);
    const int line2 = doc.findBlockByNumber(1).position();
    QCOMPARE(index.lyricText(), QStringLiteral("你 好"));
    QCOMPARE(index.lyricIndexAt(line2 + 1), 0);
    QCOMPARE(index.positionAfterLyricChar(2), line2 + 2);
    QCOMPARE(index.lyricCharAt(2), QStringLiteral(" "));
    QCOMPARE(index.lyricCharAt(3), QStringLiteral("好"));
    QCOMPARE(index.lyricCharAt(4), QString());
}

void TestLyricCharIndex::positions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("index");
    QTest::addRow("start of line after five chars") << QStringLiteral("原来姹紫嫣\n红开") << 1 << 0 << 4;
    QTest::addRow("inside structural line")
        << QStringLiteral("原来\n# 标题\n红") << 1 << 3 << 1;
    QTest::addRow("unclosed bracket not counted")
        << QStringLiteral("原\n【姹紫\n红") << 2 << 1 << 1;
    QTest::addRow("latin and comma, the space counts") << QStringLiteral("ab, cd") << 0 << 6 << 0;
    QTest::addRow("before first char") << QStringLiteral("原来") << 0 << 0 << -1;
    QTest::addRow("past the end clamps to document end") << QStringLiteral("原来") << 0 << 99 << 1;
}

void TestLyricCharIndex::positions()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, index);
    QTextDocument doc(text);
    const int position = qMin(doc.findBlockByNumber(line).position() + column, doc.characterCount() - 1);
    QCOMPARE(LyricCharIndex(&doc).lyricIndexAt(position), index);
}

void TestLyricCharIndex::matchesReference()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        QTextDocument doc(randomDocument(random));
        const LyricCharIndex index(&doc);
        const ReferenceLyricIndex reference{&doc};
        const QString context = doc.toPlainText();
        QCOMPARE(index.lyricText(), reference.lyricText());
        QCOMPARE(index.lyricCharCount(), reference.lyricText().size());
        for (int position = -1; position < doc.characterCount(); ++position)
            QVERIFY2(index.lyricIndexAt(position) == reference.lyricIndexAt(position), qPrintable(context));
        for (int n = -1; n <= reference.lyricText().size() + 1; ++n) {
            QVERIFY2(index.positionAfterLyricChar(n) == reference.positionAfterLyricChar(n),
                     qPrintable(context));
            QVERIFY2(index.lyricCharAt(n) == reference.lyricCharAt(n), qPrintable(context));
        }
    }
}

void TestLyricCharIndex::followsEdits_data()
{
    QTest::addColumn<bool>("laidOut");
    // Only a document with a layout says where it changed; the counts of the
    // other are counted again whole.
    QTest::addRow("with a layout, as in an editor") << true;
    QTest::addRow("without a layout") << false;
}

void TestLyricCharIndex::followsEdits()
{
    // Edits of every shape, inside and outside edit blocks, several in one
    // block, undone and redone, line ends of every form, characters outside
    // the BMP, with questions asked after each and some inside an open
    // block: the kept counts must never answer from before an edit.
    QFETCH(bool, laidOut);
    QRandomGenerator random(77);
    QTextDocument doc;
    if (laidOut)
        QVERIFY(doc.documentLayout());
    const LyricCharIndex index(&doc);
    const ReferenceLyricIndex reference{&doc};
    const QStringList pieces = {QStringLiteral("原"), QStringLiteral("来 "), QStringLiteral("#"),
                                QStringLiteral("\n"), QStringLiteral("，"), QStringLiteral("【"),
                                QStringLiteral("紫\n= 白\n红"), QStringLiteral("\r\n"), QStringLiteral("\r"),
                                QString(QChar::ParagraphSeparator), QString(QChar::LineSeparator),
                                QString::fromUcs4(U"\U00020000\U000F002C"), QString(QChar(0xE000)),
                                QString(QChar(0x200B)), QStringLiteral("\n@分页符\n")};
    int askedAtLength = -1;
    for (int step = 0; step < 600; ++step) {
        QTextCursor cursor(&doc);
        cursor.setPosition(random.bounded(doc.characterCount()));
        const bool block = random.bounded(2);
        if (block)
            cursor.beginEditBlock();
        for (int edit = block ? 1 + random.bounded(3) : 1; edit > 0; --edit) {
            const int length = doc.characterCount() - 1;
            if (random.bounded(3) == 0 && length > 0) {
                cursor.setPosition(random.bounded(length + 1), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else {
                cursor.insertText(pieces.at(random.bounded(pieces.size())));
            }
            cursor.setPosition(random.bounded(doc.characterCount()));
            // A question inside the open block, after a change of length
            // (the index is not told of changes before the block closes).
            if (block && random.bounded(2) == 0 && doc.characterCount() != askedAtLength) {
                QCOMPARE(index.lyricCharCount(), reference.lyricText().size());
                askedAtLength = doc.characterCount();
            }
        }
        if (block)
            cursor.endEditBlock();
        if (random.bounded(5) == 0)
            doc.undo();
        else if (random.bounded(10) == 0)
            doc.redo();

        const QString context = QStringLiteral("step %1: %2").arg(step).arg(doc.toPlainText());
        askedAtLength = doc.characterCount();
        QVERIFY2(index.lyricCharCount() == reference.lyricText().size(), qPrintable(context));
        const int probe = random.bounded(doc.characterCount());
        QVERIFY2(index.lyricIndexAt(probe) == reference.lyricIndexAt(probe), qPrintable(context));
        for (int n = 0; n <= reference.lyricText().size() + 1; ++n) {
            QVERIFY2(index.positionAfterLyricChar(n) == reference.positionAfterLyricChar(n),
                     qPrintable(context));
            QVERIFY2(index.lyricCharAt(n) == reference.lyricCharAt(n), qPrintable(context));
        }
    }
}

QTEST_MAIN(TestLyricCharIndex)
#include "tst_lyriccharindex.moc"
