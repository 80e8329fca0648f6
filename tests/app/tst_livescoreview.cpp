#include "exportconfig.h"
#include "livescoreview.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "scoredocument.h"
#include "scorelayout.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace {

// Calls a function for every event a watched object receives.
class EventWatcher : public QObject
{
public:
    explicit EventWatcher(std::function<void(QEvent *)> onEvent)
        : m_onEvent(std::move(onEvent))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        m_onEvent(event);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QEvent *)> m_onEvent;
};

void press(QWidget *widget, int key, const QString &text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &up);
}

// A score of about `lines` sung lines of ten characters, with a title and a
// tune name, and notation of one to three glyphs under every character.
GcpFile::Texts score(int lines)
{
    const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣");
    GcpFile::Texts texts;
    texts.lyric = QStringLiteral("# 牡丹亭·游园\n【皂罗袍】(仙吕)\n");
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < 10; ++i) {
            texts.lyric += ideographs.at((line * 7 + i) % ideographs.size());
            const char32_t notes[] = {0xF0027, char32_t(0xF0028 + (i % 3)), 0xF0000};
            texts.score += QString::fromUcs4(notes, 1 + (line + i) % 3) + QLatin1Char('\n');
        }
        texts.lyric += QStringLiteral("，\n");
    }
    return texts;
}

// Where an item came from, for a failure message.
QString describe(const ItemSource &s)
{
    return QStringLiteral("kind %1 entry %2 offset %3 glyph %4")
        .arg(int(s.kind))
        .arg(s.entry)
        .arg(s.offset)
        .arg(s.glyph);
}

} // namespace

class TestLiveScoreView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickPutsTheCursorOnTheCharacter_data();
    void clickPutsTheCursorOnTheCharacter();
    void markFollowsTheCursorAcrossAPageBreak();
    void viewFollowsEditsUndoAndRedo();
    void viewFollowsRandomEditing_data();
    void viewFollowsRandomEditing();
    void layoutWaitsForTheEditorsRepaint();
    void documentsAndOptions();

private:
    void load(const GcpFile::Texts &texts);
    // The pages a whole layout of the document gives.
    QList<ScorePage> wholeLayout() const;
    // Puts the lyric cursor after the character at offset of line entry.
    void putCursorAfter(int entry, int offset);

    std::unique_ptr<QTemporaryDir> settingsDir;
    std::unique_ptr<ExportConfig> config;
    std::unique_ptr<QWidget> window;
    QL_Edit *edit = nullptr;
    LiveScoreView *view = nullptr;
};

void TestLiveScoreView::init()
{
    settingsDir = std::make_unique<QTemporaryDir>();
    config = std::make_unique<ExportConfig>(settingsDir->filePath(QStringLiteral("settings.ini")),
                                            ExportConfig::WriteBack::Never);
    window = std::make_unique<QWidget>();
    window->resize(1200, 800);
    edit = new QL_Edit(window.get());
    edit->setGeometry(0, 0, 600, 800);
    view = new LiveScoreView(*config, window.get());
    view->setGeometry(600, 0, 600, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestLiveScoreView::cleanup()
{
    window.reset();
    config.reset();
    settingsDir.reset();
}

void TestLiveScoreView::load(const GcpFile::Texts &texts)
{
    edit->document()->setTexts(texts);
    view->setDocument(edit);
    view->finishLayout();
}

QList<ScorePage> TestLiveScoreView::wholeLayout() const
{
    ScoreLayout layout(*config);
    layout.layout(edit->document()->exportEntries(), false, QString());
    return layout.pages();
}

void TestLiveScoreView::putCursorAfter(int entry, int offset)
{
    const QTextBlock block = edit->lyricEdit()->document()->findBlockByNumber(entry);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset + 1);
    edit->lyricEdit()->setTextCursor(cursor);
    view->flush();
}

void TestLiveScoreView::clickPutsTheCursorOnTheCharacter_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("scale");
    QTest::addRow("first page, title and tune name") << 0 << 1.5;
    QTest::addRow("second page, zoomed in") << 1 << 3.0;
}

void TestLiveScoreView::clickPutsTheCursorOnTheCharacter()
{
    QFETCH(int, page);
    QFETCH(double, scale);
    load(score(14));
    QVERIFY(view->pageCount() > page);
    view->setScale(scale);
    view->showPage(page);
    QCOMPARE(view->pageIndex(), page);
    const ScorePage shown = view->pages().at(page);
    int clicked = 0;
    QSet<int> kinds;
    for (const PageRun &run : shown.runs) {
        for (const PageItem &item : run.items) {
            if (item.ink.isEmpty())
                continue;
            // Put the cursor elsewhere first, so that a click that does
            // nothing is caught.
            edit->lyricEdit()->moveCursor(QTextCursor::End);
            view->canvas()->setFocus();
            QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, view->canvasPoint(item.ink.center()));
            const QTextCursor cursor = edit->lyricEdit()->textCursor();
            const QString where = describe(item.source);
            QVERIFY2(cursor.blockNumber() == item.source.entry, qPrintable(where));
            QVERIFY2(cursor.positionInBlock() == item.source.offset + 1,
                     qPrintable(where + QStringLiteral(" at %1 in %2").arg(cursor.positionInBlock()).arg(cursor.block().text())));
            QVERIFY2(edit->lyricEdit()->hasFocus(), qPrintable(where));
            // The page stays, with the mark on the clicked character.
            QCOMPARE(view->pageIndex(), page);
            QVERIFY2(!view->markedInk().isEmpty(), qPrintable(where));
            kinds.insert(int(item.source.kind));
            ++clicked;
        }
    }
    QVERIFY(clicked > 100);
    QVERIFY(kinds.contains(int(ItemSource::Kind::Lyric)));
    QVERIFY(kinds.contains(int(ItemSource::Kind::Notation)));
    if (page == 0) {
        QVERIFY(kinds.contains(int(ItemSource::Kind::Title)));
        QVERIFY(kinds.contains(int(ItemSource::Kind::TuneName)));
    }
}

void TestLiveScoreView::markFollowsTheCursorAcrossAPageBreak()
{
    load(score(14));
    QVERIFY(view->pageCount() >= 2);
    // The last sung character of the first page and the one after it.
    const auto lyricItems = [this](int page) {
        QList<PageItem> items;
        for (const PageRun &run : view->pages().at(page).runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind == ItemSource::Kind::Lyric)
                    items.append(item);
            }
        }
        return items;
    };
    const auto notationInk = [this](int page, const ItemSource &of) {
        QRectF ink;
        for (const PageRun &run : view->pages().at(page).runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind == ItemSource::Kind::Notation && item.source.entry == of.entry
                    && item.source.offset == of.offset)
                    ink |= item.ink;
            }
        }
        return ink;
    };
    // Sung characters with their notation on the same page (punctuation
    // carries none, and may open a page on its own).
    const auto withNotation = [&](int page) {
        QList<PageItem> items;
        for (const PageItem &item : lyricItems(page)) {
            if (!notationInk(page, item.source).isEmpty())
                items.append(item);
        }
        return items;
    };
    QVERIFY(!withNotation(0).isEmpty() && !withNotation(1).isEmpty());
    const PageItem last = withNotation(0).last();
    const PageItem next = withNotation(1).first();

    putCursorAfter(last.source.entry, last.source.offset);
    QCOMPARE(view->pageIndex(), 0);
    QCOMPARE(view->markedInk().size(), 2);
    QVERIFY(view->markedInk().at(0).contains(last.ink));
    QVERIFY(view->markedInk().at(1).contains(notationInk(0, last.source)));

    // The next sung character: the view turns.
    putCursorAfter(next.source.entry, next.source.offset);
    QCOMPARE(view->pageIndex(), 1);
    QCOMPARE(view->markedInk().size(), 2);
    QVERIFY(view->markedInk().at(0).contains(next.ink));
    QVERIFY(view->markedInk().at(1).contains(notationInk(1, next.source)));
    QVERIFY(view->findChild<QLabel *>(QStringLiteral("pageLabel"))->text().startsWith(QStringLiteral("第 2 / ")));

    // And back.
    putCursorAfter(last.source.entry, last.source.offset);
    QCOMPARE(view->pageIndex(), 0);
}

void TestLiveScoreView::viewFollowsEditsUndoAndRedo()
{
    load(score(40));
    const QList<ScorePage> original = view->pages();
    QCOMPARE(original, wholeLayout());
    // Type a character into a line on the second page.
    int entry = -1;
    int offset = -1;
    for (const PageRun &run : original.at(1).runs) {
        for (const PageItem &item : run.items) {
            if (entry < 0 && item.source.kind == ItemSource::Kind::Lyric) {
                entry = item.source.entry;
                offset = item.source.offset;
            }
        }
    }
    QVERIFY(entry > 0);
    putCursorAfter(entry, offset);
    edit->lyricEdit()->setFocus();
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("春"));
    QApplication::sendEvent(edit->lyricEdit(), &press);
    QVERIFY(edit->lyricEdit()->document()->findBlockByNumber(entry).text().contains(QStringLiteral("春")));
    // The change shows at the next frame without being asked for.
    QTRY_VERIFY(view->pages() != original);
    // The pages after the cursor's follow between frames.
    QTRY_VERIFY(view->isLaidOut());
    QCOMPARE(view->pages(), wholeLayout());
    QCOMPARE(view->pageIndex(), 1);
    const QList<ScorePage> typed = view->pages();

    edit->undo();
    QTRY_COMPARE(view->pages(), original);
    edit->redo();
    QTRY_COMPARE(view->pages(), typed);
    QCOMPARE(view->pages(), wholeLayout());
}

void TestLiveScoreView::viewFollowsRandomEditing_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addRow("seed 1") << 1u;
    QTest::addRow("seed 2") << 2u;
}

// Keys, pastes, undo and redo anywhere in a score of several pages, with
// the view laid out at every frame, partly or wholly: it always comes to the
// pages of a whole layout of the document as it is.
void TestLiveScoreView::viewFollowsRandomEditing()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    load(score(40));
    QVERIFY(view->pageCount() > 3);
    QPlainTextEdit *lyrics = edit->lyricEdit();
    QPlainTextEdit *notation = edit->scoreEdit();
    const QStringList pasted = {QStringLiteral("良辰美景"), QStringLiteral("奈何天\n赏心乐事谁家院"),
                                QStringLiteral("【醉扶归】(仙吕)\n"), QStringLiteral("= 不到园林\n@分页符\n"),
                                QStringLiteral(u"\U00020000\u200B姹\r\n紫\u2028")};
    QStringList history;
    for (int step = 0; step < 60; ++step) {
        QPlainTextEdit *target = random.bounded(4) == 0 ? notation : lyrics;
        QTextCursor cursor = target->textCursor();
        cursor.setPosition(int(random.bounded(target->document()->characterCount())));
        target->setTextCursor(cursor);
        target->setFocus();
        switch (random.bounded(8)) {
        case 0:
        case 1:
            press(target, Qt::Key_unknown, QStringLiteral("春"));
            history << QStringLiteral("type");
            break;
        case 2:
            press(target, Qt::Key_Return, QStringLiteral("\r"));
            history << QStringLiteral("return");
            break;
        case 3:
            press(target, Qt::Key_Backspace);
            history << QStringLiteral("backspace");
            break;
        case 4:
            QApplication::clipboard()->setText(pasted.at(random.bounded(int(pasted.size()))));
            edit->paste();
            history << QStringLiteral("paste");
            break;
        case 5:
            edit->undo();
            history << QStringLiteral("undo");
            break;
        case 6:
            edit->redo();
            history << QStringLiteral("redo");
            break;
        default:
            press(target, Qt::Key_Delete);
            history << QStringLiteral("delete");
            break;
        }
        // A frame: the pages up to the cursor's; now and then all of them.
        view->flush();
        if (step % 5 != 4)
            continue;
        view->finishLayout();
        QVERIFY2(view->pages() == wholeLayout(), qPrintable(history.join(QLatin1Char(' '))));
    }
}

// The editors paint a keystroke before the view lays it out: the view's
// work never stands between a key and the text it types.
void TestLiveScoreView::layoutWaitsForTheEditorsRepaint()
{
    load(score(40));
    putCursorAfter(20, 3);
    // A quiet frame, after which a change would be shown at once.
    QTest::qWait(40);
    const QList<ScorePage> before = view->pages();
    int paints = 0;
    int paintsBeforeLayout = 0;
    EventWatcher watcher([&](QEvent *event) {
        if (event->type() != QEvent::Paint)
            return;
        ++paints;
        paintsBeforeLayout += view->pages() == before;
    });
    edit->lyricEdit()->viewport()->installEventFilter(&watcher);
    edit->lyricEdit()->setFocus();
    press(edit->lyricEdit(), Qt::Key_unknown, QStringLiteral("春"));
    QTRY_VERIFY(view->pages() != before);
    QTRY_VERIFY(paints > 0);
    edit->lyricEdit()->viewport()->removeEventFilter(&watcher);
    QCOMPARE(paintsBeforeLayout, paints);
}

void TestLiveScoreView::documentsAndOptions()
{
    QCOMPARE(view->pageCount(), 0);
    load(score(40));
    const int pages = view->pageCount();
    QVERIFY(pages > 2);

    // Another document: its own pages; none: empty.
    auto *other = new QL_Edit(window.get());
    other->document()->setTexts(score(3));
    view->setDocument(other);
    view->finishLayout();
    QCOMPARE(view->pageCount(), 1);
    QCOMPARE(view->pageIndex(), 0);
    view->setDocument(nullptr);
    QCOMPARE(view->pageCount(), 0);
    view->setDocument(edit);
    view->finishLayout();
    QCOMPARE(view->pageCount(), pages);

    // A larger lyric font spreads the score over more pages.
    config->setLyricFontSize(config->lyricFontSize() * 2);
    view->reloadOptions();
    view->finishLayout();
    QVERIFY(view->pageCount() > pages);
    QCOMPARE(view->pages(), wholeLayout());
}

QTEST_MAIN(TestLiveScoreView)
#include "tst_livescoreview.moc"
