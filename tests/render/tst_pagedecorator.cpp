#include "exportconfig.h"
#include "linegrammar.h"
#include "pagedecorator.h"
#include "pagemodel.h"
#include "ql_generatesvg.h"
#include "renderfixture.h"

#include "generatedscore.h"

#include <QTest>

// The frame, the rules between columns and the page numbers: each where its
// option is on and nowhere else, on every page the renderer makes, and never
// on the ink of the score.
class TestPageDecorator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void partsFollowTheirOptions_data();
    void partsFollowTheirOptions();
    void pageNumbersInOrder();
    void numberNeedsRoomInTheMargin_data();
    void numberNeedsRoomInTheMargin();
    void rulesBetweenColumns_data();
    void rulesBetweenColumns();
    void frameAroundContent_data();
    void frameAroundContent();
    void nothingTouchesInk_data();
    void nothingTouchesInk();
    void redecoratingReplaces();

private:
    ExportConfig &config() { return *fixture->config; }
    // Renders the entries and returns the page models.
    QList<ScorePage> render(const QList<ExportEntry> &entries)
    {
        renderer = std::make_unique<QL_GenerateSVG>(config());
        renderer->generate(entries, false);
        return renderer->pageModels();
    }
    void setAll(bool on)
    {
        config().setIsPageNumber(on);
        config().setIsColumnRule(on);
        config().setIsFrame(on);
    }

    std::unique_ptr<RenderFixture> fixture;
    std::unique_ptr<QL_GenerateSVG> renderer;
};

namespace {

const char32_t gong = 0xF002C;
const char32_t ban = 0xF0000;

QRectF contentArea(const ScorePage &page, const ExportConfig &c)
{
    return QRectF(QPointF(c.marginLeft(), c.marginTop()),
                  QPointF(page.size.width() - c.marginRight(), page.size.height() - c.marginBottom()));
}

// What a line of the given width paints: flat ends, so no further than its
// end points.
QRectF stroke(const QLineF &line, double width)
{
    const double half = width / 2;
    const QRectF span = QRectF(line.p1(), line.p2()).normalized();
    return line.x1() == line.x2() ? span.adjusted(-half, 0, half, 0) : span.adjusted(0, -half, 0, half);
}

QList<QRectF> itemInk(const ScorePage &page)
{
    QList<QRectF> inks;
    for (const PageRun &run : page.runs) {
        for (const PageItem &item : run.items) {
            if (!item.ink.isEmpty())
                inks.append(item.ink);
        }
    }
    return inks;
}

// A notation run of n symbols, a beat mark after every third note.
QString longRun(int n)
{
    QString run;
    for (int i = 0; i < n; ++i)
        run += notation({i % 4 == 3 ? ban : char32_t(0xF0027 + i % 8)});
    return run;
}

// The distinct x of the rules of a page, right to left.
QList<double> ruleColumns(const ScorePage &page)
{
    QList<double> xs;
    for (const QLineF &line : page.decoration.rules) {
        if (!xs.contains(line.x1()))
            xs.append(line.x1());
    }
    std::sort(xs.begin(), xs.end(), std::greater<double>());
    return xs;
}

} // namespace

void TestPageDecorator::init()
{
    fixture = std::make_unique<RenderFixture>();
}

void TestPageDecorator::cleanup()
{
    renderer.reset();
    fixture.reset();
}

void TestPageDecorator::partsFollowTheirOptions_data()
{
    QTest::addColumn<bool>("number");
    QTest::addColumn<bool>("rules");
    QTest::addColumn<bool>("frame");
    QTest::addRow("all off") << false << false << false;
    QTest::addRow("page numbers") << true << false << false;
    QTest::addRow("rules") << false << true << false;
    QTest::addRow("frame") << false << false << true;
    QTest::addRow("all on") << true << true << true;
}

void TestPageDecorator::partsFollowTheirOptions()
{
    QFETCH(bool, number);
    QFETCH(bool, rules);
    QFETCH(bool, frame);
    config().setIsPageNumber(number);
    config().setIsColumnRule(rules);
    config().setIsFrame(frame);
    const QList<ScorePage> pages = render(generatedScore(3));
    QVERIFY(pages.size() >= 3);
    QCOMPARE(renderer->pages().size(), pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        const PageDecoration &d = pages.at(i).decoration;
        QCOMPARE(!d.number.text.isEmpty(), number);
        QCOMPARE(!d.rules.isEmpty(), rules);
        QCOMPARE(!d.frame.isEmpty(), frame);
        QCOMPARE(d.isEmpty(), !number && !rules && !frame);
        // The SVG page is painted from the decorated model.
        const QString text = PageDecorator::numberText(i + 1);
        QCOMPARE(QString::fromUtf8(renderer->pages().at(i)).contains(text), number);
    }
}

void TestPageDecorator::pageNumbersInOrder()
{
    config().setIsPageNumber(true);
    config().setIsFrame(true);
    const QList<ScorePage> pages = render(generatedScore(5));
    QVERIFY(pages.size() >= 5);
    for (int i = 0; i < pages.size(); ++i) {
        const ScorePage &page = pages.at(i);
        const PageItem &number = page.decoration.number;
        QCOMPARE(number.text, PageDecorator::numberText(i + 1));
        // At the foot: below the content area and the frame, on the page,
        // centred under the content area, level on every page.
        const QRectF content = contentArea(page, config());
        QVERIFY(QRectF(QPointF(0, 0), QSizeF(page.size)).contains(number.ink));
        QVERIFY(number.ink.top() > content.bottom());
        for (const QLineF &side : page.decoration.frame)
            QVERIFY(!stroke(side, page.decoration.frameWidth).intersects(number.ink));
        QVERIFY(qAbs(number.ink.center().x() - content.center().x()) < 1.5);
        QCOMPARE(number.cell.y(), pages.first().decoration.number.cell.y());
    }
}

void TestPageDecorator::numberNeedsRoomInTheMargin_data()
{
    QTest::addColumn<int>("marginBottom");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<bool>("shown");
    QTest::addRow("no margin") << 0 << false << false;
    QTest::addRow("3 pt margin") << 3 << false << false;
    QTest::addRow("12 pt margin") << 12 << false << true;
    QTest::addRow("12 pt margin with a frame: no room below it") << 12 << true << false;
    QTest::addRow("20 pt margin with a frame") << 20 << true << true;
    QTest::addRow("default margin") << 25 << true << true;
    QTest::addRow("wide margin") << 120 << true << true;
}

void TestPageDecorator::numberNeedsRoomInTheMargin()
{
    QFETCH(int, marginBottom);
    QFETCH(bool, frame);
    QFETCH(bool, shown);
    config().setIsPageNumber(true);
    config().setIsFrame(frame);
    config().setMarginBottom(marginBottom);
    // Columns that reach the foot of the page.
    const QList<ScorePage> pages = render(generatedScore(1));
    const ScorePage &page = pages.first();
    const PageItem &number = page.decoration.number;
    QCOMPARE(!number.text.isEmpty(), shown);
    if (!shown)
        return;
    const QRectF content = contentArea(page, config());
    QVERIFY(number.ink.top() >= content.bottom());
    QVERIFY(number.ink.bottom() <= page.size.height());
    // Never smaller than can be read, never larger than a note.
    QVERIFY(page.decoration.numberFont.pointSizeF() >= 5);
    QVERIFY(page.decoration.numberFont.pointSizeF() <= 14);
}

void TestPageDecorator::rulesBetweenColumns_data()
{
    QTest::addColumn<int>("colWidth");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("frame");
    // The content area is 545 wide on A4 portrait, 792 in landscape.
    QTest::addRow("default columns") << 130 << false << false;
    QTest::addRow("default columns in a frame") << 130 << false << true;
    QTest::addRow("narrow columns") << 60 << false << false;
    QTest::addRow("columns narrower than a character") << 20 << false << true;
    QTest::addRow("landscape") << 130 << true << true;
    QTest::addRow("columns filling the width exactly") << 109 << false << false;
    QTest::addRow("one column as wide as the content") << 545 << false << true;
    QTest::addRow("a column wider than the content") << 800 << false << false;
}

void TestPageDecorator::rulesBetweenColumns()
{
    QFETCH(int, colWidth);
    QFETCH(bool, landscape);
    QFETCH(bool, frame);
    config().setIsColumnRule(true);
    config().setIsFrame(frame);
    config().setColWidth(colWidth);
    config().setIsLandscape(landscape);
    // An empty first page (the score begins with a page break) and a page
    // with one column.
    const QList<ScorePage> pages = render({lineEntry(int(LineType::PageBreak), QStringLiteral("@分页符")),
                                           sungEntry(QStringLiteral("良辰美景"), notation({gong, ban}))});
    QCOMPARE(pages.size(), 2);
    const QRectF content = contentArea(pages.first(), config());
    // The columns as laid out: the width clamped to what fits, and the step
    // sharing out what they leave of the content's width.
    const int width = pages.first().columnWidth;
    const int pitch = pages.first().columnPitch;
    QVERIFY(width > 0 && pitch >= width);
    const int columns = int(content.width()) / width;
    QVERIFY(columns == 1 || content.width() - (width + (columns - 1) * pitch) < columns);
    for (const ScorePage &page : pages) {
        // A rule between every two columns of the page, filled or not, each
        // in the room left of the boundary, never further than a quarter of
        // a column beyond what the columns share out.
        const QList<double> xs = ruleColumns(page);
        QCOMPARE(xs.size(), qMax(0, columns - 1));
        for (int k = 1; k < columns; ++k) {
            const double boundary = content.right() - width - (k - 1) * pitch;
            const double x = xs.at(k - 1);
            QVERIFY2(x < boundary && x >= boundary - (pitch - width) - width / 4.0,
                     qPrintable(QStringLiteral("rule %1 at %2, boundary %3").arg(k).arg(x).arg(boundary)));
        }
    }
    // On the empty page every rule is whole, from the top of the content
    // area (or of the frame) to its foot.
    const ScorePage &empty = pages.first();
    const QList<QLineF> &frameLines = empty.decoration.frame;
    const double top = frame ? frameLines.at(0).y1() : content.top();
    const double bottom = frame ? frameLines.at(2).y1() : content.bottom();
    QCOMPARE(empty.decoration.rules.size(), qMax(0, columns - 1));
    for (const QLineF &rule : empty.decoration.rules) {
        QCOMPARE(qMin(rule.y1(), rule.y2()), top);
        QCOMPARE(qMax(rule.y1(), rule.y2()), bottom);
    }
}

void TestPageDecorator::frameAroundContent_data()
{
    QTest::addColumn<int>("margin");
    QTest::addColumn<bool>("landscape");
    QTest::addRow("default margins") << 25 << false;
    QTest::addRow("landscape") << 25 << true;
    QTest::addRow("wide margins") << 90 << false;
    QTest::addRow("narrow margins") << 3 << false;
    QTest::addRow("no margins") << 0 << false;
}

void TestPageDecorator::frameAroundContent()
{
    QFETCH(int, margin);
    QFETCH(bool, landscape);
    config().setIsFrame(true);
    config().setIsLandscape(landscape);
    config().setMarginTop(margin);
    config().setMarginBottom(margin);
    config().setMarginLeft(margin);
    config().setMarginRight(margin);
    const ScorePage page = render({lineEntry(int(LineType::PageBreak), QStringLiteral("@分页符"))}).first();
    const PageDecoration &d = page.decoration;
    QCOMPARE(d.frame.size(), 4);
    const QRectF content = contentArea(page, config());
    const QRectF paper(QPointF(0, 0), QSizeF(page.size));
    QRectF outline;
    for (const QLineF &side : d.frame) {
        const QRectF painted = stroke(side, d.frameWidth);
        QVERIFY(paper.contains(painted));
        // Outside the content area where the margin has room for it.
        if (margin >= d.frameWidth)
            QVERIFY(!painted.intersects(content));
        outline |= painted;
    }
    // Closed around the content area, and close to it.
    QVERIFY(outline.contains(content) || margin < d.frameWidth);
    QVERIFY(outline.left() >= content.left() - 8 - d.frameWidth);
    QVERIFY(outline.bottom() <= content.bottom() + 8 + d.frameWidth);
    // The corners close: the top and bottom lines cover the sides' ends.
    QCOMPARE(stroke(d.frame.at(0), d.frameWidth).left(), stroke(d.frame.at(3), d.frameWidth).left());
    QCOMPARE(stroke(d.frame.at(0), d.frameWidth).right(), stroke(d.frame.at(1), d.frameWidth).right());
}

void TestPageDecorator::nothingTouchesInk_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("colWidth");
    QTest::addColumn<int>("lyricSize");
    QTest::addColumn<int>("margin");
    QTest::addColumn<bool>("landscape");
    QTest::addRow("defaults") << -45 << 130 << 30 << 25 << false;
    QTest::addRow("upright runs") << 0 << 130 << 30 << 25 << false;
    QTest::addRow("angle -30, A4 landscape") << -30 << 130 << 30 << 25 << true;
    // Notation and characters wider than a column cross the boundaries:
    // the rules must give way.
    QTest::addRow("columns narrower than their notation") << -45 << 40 << 30 << 25 << false;
    QTest::addRow("large lyrics") << -45 << 130 << 120 << 25 << false;
    QTest::addRow("no margins") << -45 << 130 << 30 << 0 << false;
    QTest::addRow("narrowest columns, small margins") << 0 << 10 << 20 << 4 << false;
}

void TestPageDecorator::nothingTouchesInk()
{
    QFETCH(int, angle);
    QFETCH(int, colWidth);
    QFETCH(int, lyricSize);
    QFETCH(int, margin);
    QFETCH(bool, landscape);
    setAll(true);
    config().setScoreAngle(angle);
    config().setColWidth(colWidth);
    config().setLyricFontSize(lyricSize);
    config().setMarginTop(margin);
    config().setMarginBottom(margin);
    config().setMarginLeft(margin);
    config().setMarginRight(margin);
    config().setIsLandscape(landscape);

    QList<ExportEntry> entries = generatedScore(2);
    // Runs of every length up to 40 symbols, titles, spoken passages with
    // brackets and hanging punctuation at the foot of columns.
    for (int n = 1; n <= 40; n += 13)
        entries.append(sungEntry(QStringLiteral("奈何天。"), longRun(n)));
    entries.append(lineEntry(int(LineType::Title), QStringLiteral("# 牡丹亭·游园惊梦")));
    entries.append(lineEntry(int(LineType::LianBai), QStringLiteral("= 〔小生〕「姐姐，」咱一片闲情——爱煞你哩！")));
    entries.append(lineEntry(int(LineType::JiaBai), QStringLiteral("> 夹白（说），")));
    const QList<ScorePage> pages = render(entries);
    QVERIFY(!pages.isEmpty());

    // Ink that comes this close counts as touching: the parts keep their
    // clearance, less a hair for rounding.
    const double touch = PageDecorator::clearance - 0.01;
    for (int p = 0; p < pages.size(); ++p) {
        const ScorePage &page = pages.at(p);
        const PageDecoration &d = page.decoration;
        const QRectF paper(QPointF(0, 0), QSizeF(page.size));
        QList<QRectF> strokes;
        for (const QLineF &line : d.frame)
            strokes.append(stroke(line, d.frameWidth));
        for (const QLineF &line : d.rules)
            strokes.append(stroke(line, d.ruleWidth));
        for (const QRectF &painted : std::as_const(strokes)) {
            QVERIFY(paper.contains(painted));
            for (const QRectF &ink : itemInk(page)) {
                QVERIFY2(!painted.intersects(ink.adjusted(-touch, -touch, touch, touch)),
                         qPrintable(QStringLiteral("page %1: line %2,%3 %4x%5 on ink %6,%7 %8x%9")
                                        .arg(p).arg(painted.x()).arg(painted.y()).arg(painted.width())
                                        .arg(painted.height()).arg(ink.x()).arg(ink.y()).arg(ink.width())
                                        .arg(ink.height())));
            }
        }
        if (d.number.text.isEmpty())
            continue;
        QVERIFY(paper.contains(d.number.ink));
        for (const QRectF &ink : itemInk(page))
            QVERIFY(!d.number.ink.intersects(ink));
        for (const QRectF &painted : std::as_const(strokes))
            QVERIFY(!d.number.ink.intersects(painted));
    }
}

void TestPageDecorator::redecoratingReplaces()
{
    // A page decorated again with other options shows only what they ask
    // for; its runs stay as the layout made them.
    setAll(true);
    ScorePage page = render(generatedScore(1)).first();
    const QList<PageRun> runs = page.runs;
    QVERIFY(!page.decoration.isEmpty());
    config().setIsFrame(false);
    config().setIsPageNumber(false);
    PageDecorator::decorate(page, 6, config());
    QVERIFY(page.decoration.frame.isEmpty());
    QVERIFY(page.decoration.number.text.isEmpty());
    QVERIFY(!page.decoration.rules.isEmpty());
    QCOMPARE(page.runs, runs);

    config().setIsColumnRule(false);
    PageDecorator::decorate(page, 6, config());
    QVERIFY(page.decoration.isEmpty());
    QCOMPARE(page.decoration, PageDecoration());
}

QTEST_MAIN(TestPageDecorator)
#include "tst_pagedecorator.moc"
