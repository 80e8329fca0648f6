#include "exportconfig.h"
#include "livescoreview.h"
#include "ql_generatesvg.h"
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
#include <QBackingStore>
#include <QScrollArea>
#include <QSignalSpy>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUndoStack>

#include <cmath>
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

// A turn of the mouse wheel over a widget: 120 is one notch.
void turnWheel(QWidget *widget, int angle, Qt::KeyboardModifiers modifiers, QPointF at = QPointF(-1, -1))
{
    if (at.x() < 0)
        at = QPointF(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

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
    void screenShowsTheWholePageAfterEachEdit();
    void viewFollowsRandomEditing_data();
    void viewFollowsRandomEditing();
    void layoutWaitsForTheEditorsRepaint();
    void documentsAndOptions();
    void decorationOnThePageShown();
    void ctrlWheelZooms_data();
    void ctrlWheelZooms();
    void ctrlWheelZoomsAboutTheMouse_data();
    void ctrlWheelZoomsAboutTheMouse();
    void fitButtonsFitThePageToTheViewport_data();
    void fitButtonsFitThePageToTheViewport();
    void pagePixmapMatchesScaleAndRatio();
    void glyphsAreAsLargeAsTheLayoutMeasured();
    void viewShowsThePageTheExportWrites();

private:
    void load(const GcpFile::Texts &texts);
    // The pages a whole layout of the document gives.
    QList<ScorePage> wholeLayout() const;
    // The runs of each page an export of the document writes.
    QList<QList<PageRun>> exportedRuns() const;
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

QList<QList<PageRun>> TestLiveScoreView::exportedRuns() const
{
    QL_GenerateSVG renderer(*config);
    renderer.generate(edit->document()->exportEntries(), false);
    QList<QList<PageRun>> runs;
    for (const ScorePage &page : renderer.pageModels())
        runs.append(page.runs);
    return runs;
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

// The view paints on the screen only what an edit or the moving mark
// changed: what the screen shows must still be the whole page as the canvas
// paints it afresh, mark included.
void TestLiveScoreView::screenShowsTheWholePageAfterEachEdit()
{
    load(score(40));
    const QList<ScorePage> original = view->pages();
    putCursorAfter(original.at(1).runs.first().items.first().source.entry, 3);
    edit->lyricEdit()->setFocus();
    // What the window's backing store holds: what the screen shows.
    const auto onScreen = [this] {
        QPaintDevice *store = window->backingStore()->paintDevice();
        if (store->devType() != QInternal::Image)
            return QImage();
        const QRect visible = view->canvas()->visibleRegion().boundingRect();
        const qreal ratio = view->canvas()->devicePixelRatioF();
        const QRect inWindow(view->canvas()->mapTo(window.get(), visible.topLeft()) * ratio, visible.size() * ratio);
        QImage shown = static_cast<QImage *>(store)->copy(inWindow).convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1);
        return shown;
    };
    const auto repainted = [this] {
        const QRect visible = view->canvas()->visibleRegion().boundingRect();
        QImage image = view->canvas()->grab(visible).toImage().convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        return image;
    };
    const std::function<void()> edits[] = {
        [this] { press(edit->lyricEdit(), Qt::Key_unknown, QStringLiteral("春")); },
        [this] { press(edit->lyricEdit(), Qt::Key_Return, QStringLiteral("\r")); },
        [this] { press(edit->lyricEdit(), Qt::Key_Backspace); },
        [this] { press(edit->lyricEdit(), Qt::Key_Left); },
        [this] { press(edit->lyricEdit(), Qt::Key_Backspace); },
        [this] { edit->undo(); },
        [this] { edit->undo(); },
        [this] { press(edit->lyricEdit(), Qt::Key_Down); },
    };
    int step = 0;
    for (const std::function<void()> &doEdit : edits) {
        doEdit();
        view->flush();
        QApplication::processEvents();
        const QImage shown = onScreen();
        QVERIFY2(!shown.isNull(), "the screen cannot be read");
        QVERIFY2(shown == repainted(), qPrintable(QStringLiteral("after step %1").arg(step)));
        ++step;
    }
    QVERIFY(view->pages() != original);
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

void TestLiveScoreView::decorationOnThePageShown()
{
    // The view paints the page as the export does, with the frame and the
    // rules the options ask for; the page model stays the layout's.
    load(score(40));
    view->showPage(1);
    view->setScale(3.0);
    const QRectF content(QPointF(config->marginLeft(), config->marginTop()),
                         QPointF(config->pageWidth() - config->marginRight(),
                                 config->pageHeight() - config->marginBottom()));
    // Where the top of the frame and the foot of the first rule will be: in
    // the margin, where the score puts no ink.
    const QPointF frameTop(content.center().x(), content.top() - 8);
    // The first rule stands left of the first column, in the middle of the
    // room the columns share out, a third of a character from the boundary.
    const ScorePage laidOut = wholeLayout().first();
    const QPointF ruleFoot(content.right() - laidOut.columnWidth - (laidOut.columnPitch - laidOut.columnWidth) / 2.0
                               - config->lyricFontSize() / 3.0,
                           content.bottom() + 4);
    // The darkest pixel around the point: a hairline lies between pixels.
    const auto grey = [this](const QPointF &pagePoint) {
        const QImage shot = view->canvas()->grab().toImage();
        const QPoint at = view->canvasPoint(pagePoint) * shot.devicePixelRatio();
        int darkest = 255;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx)
                darkest = qMin(darkest, qGray(shot.pixel(at + QPoint(dx, dy))));
        }
        return darkest;
    };
    QCOMPARE(grey(frameTop), 255);
    QCOMPARE(grey(ruleFoot), 255);

    config->setIsFrame(true);
    config->setIsColumnRule(true);
    view->reloadOptions();
    view->finishLayout();
    QVERIFY(grey(frameTop) < 160);
    QVERIFY(grey(ruleFoot) < 160);
    QCOMPARE(view->pages(), wholeLayout());
}

void TestLiveScoreView::ctrlWheelZooms_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("turns");
    QTest::addColumn<bool>("control");
    QTest::addColumn<double>("expected");

    // From a scale of 1; a notch zooms by 15 %.
    QTest::addRow("one notch in") << 120 << 1 << true << 1.15;
    QTest::addRow("one notch out") << -120 << 1 << true << 1 / 1.15;
    QTest::addRow("three notches in") << 120 << 3 << true << std::pow(1.15, 3);
    QTest::addRow("half a notch of a fine wheel") << 60 << 1 << true << std::sqrt(1.15);
    QTest::addRow("in and out again") << 120 << 0 << true << 1.0;
    QTest::addRow("far in stops at eight times") << 120 << 40 << true << 8.0;
    QTest::addRow("far out stops at a tenth") << -120 << 40 << true << 0.1;
    QTest::addRow("without Ctrl the wheel scrolls") << -120 << 3 << false << 1.0;
}

void TestLiveScoreView::ctrlWheelZooms()
{
    QFETCH(int, angle);
    QFETCH(int, turns);
    QFETCH(bool, control);
    QFETCH(double, expected);

    load(score(14));
    view->setScale(1.0);
    QApplication::processEvents();
    auto *scroll = view->findChild<QScrollArea *>();
    const int scrolledBefore = scroll->verticalScrollBar()->value();
    const Qt::KeyboardModifiers modifiers = control ? Qt::ControlModifier : Qt::NoModifier;
    // Qt passes a wheel event the page does not take on to the viewport only
    // when it comes from the window system; a test sends it there itself.
    QWidget *under = control ? view->canvas() : scroll->viewport();
    if (turns == 0) {
        turnWheel(under, angle, modifiers);
        turnWheel(under, -angle, modifiers);
    }
    for (int i = 0; i < turns; ++i)
        turnWheel(under, angle, modifiers);
    QVERIFY2(qAbs(view->scale() - expected) < 1e-9, qPrintable(QString::number(view->scale())));
    // The canvas holds the page at the new scale.
    const QSize page = view->pages().at(view->pageIndex()).size;
    QCOMPARE(view->canvas()->width() - 2 * 8, int(std::ceil(page.width() * view->scale())));
    QCOMPARE(view->canvas()->height() - 2 * 8, int(std::ceil(page.height() * view->scale())));
    if (!control)
        QVERIFY(scroll->verticalScrollBar()->value() > scrolledBefore);
    // A zoom by hand stays when the view is resized.
    window->resize(1100, 700);
    QApplication::processEvents();
    QVERIFY(qAbs(view->scale() - expected) < 1e-9);
}

void TestLiveScoreView::ctrlWheelZoomsAboutTheMouse_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPointF>("at"); // in parts of the viewport's size
    QTest::addColumn<int>("angle");

    QTest::addRow("in at the right edge") << 1.0 << QPointF(0.9, 0.5) << 240;
    QTest::addRow("out at the bottom right") << 3.0 << QPointF(0.8, 0.9) << -120;
}

void TestLiveScoreView::ctrlWheelZoomsAboutTheMouse()
{
    QFETCH(double, scale);
    QFETCH(QPointF, at);
    QFETCH(int, angle);
    load(score(14));
    view->setScale(scale);
    QApplication::processEvents();
    auto *scroll = view->findChild<QScrollArea *>();
    QWidget *viewport = scroll->viewport();
    // Scrolled to the middle, so that the scroll bars leave room both ways.
    for (QScrollBar *bar : {scroll->horizontalScrollBar(), scroll->verticalScrollBar()})
        bar->setValue(bar->maximum() / 2);
    const QPoint mouse(int(at.x() * viewport->width()), int(at.y() * viewport->height()));
    const auto pageUnder = [&] {
        return QPointF(view->canvas()->mapFrom(viewport, mouse) - view->canvasPoint(QPointF())) / view->scale();
    };
    const QPointF before = pageUnder();
    turnWheel(view->canvas(), angle, Qt::ControlModifier, view->canvas()->mapFrom(viewport, mouse));
    QVERIFY(view->scale() != scale);
    // The page point under the mouse stays there, to a pixel.
    QVERIFY((pageUnder() - before).manhattanLength() <= 2 / view->scale());
}

void TestLiveScoreView::fitButtonsFitThePageToTheViewport_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QSize>("viewSize");
    QTest::addRow("fit width, a tall view") << "fitWidthButton" << QSize(400, 800);
    QTest::addRow("fit width, a wide view") << "fitWidthButton" << QSize(900, 300);
    QTest::addRow("fit page, a tall view") << "fitPageButton" << QSize(400, 800);
    QTest::addRow("fit page, a wide view") << "fitPageButton" << QSize(900, 300);
}

void TestLiveScoreView::fitButtonsFitThePageToTheViewport()
{
    QFETCH(QString, button);
    QFETCH(QSize, viewSize);

    load(score(14));
    view->setScale(3.0);
    view->resize(viewSize);
    QApplication::processEvents();
    auto *fit = view->findChild<QToolButton *>(button);
    QVERIFY(fit);
    QTest::mouseClick(fit, Qt::LeftButton);

    auto *scroll = view->findChild<QScrollArea *>();
    const QSize page = view->pages().at(view->pageIndex()).size;
    const auto fitted = [&] {
        QApplication::processEvents();
        // The room for the page: the viewport less the canvas margins.
        const QSize room = scroll->viewport()->size() - QSize(16, 16);
        const QSizeF scaled = QSizeF(page) * view->scale();
        if (button == QLatin1String("fitWidthButton"))
            return qAbs(scaled.width() - room.width()) < 1.0 && !scroll->horizontalScrollBar()->isVisible();
        return scaled.width() <= room.width() + 0.5 && scaled.height() <= room.height() + 0.5
               && (qAbs(scaled.width() - room.width()) < 1.0 || qAbs(scaled.height() - room.height()) < 1.0)
               && !scroll->horizontalScrollBar()->isVisible() && !scroll->verticalScrollBar()->isVisible();
    };
    QTRY_VERIFY(fitted());
    // The fit holds when the view changes size.
    view->resize(viewSize.transposed());
    QTRY_VERIFY(fitted());
}

// The page is painted once into a pixmap at the scale and the device pixel
// ratio of the screen (run again under QT_SCALE_FACTOR=2), and painted again
// only when the page, the scale or the ratio changes.
void TestLiveScoreView::glyphsAreAsLargeAsTheLayoutMeasured()
{
    // Every pixel the view paints lies in the ink box of an item, as on the
    // exported page: glyphs drawn at the screen's resolution instead of the
    // page's would come out a third larger than their boxes.
    load(score(14));
    putCursorAfter(5, 2);
    view->setScale(2.0);
    view->canvas()->repaint();
    const QImage shot = view->pageImage();
    const qreal pixelsPerPoint = 2.0 * view->pageImage().devicePixelRatio();
    const ScorePage &page = view->pages().at(view->pageIndex());
    QList<QRectF> inks;
    for (const PageRun &run : page.runs) {
        for (const PageItem &item : run.items) {
            if (!item.ink.isEmpty())
                inks.append(item.ink.adjusted(-1, -1, 1, 1));
        }
    }
    QVERIFY(inks.size() > 30);
    int inked = 0;
    int stray = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qGray(shot.pixel(x, y)) > 160)
                continue;
            ++inked;
            const QPointF point(x / pixelsPerPoint, y / pixelsPerPoint);
            bool covered = false;
            for (const QRectF &ink : std::as_const(inks))
                covered = covered || ink.contains(point);
            stray += covered ? 0 : 1;
        }
    }
    QVERIFY(inked > 1000);
    QCOMPARE(stray, 0);
}

void TestLiveScoreView::pagePixmapMatchesScaleAndRatio()
{
    load(score(14));
    const qreal ratio = view->canvas()->devicePixelRatioF();
    const qreal expectedRatio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                    ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                    : 1.0;
    QCOMPARE(ratio, expectedRatio);
    putCursorAfter(5, 2);
    const int shown = view->pageIndex();
    const QSize page = view->pages().at(shown).size;

    for (const double scale : {0.5, 1.5, 2.25}) {
        view->setScale(scale);
        view->canvas()->repaint();
        const QImage &pixmap = view->pageImage();
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        // Not scaled up on the screen: one pixel of the pixmap is one pixel
        // of the screen.
        const QSizeF wanted = QSizeF(page) * scale * ratio;
        QVERIFY2(qAbs(pixmap.width() - wanted.width()) <= ratio && qAbs(pixmap.height() - wanted.height()) <= ratio,
                 qPrintable(QStringLiteral("%1x%2 for %3x%4").arg(pixmap.width()).arg(pixmap.height())
                                .arg(wanted.width()).arg(wanted.height())));
    }
    const qint64 painted = view->pageImage().cacheKey();
    QSignalSpy paints(view, &LiveScoreView::pagePainted);

    // Nothing on the page changed: the canvas is painted from the pixmap.
    view->canvas()->repaint();
    putCursorAfter(5, 4);
    QCOMPARE(view->pageIndex(), shown);
    view->canvas()->repaint();
    QVERIFY(paints.size() >= 2);
    QCOMPARE(view->pageImage().cacheKey(), painted);

    // A character typed on the page: painted anew, at the same size.
    const QSize size = view->pageImage().size();
    edit->lyricEdit()->setFocus();
    press(edit->lyricEdit(), Qt::Key_unknown, QStringLiteral("春"));
    view->flush();
    view->canvas()->repaint();
    QVERIFY(view->pageImage().cacheKey() != painted);
    QCOMPARE(view->pageImage().size(), size);
}

QTEST_MAIN(TestLiveScoreView)
#include "tst_livescoreview.moc"

void TestLiveScoreView::viewShowsThePageTheExportWrites()
{
    // Characters no page can carry (control characters, a lone surrogate,
    // U+FFFF), typed in the lyrics and the notation: the view leaves them out
    // as the export does, after a whole layout and after an edit.
    GcpFile::Texts texts = score(12);
    texts.lyric.insert(texts.lyric.indexOf(QLatin1Char('\n'), 20), QStringLiteral("\u0001\u001f"));
    texts.score.insert(3, QString(QChar(0xFFFF)) + QChar(0xD800));
    load(texts);
    const auto viewRuns = [this] {
        QList<QList<PageRun>> runs;
        for (const ScorePage &page : view->pages())
            runs.append(page.runs);
        return runs;
    };
    QCOMPARE(viewRuns(), exportedRuns());

    QTextCursor cursor(edit->lyricEdit()->document()->findBlockByNumber(5));
    cursor.movePosition(QTextCursor::Right);
    cursor.insertText(QStringLiteral("\u0002\u0008"));
    QTRY_VERIFY(view->isLaidOut());
    view->finishLayout();
    QCOMPARE(viewRuns(), exportedRuns());
}
