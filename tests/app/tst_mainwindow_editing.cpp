#include "inputmethod.h"
#include "mainwindow.h"
#include "notation.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "scoretree.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QUndoStack>

namespace {

QAction *action(MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

template<typename T>
T *child(MainWindow &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

QL_Edit *documentWith(MainWindow &window, const QString &lyric, const QString &score)
{
    action(window, "newAction")->trigger();
    QL_Edit *document = window.currentDocument();
    {
        const ScoreDocument::SyncGuard guard(document->document());
        document->lyricEdit()->setPlainText(lyric);
        document->scoreEdit()->setPlainText(score);
    }
    document->lyricEdit()->setFocus();
    return document;
}

// The colours of the find marks that the lyric editor shows.
int findMarks(const QL_Edit *document)
{
    int marks = 0;
    for (const QTextEdit::ExtraSelection &selection : document->lyricEdit()->extraSelections())
        marks += selection.format.background().color() == QColor(255, 255, 0)
                 || selection.format.background().color() == QColor(255, 150, 50);
    return marks;
}

} // namespace

// What the main window adds to editing: F3 and Shift+F3, replacing, and the
// symbol palette with the status bar that names the symbol at the cursor.
class TestMainWindowEditing : public QObject
{
    Q_OBJECT

private slots:
    void findKeysAndClosingTheBar();
    void replaceKeepsThePairing_data();
    void replaceKeepsThePairing();
    void paletteInsertsEverySymbol();
};

void TestMainWindowEditing::findKeysAndClosingTheBar()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("花开\n花落\n花"), QStringLiteral("\n\n\n\n"));
    QLabel *result = child<QLabel>(window, "searchResLabel");
    QWidget *bar = child<QWidget>(window, "searchBox");

    // With nothing to look for, F3 opens the bar for the word.
    QTest::keyClick(document->lyricEdit(), Qt::Key_F3);
    QVERIFY(bar->isVisible());
    QVERIFY(child<QLineEdit>(window, "searchEdit")->hasFocus());
    child<QLineEdit>(window, "searchEdit")->setText(QStringLiteral("花"));

    const struct
    {
        Qt::KeyboardModifiers modifiers;
        const char *label;
    } steps[] = {{Qt::NoModifier, "1/3"}, {Qt::NoModifier, "2/3"}, {Qt::ShiftModifier, "1/3"},
                 {Qt::ShiftModifier, "3/3"}, {Qt::NoModifier, "1/3"}};
    for (const auto &step : steps) {
        QTest::keyClick(document->lyricEdit(), Qt::Key_F3, step.modifiers);
        QCOMPARE(result->text(), QLatin1String(step.label));
        QCOMPARE(findMarks(document), 3);
    }

    child<QAbstractButton>(window, "searchCloseBtn")->click();
    QVERIFY(!bar->isVisible());
    QCOMPARE(findMarks(document), 0);
    QCOMPARE(result->text(), QString());
    // F3 with the word kept opens the bar again and steps on.
    QTest::keyClick(document->lyricEdit(), Qt::Key_F3);
    QVERIFY(bar->isVisible());
    QCOMPARE(result->text(), QStringLiteral("2/3"));
}

void TestMainWindowEditing::replaceKeepsThePairing_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("lyricAfter");

    QTest::addRow("one by one") << "花开花落" << "花" << "春" << false << "春开花落";
    QTest::addRow("all") << "花开\n# 花\n花落" << "花" << "春风" << true << "春风开\n# 春风\n春风落";
    QTest::addRow("all by nothing") << "花开花落" << "花" << "" << true << "开落";
    QTest::addRow("all holding the word") << "花花" << "花" << "花花" << true << "花花花花";
    QTest::addRow("a title made sung") << "# 游园\n原来" << "# " << "" << true << "游园\n原来";
    QTest::addRow("no match") << "原来" << "花" << "春" << true << "原来";
}

void TestMainWindowEditing::replaceKeepsThePairing()
{
    QFETCH(QString, lyric);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, all);
    QFETCH(QString, lyricAfter);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, lyric, QString());
    // Every sung character with its own score line, as typing gives.
    {
        const ScoreDocument::SyncGuard guard(document->document());
        QStringList lines;
        for (int i = 1; i <= document->lyricEdit()->lyricCharCount(); ++i)
            lines.append(QStringLiteral("n%1").arg(i));
        document->scoreEdit()->setPlainText(lines.join(QLatin1Char('\n')));
    }
    const QString scoreBefore = document->scoreEdit()->toPlainText();
    action(window, "replaceAction")->trigger();
    child<QLineEdit>(window, "searchEdit")->setText(search);
    child<QLineEdit>(window, "replaceEdit")->setText(replacement);
    // The first 替换 only finds; each further one replaces one match.
    const int clicks = all ? 0 : 2;
    for (int i = 0; i < clicks; ++i)
        child<QAbstractButton>(window, "replaceBtn")->click();
    if (all)
        child<QAbstractButton>(window, "replaceAllBtn")->click();

    QCOMPARE(document->lyricEdit()->toPlainText(), lyricAfter);
    QCOMPARE(document->scoreEdit()->blockCount(), qMax(1, document->lyricEdit()->lyricCharCount()));
    const bool changed = lyricAfter != lyric;
    QCOMPARE(document->undoStack()->count(), changed ? 1 : 0);
    document->undo();
    QCOMPARE(document->lyricEdit()->toPlainText(), lyric);
    QCOMPARE(document->scoreEdit()->toPlainText(), scoreBefore);
}

void TestMainWindowEditing::paletteInsertsEverySymbol()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("原"), QString());
    action(window, "symbolPaletteAction")->trigger();
    auto *dock = child<QDockWidget>(window, "symbolPaletteDock");
    QVERIFY(dock->isVisible());
    QVERIFY(dock->widget());
    const QList<QAbstractButton *> buttons = dock->widget()->findChildren<QAbstractButton *>();

    // Every symbol the dictionary types is there, each once.
    const ScoreTree &dictionary = InputMethod::instance()->dictionary();
    QSet<QString> shown;
    for (const QAbstractButton *button : buttons) {
        QVERIFY2(!shown.contains(button->text()), qPrintable(button->toolTip()));
        shown.insert(button->text());
    }
    for (const ScoredText &entry : dictionary.search(QString(), true))
        QVERIFY2(shown.contains(entry.first), qPrintable(QStringLiteral("U+%1").arg(uint(Notation::codePoint(entry.first)), 0, 16)));

    QLabel *named = child<QLabel>(window, "symbolLabel");
    QString expected;
    for (QAbstractButton *button : buttons) {
        button->click();
        expected += button->text();
        QCOMPARE(document->scoreEdit()->toPlainText(), expected);
        QVERIFY(document->scoreEdit()->hasFocus());
        QCOMPARE(document->scoreEdit()->characterAtCursor(), button->text());
        // The status bar names it as its tool tip does.
        QCOMPARE(named->text(), button->toolTip());
        const QString name = dictionary.nameOf(button->text());
        QVERIFY2(name.isEmpty() || button->toolTip().contains(name), qPrintable(button->toolTip()));
    }
    QCOMPARE(document->undoStack()->count(), buttons.size());
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原"));
}

QTEST_MAIN(TestMainWindowEditing)
#include "tst_mainwindow_editing.moc"
