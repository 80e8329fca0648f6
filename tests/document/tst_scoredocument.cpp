#include "notation.h"
#include "scoredocument.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>

// The document core without a window: its score-line operations, the
// pairing guard, loading, and the export entries of its texts.
class TestScoreDocument : public QObject
{
    Q_OBJECT

private slots:
    void scoreLineOperations_data();
    void scoreLineOperations();
    void scoreLineOperationIsOneUndoStep();
    void syncGuardsNest();
    void setTextsLoadsUnderTheGuardAndForgetsHistory();
    void exportEntries();
    void indexFollowsEdits();
    void beatMarkTable();
};

void TestScoreDocument::scoreLineOperations_data()
{
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");

    QTest::addRow("insert before the first line") << "a\nb" << true << 0 << 2 << "\n\na\nb";
    QTest::addRow("insert between lines") << "a\nb\nc" << true << 1 << 1 << "a\n\nb\nc";
    QTest::addRow("insert after the last line") << "a\nb" << true << 2 << 1 << "a\nb\n";
    QTest::addRow("insert past the end clamps") << "a" << true << 5 << 2 << "a\n\n";
    QTest::addRow("insert into an empty score") << "" << true << 0 << 1 << "\n";
    QTest::addRow("delete the first lines") << "a\nb\nc" << false << 0 << 2 << "c";
    QTest::addRow("delete a middle line") << "a\nb\nc" << false << 1 << 1 << "a\nc";
    QTest::addRow("delete the last line") << "a\nb\nc" << false << 2 << 1 << "a\nb";
    QTest::addRow("delete more than there is clamps") << "a\nb\nc" << false << 1 << 9 << "a";
    QTest::addRow("delete past the end does nothing") << "a\nb" << false << 4 << 1 << "a\nb";
    QTest::addRow("delete the only line of notation") << "a" << false << 0 << 1 << "";
}

void TestScoreDocument::scoreLineOperations()
{
    QFETCH(QString, score);
    QFETCH(bool, insert);
    QFETCH(int, at);
    QFETCH(int, count);
    QFETCH(QString, expected);

    ScoreDocument document;
    document.setTexts({QString(), score});
    if (insert)
        document.insertScoreLines(at, count);
    else
        document.deleteScoreLines(at, count);
    QCOMPARE(document.score()->toPlainText(), expected);
}

void TestScoreDocument::scoreLineOperationIsOneUndoStep()
{
    ScoreDocument document;
    document.setTexts({QString(), QStringLiteral("a\nb\nc")});
    document.insertScoreLines(1, 3);
    document.deleteScoreLines(0, 2);
    QCOMPARE(document.score()->availableUndoSteps() > 0, true);
    document.score()->undo();
    QCOMPARE(document.score()->toPlainText(), QStringLiteral("a\n\n\n\nb\nc"));
    document.score()->undo();
    QCOMPARE(document.score()->toPlainText(), QStringLiteral("a\nb\nc"));
    QVERIFY(!document.score()->isUndoAvailable());
}

void TestScoreDocument::syncGuardsNest()
{
    ScoreDocument document;
    QVERIFY(!document.isSyncing());
    {
        const ScoreDocument::SyncGuard outer(&document);
        {
            // A command that runs another inside its own edit.
            const ScoreDocument::SyncGuard inner(&document);
            QVERIFY(document.isSyncing());
        }
        QVERIFY(document.isSyncing());
    }
    QVERIFY(!document.isSyncing());
}

void TestScoreDocument::setTextsLoadsUnderTheGuardAndForgetsHistory()
{
    ScoreDocument document;
    QTextCursor(document.lyric()).insertText(QStringLiteral("旧"));
    QVERIFY(document.lyric()->isUndoAvailable());

    bool syncingDuringLoad = false;
    connect(document.lyric(), &QTextDocument::contentsChanged, this,
            [&] { syncingDuringLoad = document.isSyncing(); });
    // A text with a character outside the Basic Multilingual Plane and
    // notation symbols keeps every unit through the round trip.
    const GcpFile::Texts texts{QStringLiteral("# 题\n原来\U00020000"),
                               Notation::symbol(Notation::touBan) + QStringLiteral("\n")
                                   + Notation::symbol(Notation::lastNote)};
    document.setTexts(texts);
    QVERIFY(syncingDuringLoad);
    QVERIFY(!document.isSyncing());
    QCOMPARE(document.texts().lyric, texts.lyric);
    QCOMPARE(document.texts().score, texts.score);
    QVERIFY(!document.lyric()->isUndoAvailable());
    QVERIFY(!document.score()->isUndoAvailable());
    QCOMPARE(document.undoStack()->count(), 0);
}

void TestScoreDocument::exportEntries()
{
    ScoreDocument document;
    document.setTexts({QStringLiteral("你好，世界\n\n【越调】\n# 题"), QStringLiteral("a\nb\nc\nd")});
    const QList<ExportEntry> entries = document.exportEntries();
    QCOMPARE(entries.size(), 4);

    QCOMPARE(entries.at(0).type, 8);
    QCOMPARE(entries.at(0).text, QStringLiteral("你好，世界"));
    QCOMPARE(entries.at(0).scores,
             QList<QString>({QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c"),
                             QStringLiteral("d")}));
    QCOMPARE(entries.at(1).type, 10);
    QVERIFY(entries.at(1).scores.isEmpty());
    QCOMPARE(entries.at(2).type, 4);
    QCOMPARE(entries.at(2).text, QStringLiteral("【越调】"));
    QVERIFY(entries.at(2).scores.isEmpty());
    QCOMPARE(entries.at(3).type, 0);

    // A "【" line without its "】" owns no score line: its characters go out
    // without notation, not with that of the character before the line.
    document.setTexts({QStringLiteral("你\n【醉扶归\n好"), QStringLiteral("a\nb")});
    const QList<ExportEntry> malformed = document.exportEntries();
    QCOMPARE(malformed.at(1).type, 8);
    QCOMPARE(malformed.at(1).scores, QList<QString>(4, QString()));
    QCOMPARE(malformed.at(2).scores, QList<QString>({QStringLiteral("b")}));
}

void TestScoreDocument::indexFollowsEdits()
{
    ScoreDocument document;
    document.setTexts({QStringLiteral("原来\n# 题\n姹紫"), QString()});
    QCOMPARE(document.lyricIndex().lyricCharCount(), 4);
    QTextCursor cursor(document.lyric());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("嫣红"));
    QCOMPARE(document.lyricIndex().lyricText(), QStringLiteral("原来姹紫嫣红"));
    QCOMPARE(document.lyricIndex().lyricCharAt(6), QStringLiteral("红"));
}

void TestScoreDocument::beatMarkTable()
{
    using namespace Notation;
    // Each beat mark is of exactly one kind, and the kinds end where the
    // marks do: the ornaments and notes around them are of none.
    for (char32_t c = touBan; c <= yaoZengBan; ++c) {
        QVERIFY(isBeatMark(c));
        QVERIFY(markKind(c) != MarkKind::None);
        QCOMPARE(dropsAfterNote(c), c >= yaoTouYan);
    }
    QCOMPARE(markKind(firstOrnament), MarkKind::None);
    QVERIFY(!isBeatMark(firstOrnament));
    QVERIFY(isOrnament(lastOrnament) && !isOrnament(firstNote));
    QVERIFY(!isFlushRightNote(firstFlushRightNote - 1) && isFlushRightNote(lastNote));
    QCOMPARE(symbol(touBan).size(), 2);
    QCOMPARE(codePoint(symbol(lastNote)), lastNote);
    // Ornaments take their colour by UTF-16 order, notes do not.
    QVERIFY(takesOrnamentColor(symbol(lastOrnament)));
    QVERIFY(!takesOrnamentColor(symbol(firstNote)));
    QVERIFY(!takesOrnamentColor(symbol(touBan)));
}

QTEST_GUILESS_MAIN(TestScoreDocument)
#include "tst_scoredocument.moc"
