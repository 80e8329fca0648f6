#include "editorconfig.h"
#include "editorzoom.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QUndoStack>
#include <QWheelEvent>

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
    void zoomsTheEditorOfTheEvent_data();
    void zoomsTheEditorOfTheEvent();
    void zoomKeptInSettings();

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
    EditorZoom::instance().reset(EditorZoom::Editor::Lyric);
    EditorZoom::instance().reset(EditorZoom::Editor::Score);
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
    QTest::addColumn<QPoint>("selection"); // anchor, position in the line
    QTest::addColumn<bool>("back");
    QTest::addColumn<QPoint>("selected");

    const QString tune = QStringLiteral("【曲牌名】(调名)"); // name 1..4, key 6..8
    QTest::addRow("name selected, to the key") << tune << QPoint(1, 4) << false << QPoint(6, 8);
    QTest::addRow("typed name, full-width key") << QStringLiteral("【皂罗袍】（小工调）") << QPoint(4, 4) << false
                                                << QPoint(6, 9);
    QTest::addRow("from the key, to the line end") << tune << QPoint(6, 8) << false << QPoint(9, 9);
    QTest::addRow("line start, to the name") << tune << QPoint(0, 0) << false << QPoint(1, 4);
    QTest::addRow("back from the key") << tune << QPoint(8, 6) << true << QPoint(1, 4);
    QTest::addRow("back from the name") << tune << QPoint(1, 4) << true << QPoint(0, 0);
    QTest::addRow("no key yet") << QStringLiteral("【醉扶归") << QPoint(3, 3) << false << QPoint(4, 4);
}

void TestQLEdit::tabStepsThroughTemplateFields()
{
    QFETCH(QString, line);
    QFETCH(QPoint, selection);
    QFETCH(bool, back);
    QFETCH(QPoint, selected);
    const QString text = QStringLiteral("原来\n") + line;
    load(text, QStringLiteral("\n"));
    QTextCursor cursor = doc->lyricEdit()->textCursor();
    cursor.setPosition(3 + selection.x());
    cursor.setPosition(3 + selection.y(), QTextCursor::KeepAnchor);
    doc->lyricEdit()->setTextCursor(cursor);
    QTest::keyClick(doc->lyricEdit(), back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    cursor = doc->lyricEdit()->textCursor();
    QCOMPARE(QPoint(cursor.selectionStart(), cursor.selectionEnd()) - QPoint(3, 3), selected);
    QCOMPARE(doc->lyricEdit()->toPlainText(), text);
}

void TestQLEdit::foreignScoreCharactersMarkedAndCounted_data()
{
    QTest::addColumn<QString>("scoreText"); // two lines, for the two sung characters
    QTest::addColumn<QList<int>>("foreignAt");

    QTest::addRow("notation only") << QStringLiteral(u"\U000F002C\U000F0000 \n\U000F009B") << QList<int>{};
    QTest::addRow("ideographs typed") << QStringLiteral(u"上尺\n\U000F002A") << QList<int>{0, 1};
    QTest::addRow("digit among symbols") << QStringLiteral(u"\U000F0027" "5\n") << QList<int>{2};
    QTest::addRow("outside the BMP") << QStringLiteral(u"\U00020000\U000F000D\n") << QList<int>{0};
    QTest::addRow("between the ranges") << QStringLiteral(u"\U000F000E\U000F001F\n") << QList<int>{0, 2};
}

void TestQLEdit::foreignScoreCharactersMarkedAndCounted()
{
    QFETCH(QString, scoreText);
    QFETCH(QList<int>, foreignAt);
    load(QStringLiteral("原来"), scoreText);
    QL_ScoreEdit *edit = doc->scoreEdit();
    QCOMPARE(edit->foreignCharacterCount(), foreignAt.size());
    QCOMPARE(doc->pairing().statusText().contains(QString::number(foreignAt.size())), !foreignAt.isEmpty());

    // Each foreign character, and nothing else, is drawn apart.
    QList<int> marked;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            for (int i = range.start; i < range.start + range.length; ++i)
                if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline && !block.text().at(i).isLowSurrogate())
                    marked.append(block.position() + i);
        }
    }
    QCOMPARE(marked, foreignAt);
    doc->showFirstMismatch();
    QCOMPARE(edit->textCursor().hasSelection(), !foreignAt.isEmpty());
    if (!foreignAt.isEmpty())
        QCOMPARE(edit->textCursor().selectionStart(), foreignAt.first());
}

void TestQLEdit::zoomsTheEditorOfTheEvent_data()
{
    QTest::addColumn<bool>("score");
    QTest::addColumn<QString>("events"); // keys + = K(eypad plus) - 0; w W: Ctrl+wheel up, down; p: plain wheel
    QTest::addColumn<int>("percent");

    QTest::addRow("lyric ctrl+plus") << false << "+" << 110;
    QTest::addRow("score ctrl+equal, keypad plus") << true << "=K" << 120;
    QTest::addRow("ctrl+minus twice") << false << "--" << 80;
    QTest::addRow("ctrl+0 after zooming") << true << "++0" << 100;
    QTest::addRow("ctrl+wheel") << false << "wwW" << 110;
    QTest::addRow("plain wheel scrolls") << true << "p" << 100;
    QTest::addRow("far out stops") << false << QString(40, u'-') << int(EditorZoom::minPercent);
}

void TestQLEdit::zoomsTheEditorOfTheEvent()
{
    QFETCH(bool, score);
    QFETCH(QString, events);
    QFETCH(int, percent);
    QL_Edit &first = *doc;
    QL_Edit second;
    const auto editorOf = [score](QL_Edit &edit, bool ofScore) -> QPlainTextEdit * {
        return score == ofScore ? static_cast<QPlainTextEdit *>(edit.scoreEdit()) : edit.lyricEdit();
    };
    QPlainTextEdit *editor = editorOf(first, true);
    const double size = editor->document()->defaultFont().pointSizeF();
    const double otherSize = editorOf(first, false)->document()->defaultFont().pointSizeF();

    for (const QChar event : events) {
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        if (event == u'+' || event == u'K')
            QTest::keyClick(editor, Qt::Key_Plus, ctrl | (event == u'K' ? Qt::KeypadModifier : Qt::ShiftModifier));
        else if (event == u'=' || event == u'-' || event == u'0')
            QTest::keyClick(editor, event.toLatin1(), ctrl);
        else {
            QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, event == u'W' ? -120 : 120),
                              Qt::NoButton, event == u'p' ? Qt::NoModifier : ctrl, Qt::NoScrollPhase, false);
            QApplication::sendEvent(editor->viewport(), &wheel);
        }
    }

    // The text of this kind of editor in every document at the zoom, the
    // other kind untouched, nothing typed.
    QCOMPARE(editor->document()->defaultFont().pointSizeF(), size * percent / 100);
    QCOMPARE(editorOf(second, true)->document()->defaultFont().pointSizeF(), size * percent / 100);
    QCOMPARE(editorOf(first, false)->document()->defaultFont().pointSizeF(), otherSize);
    QCOMPARE(first.undoStack()->count(), 0);
    QCOMPARE(first.lyricEdit()->toPlainText(), lyrics);
    QVERIFY(!second.isModified());
}

void TestQLEdit::zoomKeptInSettings()
{
    // What a file may hold, and what is read from it.
    const QPair<QString, int> values[] = {{QString(), 100}, {"130", 130}, {"100000", EditorZoom::maxPercent},
                                          {"-20", EditorZoom::minPercent}, {"abc", 100}};
    for (const auto &value : values) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("settings.ini"));
        if (!value.first.isNull())
            QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("Zoom/score"), value.first);
        EditorZoom zoom(path);
        QCOMPARE(zoom.percent(EditorZoom::Editor::Score), value.second);
        zoom.zoomBy(EditorZoom::Editor::Lyric, 3);
        QVERIFY(zoom.save());
        EditorZoom reread(path);
        QCOMPARE(reread.percent(EditorZoom::Editor::Lyric), 130);
        QCOMPARE(reread.percent(EditorZoom::Editor::Score), value.second);
    }
}

QTEST_MAIN(TestQLEdit)
#include "tst_ql_edit.moc"
