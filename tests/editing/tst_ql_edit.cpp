#include "editorconfig.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QUndoStack>

namespace {

// Eight lyric characters over three lines, one title line among them.
const QString lyrics = QStringLiteral("原来姹紫\n# 游园\n嫣红，开遍");
const QString score = QStringLiteral("s0\ns1\ns2\ns3\ns4\ns5\ns6\ns7");

int scoreLineStart(QL_Edit &doc, int line)
{
    return doc.scoreEdit()->document()->findBlockByNumber(line).position();
}

int scoreLineEnd(QL_Edit &doc, int line)
{
    const QTextBlock block = doc.scoreEdit()->document()->findBlockByNumber(line);
    return block.position() + block.length() - 1;
}

// The line a full-width tint marks, or -1 when the editor shows none.
int tintedLine(QPlainTextEdit *editor)
{
    const QList<QTextEdit::ExtraSelection> selections = editor->extraSelections();
    if (selections.size() != 1
        || !selections.first().format.property(QTextFormat::FullWidthSelection).toBool())
        return -1;
    return selections.first().cursor.blockNumber();
}

} // namespace

class TestQLEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void caretPairsWithScoreLine_data();
    void caretPairsWithScoreLine();
    void lyricSelectionSelectsScoreLines();
    void scoreSelectionSelectsLyricChars_data();
    void scoreSelectionSelectsLyricChars();
    void scoreCaretTintsLyricChar();
    void syncingBlocksAlignment();
    void modifiedAndTitle();
    void undoRedoStartDisabled();
    void configuredColoursSurviveTheForm();
    void settingsRecolourOpenEditors();
    void malformedMarkerLinesAreFlagged_data();
    void malformedMarkerLinesAreFlagged();
    void unownedScoreLinesAreFlagged_data();
    void unownedScoreLinesAreFlagged();
    void gutterToolTip();
    void pairingReportedWhileOff();
    void showFirstMismatch_data();
    void showFirstMismatch();
    void tabStepsThroughTemplateFields_data();
    void tabStepsThroughTemplateFields();
    void foreignScoreCharactersMarkedAndCounted_data();
    void foreignScoreCharactersMarkedAndCounted();

private:
    void load(const QString &lyricText, const QString &scoreText);
    QL_Edit *doc = nullptr;
};

void TestQLEdit::init()
{
    doc = new QL_Edit;
    doc->resize(640, 400);
    load(lyrics, score);
}

void TestQLEdit::cleanup()
{
    delete doc;
    doc = nullptr;
}

void TestQLEdit::load(const QString &lyricText, const QString &scoreText)
{
    {
        const ScoreDocument::SyncGuard guard(doc->document());
        doc->lyricEdit()->setPlainText(lyricText);
        doc->scoreEdit()->setPlainText(scoreText);
    }
}

void TestQLEdit::caretPairsWithScoreLine_data()
{
    QTest::addColumn<int>("lyricPosition");
    QTest::addColumn<int>("scoreLine");
    QTest::addColumn<bool>("atLineEnd");
    QTest::addRow("after the 3rd char") << 3 << 2 << true;
    QTest::addRow("before the first char") << 0 << -1 << false;
    QTest::addRow("inside the title line") << 7 << 3 << true;
    QTest::addRow("after the comma goes with the char before") << 13 << 5 << true;
    QTest::addRow("after the last char") << 15 << 7 << true;
}

void TestQLEdit::caretPairsWithScoreLine()
{
    QFETCH(int, lyricPosition);
    QFETCH(int, scoreLine);
    QFETCH(bool, atLineEnd);
    // Start elsewhere, so that the move to the position is a move.
    QTextCursor cursor = doc->lyricEdit()->textCursor();
    cursor.setPosition(lyricPosition == 1 ? 2 : 1);
    doc->lyricEdit()->setTextCursor(cursor);
    cursor.setPosition(lyricPosition);
    doc->lyricEdit()->setTextCursor(cursor);

    const QTextCursor s = doc->scoreEdit()->textCursor();
    QVERIFY(!s.hasSelection());
    if (scoreLine < 0) {
        QCOMPARE(s.position(), 0);
    } else {
        QCOMPARE(s.blockNumber(), scoreLine);
        QCOMPARE(s.position(), atLineEnd ? scoreLineEnd(*doc, scoreLine) : scoreLineStart(*doc, scoreLine));
    }
    QCOMPARE(tintedLine(doc->scoreEdit()), s.blockNumber());
    QCOMPARE(tintedLine(doc->lyricEdit()), doc->lyricEdit()->document()->findBlock(lyricPosition).blockNumber());
}

void TestQLEdit::lyricSelectionSelectsScoreLines()
{
    // Lyric characters 2..4 (0-based): 姹, 紫 and, past the title, 嫣.
    QTextCursor cursor = doc->lyricEdit()->textCursor();
    cursor.setPosition(2);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    doc->lyricEdit()->setTextCursor(cursor);

    const QTextCursor s = doc->scoreEdit()->textCursor();
    QCOMPARE(s.selectionStart(), scoreLineStart(*doc, 2));
    QCOMPARE(s.selectionEnd(), scoreLineEnd(*doc, 4));
    QVERIFY(doc->scoreEdit()->extraSelections().isEmpty());
    QVERIFY(doc->lyricEdit()->extraSelections().isEmpty());
}

void TestQLEdit::scoreSelectionSelectsLyricChars_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::addRow("top to bottom") << false;
    QTest::addRow("bottom to top") << true;
}

void TestQLEdit::scoreSelectionSelectsLyricChars()
{
    QFETCH(bool, backwards);
    const int start = scoreLineStart(*doc, 1) + 1;
    const int end = scoreLineStart(*doc, 3) + 1;
    QTextCursor cursor = doc->scoreEdit()->textCursor();
    cursor.setPosition(backwards ? end : start);
    cursor.setPosition(backwards ? start : end, QTextCursor::KeepAnchor);
    doc->scoreEdit()->setTextCursor(cursor);

    // Score lines 1..3 belong to 来, 姹 and 紫.
    const QTextCursor l = doc->lyricEdit()->textCursor();
    QCOMPARE(l.selectedText(), QStringLiteral("来姹紫"));
    QVERIFY(doc->lyricEdit()->extraSelections().isEmpty());
    QVERIFY(doc->scoreEdit()->extraSelections().isEmpty());
}

void TestQLEdit::scoreCaretTintsLyricChar()
{
    QTextCursor cursor = doc->scoreEdit()->textCursor();
    cursor.setPosition(scoreLineStart(*doc, 4));
    doc->scoreEdit()->setTextCursor(cursor);

    // Score line 4 belongs to 嫣, the first character after the title.
    QCOMPARE(doc->lyricEdit()->textCursor().position(), 11);
    const QList<QTextEdit::ExtraSelection> tint = doc->lyricEdit()->extraSelections();
    QCOMPARE(tint.size(), 1);
    QCOMPARE(tint.first().cursor.selectedText(), QStringLiteral("嫣"));
    QCOMPARE(tintedLine(doc->scoreEdit()), 4);
}

void TestQLEdit::syncingBlocksAlignment()
{
    QTextCursor cursor = doc->scoreEdit()->textCursor();
    cursor.setPosition(scoreLineStart(*doc, 6));
    doc->scoreEdit()->setTextCursor(cursor);
    const int lyricPosition = doc->lyricEdit()->textCursor().position();

    {
        const ScoreDocument::SyncGuard guard(doc->document());
        cursor.setPosition(scoreLineStart(*doc, 1));
        doc->scoreEdit()->setTextCursor(cursor);
    }
    QCOMPARE(doc->lyricEdit()->textCursor().position(), lyricPosition);
}

void TestQLEdit::modifiedAndTitle()
{
    QL_Edit fresh;
    QCOMPARE(fresh.title(), QStringLiteral("未命名"));
    QSignalSpy spy(&fresh, &QL_Edit::modifiedChanged);
    fresh.lyricEdit()->insertPlainText(QStringLiteral("我"));
    fresh.scoreEdit()->insertPlainText(QStringLiteral("x"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toBool(), true);
    QCOMPARE(fresh.title(), QStringLiteral("未命名*"));
}

void TestQLEdit::undoRedoStartDisabled()
{
    QL_Edit fresh;
    const QList<QAction *> actions = fresh.findChildren<QAction *>();
    int checked = 0;
    for (QAction *action : actions) {
        if (action->objectName() == QLatin1String("undoAction")
            || action->objectName() == QLatin1String("redoAction")) {
            QVERIFY(!action->isEnabled());
            ++checked;
        }
    }
    QCOMPARE(checked, 2);
}

void TestQLEdit::configuredColoursSurviveTheForm()
{
    const EditorConfig &config = EditorConfig::instance();
    QCOMPARE(doc->lyricEdit()->palette().color(QPalette::Active, QPalette::Base), config.lyricBgColor());
    QCOMPARE(doc->lyricEdit()->palette().color(QPalette::Active, QPalette::Text), config.errorColor());
    QCOMPARE(doc->scoreEdit()->palette().color(QPalette::Active, QPalette::Base), config.scoreBgColor());
    QCOMPARE(doc->scoreEdit()->palette().color(QPalette::Active, QPalette::Text), config.scoreColor());
    // The form's own colours stay: a selection keeps them when focus leaves.
    QCOMPARE(doc->lyricEdit()->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0x0078d7));
}

void TestQLEdit::settingsRecolourOpenEditors()
{
    QL_Edit other;
    EditorConfig &config = EditorConfig::instance();
    const QColor oldLyric = config.lyricColor();
    const QColor oldBackground = config.scoreBgColor();
    const QColor lyricColour(0x12, 0x34, 0x56);
    const QColor background(0xfe, 0xdc, 0xba);
    config.setLyricColor(lyricColour);
    config.setScoreBgColor(background);
    config.save();

    for (QL_Edit *edit : {doc, &other}) {
        edit->lyricEdit()->setPlainText(QStringLiteral("原来"));
        const QList<QTextLayout::FormatRange> formats =
            edit->lyricEdit()->document()->firstBlock().layout()->formats();
        QVERIFY(!formats.isEmpty());
        QCOMPARE(formats.last().format.foreground().color(), lyricColour);
        QCOMPARE(edit->scoreEdit()->palette().color(QPalette::Active, QPalette::Base), background);
    }
    config.setLyricColor(oldLyric);
    config.setScoreBgColor(oldBackground);
    config.save();
}

void TestQLEdit::malformedMarkerLinesAreFlagged_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("flagged");
    QTest::addRow("tune name without its closing bracket") << QStringLiteral("【醉扶归") << "唱" << true;
    QTest::addRow("space before the key") << QStringLiteral("【步步娇】 (小工调)") << "唱" << true;
    QTest::addRow("at with latin letters") << QStringLiteral("@abc") << "？" << true;
    QTest::addRow("tune name") << QStringLiteral("【步步娇】(小工调)") << "曲牌" << false;
    QTest::addRow("line break") << QStringLiteral("@换行符") << "换行" << false;
    QTest::addRow("sung line") << QStringLiteral("原来姹紫") << "唱" << false;
    QTest::addRow("title") << QStringLiteral("# 游园") << "标题" << false;
}

void TestQLEdit::malformedMarkerLinesAreFlagged()
{
    // The line keeps its type, and the user sees why its characters get no
    // notation: a flagged gutter label with a tool tip, and the text in the
    // error colour.
    QFETCH(QString, line);
    QFETCH(QString, label);
    QFETCH(bool, flagged);
    load(line, QString());
    const QTextBlock block = doc->lyricEdit()->document()->firstBlock();
    const GutteredEdit::GutterLabel shown = doc->lyricEdit()->gutterLabel(block);
    QCOMPARE(shown.text, label);
    QCOMPARE(shown.flagged, flagged);
    QCOMPARE(shown.toolTip.isEmpty(), !flagged);
    if (flagged)
        QVERIFY(shown.toolTip.contains(line.left(1)));

    const QColor error = EditorConfig::instance().errorColor();
    const QList<QTextLayout::FormatRange> formats = block.layout()->formats();
    QVERIFY(!formats.isEmpty());
    bool allError = true;
    for (const QTextLayout::FormatRange &range : formats)
        allError = allError && range.format.foreground().color() == error;
    QCOMPARE(allError, flagged);
}

void TestQLEdit::unownedScoreLinesAreFlagged_data()
{
    QTest::addColumn<QString>("lyricText");
    QTest::addColumn<QString>("scoreText");
    // One per score line: the label, "×" for a flagged line.
    QTest::addColumn<QStringList>("labels");
    QTest::addRow("new document") << QString() << QString() << QStringList{QString()};
    QTest::addRow("notation before any lyric") << QString() << QStringLiteral("工") << QStringList{"×"};
    QTest::addRow("paired") << QStringLiteral("原来") << QStringLiteral("a\nb") << QStringList{"原", "来"};
    QTest::addRow("older save") << QStringLiteral("原来") << QStringLiteral("a\nb\n")
                                << QStringList{"原", "来", "×"};
    QTest::addRow("split in the middle") << QStringLiteral("原来") << QStringLiteral("a\nb1\nb2")
                                         << QStringList{"原", "来", "×"};
    QTest::addRow("extra lines under a title") << QStringLiteral("# 题") << QStringLiteral("\nb")
                                               << QStringList{QString(), "×"};
}

void TestQLEdit::unownedScoreLinesAreFlagged()
{
    QFETCH(QString, lyricText);
    QFETCH(QString, scoreText);
    QFETCH(QStringList, labels);
    load(lyricText, scoreText);
    QStringList shown;
    for (QTextBlock block = doc->scoreEdit()->document()->firstBlock(); block.isValid(); block = block.next()) {
        const GutteredEdit::GutterLabel label = doc->scoreEdit()->gutterLabel(block);
        QCOMPARE(label.flagged, label.text == QStringLiteral("×"));
        QCOMPARE(label.toolTip.isEmpty(), !label.flagged);
        shown.append(label.text);
    }
    QCOMPARE(shown, labels);
}

void TestQLEdit::gutterToolTip()
{
    load(QStringLiteral("原\n【醉扶归"), QStringLiteral("a\nb"));
    doc->show();
    QVERIFY(QTest::qWaitForWindowExposed(doc));
    for (GutteredEdit *editor : {static_cast<GutteredEdit *>(doc->lyricEdit()),
                                 static_cast<GutteredEdit *>(doc->scoreEdit())}) {
        const QTextBlock first = editor->document()->firstBlock();
        // The gutter and the text area share their vertical coordinates.
        const QRect line = editor->cursorRect(QTextCursor(first.next()));
        const QString tip = editor->gutterToolTipAt(QPoint(2, line.center().y()));
        QCOMPARE(tip, editor->gutterLabel(first.next()).toolTip);
        QVERIFY(!tip.isEmpty());
        const QRect top = editor->cursorRect(QTextCursor(first));
        QCOMPARE(editor->gutterToolTipAt(QPoint(2, top.center().y())), QString());
    }
}

void TestQLEdit::pairingReportedWhileOff()
{
    const QString gong = QStringLiteral(u"\U000F002C");
    load(QStringLiteral("原来"), gong + gong + QLatin1Char('\n') + gong + gong);
    QSignalSpy changes(doc, &QL_Edit::pairingChanged);
    QTextCursor cursor = doc->scoreEdit()->textCursor();
    cursor.setPosition(2);
    doc->scoreEdit()->setTextCursor(cursor);

    // Splitting a score line on purpose breaks the pairing, and says so.
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(doc->pairing().statusText(), QStringLiteral("曲谱 3 行，唱字 2 个，不成对：曲谱第 3 行起没有对应的唱字"));
    // An edit that keeps every count says nothing new.
    doc->insertScoreSymbol(gong);
    QCOMPARE(changes.count(), 1);
    // A digit is no notation: the status counts it.
    QTest::keyClick(doc->scoreEdit(), Qt::Key_5);
    QCOMPARE(changes.count(), 2);
    QVERIFY(doc->pairing().statusText().endsWith(QStringLiteral("曲谱中有 1 个字符不是曲谱符号")));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(doc->scoreEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(changes.count(), 4);
    QVERIFY(doc->pairing().isPaired());
    QCOMPARE(doc->pairing().statusText(), QString());
}

void TestQLEdit::showFirstMismatch_data()
{
    QTest::addColumn<QString>("lyricText");
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<bool>("inScore");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("anchor");
    QTest::addRow("first line without its character")
        << QStringLiteral("原来") << QStringLiteral("a\nb\nc\nd") << true << 4 << 4;
    QTest::addRow("first character without its line")
        << QStringLiteral("原\n来姹") << QStringLiteral("a") << false << 3 << 2;
}

void TestQLEdit::showFirstMismatch()
{
    QFETCH(QString, lyricText);
    QFETCH(QString, scoreText);
    QFETCH(bool, inScore);
    QFETCH(int, position);
    QFETCH(int, anchor);
    load(lyricText, scoreText);
    doc->showFirstMismatch();
    const QTextCursor cursor = inScore ? doc->scoreEdit()->textCursor() : doc->lyricEdit()->textCursor();
    QCOMPARE(cursor.position(), position);
    QCOMPARE(cursor.anchor(), anchor);
}

void TestQLEdit::tabStepsThroughTemplateFields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("back");
    QTest::addColumn<int>("selectedFrom");
    QTest::addColumn<int>("selectedTo");

    const QString tune = QStringLiteral("【曲牌名】(调名)"); // name 1..4, key 6..8
    QTest::addRow("name selected, to the key") << tune << 1 << 4 << false << 6 << 8;
    QTest::addRow("typed name, to the key") << QStringLiteral("【皂罗袍】(调名)") << 4 << 4 << false << 6 << 8;
    QTest::addRow("full-width brackets") << QStringLiteral("【皂罗袍】（小工调）") << 2 << 2 << false << 6 << 9;
    QTest::addRow("from the key, to the line end") << tune << 6 << 8 << false << 9 << 9;
    QTest::addRow("line start, to the name") << tune << 0 << 0 << false << 1 << 4;
    QTest::addRow("back from the key") << tune << 6 << 8 << true << 1 << 4;
    QTest::addRow("back from the name") << tune << 1 << 4 << true << 0 << 0;
    QTest::addRow("no key yet") << QStringLiteral("【醉扶归") << 3 << 3 << false << 4 << 4;
}

void TestQLEdit::tabStepsThroughTemplateFields()
{
    QFETCH(QString, line);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(bool, back);
    QFETCH(int, selectedFrom);
    QFETCH(int, selectedTo);
    load(QStringLiteral("原来\n") + line, QStringLiteral("\n"));
    const int lineStart = 3;
    QTextCursor cursor = doc->lyricEdit()->textCursor();
    cursor.setPosition(lineStart + anchor);
    cursor.setPosition(lineStart + position, QTextCursor::KeepAnchor);
    doc->lyricEdit()->setTextCursor(cursor);
    if (back)
        QTest::keyClick(doc->lyricEdit(), Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(doc->lyricEdit(), Qt::Key_Tab);
    cursor = doc->lyricEdit()->textCursor();
    QCOMPARE(cursor.selectionStart() - lineStart, selectedFrom);
    QCOMPARE(cursor.selectionEnd() - lineStart, selectedTo);
    QCOMPARE(doc->lyricEdit()->toPlainText(), QStringLiteral("原来\n") + line);
    QCOMPARE(doc->undoStack()->count(), 0);

    // Elsewhere Tab still types.
    cursor.setPosition(1);
    doc->lyricEdit()->setTextCursor(cursor);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Tab);
    QVERIFY(doc->lyricEdit()->toPlainText().startsWith(QStringLiteral("原\t来")));
}

void TestQLEdit::foreignScoreCharactersMarkedAndCounted_data()
{
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<QList<int>>("foreignAt"); // positions in the score

    const auto symbols = [](std::initializer_list<char32_t> codes) {
        QString text;
        for (char32_t c : codes)
            text += QString::fromUcs4(&c, 1);
        return text;
    };
    QTest::addRow("notation only") << symbols({0xF002C, 0xF0000}) + QStringLiteral(" \n") + symbols({0xF009B})
                                   << QList<int>{};
    QTest::addRow("ideographs typed") << QStringLiteral("上尺\n") + symbols({0xF002A}) << QList<int>{0, 1};
    QTest::addRow("digit among symbols") << symbols({0xF0027}) + QStringLiteral("5\n") << QList<int>{2};
    QTest::addRow("outside the BMP, not notation") << QStringLiteral(u"\U00020000") + symbols({0xF000D}) + QStringLiteral("\n")
                                                   << QList<int>{0};
    QTest::addRow("between the ranges") << symbols({0xF000E, 0xF001F}) + QStringLiteral("\n") << QList<int>{0, 2};
}

void TestQLEdit::foreignScoreCharactersMarkedAndCounted()
{
    QFETCH(QString, scoreText);
    QFETCH(QList<int>, foreignAt);
    load(QStringLiteral("原来"), scoreText);
    doc->show();
    QL_ScoreEdit *edit = doc->scoreEdit();
    QCOMPARE(edit->foreignCharacterCount(), foreignAt.size());
    const QString status = doc->pairing().statusText();
    QCOMPARE(status.contains(QString::number(foreignAt.size())), !foreignAt.isEmpty());

    // Each foreign character, and nothing else, is drawn apart.
    QList<int> marked;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            if (range.format.underlineStyle() != QTextCharFormat::WaveUnderline)
                continue;
            for (int i = range.start; i < range.start + range.length; ++i) {
                if (!block.text().at(i).isLowSurrogate())
                    marked.append(block.position() + i);
            }
        }
    }
    QCOMPARE(marked, foreignAt);

    if (!foreignAt.isEmpty()) {
        doc->showFirstMismatch();
        QCOMPARE(edit->textCursor().selectionStart(), foreignAt.first());
        QCOMPARE(edit->characterAtCursor(), edit->textCursor().selectedText());
    }
}

QTEST_MAIN(TestQLEdit)
#include "tst_ql_edit.moc"
