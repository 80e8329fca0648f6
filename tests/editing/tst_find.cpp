#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QTest>
#include <QTextBlock>

namespace {

const QColor yellow(255, 255, 0);
const QColor orange(255, 150, 50);

} // namespace

// Finding text in the lyric editor: which match is current, where the
// cursor goes, the marks left on every match, and wrapping at either end.
class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void step_data();
    void step();
    void noMatchLeavesCursor();
    void stepsThroughMatchesAndBack();
    void marksEveryMatch();
    void scoreFollowsTheMatch();

private:
    void setCursor(int position);
    QL_Edit *doc = nullptr;
    QL_LyricEdit *lyric = nullptr;
};

void TestFind::init()
{
    doc = new QL_Edit;
    lyric = doc->lyricEdit();
}

void TestFind::cleanup()
{
    delete doc;
    doc = nullptr;
}

void TestFind::setCursor(int position)
{
    QTextCursor cursor = lyric->textCursor();
    cursor.setPosition(position);
    lyric->setTextCursor(cursor);
}

void TestFind::step_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cursorAfter");

    // 花 at 0, 5 and 10; the text ends at 11.
    const QString flowers = QStringLiteral("花开遍，\n花似锦\n井花");
    QTest::addRow("next from the start") << flowers << 0 << true << QStringLiteral("花") << 1 << 3 << 1;
    QTest::addRow("next from inside a match") << QStringLiteral("牡丹亭") << 1 << true << QStringLiteral("牡丹")
                                              << 1 << 1 << 2;
    QTest::addRow("next wraps to the first") << flowers << 11 << true << QStringLiteral("花") << 1 << 3 << 1;
    QTest::addRow("previous wraps to the last") << flowers << 0 << false << QStringLiteral("花") << 3 << 3 << 10;
    QTest::addRow("previous from the end") << flowers << 11 << false << QStringLiteral("花") << 3 << 3 << 10;
    QTest::addRow("previous takes a match ending at the cursor")
        << flowers << 6 << false << QStringLiteral("花") << 2 << 3 << 5;
    QTest::addRow("next skips a match ending at the cursor")
        << flowers << 6 << true << QStringLiteral("花") << 3 << 3 << 11;
    QTest::addRow("inside a title") << QStringLiteral("# 游园\n原来") << 7 << true << QStringLiteral("游园") << 1
                                    << 1 << 4;
    QTest::addRow("not case-sensitive") << QStringLiteral("Ab ab AB") << 0 << true << QStringLiteral("ab") << 1
                                        << 3 << 2;
    QTest::addRow("matches do not overlap, forward") << QStringLiteral("aaaa") << 4 << true
                                                     << QStringLiteral("aa") << 1 << 2 << 2;
    QTest::addRow("matches do not overlap, backward") << QStringLiteral("aaaa") << 4 << false
                                                      << QStringLiteral("aa") << 2 << 2 << 2;
    QTest::addRow("outside the BMP") << QStringLiteral(u"原𠀀来𠀀") << 0 << false << QStringLiteral(u"𠀀") << 2
                                     << 2 << 4;
}

void TestFind::step()
{
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(bool, forward);
    QFETCH(QString, search);
    QFETCH(int, current);
    QFETCH(int, count);
    QFETCH(int, cursorAfter);
    lyric->setPlainText(text);
    setCursor(cursor);
    const QPair<int, int> result = forward ? lyric->findNext(search) : lyric->findPrevious(search);
    QCOMPARE(result, qMakePair(current, count));
    QCOMPARE(lyric->textCursor().position(), cursorAfter);
    QVERIFY(!lyric->textCursor().hasSelection());
}

void TestFind::noMatchLeavesCursor()
{
    lyric->setPlainText(QStringLiteral("原来姹紫"));
    setCursor(2);
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(0, 0));
    QCOMPARE(lyric->findPrevious(QStringLiteral("花")), qMakePair(0, 0));
    QCOMPARE(lyric->textCursor().position(), 2);
    QVERIFY(lyric->extraSelections().isEmpty());
}

void TestFind::stepsThroughMatchesAndBack()
{
    lyric->setPlainText(QStringLiteral("花开遍，\n花似锦\n井花"));
    setCursor(0);
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(1, 3));
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(2, 3));
    // Turning round moves on to the match before, not the same one again.
    QCOMPARE(lyric->findPrevious(QStringLiteral("花")), qMakePair(1, 3));
    QCOMPARE(lyric->textCursor().position(), 0);
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(2, 3));
    QCOMPARE(lyric->textCursor().position(), 6);
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(3, 3));
    QCOMPARE(lyric->textCursor().position(), 11);
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(1, 3));
    QCOMPARE(lyric->findPrevious(QStringLiteral("花")), qMakePair(3, 3));
    QCOMPARE(lyric->findPrevious(QStringLiteral("花")), qMakePair(2, 3));
    // Once the marks are gone, the match is no longer current: the next step
    // starts afresh from where the cursor stands.
    lyric->clearFindMarks();
    QVERIFY(lyric->currentMatch(QStringLiteral("花")).isNull());
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(2, 3));
}

void TestFind::marksEveryMatch()
{
    lyric->setPlainText(QStringLiteral("花开遍，\n花似锦\n井花"));
    setCursor(3);
    QCOMPARE(lyric->findNext(QStringLiteral("花")), qMakePair(2, 3));
    const QList<QTextEdit::ExtraSelection> marks = lyric->extraSelections();
    QCOMPARE(marks.size(), 3);
    const int starts[] = {0, 5, 10};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(marks.at(i).cursor.selectionStart(), starts[i]);
        QCOMPARE(marks.at(i).cursor.selectedText(), QStringLiteral("花"));
        QCOMPARE(marks.at(i).format.background().color(), i == 1 ? orange : yellow);
    }
}

void TestFind::scoreFollowsTheMatch()
{
    {
        const ScoreDocument::SyncGuard guard(doc->document());
        lyric->setPlainText(QStringLiteral("# 花\n原来\n花开"));
        doc->scoreEdit()->setPlainText(QStringLiteral("a\nb\nc\nd\n"));
    }
    setCursor(0);
    QCOMPARE(lyric->findNext(QStringLiteral("花开")), qMakePair(1, 1));
    // The cursor after 开, the 4th sung character: the score cursor on line 3.
    QCOMPARE(doc->scoreEdit()->textCursor().blockNumber(), 3);
    // The marks stay, not replaced by the tint of the cursor's line.
    QCOMPARE(lyric->extraSelections().size(), 1);
    QCOMPARE(lyric->extraSelections().at(0).format.background().color(), orange);
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
