#include "exportentrycache.h"
#include "scoredocument.h"

#include <QAbstractTextDocumentLayout>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// The export entries kept between edits answer as a fresh build would, and
// an update names only the entries that changed.
class TestExportEntryCache : public QObject
{
    Q_OBJECT

private slots:
    void changeCoversOnlyTheEditedLines_data();
    void changeCoversOnlyTheEditedLines();
    void followsRandomEdits_data();
    void followsRandomEdits();
};

namespace {

// Twenty sung lines of five characters under a title and a tune name, one
// note and the line's number per character, and a score line that no
// character owns.
GcpFile::Texts smallScore()
{
    GcpFile::Texts texts;
    texts.lyric = QStringLiteral("# 游园\n【皂罗袍】(仙吕)\n");
    for (int line = 0; line < 20; ++line) {
        texts.lyric += QStringLiteral("原来姹紫嫣\n");
        for (int i = 0; i < 5; ++i)
            texts.score += QString::fromUcs4(U"\U000F002C") + QString::number(line * 5 + i) + QLatin1Char('\n');
    }
    texts.lyric.chop(1);
    // One line of notation more than there are sung characters.
    texts.score += QString::fromUcs4(U"\U000F002B");
    return texts;
}

// An edit of one text in one edit block, as a command makes it: remove
// `removed` characters at position, then insert text there.
void edit(QTextDocument *document, int position, int removed, const QString &text)
{
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setPosition(position);
    cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    cursor.endEditBlock();
}

int lineStart(const QTextDocument *document, int line)
{
    return document->findBlockByNumber(line).position();
}

// What a user can put into either text: sung characters and look-alikes,
// characters outside the BMP, notation and other private use, format
// characters, every line end, markers and punctuation.
QString randomItem(QRandomGenerator &random)
{
    static const QStringList fixed = {
        QStringLiteral("原"), QStringLiteral("来"), QStringLiteral("姹"), QStringLiteral("紫"),
        QStringLiteral(" "), QStringLiteral(u"\u3000"), QStringLiteral(u"\u3400"), QStringLiteral(u"\uF900"),
        QStringLiteral(u"\U00020000"), QStringLiteral(u"\U0001F600"), QStringLiteral(u"\u200D"),
        QStringLiteral(u"\u200B"), QStringLiteral(u"\uFEFF"), QStringLiteral(u"\u0301"), QStringLiteral("\n"),
        QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral(u"\u2028"), QStringLiteral(u"\u2029"),
        QStringLiteral(u"\u0085"), QStringLiteral("\t"), QStringLiteral("#"), QStringLiteral(";"),
        QStringLiteral(">"), QStringLiteral("="), QStringLiteral("【"), QStringLiteral("】"),
        QStringLiteral("@"), QStringLiteral("(调)"), QStringLiteral("，"), QStringLiteral("@换行符"),
        QStringLiteral("【醉扶归】"), QString(QChar(0xD800)), QString(QChar(0xDC00)),
    };
    switch (random.bounded(4)) {
    case 0: {
        const char32_t symbol = 0xF0000 + random.bounded(0x9C);
        return QString::fromUcs4(&symbol, 1);
    }
    case 1:
        return QChar(char16_t(0xE000 + random.bounded(0x1900)));
    default:
        return fixed.at(random.bounded(int(fixed.size())));
    }
}

QString randomText(QRandomGenerator &random, int maxItems)
{
    QString text;
    for (int i = int(random.bounded(1, maxItems + 1)); i > 0; --i)
        text += randomItem(random);
    return text;
}

} // namespace

void TestExportEntryCache::changeCoversOnlyTheEditedLines_data()
{
    QTest::addColumn<QString>("lyricEdit");
    QTest::addColumn<QString>("scoreEdit");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("oldEnd");

    // Each edit: "line,offset,removed,text" of the lyric or score text; the
    // sung lines are entries 2 .. 21, score line 5k + i belongs to entry
    // k + 2.
    QTest::addRow("a sung character typed, with its score line")
        << "12,2,0,春" << "50,0,0,\n" << 12 << 13 << 13;
    QTest::addRow("a note added to a score line") << "" << "33,1,0,\U000F002B" << 8 << 9 << 9;
    QTest::addRow("a sung line split in two") << "12,2,0,\n" << "" << 12 << 14 << 13;
    QTest::addRow("two sung lines joined") << "12,5,1," << "" << 12 << 13 << 14;
    QTest::addRow("a sung character deleted, with its score line")
        << "12,2,1," << "52,0,5," << 12 << 13 << 13;
    QTest::addRow("notation on a score line no character owns") << "" << "100,0,0,\U000F002B" << 22 << 22 << 22;
    QTest::addRow("a title retyped") << "0,2,2,惊梦" << "" << 0 << 1 << 1;
    QTest::addRow("a character typed without its score line")
        << "12,2,0,春" << "" << 12 << 22 << 22;
    QTest::addRow("a line typed over with the same text") << "12,0,5,原来姹紫嫣" << "" << 22 << 22 << 22;
}

void TestExportEntryCache::changeCoversOnlyTheEditedLines()
{
    QFETCH(QString, lyricEdit);
    QFETCH(QString, scoreEdit);
    QFETCH(int, first);
    QFETCH(int, end);
    QFETCH(int, oldEnd);

    ScoreDocument document;
    document.lyric()->documentLayout();
    document.score()->documentLayout();
    document.setTexts(smallScore());
    ExportEntryCache cache(&document);
    QCOMPARE(cache.update().end, 22);

    for (const auto &[text, editText] : {std::pair(document.lyric(), lyricEdit), std::pair(document.score(), scoreEdit)}) {
        if (editText.isEmpty())
            continue;
        const QStringList parts = editText.split(QLatin1Char(','));
        edit(text, lineStart(text, parts.at(0).toInt()) + parts.at(1).toInt(), parts.at(2).toInt(),
             parts.mid(3).join(QLatin1Char(',')));
    }
    const ExportEntryCache::Change change = cache.update();
    QCOMPARE(change.first, first);
    QCOMPARE(change.end, end);
    QCOMPARE(change.oldEnd, oldEnd);
    QCOMPARE(cache.entries(), buildExportEntries(document.lyric(), document.score()));
    QVERIFY(cache.update().isEmpty());
}

void TestExportEntryCache::followsRandomEdits_data()
{
    QTest::addColumn<bool>("withLayout");
    QTest::addColumn<quint32>("seed");

    // Without a layout a document does not say where it changed.
    for (quint32 seed : {1u, 2u, 3u, 4u})
        QTest::addRow("documents with a layout, seed %u", seed) << true << seed;
    QTest::addRow("documents without a layout") << false << 5u;
}

void TestExportEntryCache::followsRandomEdits()
{
    QFETCH(bool, withLayout);
    QFETCH(quint32, seed);

    QRandomGenerator random(seed);
    ScoreDocument document;
    if (withLayout) {
        document.lyric()->documentLayout();
        document.score()->documentLayout();
    }
    document.setTexts(smallScore());
    ExportEntryCache cache(&document);
    cache.update();
    QList<ExportEntry> previous = cache.entries();
    QStringList history;

    for (int step = 0; step < 400; ++step) {
        QTextDocument *text = random.bounded(2) ? document.lyric() : document.score();
        const int length = text->characterCount() - 1;
        const int position = int(random.bounded(length + 1));
        const int removed = int(random.bounded(qMin(length - position, 8) + 1));
        switch (random.bounded(8)) {
        case 0: {
            // A command: a sung character and its score line, in two texts.
            edit(document.lyric(), position % (document.lyric()->characterCount()), 0, QStringLiteral("春"));
            edit(document.score(), 0, 0, QStringLiteral("\n"));
            history << QStringLiteral("command at %1").arg(position);
            break;
        }
        case 1:
            text->undo();
            history << QStringLiteral("undo");
            break;
        case 2:
            text->redo();
            history << QStringLiteral("redo");
            break;
        case 3:
            if (random.bounded(10) == 0) {
                // Saved and opened again.
                document.setTexts(document.texts());
                history << QStringLiteral("reopened");
                break;
            }
            Q_FALLTHROUGH();
        default: {
            // Typed or pasted over a selection; edits outside an edit block
            // report one by one.
            const QString typed = randomText(random, random.bounded(4) == 0 ? 12 : 3);
            QTextCursor cursor(text);
            cursor.setPosition(position);
            cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
            cursor.insertText(typed);
            history << QStringLiteral("%1 at %2 -%3 +%4")
                           .arg(text == document.lyric() ? QStringLiteral("lyric") : QStringLiteral("score"))
                           .arg(position)
                           .arg(removed)
                           .arg(typed.size());
            break;
        }
        }
        // Several edits may come between two updates.
        if (random.bounded(3) != 0)
            continue;
        const ExportEntryCache::Change change = cache.update();
        const QList<ExportEntry> &now = cache.entries();
        const QString where = history.mid(qMax(0, int(history.size()) - 6)).join(QStringLiteral(" | "));
        QVERIFY2(now == buildExportEntries(document.lyric(), document.score()), qPrintable(where));
        // Outside the change, the entries are those of the last update.
        QVERIFY2(change.first <= change.end && change.first <= change.oldEnd, qPrintable(where));
        QCOMPARE(now.size() - change.end, previous.size() - change.oldEnd);
        QVERIFY2(now.mid(0, change.first) == previous.mid(0, change.first), qPrintable(where));
        QVERIFY2(now.mid(change.end) == previous.mid(change.oldEnd), qPrintable(where));
        previous = now;
    }
}

QTEST_MAIN(TestExportEntryCache)
#include "tst_exportentrycache.moc"
