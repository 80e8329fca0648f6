#include "exportconfig.h"
#include "livescoreview.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"
#include "scorelayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUndoStack>

#include <memory>

namespace {

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
    void documentsAndOptions();
    void decorationOnThePageShown();

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
    const QPointF ruleFoot(content.right() - config->colWidth() - config->lyricFontSize() / 3.0,
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

QTEST_MAIN(TestLiveScoreView)
#include "tst_livescoreview.moc"
