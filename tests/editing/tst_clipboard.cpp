#include "gcpfile.h"
#include "lyricclipboard.h"
#include "plainscoretext.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUndoStack>

namespace {

QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}

void putPlainText(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    clipboard()->setMimeData(data);
}

// The lyric format as another copy of this program, or something pretending
// to be one, would put it: the JSON as given, and a plain text beside it.
void putLyricFormat(const QByteArray &json, const QString &plain = QStringLiteral("x"))
{
    auto *data = new QMimeData;
    data->setData(LyricClipboard::mimeType, json);
    data->setText(plain);
    clipboard()->setMimeData(data);
}

QByteArray formatJson(const QJsonArray &lyric, const QJsonArray &score)
{
    QJsonObject object;
    object.insert(QStringLiteral("lyric"), lyric);
    object.insert(QStringLiteral("score"), score);
    return QJsonDocument(object).toJson();
}

QString ucs4(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// A note with its beat mark as the notation font has them.
const QString gong = ucs4(U'\U000F002C') + ucs4(U'\U000F0000');
const QString chi = ucs4(U'\U000F002B');

void pressKey(QWidget *widget, int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(widget, Qt::Key(key), modifiers);
}

} // namespace

// Copying lyric text with its notation, cutting it, and pasting it back from
// this program's own format or from the plain text of other programs. Every
// paste must leave one score line per sung character, whatever the clipboard
// holds, and undo back to where it started.
class TestClipboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyEntries_data();
    void copyEntries();
    void copyWritesIndentedJsonAndPlainText();
    void copyWithoutSelectionLeavesClipboard();
    void cutIsCopyAndOneDeleteStep();
    void paste_data();
    void paste();
    void pasteReplacingSelectionIsTwoSteps();
    void plainTextIsPastedAsTyped();
    void emptyLyricArrayChangesNothing_data();
    void emptyLyricArrayChangesNothing();
    void adversarialClipboards_data();
    void adversarialClipboards();
    void roundTripBetweenDocuments();
    void scorePasteOfFrameMarksKeepsLines();
    void plainGongchePasteIsOneConvertingStep();
    void copyAsPlainTextPastesBack();
    void randomEditsThroughTheClipboard_data();
    void randomEditsThroughTheClipboard();

private:
    void load(QL_Edit *edit, const QString &lyric, const QString &score);
    void select(QPlainTextEdit *editor, int anchor, int position);
    QString lyric() const { return doc->lyricEdit()->toPlainText(); }
    QString score() const { return doc->scoreEdit()->toPlainText(); }
    // Score lines beyond one per sung character (the one line of a score
    // without any): 0 when paired, and no edit of the lyrics changes it.
    static int pairingOffset(const QL_Edit *edit)
    {
        return edit->scoreEdit()->blockCount() - qMax(edit->lyricEdit()->lyricCharCount(), 1);
    }
    QL_Edit *doc = nullptr;
};

void TestClipboard::init()
{
    doc = new QL_Edit;
    doc->resize(640, 400);
    doc->show();
    QVERIFY(QTest::qWaitForWindowActive(doc));
    doc->lyricEdit()->setFocus();
    clipboard()->clear();
}

void TestClipboard::cleanup()
{
    delete doc;
    doc = nullptr;
}

void TestClipboard::load(QL_Edit *edit, const QString &lyric, const QString &score)
{
    {
        const ScoreDocument::SyncGuard guard(edit->document());
        edit->lyricEdit()->setPlainText(lyric);
        edit->scoreEdit()->setPlainText(score);
    }
}

void TestClipboard::select(QPlainTextEdit *editor, int anchor, int position)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

void TestClipboard::copyEntries_data()
{
    QTest::addColumn<QString>("lyricText");
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("lyricEntries");
    QTest::addColumn<QStringList>("scoreEntries");

    QTest::addRow("title then two sung characters")
        << QStringLiteral("# 题目\n原来姹") << QStringLiteral("a\nb\nc\n") << 0 << 7
        << QStringList{"#", " ", "题", "目", "\n", "原", "来"} << QStringList{"", "", "", "", "", "a", "b"};
    QTest::addRow("a space owns its score line")
        << QStringLiteral("原 来") << QStringLiteral("a\nb\nc\n") << 0 << 3 << QStringList{"原", " ", "来"}
        << QStringList{"a", "b", "c"};
    QTest::addRow("punctuation has an empty entry")
        << QStringLiteral("原，来") << QStringLiteral("a\nb\n") << 1 << 3 << QStringList{"，", "来"}
        << QStringList{"", "b"};
    QTest::addRow("selection made backwards")
        << QStringLiteral("原来姹紫") << QStringLiteral("a\nb\nc\nd\n") << 3 << 1 << QStringList{"来", "姹"}
        << QStringList{"b", "c"};
    QTest::addRow("ideograph outside the BMP stays whole")
        << QStringLiteral(u"原𠀀来") << QStringLiteral("a\nb\n") << 0 << 4 << QStringList{"原", "𠀀", "来"}
        << QStringList{"a", "", "b"};
    QTest::addRow("notation outside the BMP")
        << QStringLiteral("原来") << gong + "\n" + chi + "\n" << 0 << 2 << QStringList{"原", "来"}
        << QStringList{gong, chi};
    QTest::addRow("score shorter than the lyrics")
        << QStringLiteral("原来姹") << QStringLiteral("a") << 0 << 3 << QStringList{"原", "来", "姹"}
        << QStringList{"a", "", ""};
    QTest::addRow("malformed tune name is structural")
        << QStringLiteral("原\n【来姹\n紫") << QStringLiteral("a\nb\n") << 0 << 7
        << QStringList{"原", "\n", "【", "来", "姹", "\n", "紫"} << QStringList{"a", "", "", "", "", "", "b"};
}

void TestClipboard::copyEntries()
{
    QFETCH(QString, lyricText);
    QFETCH(QString, scoreText);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, lyricEntries);
    QFETCH(QStringList, scoreEntries);
    load(doc, lyricText, scoreText);
    select(doc->lyricEdit(), from, to);

    QTest::keyClick(doc->lyricEdit(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData *data = clipboard()->mimeData();
    QVERIFY(data->hasFormat(LyricClipboard::mimeType));
    const std::optional<LyricClipboard::Entries> entries =
        LyricClipboard::decode(data->data(LyricClipboard::mimeType));
    QVERIFY(entries);
    QCOMPARE(entries->lyric, lyricEntries);
    QCOMPARE(entries->score, scoreEntries);
    // Copying changes nothing and leaves no step.
    QCOMPARE(lyric(), lyricText);
    QCOMPARE(score(), scoreText);
    QCOMPARE(doc->undoStack()->count(), 0);
}

void TestClipboard::copyWritesIndentedJsonAndPlainText()
{
    load(doc, QStringLiteral("原\n来"), QStringLiteral("a\nb\n"));
    select(doc->lyricEdit(), 0, 3);
    doc->copy();
    const QMimeData *data = clipboard()->mimeData();
    const QByteArray expected = "{\n"
                                "    \"lyric\": [\n"
                                "        \"原\",\n"
                                "        \"\\n\",\n"
                                "        \"来\"\n"
                                "    ],\n"
                                "    \"score\": [\n"
                                "        \"a\",\n"
                                "        \"\",\n"
                                "        \"b\"\n"
                                "    ]\n"
                                "}\n";
    QCOMPARE(data->data(LyricClipboard::mimeType), expected);
    QCOMPARE(data->text(), QStringLiteral(u"原\u2029来"));
}

void TestClipboard::copyWithoutSelectionLeavesClipboard()
{
    load(doc, QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    putPlainText(QStringLiteral("kept"));
    QTest::keyClick(doc->lyricEdit(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(doc->undoStack()->count(), 0);
}

void TestClipboard::cutIsCopyAndOneDeleteStep()
{
    load(doc, QStringLiteral("原来姹紫"), QStringLiteral("a\nb\nc\nd\n"));
    select(doc->lyricEdit(), 1, 3);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(lyric(), QStringLiteral("原紫"));
    QCOMPARE(score(), QStringLiteral("a\nd\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
    const auto entries = LyricClipboard::decode(clipboard()->mimeData()->data(LyricClipboard::mimeType));
    QVERIFY(entries);
    QCOMPARE(entries->score, (QStringList{"b", "c"}));

    // What was cut comes back with its notation at the new place.
    QTest::keyClick(doc->lyricEdit(), Qt::Key_End);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(lyric(), QStringLiteral("原紫来姹"));
    QCOMPARE(score(), QStringLiteral("a\nd\nb\nc\n"));
    doc->undo();
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来姹紫"));
    QCOMPARE(score(), QStringLiteral("a\nb\nc\nd\n"));
}

void TestClipboard::paste_data()
{
    QTest::addColumn<QString>("lyricBefore");
    QTest::addColumn<QString>("scoreBefore");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("lyricAfter");
    QTest::addColumn<QString>("scoreAfter");

    QTest::addRow("between sung characters")
        << QStringLiteral("原来紫") << QStringLiteral("a\nb\nc\n") << 2
        << formatJson({"姹", "，", " "}, {"x", "", "y"}) << QStringLiteral("原来姹， 紫")
        << QStringLiteral("a\nb\nx\ny\nc\n");
    QTest::addRow("into a title")
        << QStringLiteral("# 题\n原") << QStringLiteral("a\n") << 3 << formatJson({"姹", "紫"}, {"x", "y"})
        << QStringLiteral("# 题姹紫\n原") << QStringLiteral("a\n");
    QTest::addRow("at the end of a short score")
        << QStringLiteral("原来姹") << QStringLiteral("a") << 3 << formatJson({"紫", "嫣"}, {"x", "y"})
        << QStringLiteral("原来姹紫嫣") << QStringLiteral("a\nx\ny");
    QTest::addRow("lines with a title between")
        << QStringLiteral("原来") << QStringLiteral("a\nb\n") << 1
        << formatJson({"姹", "\n", "#", "题", "\n", "紫"}, {"x", "", "", "", "", "y"})
        << QStringLiteral("原姹\n#题\n紫来") << QStringLiteral("a\nx\ny\nb\n");
    QTest::addRow("marker makes the rest of the line a title")
        << QStringLiteral("原来") << QStringLiteral("a\nb") << 0 << formatJson({"#"}, {""})
        << QStringLiteral("#原来") << QStringLiteral("");
    QTest::addRow("sung character before a title marker")
        << QStringLiteral("#原来") << QStringLiteral("") << 0 << formatJson({"紫"}, {"z"})
        << QStringLiteral("紫#原来") << QStringLiteral("z\n\n");
    QTest::addRow("line break leaves the rest sung")
        << QStringLiteral("#原来") << QStringLiteral("") << 1 << formatJson({"\n"}, {""})
        << QStringLiteral("#\n原来") << QStringLiteral("\n");
    QTest::addRow("notation written before any lyric stays with the first character")
        << QString() << QStringLiteral("w") << 0 << formatJson({"原", "来"}, {"x", "y"}) << QStringLiteral("原来")
        << QStringLiteral("wx\ny");
    QTest::addRow("older save: a marker over the only sung line keeps the extra line")
        << QStringLiteral("原来") << QStringLiteral("a\nb\n") << 0 << formatJson({"#"}, {""})
        << QStringLiteral("#原来") << QStringLiteral("\n");
    QTest::addRow("older save keeps its extra line")
        << QStringLiteral("#原来") << QStringLiteral("\nq") << 0 << formatJson({"紫"}, {"z"})
        << QStringLiteral("紫#原来") << QStringLiteral("z\n\n\nq");
    QTest::addRow("score array shorter than lyric")
        << QString() << QString() << 0 << formatJson({"原", "来", "姹"}, {"x"})
        << QStringLiteral("原来姹") << QStringLiteral("x\n\n");
    QTest::addRow("score array missing") << QString() << QString() << 0
                                         << QByteArray(R"({"lyric": ["原", "来"]})")
                                         << QStringLiteral("原来") << QStringLiteral("\n");
    QTest::addRow("non-string elements")
        << QString() << QString() << 0
        << QByteArray(R"({"lyric": ["原", 7, null, "来"], "score": [{"a": 1}, "", [], "y"], "extra": 1})")
        << QStringLiteral("原来") << QStringLiteral("\ny");
    QTest::addRow("entry of several characters")
        << QString() << QString() << 0 << formatJson({"原来"}, {"x"}) << QStringLiteral("原来")
        << QStringLiteral("\nx");
    QTest::addRow("line breaks inside a score entry")
        << QString() << QString() << 0 << formatJson({"原"}, {"a\r\nb\u2029c\u2028d"})
        << QStringLiteral("原") << QStringLiteral("abcd");
    QTest::addRow("other line ends in lyric entries")
        << QString() << QString() << 0 << formatJson({"原", "\r\n", "来", "\r", "姹", "\u2028", "紫"},
                                                     {"a", "", "b", "", "c", "", "d"})
        << QStringLiteral("原\n来\n姹\n紫") << QStringLiteral("a\nb\nc\nd");
}

void TestClipboard::paste()
{
    QFETCH(QString, lyricBefore);
    QFETCH(QString, scoreBefore);
    QFETCH(int, position);
    QFETCH(QByteArray, json);
    QFETCH(QString, lyricAfter);
    QFETCH(QString, scoreAfter);
    load(doc, lyricBefore, scoreBefore);
    select(doc->lyricEdit(), position, position);
    putLyricFormat(json);

    QTest::keyClick(doc->lyricEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(lyric(), lyricAfter);
    QCOMPARE(score(), scoreAfter);
    QCOMPARE(doc->undoStack()->count(), 1);
    // The cursor stands after the pasted text.
    QCOMPARE(doc->lyricEdit()->textCursor().position(), position + lyricAfter.size() - lyricBefore.size());

    doc->undo();
    QCOMPARE(lyric(), lyricBefore);
    QCOMPARE(score(), scoreBefore);
    doc->redo();
    QCOMPARE(lyric(), lyricAfter);
    QCOMPARE(score(), scoreAfter);
}

void TestClipboard::pasteReplacingSelectionIsTwoSteps()
{
    load(doc, QStringLiteral("原来姹紫"), QStringLiteral("a\nb\nc\nd\n"));
    select(doc->lyricEdit(), 1, 3);
    putLyricFormat(formatJson({"嫣", "红"}, {"x", "y"}));
    QTest::keyClick(doc->lyricEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(lyric(), QStringLiteral("原嫣红紫"));
    QCOMPARE(score(), QStringLiteral("a\nx\ny\nd\n"));
    QCOMPARE(doc->undoStack()->count(), 2);

    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原紫"));
    QCOMPARE(score(), QStringLiteral("a\nd\n"));
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来姹紫"));
    QCOMPARE(score(), QStringLiteral("a\nb\nc\nd\n"));
}

void TestClipboard::plainTextIsPastedAsTyped()
{
    load(doc, QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    select(doc->lyricEdit(), 1, 1);
    putPlainText(QStringLiteral("姹紫，\r\nab 嫣"));
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(lyric(), QStringLiteral("原姹紫，\nab 嫣来"));
    QCOMPARE(score(), QStringLiteral("a\n\n\n\n\nb\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(score(), QStringLiteral("a\nb\n"));
}

void TestClipboard::emptyLyricArrayChangesNothing_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("anchor");
    QTest::addRow("empty lyric array") << formatJson({}, {"x"}) << 1;
    QTest::addRow("empty lyric array, no selection") << formatJson({}, {}) << 2;
    QTest::addRow("only empty strings") << formatJson({"", ""}, {"x", "y"}) << 1;
}

void TestClipboard::emptyLyricArrayChangesNothing()
{
    QFETCH(QByteArray, json);
    QFETCH(int, anchor);
    load(doc, QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    select(doc->lyricEdit(), anchor, 2);
    putLyricFormat(json);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(score(), QStringLiteral("a\nb\n"));
    QCOMPARE(doc->undoStack()->count(), 0);
}

void TestClipboard::adversarialClipboards_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("plain");

    QTest::addRow("CR LF line ends") << QByteArray() << QStringLiteral("原来\r\n#题\r\n姹紫\r\n");
    QTest::addRow("CR line ends") << QByteArray() << QStringLiteral("原来\r#题\r姹紫\r");
    QTest::addRow("line separators") << QByteArray() << QStringLiteral(u"原来\u2028#题\u2028姹紫");
    QTest::addRow("paragraph separators") << QByteArray() << QStringLiteral(u"原来\u2029#题\u2029姹紫");
    QTest::addRow("NEL and text-frame marks") << QByteArray() << QStringLiteral(u"原\u0085#来\uFDD0姹\uFDD1紫");
    QTest::addRow("no-break spaces") << QByteArray() << QStringLiteral(u"原\u00A0来\u00A0");
    QTest::addRow("outside the BMP") << QByteArray() << QStringLiteral(u"𠀀原𠀁来") + gong;
    QTest::addRow("format characters")
        << QByteArray() << QStringLiteral(u"\u200B原\u200D来\uFEFF\u202E姹\u2066紫\u00AD");
    QTest::addRow("private use") << QByteArray() << gong + QStringLiteral(u"原\uE000来") + chi;
    QTest::addRow("lone surrogates") << QByteArray() << QStringLiteral("原") + QChar(0xD800) + "来" + QChar(0xDC00);
    QTest::addRow("control characters") << QByteArray() << QStringLiteral("原\t来\v姹\f紫") + QChar(0) + "嫣";
    QTest::addRow("JSON arrays of different lengths")
        << formatJson({"原", "来", "\n", "#", "姹"}, {"a", "b", "c", "d", "e", "f", "g"}) << QString();
    QTest::addRow("JSON with non-strings")
        << QByteArray(R"({"lyric": [1, "原", true, ["来"], {"x": "姹"}, "紫"], "score": "ab"})") << QString();
    QTest::addRow("JSON with line breaks everywhere")
        << formatJson({"原\r\n", "\u2028来", "\r", "姹\u2029#", "紫"}, {"a\n\n", "\r", "b\u2028", "c", "d\r\n"})
        << QString();
    QTest::addRow("JSON lyric not an array")
        << QByteArray(R"({"lyric": "原来", "score": ["a", "b"]})") << QStringLiteral("原来");
    QTest::addRow("broken JSON") << QByteArray("{\"lyric\": [\"原\", ") << QStringLiteral("原来\n姹");
    QTest::addRow("JSON of a lone surrogate") << QByteArray(R"({"lyric": ["\ud800", "原"], "score": ["", "a"]})")
                                              << QString();

    QString megabyte;
    QRandomGenerator random(7);
    static const QString pieces[] = {
        QStringLiteral("原来姹紫嫣红开遍"), QStringLiteral("，"), QStringLiteral("\r\n"), QStringLiteral("\n"),
        QStringLiteral(u"\u2029"), QStringLiteral("# 题"), QStringLiteral("【皂罗袍】"), QStringLiteral("𠀀"),
        QStringLiteral("abc"), QStringLiteral(" "),
    };
    while (megabyte.toUtf8().size() < (1 << 20)) {
        for (int i = 0; i < 1000; ++i)
            megabyte += pieces[random.bounded(int(std::size(pieces)))];
    }
    QTest::addRow("a megabyte of text") << QByteArray() << megabyte;
}

// Every clipboard is pasted at several places of one document, one after the
// other: the score keeps one line per sung character through all of them,
// and after saving and reopening; undo returns to the start.
void TestClipboard::adversarialClipboards()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, plain);
    const QString lyricStart = QStringLiteral("# 题目\n原来姹紫\n= 白\n嫣红");
    const QString scoreStart = gong + "\n" + chi + "\n\n\n\n\n";
    load(doc, lyricStart, scoreStart);
    const int offset = pairingOffset(doc);
    QCOMPARE(offset, 1);

    auto *data = new QMimeData;
    if (!json.isNull())
        data->setData(LyricClipboard::mimeType, json);
    data->setText(plain.isEmpty() ? QStringLiteral("x") : plain);
    clipboard()->setMimeData(data);

    // Start of the title, middle of a sung line, start of the spoken line,
    // the end, and over a selection across lines.
    const QList<QPair<int, int>> places = {{0, 0}, {7, 7}, {10, 10}, {-1, -1}, {3, 12}};
    // A megabyte is pasted once.
    const qsizetype count = plain.size() > 100000 ? 1 : places.size();
    for (const auto &place : places.first(count)) {
        const int end = doc->lyricEdit()->document()->characterCount() - 1;
        const int anchor = place.first < 0 ? end : qMin(place.first, end);
        select(doc->lyricEdit(), anchor, place.second < 0 ? end : qMin(place.second, end));
        doc->paste();
        QCOMPARE(pairingOffset(doc), offset);
    }
    QVERIFY(doc->undoStack()->count() > 0);

    // What the file keeps must pair the same way once it is read back.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pasted.gcp"));
    QVERIFY(GcpFile::save(path, {lyric(), score()}));
    QL_Edit reopened;
    QVERIFY(reopened.open(path));
    QCOMPARE(reopened.lyricEdit()->toPlainText(), lyric());
    QCOMPARE(reopened.scoreEdit()->toPlainText(), score());
    QCOMPARE(pairingOffset(&reopened), offset);

    while (doc->undoStack()->canUndo()) {
        doc->undo();
        QCOMPARE(pairingOffset(doc), offset);
    }
    QCOMPARE(lyric(), lyricStart);
    QCOMPARE(score(), scoreStart);
}

void TestClipboard::roundTripBetweenDocuments()
{
    const QString source = QStringLiteral("# 游园\n【皂罗袍】(仙吕)\n原来姹紫嫣红开遍，\n似这般都付与断井颓垣。");
    QStringList notation;
    for (int i = 0; i < 18; ++i) {
        QString line;
        for (int k = 0; k <= i % 4; ++k)
            line += ucs4(char32_t(0xF0020 + (i * 7 + k) % 0x7C));
        notation.append(line + ucs4(char32_t(0xF0000 + i % 0xE)));
    }
    load(doc, source, notation.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    // From 紫 of the first sung line into the middle of the second one.
    const int from = source.indexOf(QStringLiteral("紫"));
    const int to = source.indexOf(QStringLiteral("都"));
    select(doc->lyricEdit(), from, to);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_C, Qt::ControlModifier);
    const QList<ExportEntry> copied = doc->exportEntries();

    QL_Edit target;
    target.resize(640, 400);
    target.show();
    QVERIFY(QTest::qWaitForWindowActive(&target));
    target.lyricEdit()->setFocus();
    load(&target, QStringLiteral("良辰\n美景"), QStringLiteral("p\nq\nr\ns\n"));
    select(target.lyricEdit(), 1, 1);
    QTest::keyClick(target.lyricEdit(), Qt::Key_V, Qt::ControlModifier);

    // The pasted characters carry, line by line, the notation they had: the
    // sung characters 紫 … 般 are the 4th to the 11th of the source.
    QStringList expected{QStringLiteral("p")};
    expected.append(notation.mid(3, 8));
    expected.append({QStringLiteral("q"), QStringLiteral("r"), QStringLiteral("s"), QString()});
    QCOMPARE(target.lyricEdit()->toPlainText(), QStringLiteral("良紫嫣红开遍，\n似这般辰\n美景"));
    QCOMPARE(target.scoreEdit()->toPlainText().split(QLatin1Char('\n')), expected);

    // The same pairs, character by character, as the renderer reads them:
    // 紫嫣红开遍，似这般 from the 4th character of the source's first sung line,
    // pasted after the 1st of the target's.
    auto pairs = [](const QList<ExportEntry> &entries) {
        QList<QPair<QString, QString>> list;
        for (const ExportEntry &entry : entries) {
            for (int i = 0; i < entry.scores.size(); ++i)
                list.append({entry.text.at(i), entry.scores.at(i)});
        }
        return list;
    };
    const QList<QPair<QString, QString>> sourcePairs = pairs(copied);
    const QList<QPair<QString, QString>> targetPairs = pairs(target.exportEntries());
    QCOMPARE(targetPairs.mid(1, 9), sourcePairs.mid(3, 9));
    QCOMPARE(targetPairs.at(1).second, notation.at(3));
}

void TestClipboard::scorePasteOfFrameMarksKeepsLines()
{
    load(doc, QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    doc->scoreEdit()->setFocus();
    select(doc->scoreEdit(), 0, 0);
    putPlainText(QStringLiteral(u"1\uFDD02\uFDD13"));
    QTest::keyClick(doc->scoreEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(doc->scoreEdit()->blockCount(), 3);
    QCOMPARE(score(), QStringLiteral("1a\n2b\n3"));
}

// Gongche typed elsewhere as ordinary characters comes in as notation, in
// one undo step, and the window is told how many characters were turned.
void TestClipboard::plainGongchePasteIsOneConvertingStep()
{
    load(doc, QStringLiteral("原来"), QStringLiteral("a\nb"));
    doc->scoreEdit()->setFocus();
    select(doc->scoreEdit(), 1, 1);
    const int steps = doc->undoStack()->count();
    QSignalSpy converted(doc, &QL_Edit::notationConverted);
    putPlainText(QStringLiteral(u"ㄑ工、尺x"));
    QTest::keyClick(doc->scoreEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(score(), u"a"_qs + ucs4(U'\U000F004B') + ucs4(U'\U000F0000') + chi + u"x\nb"_qs);
    QCOMPARE(converted.size(), 1);
    QCOMPARE(converted.first().first().toInt(), 3);
    QCOMPARE(doc->undoStack()->count(), steps + 1);
    doc->undoStack()->undo();
    QCOMPARE(score(), QStringLiteral("a\nb"));
}

// 复制为文字谱 gives other programs the plain-text score of the selected
// lines, and this program the lines with their notation.
void TestClipboard::copyAsPlainTextPastesBack()
{
    load(doc, QStringLiteral(u"【皂罗袍】(小工调)\n原来\n姹"), gong + QStringLiteral("\n") + chi + QStringLiteral("\nz"));
    select(doc->lyricEdit(), 12, 13);
    doc->copyAsPlainText();
    QCOMPARE(clipboard()->text(), QStringLiteral(u"原来\n原\t工、\n来\t尺\n"));
    const PlainScoreText::Reading reading = PlainScoreText::read(clipboard()->text());
    QVERIFY(reading.ok);
    QCOMPARE(reading.score, gong + QStringLiteral("\n") + chi);

    QL_Edit target;
    target.show();
    QVERIFY(QTest::qWaitForWindowActive(&target));
    target.lyricEdit()->setFocus();
    target.paste();
    QCOMPARE(target.lyricEdit()->toPlainText(), QStringLiteral(u"原来"));
    QCOMPARE(target.scoreEdit()->toPlainText(), gong + QStringLiteral("\n") + chi);
}

void TestClipboard::randomEditsThroughTheClipboard_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

// Copies, cuts and pastes at random places, with clipboards of this
// program's format and of any text, with a save and reopen now and then.
void TestClipboard::randomEditsThroughTheClipboard()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    static const QStringList alphabet = {
        QStringLiteral("原"), QStringLiteral("来"), QStringLiteral(" "), QStringLiteral("，"),
        QStringLiteral("a"), QStringLiteral("#"), QStringLiteral("【"), QStringLiteral("@"),
        QStringLiteral("="), QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r"),
        QStringLiteral(u"\u2028"), QStringLiteral(u"\u2029"), QStringLiteral(u"\u0085"),
        QStringLiteral(u"\u00A0"), QStringLiteral(u"\u200B"), QStringLiteral(u"\uFEFF"),
        QStringLiteral(u"\uFDD0"), QStringLiteral(u"\uE000"), QStringLiteral("𠀀"), gong, chi,
        QString(QChar(0xD800)), QStringLiteral("\t"),
    };
    auto randomText = [&](int maxLength) {
        QString text;
        for (int i = random.bounded(1, maxLength); i > 0; --i)
            text += alphabet.at(random.bounded(int(alphabet.size())));
        return text;
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("random.gcp"));

    QL_LyricEdit *lyricEdit = doc->lyricEdit();
    QString startLyric = lyric();
    QString startScore = score();
    for (int step = 0; step < 40; ++step) {
        const int size = lyricEdit->document()->characterCount() - 1;
        select(lyricEdit, random.bounded(size + 1), random.bounded(size + 1));
        QString what;
        switch (random.bounded(7)) {
        case 0:
            what = QStringLiteral("copy");
            pressKey(lyricEdit, Qt::Key_C, Qt::ControlModifier);
            break;
        case 1:
            what = QStringLiteral("cut");
            pressKey(lyricEdit, Qt::Key_X, Qt::ControlModifier);
            break;
        case 2:
        case 3:
            what = QStringLiteral("paste");
            pressKey(lyricEdit, Qt::Key_V, Qt::ControlModifier);
            break;
        case 4: {
            what = QStringLiteral("paste plain text");
            putPlainText(randomText(30));
            pressKey(lyricEdit, Qt::Key_V, Qt::ControlModifier);
            break;
        }
        case 5: {
            what = QStringLiteral("paste random format");
            QJsonArray lyricArray;
            QJsonArray scoreArray;
            for (int i = random.bounded(12); i > 0; --i) {
                lyricArray.append(random.bounded(8) ? QJsonValue(randomText(3)) : QJsonValue(i));
                if (random.bounded(4))
                    scoreArray.append(randomText(4));
            }
            putLyricFormat(formatJson(lyricArray, scoreArray), randomText(5));
            pressKey(lyricEdit, Qt::Key_V, Qt::ControlModifier);
            break;
        }
        default: {
            what = QStringLiteral("save and reopen");
            QVERIFY(GcpFile::save(path, {lyric(), score()}));
            // The clipboard stays; the document is the file as read back.
            while (doc->undoStack()->canUndo())
                doc->undo();
            QCOMPARE(lyric(), startLyric);
            QCOMPARE(score(), startScore);
            delete doc;
            doc = new QL_Edit;
            doc->resize(640, 400);
            doc->show();
            QVERIFY(QTest::qWaitForWindowActive(doc));
            QVERIFY(doc->open(path));
            lyricEdit = doc->lyricEdit();
            lyricEdit->setFocus();
            startLyric = lyric();
            startScore = score();
            break;
        }
        }
        QVERIFY2(pairingOffset(doc) == 0,
                 qPrintable(QStringLiteral("seed %1 step %2 (%3): %4 score lines for %5 sung characters")
                                .arg(seed)
                                .arg(step)
                                .arg(what)
                                .arg(doc->scoreEdit()->blockCount())
                                .arg(lyricEdit->lyricCharCount())));
    }
    while (doc->undoStack()->canUndo())
        doc->undo();
    QCOMPARE(lyric(), startLyric);
    QCOMPARE(score(), startScore);
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
