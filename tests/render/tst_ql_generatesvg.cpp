#include "exportconfig.h"
#include "linegrammar.h"
#include "ql_generatesvg.h"
#include "renderfixture.h"
#include "svgtext.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QLineF>
#include <QTest>

#include <cmath>

namespace {

const int lineBreak = int(LineType::LineBreak);
const int pageBreak = int(LineType::PageBreak);

const char32_t gong = 0xF002C;  // 工
const char32_t chi = 0xF002B;   // 尺
const char32_t gongSmall = 0xF006A;

QList<SvgText> textsMatching(const QByteArray &svg, const QString &text)
{
    QList<SvgText> found;
    for (const SvgText &t : svgTexts(svg)) {
        if (t.text == text)
            found.append(t);
    }
    return found;
}

} // namespace

class TestQlGenerateSvg : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void contentArea_data();
    void contentArea();
    void columnsFillPageThenBreak_data();
    void columnsFillPageThenBreak();
    void wideColumnsStayOnOnePage();
    void pageBreakFirstGivesEmptyFirstPage();
    void previewStopsAtSecondPage();
    void progressReportsStartStepsEnd();
    void emptyDocumentGivesOneBackgroundPage();
    void backgroundFollowsTransparency();

    void documentTitle_data();
    void documentTitle();
    void pageTitlesReachTheFiles();

    void verticalForm_data();
    void verticalForm();

    void titlePosition_data();
    void titlePosition();
    void titleTakesColumnOfItsOwn_data();
    void titleTakesColumnOfItsOwn();
    void keyBesideTuneName_data();
    void keyBesideTuneName();
    void lianBaiBalancedSubColumns();
    void lianBaiNarrowWidthsGiveOneSubColumn_data();
    void lianBaiNarrowWidthsGiveOneSubColumn();
    void lianBaiContinuesInNextColumn();
    void jiaBaiInline();

    void markPlacement_data();
    void markPlacement();
    void marksPushNextNoteDown();
    void glyphColours_data();
    void glyphColours();
    void scoreExtentFollowsAngle_data();
    void scoreExtentFollowsAngle();
    void hangingPunctuationGetsNoSpace();
    void overflowBreaksColumn_data();
    void overflowBreaksColumn();
    void missingScoresDrawNoNotation();

    void referencePages_data();
    void referencePages();

private:
    std::unique_ptr<RenderFixture> fixture;
    std::unique_ptr<QL_GenerateSVG> renderer;
    ExportConfig &config() { return *fixture->config; }
    // Where the k-th column of a page (from 1, right to left) starts, 130
    // wide and each a pitch left of the one before.
    int columnX(int k) const { return -130 - (k - 1) * renderer->columnPitch(); }
};

void TestQlGenerateSvg::init()
{
    fixture = std::make_unique<RenderFixture>();
    QVERIFY(fixture->dir.isValid());
    renderer = std::make_unique<QL_GenerateSVG>(config());
}

void TestQlGenerateSvg::cleanup()
{
    renderer.reset();
    fixture.reset();
}

void TestQlGenerateSvg::contentArea_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QSize>("content");
    QTest::addRow("A4 portrait") << false << QSize(595, 842) << QSize(545, 792);
    QTest::addRow("A4 landscape") << true << QSize(842, 595) << QSize(792, 545);
}

void TestQlGenerateSvg::contentArea()
{
    QFETCH(bool, landscape);
    QFETCH(QSize, page);
    QFETCH(QSize, content);
    config().setIsLandscape(landscape);
    QCOMPARE(renderer->pageSize(), page);
    QCOMPARE(renderer->contentSize(), content);

    renderer->generate({}, false);
    QSvgRenderer svg(renderer->pages().value(0));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox(), QRect(QPoint(0, 0), page));
}

void TestQlGenerateSvg::columnsFillPageThenBreak_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("lineBreaks");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastColumn");
    // Portrait: 545 wide, four 130-wide columns.
    QTest::addRow("portrait, fourth column") << false << 3 << 1 << 4;
    QTest::addRow("portrait, fifth column starts page 2") << false << 4 << 2 << 1;
    // Landscape: 792 wide, six columns.
    QTest::addRow("landscape, sixth column") << true << 5 << 1 << 6;
    QTest::addRow("landscape, seventh column starts page 2") << true << 6 << 2 << 1;
}

void TestQlGenerateSvg::columnsFillPageThenBreak()
{
    QFETCH(bool, landscape);
    QFETCH(int, lineBreaks);
    QFETCH(int, pages);
    QFETCH(int, lastColumn);
    config().setIsLandscape(landscape);

    // Each column holds a character: a page that nothing is drawn on is
    // never opened.
    renderer->beginRendering();
    QCOMPARE(renderer->cursorX(), -130);
    for (int i = 0; i < lineBreaks; ++i) {
        renderer->renderLyricLine(QStringLiteral("字"), {QString()});
        renderer->newColumn();
    }
    QCOMPARE(renderer->cursorX(), columnX(lastColumn));
    QCOMPARE(renderer->cursorY(), 0);
    // The columns share out the width: the last one ends at the content's
    // left edge.
    const int contentWidth = landscape ? 792 : 545;
    QVERIFY(qAbs(columnX(landscape ? 6 : 4) + contentWidth) < (landscape ? 6 : 4));
    renderer->renderLyricLine(QStringLiteral("字"), {QString()});
    renderer->finishRendering();
    QCOMPARE(renderer->pages().size(), pages);

    renderer->reset();
    QList<ExportEntry> entries;
    for (int i = 0; i < lineBreaks; ++i)
        entries << sungEntry(QStringLiteral("字"), QString()) << lineEntry(lineBreak, QStringLiteral("@换行符"));
    entries << sungEntry(QStringLiteral("字"), QString());
    renderer->generate(entries, false);
    QCOMPARE(renderer->pages().size(), pages);

    // Line breaks alone draw nothing, and open no page for it.
    renderer->reset();
    renderer->generate(QList<ExportEntry>(lineBreaks, lineEntry(lineBreak, QStringLiteral("@换行符"))), false);
    QCOMPARE(renderer->pages().size(), 1);
}

void TestQlGenerateSvg::wideColumnsStayOnOnePage()
{
    // A column wider than the content is set as wide as the content, one to
    // a page, and the export is told; nothing is drawn past the margin.
    config().setColWidth(600);
    QList<ExportEntry> entries;
    for (int i = 0; i < 3; ++i)
        entries << sungEntry(QStringLiteral("字"), QString()) << lineEntry(lineBreak, QStringLiteral("@换行符"));
    renderer->generate(entries, false);
    QCOMPARE(renderer->pages().size(), 3);
    QCOMPARE(renderer->warnings().size(), 1);
    QVERIFY(renderer->warnings().first().contains(QStringLiteral("600")));
}

void TestQlGenerateSvg::pageBreakFirstGivesEmptyFirstPage()
{
    renderer->generate({lineEntry(pageBreak, QStringLiteral("@分页符")), sungEntry(QStringLiteral("我"), notation({gong}))},
                       false);
    QCOMPARE(renderer->pages().size(), 2);
    QVERIFY(svgTexts(renderer->pages().at(0)).isEmpty());
    QCOMPARE(textsMatching(renderer->pages().at(1), QStringLiteral("我")).size(), 1);
}

void TestQlGenerateSvg::previewStopsAtSecondPage()
{
    // Ten pages, each a sung character followed by a page break.
    QList<ExportEntry> entries;
    for (int page = 0; page < 10; ++page) {
        entries.append(sungEntry(QStringLiteral("页"), notation({gong})));
        if (page < 9)
            entries.append(lineEntry(pageBreak, QStringLiteral("@分页符")));
    }

    renderer->generate(entries, true);
    QCOMPARE(renderer->pages().size(), 2);
    QVERIFY(renderer->pages().at(0).trimmed().endsWith("</svg>"));
    QCOMPARE(textsMatching(renderer->pages().at(0), QStringLiteral("页")).size(), 1);
    QVERIFY(textsMatching(renderer->pages().at(1), QStringLiteral("页")).isEmpty());

    renderer->reset();
    renderer->generate(entries, false);
    QCOMPARE(renderer->pages().size(), 10);
    for (const QByteArray &page : renderer->pages())
        QCOMPARE(textsMatching(page, QStringLiteral("页")).size(), 1);
}

void TestQlGenerateSvg::progressReportsStartStepsEnd()
{
    QSignalSpy spy(renderer.get(), &QL_GenerateSVG::progressUpdate);
    const QList<ExportEntry> entries(3, sungEntry(QStringLiteral("我"), QString()));
    renderer->generate(entries, false);
    QCOMPARE(spy.size(), 5);
    QCOMPARE(spy.first(), (QList<QVariant>{0, 0, 3, QStringLiteral("绘制曲谱"), QStringLiteral("正在绘制曲谱···")}));
    QCOMPARE(spy.at(1), (QList<QVariant>{1, 0, 3, QString(), QString()}));
    QCOMPARE(spy.at(3), (QList<QVariant>{1, 2, 3, QString(), QString()}));
    QCOMPARE(spy.last(), (QList<QVariant>{2, 3, 3, QString(), QString()}));

    spy.clear();
    renderer->reset();
    renderer->generate(entries, true);
    QCOMPARE(spy.first(), (QList<QVariant>{0, 0, 0, QStringLiteral("生成预览"), QStringLiteral("正在生成预览···")}));
    QCOMPARE(spy.last().at(0).toInt(), 2);
}

void TestQlGenerateSvg::emptyDocumentGivesOneBackgroundPage()
{
    renderer->generate({}, false);
    QCOMPARE(renderer->pages().size(), 1);
    const QByteArray page = renderer->pages().first();
    QVERIFY(svgTexts(page).isEmpty());
    QVERIFY(page.contains("<rect x=\"0\" y=\"0\" width=\"595\" height=\"842\""));
}

void TestQlGenerateSvg::backgroundFollowsTransparency()
{
    config().setBackgroundColor(QColor(QStringLiteral("#123456")));
    renderer->generate({}, false);
    QVERIFY(renderer->pages().first().contains("fill=\"#123456\""));

    config().setIsBgTransparent(true);
    renderer->reset();
    renderer->generate({}, false);
    QVERIFY(!renderer->pages().first().contains("fill=\"#123456\""));
}

void TestQlGenerateSvg::documentTitle_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("title");
    QTest::addRow("tune name without title line") << QStringList{QStringLiteral("【皂罗袍】(仙吕)")} << QStringLiteral("皂罗袍");
    QTest::addRow("later title line replaces it")
        << QStringList{QStringLiteral("【皂罗袍】(仙吕)"), QStringLiteral("# 牡丹亭·游园")} << QStringLiteral("牡丹亭游园");
    QTest::addRow("title line wins over later tune name")
        << QStringList{QStringLiteral("# 游园"), QStringLiteral("【皂罗袍】(仙吕)")} << QStringLiteral("游园");
    QTest::addRow("no title, no tune name") << QStringList{QStringLiteral("原来姹紫嫣红开遍")} << QString();
}

void TestQlGenerateSvg::documentTitle()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, title);
    const QList<ExportEntry> entries = buildExportEntries(lines.join(QLatin1Char('\n')), QString());
    renderer->generate(entries, false);
    QCOMPARE(renderer->documentTitle(), title);
    QCOMPARE(svgTitle(renderer->pages().first()), title.isEmpty() ? QL_GenerateSVG::defaultTitle : title);
}

void TestQlGenerateSvg::pageTitlesReachTheFiles()
{
    const QList<ExportEntry> entries = {lineEntry(pageBreak, QStringLiteral("@分页符")),
                                        lineEntry(int(LineType::Title), QStringLiteral("# 游园")),
                                        lineEntry(pageBreak, QStringLiteral("@分页符")),
                                        sungEntry(QStringLiteral("字"), QString())};
    renderer->generate(entries, false);
    QCOMPARE(renderer->pages().size(), 3);
    QCOMPARE(svgTitle(renderer->pages().at(0)), QL_GenerateSVG::defaultTitle);
    QVERIFY(renderer->pages().at(0).contains("<desc>Qelun工尺谱导出曲谱</desc>"));
    QCOMPARE(svgTitle(renderer->pages().at(1)), QStringLiteral("游园"));
    QCOMPARE(svgTitle(renderer->pages().at(2)), QString());
}

void TestQlGenerateSvg::verticalForm_data()
{
    QTest::addColumn<QChar>("in");
    QTest::addColumn<QChar>("out");
    QTest::addRow("(") << QChar(u'(') << QChar(0xFE35);
    QTest::addRow("（") << QChar(u'（') << QChar(0xFE35);
    QTest::addRow("）") << QChar(u'）') << QChar(0xFE36);
    QTest::addRow("“") << QChar(0x201C) << QChar(0xFE43);
    QTest::addRow("》") << QChar(0x300B) << QChar(0xFE3E);
    QTest::addRow("【") << QChar(0x3010) << QChar(0xFE3B);
    QTest::addRow("[") << QChar(u'[') << QChar(0xFE39);
    QTest::addRow("］") << QChar(u'］') << QChar(0xFE3A);
    QTest::addRow("—") << QChar(0x2014) << QChar(0xFF5C);
    QTest::addRow("。 unchanged") << QChar(u'。') << QChar(u'。');
    QTest::addRow("ideograph unchanged") << QChar(u'我') << QChar(u'我');
    // Outside the punctuation class the table does not apply.
    QTest::addRow("< is no punctuation here") << QChar(u'<') << QChar(u'<');
}

void TestQlGenerateSvg::verticalForm()
{
    QFETCH(QChar, in);
    QFETCH(QChar, out);
    QCOMPARE(QL_GenerateSVG::verticalForm(in), out);
}

void TestQlGenerateSvg::titlePosition_data()
{
    QTest::addColumn<int>("titlePos");
    QTest::addRow("top") << 0;
    QTest::addRow("centre") << 1;
    QTest::addRow("bottom") << 2;
}

void TestQlGenerateSvg::titlePosition()
{
    QFETCH(int, titlePos);
    // Three characters of the title font's height h on a 792-high column.
    const int h = config().titleFontMetrics().height();
    const int startY = titlePos == 0 ? 0 : titlePos == 1 ? (792 - 3 * h) / 2 : 792 - 3 * h;
    // The title's first character, compared with one set at the top.
    const auto firstCharY = [this](int pos) {
        config().setTitlePos(pos);
        renderer->reset();
        renderer->generate({lineEntry(0, QStringLiteral("#三个字"))}, false);
        const QList<SvgText> t = textsMatching(renderer->pages().first(), QStringLiteral("三"));
        return t.isEmpty() ? -1.0e9 : t.first().origin.y();
    };
    const double top = firstCharY(0);
    QCOMPARE(firstCharY(titlePos) - top, double(startY));
}

void TestQlGenerateSvg::titleTakesColumnOfItsOwn_data()
{
    QTest::addColumn<int>("cursorY");
    QTest::addColumn<int>("titleColumn");
    QTest::addRow("empty column: drawn in it") << 0 << 1;
    QTest::addRow("column in use: drawn in the next") << 10 << 2;
}

void TestQlGenerateSvg::titleTakesColumnOfItsOwn()
{
    QFETCH(int, cursorY);
    QFETCH(int, titleColumn);
    renderer->beginRendering();
    const int titleX = columnX(titleColumn);
    const int nextX = columnX(titleColumn + 1);
    renderer->setCursorY(cursorY);
    renderer->renderTitle(QStringLiteral("# 题"));
    QCOMPARE(renderer->cursorX(), nextX);
    QCOMPARE(renderer->cursorY(), 0);
    renderer->finishRendering();
    const QList<SvgText> t = textsMatching(renderer->pages().first(), QStringLiteral("题"));
    QCOMPARE(t.size(), 1);
    // Centred in its 130-wide column, whose right edge is 570 + titleX + 130.
    const double columnLeft = 570 + titleX;
    QVERIFY2(t.first().origin.x() > columnLeft && t.first().origin.x() < columnLeft + 65,
             qPrintable(QString::number(t.first().origin.x())));
}

void TestQlGenerateSvg::keyBesideTuneName_data()
{
    QTest::addColumn<QString>("line");
    QTest::addRow("key shorter than tune name") << QStringLiteral("【皂罗袍】(仙吕)");
    QTest::addRow("key longer than tune name") << QStringLiteral("【越调】(仙吕宫调式)");
    QTest::addRow("tune name without key") << QStringLiteral("【越调】");
}

void TestQlGenerateSvg::keyBesideTuneName()
{
    QFETCH(QString, line);
    // One font for both, so that the glyphs' own offsets cancel out.
    config().setDiaoMingFontSize(config().quPaiFontSize());
    const QFontMetrics fm = config().quPaiFontMetrics();
    const QFontMetricsF ink = ExportConfig::pageFontMetricsF(config().quPaiFont());
    // A bracket's cell is as tall as its box, or as its ink (with a point
    // to spare) where the upright bracket is taller.
    const auto heightOf = [&](const QString &s) {
        int h = 0;
        for (QChar c : s) {
            const QChar v = QL_GenerateSVG::verticalForm(c);
            h += QRegularExpression(lineTypePatterns(LineType::BiaoDian)).match(QString(v)).hasMatch()
                     ? qMax(fm.boundingRect(v).height(), int(std::ceil(ink.tightBoundingRect(QString(v)).height())) + 1)
                     : fm.height();
        }
        return h;
    };
    const QString name = QRegularExpression(QStringLiteral("【.+?】")).match(line).captured();
    const QString key = QRegularExpression(QStringLiteral("[（(].+?[)）]")).match(line).captured();
    const int qH = heightOf(name);
    const int dH = heightOf(key);

    renderer->beginRendering();
    renderer->setCursorY(40);
    renderer->renderQuPai(line);
    // A new tune begins a column of its own.
    QCOMPARE(renderer->cursorX(), columnX(2));
    QCOMPARE(renderer->cursorY(), qMax(qH, dH));
    renderer->finishRendering();

    const QByteArray page = renderer->pages().first();
    const QList<SvgText> open = textsMatching(page, QString(QChar(0xFE3B)));
    QCOMPARE(open.size(), 1);
    if (key.isEmpty()) {
        QVERIFY(textsMatching(page, QString(QChar(0xFE35))).isEmpty());
        return;
    }
    const QList<SvgText> keyOpen = textsMatching(page, QString(QChar(0xFE35)));
    QCOMPARE(keyOpen.size(), 1);
    // The key's bracket glyph and the tune name's differ; compare the first
    // ideographs that follow them, both full-height cells.
    const QList<SvgText> firstName = textsMatching(page, name.mid(1, 1));
    const QList<SvgText> firstKey = textsMatching(page, key.mid(1, 1));
    QCOMPARE(firstName.size(), 1);
    QCOMPARE(firstKey.size(), 1);
    const int d = qH - dH;
    const int keyStart = d > 1 ? d / 2 : 0;
    const int openName = heightOf(name.left(1));
    const int openKey = heightOf(key.left(1));
    QCOMPARE(firstKey.first().origin.y() - firstName.first().origin.y(), double(keyStart + openKey - openName));
    // The key stands in the narrow column just right of the tune name.
    QVERIFY(firstKey.first().origin.x() > firstName.first().origin.x() + fm.maxWidth() / 2);
}

void TestQlGenerateSvg::lianBaiBalancedSubColumns()
{
    const QString passage = QStringLiteral("一二三四五六七八九十");
    const int h = config().lianBaiFontMetrics().height();
    QCOMPARE(renderer->lianBaiBlockHeight(passage, 3), qMakePair(4 * h, 3));
    QCOMPARE(renderer->lianBaiBlockHeight(passage, 1), qMakePair(10 * h, 1));

    renderer->beginRendering();
    renderer->renderLianBai(QStringLiteral("=") + passage);
    const int lyricSpace = config().lyricSpace();
    QCOMPARE(renderer->cursorX(), -130);
    QCOMPARE(renderer->cursorY(), lyricSpace + 4 * h);
    renderer->finishRendering();

    // Right to left: 一二三四 | 五六七八 | 九十, 35 apart.
    const QByteArray page = renderer->pages().first();
    QList<double> xs;
    for (QChar c : passage) {
        const QList<SvgText> t = textsMatching(page, QString(c));
        QCOMPARE(t.size(), 1);
        xs.append(t.first().origin.x());
    }
    QCOMPARE(xs[1], xs[0]);
    QCOMPARE(xs[3], xs[0]);
    QCOMPARE(xs[4], xs[0] - 35);
    QCOMPARE(xs[7], xs[0] - 35);
    QCOMPARE(xs[8], xs[0] - 70);
    QCOMPARE(xs[9], xs[0] - 70);
}

void TestQlGenerateSvg::lianBaiNarrowWidthsGiveOneSubColumn_data()
{
    QTest::addColumn<int>("mColWidth");
    QTest::addRow("zero") << 0;
    QTest::addRow("negative") << -20;
    QTest::addRow("wider than the column") << 200;
}

void TestQlGenerateSvg::lianBaiNarrowWidthsGiveOneSubColumn()
{
    QFETCH(int, mColWidth);
    config().setMColWidth(mColWidth);
    const QString passage = QStringLiteral("一二三四五六七八九十");
    const int h = config().lianBaiFontMetrics().height();

    renderer->beginRendering();
    // Near the foot of the column, so that the passage must go on elsewhere.
    renderer->setCursorY(792 - 4 * h - config().lyricSpace());
    renderer->renderLianBai(QStringLiteral("=") + passage);
    renderer->finishRendering();

    // Four characters in this column, six in the next; none drawn twice in
    // one place.
    const QByteArray page = renderer->pages().first();
    QSet<QPair<double, double>> places;
    for (int i = 0; i < passage.size(); ++i) {
        const QList<SvgText> t = textsMatching(page, passage.mid(i, 1));
        QCOMPARE(t.size(), 1);
        const QPointF p = t.first().origin;
        QVERIFY2(!places.contains({p.x(), p.y()}), "two characters set on one place");
        places.insert({p.x(), p.y()});
        // Each column spans [left, left + 130).
        if (i < 4)
            QVERIFY(p.x() >= 570 + columnX(1));
        else
            QVERIFY(p.x() >= 570 + columnX(2) && p.x() < 570 + columnX(2) + 130);
    }
    QCOMPARE(renderer->cursorX(), columnX(2));
}

void TestQlGenerateSvg::lianBaiContinuesInNextColumn()
{
    const QString passage = QStringLiteral("一二三四五六七八九十");
    const int h = config().lianBaiFontMetrics().height();
    renderer->beginRendering();
    // Room for two characters in each of three sub-columns: six here.
    renderer->setCursorY(792 - 2 * h - config().lyricSpace());
    renderer->renderLianBai(QStringLiteral("=") + passage);
    // The remaining four, re-balanced over three sub-columns: 2, 1, 1 or so.
    const QPair<int, int> rest = renderer->lianBaiBlockHeight(passage.mid(6), 3);
    QCOMPARE(renderer->cursorX(), columnX(2));
    QCOMPARE(renderer->cursorY(), rest.first);
    renderer->finishRendering();

    const QByteArray page = renderer->pages().first();
    for (int i = 0; i < passage.size(); ++i) {
        const QList<SvgText> t = textsMatching(page, passage.mid(i, 1));
        QCOMPARE(t.size(), 1);
        QCOMPARE(t.first().origin.x() > 570 + columnX(1), i < 6);
    }
}

void TestQlGenerateSvg::jiaBaiInline()
{
    const int h = config().jiaBaiFontMetrics().height();
    renderer->beginRendering();
    renderer->setCursorY(100);
    renderer->renderJiaBai(QStringLiteral("> 好"));
    QCOMPARE(renderer->cursorX(), -130);
    QCOMPARE(renderer->cursorY(), 100 + config().lyricSpace() + h);
    renderer->renderJiaBai(QStringLiteral(">   "));
    QCOMPARE(renderer->cursorY(), 100 + config().lyricSpace() + h);
    renderer->finishRendering();
}

void TestQlGenerateSvg::markPlacement_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("markIndex");
    QTest::addColumn<QString>("expectedTop");
    // expectedTop: "note" = level with the note's top, "drop" = one mark
    // height lower, "stack" = under the previous mark.
    QTest::addRow("U+F0000 after a note: level") << notation({gong, 0xF0000}) << 1 << "note";
    QTest::addRow("U+F0003 after a note: level") << notation({gong, 0xF0003}) << 1 << "note";
    QTest::addRow("U+F0004 after a note: drops") << notation({gong, 0xF0004}) << 1 << "drop";
    QTest::addRow("U+F0007 after a note: drops") << notation({gong, 0xF0007}) << 1 << "drop";
    QTest::addRow("second of two marks stacks") << notation({gong, 0xF0000, 0xF0001}) << 2 << "stack";
    QTest::addRow("second dropping mark does not drop again") << notation({gong, 0xF0004, 0xF0005}) << 2 << "stack";
}

void TestQlGenerateSvg::markPlacement()
{
    QFETCH(QString, notes);
    QFETCH(int, markIndex);
    QFETCH(QString, expectedTop);
    // Upright, where a mark's glyph and its cell stand alike; turned runs
    // move an upright mark out of its note's way.
    config().setScoreAngle(0);
    config().setBanYanSpace(3);
    config().setScoreBanYanSpace(2);
    const QList<QL_GenerateSVG::ScoreGlyph> glyphs = renderer->layoutScore(notes);
    QCOMPARE(glyphs.size(), markIndex + 1);
    const QRect note = glyphs.first().cell;
    const QRect mark = glyphs.at(markIndex).cell;
    const QRect previous = glyphs.at(markIndex - 1).cell;
    const QFontMetrics sm = config().scoreFontMetrics();
    QCOMPARE(mark.height(), int(sm.tightBoundingRect(glyphs.at(markIndex).glyph).height() * 0.7));
    // The mark lane lies beside the note lane.
    QCOMPARE(mark.left(), sm.maxWidth() + 2);
    if (expectedTop == QLatin1String("note"))
        QCOMPARE(mark.top(), note.top());
    else if (expectedTop == QLatin1String("drop"))
        QCOMPARE(mark.top(), note.top() + mark.height());
    else {
        // Under the previous mark, and further down where the two upright
        // glyphs, each taller than its cell, would touch.
        QVERIFY(mark.top() >= previous.top() + previous.height() + 3);
        QVERIFY(mark.top() <= previous.top() + previous.height() + 3 + previous.height());
    }
}

void TestQlGenerateSvg::marksPushNextNoteDown()
{
    // Three dropping marks after the first note reach far below it.
    config().setScoreAngle(0);
    const QList<QL_GenerateSVG::ScoreGlyph> glyphs =
        renderer->layoutScore(notation({gong, 0xF0004, 0xF0005, 0xF0006, chi}));
    QCOMPARE(glyphs.size(), 5);
    const QRect lastMark = glyphs.at(3).cell;
    const QRect next = glyphs.at(4).cell;
    QVERIFY(lastMark.bottom() > glyphs.first().cell.bottom());
    // Below the last mark, and far enough that each mark stays nearer to the
    // note it follows than to the next: a singer takes the beat on the
    // nearest note.
    QVERIFY(next.top() >= lastMark.top() + lastMark.height());
    for (int m = 1; m <= 3; ++m) {
        const QPointF mark = QRectF(glyphs.at(m).cell).center();
        QVERIFY(QLineF(mark, QRectF(glyphs.at(0).cell).center()).length()
                < QLineF(mark, QRectF(next).center()).length());
    }

    // Without marks the next note follows directly, scoreSpace apart.
    config().setScoreSpace(4);
    const QList<QL_GenerateSVG::ScoreGlyph> plain = renderer->layoutScore(notation({gong, chi}));
    QCOMPARE(plain.at(1).cell.top(), plain.at(0).cell.height() + 4);
}

void TestQlGenerateSvg::glyphColours_data()
{
    QTest::addColumn<char32_t>("glyph");
    QTest::addColumn<QString>("colour");
    QTest::addRow("头板 U+F0000") << char32_t(0xF0000) << "#ff0000";
    QTest::addRow("底板 U+F0006") << char32_t(0xF0006) << "#ff0000";
    QTest::addRow("头眼 U+F0001") << char32_t(0xF0001) << "#00ff00";
    QTest::addRow("腰头眼 U+F0004") << char32_t(0xF0004) << "#00ff00";
    QTest::addRow("中眼 U+F0002") << char32_t(0xF0002) << "#0000ff";
    QTest::addRow("腰中眼 U+F0005") << char32_t(0xF0005) << "#0000ff";
    QTest::addRow("疊腔 U+F0008") << char32_t(0xF0008) << "#888888";
    QTest::addRow("擻腔 U+F000D") << char32_t(0xF000D) << "#888888";
    QTest::addRow("工 U+F002C") << char32_t(gong) << "#111111";
    QTest::addRow("工小 U+F006A") << char32_t(gongSmall) << "#111111";
}

void TestQlGenerateSvg::glyphColours()
{
    QFETCH(char32_t, glyph);
    QFETCH(QString, colour);
    config().setBanColor(QColor(QStringLiteral("#ff0000")));
    config().setXiaoYanColor(QColor(QStringLiteral("#00ff00")));
    config().setZhongYanColor(QColor(QStringLiteral("#0000ff")));
    config().setQiangGeColor(QColor(QStringLiteral("#888888")));
    config().setScoreColor(QColor(QStringLiteral("#111111")));

    renderer->generate({sungEntry(QStringLiteral("我"), notation({glyph}))}, false);
    const QList<SvgText> t = textsMatching(renderer->pages().first(), notation({glyph}));
    QCOMPARE(t.size(), 1);
    QCOMPARE(t.first().fill, colour);
}

void TestQlGenerateSvg::scoreExtentFollowsAngle_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addRow("two notes") << notation({gong, chi});
    QTest::addRow("notes and marks") << notation({gong, 0xF0000, chi, 0xF0004, 0xF0005});
    QTest::addRow("marks only") << notation({0xF0004, 0xF0001});
}

void TestQlGenerateSvg::scoreExtentFollowsAngle()
{
    QFETCH(QString, notes);
    const int sh = config().scoreFontMetrics().height();
    config().setScoreAngle(0);
    const int straight = renderer->scoreExtent(notes);
    // Straight down, the room reserved covers every glyph of the run, which
    // starts one notation line below the character's top.
    const QList<QL_GenerateSVG::ScoreGlyph> glyphs = renderer->layoutScore(notes);
    int foot = 0;
    for (const QL_GenerateSVG::ScoreGlyph &g : glyphs)
        foot = qMax(foot, g.cell.top() + g.cell.height());
    QVERIFY2(straight >= sh + foot, qPrintable(QStringLiteral("%1 < %2").arg(straight).arg(sh + foot)));

    config().setScoreAngle(-45);
    QCOMPARE(renderer->scoreExtent(notes), sh + int((straight - sh) * std::cos(M_PI / 4)));
    // A run is turned no further than 60°, where it would lie on its side.
    config().setScoreAngle(60);
    const int steepest = renderer->scoreExtent(notes);
    QVERIFY(steepest < straight);
    config().setScoreAngle(90);
    QCOMPARE(renderer->scoreExtent(notes), steepest);
    QCOMPARE(renderer->scoreExtent(QString()), 0);
}

void TestQlGenerateSvg::hangingPunctuationGetsNoSpace()
{
    const QFontMetrics fm = config().lyricFontMetrics();
    const QString marks = QStringLiteral("。，");
    const QFontMetricsF ink = ExportConfig::pageFontMetricsF(config().lyricFont());
    int expected = 0;
    // Each takes its own ink's height (a point spared for rounding).
    for (QChar c : marks)
        expected += qMax(fm.tightBoundingRect(QString(c)).height(),
                         int(std::ceil(ink.tightBoundingRect(QString(c)).height())) + 1);

    renderer->beginRendering();
    renderer->renderLyricLine(marks, {QString(), QString()});
    QCOMPARE(renderer->cursorY(), expected);
    renderer->renderLyricLine(QStringLiteral("我"), {notation({gong})});
    QCOMPARE(renderer->cursorY(), expected + config().lyricSpace() + fm.height());
    renderer->finishRendering();

    // The comma hangs right of the character cell's left edge, but its ink
    // stays left of where notation starts (one notation glyph's half short
    // of the cell's right edge); no notation of its own.
    const QByteArray page = renderer->pages().first();
    const QList<SvgText> comma = textsMatching(page, QStringLiteral("，"));
    QCOMPARE(comma.size(), 1);
    const int columnLeft = 570 - 130;
    const int laneStart = columnLeft + fm.maxWidth() - config().scoreFontMetrics().maxWidth() / 2;
    QVERIFY(comma.first().origin.x() > columnLeft);
    QVERIFY(comma.first().origin.x() + ink.tightBoundingRect(QStringLiteral("，")).right() <= laneStart);
    QCOMPARE(textsMatching(page, notation({gong})).size(), 1);
}

void TestQlGenerateSvg::overflowBreaksColumn_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("column");
    QTest::addRow("wrapping on: a long run starts a column") << true << 2;
    // The character stays at the foot; its run goes on at the head of the
    // next column, and the line after it.
    QTest::addRow("wrapping off: only the character counts") << false << 2;
}

void TestQlGenerateSvg::overflowBreaksColumn()
{
    QFETCH(bool, wrap);
    QFETCH(int, column);
    config().setIsLineBreakScoreOverflow(wrap);
    const QString longRun = notation({gong, chi, gong, chi, gong, chi, gong, chi, gong, chi});
    const int h = config().lyricFontMetrics().height();
    renderer->beginRendering();
    // The character fits below, its notation would not.
    renderer->setCursorY(792 - h - config().lyricSpace() - 1);
    QVERIFY(renderer->cursorY() + config().lyricSpace() + renderer->scoreExtent(longRun) > 792);
    renderer->renderLyricLine(QStringLiteral("我"), {longRun});
    QCOMPARE(renderer->cursorX(), columnX(column));
    renderer->finishRendering();
    // Nothing reaches below the foot of the content.
    const QByteArray page = renderer->pages().first();
    for (const SvgText &t : textsMatching(page, notation({gong})) + textsMatching(page, notation({chi})))
        QVERIFY2(t.origin.y() <= 25 + 792, qPrintable(QString::number(t.origin.y())));
}

void TestQlGenerateSvg::missingScoresDrawNoNotation()
{
    ExportEntry entry = sungEntry(QStringLiteral("原来"), notation({gong}));
    entry.scores.removeLast();
    renderer->generate({entry}, false);
    const QByteArray page = renderer->pages().first();
    QCOMPARE(textsMatching(page, QStringLiteral("来")).size(), 1);
    QCOMPARE(textsMatching(page, notation({gong})).size(), 1);
}

void TestQlGenerateSvg::referencePages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("landscape");
    const QString g = notation({gong});
    const QString c = notation({chi});
    const QString ban = notation({0xF0000});
    const QString yan = notation({0xF0004});
    QTest::addRow("title-qupai-lyric")
        << "title-qupai-lyric" << QStringLiteral("# 游园\n【皂罗袍】(仙吕)\n原来姹紫，嫣红")
        << (g + ban + c + "\n" + c + yan + "\n" + g + "\n" + notation({0xF006A, 0xF0008}) + "\n" + g + c + g)
        << false;
    QTest::addRow("spoken-passages")
        << "spoken-passages" << QStringLiteral("= 不到园林，怎知春色如许！\n> 夹白（一句）\n@换行符\n我")
        << g << false;
    QTest::addRow("landscape-page-break")
        << "landscape-page-break" << QStringLiteral("良辰\n@分页符\n美景") << (g + "\n" + c + "\n" + g + "\n" + c)
        << true;
}

void TestQlGenerateSvg::referencePages()
{
    QFETCH(QString, name);
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    QFETCH(bool, landscape);
    config().setIsLandscape(landscape);
    renderer->generate(buildExportEntries(lyric, score), false);
    QVERIFY(!renderer->pages().isEmpty());

    const bool regenerate = qEnvironmentVariableIntValue("QELUN_REGENERATE_REFERENCES") == 1;
    const QDir data(QStringLiteral(TEST_DATA_DIR));
    for (int i = 0; i < renderer->pages().size(); ++i) {
        const QByteArray page = renderer->pages().at(i);
        QVERIFY(QSvgRenderer(page).isValid());
        QFile file(data.filePath(name + QLatin1Char('_') + QString::number(i) + QStringLiteral(".svg")));
        if (regenerate) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(page);
            continue;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName() + " missing: regenerate the references"));
        QCOMPARE(QString::fromUtf8(page), QString::fromUtf8(file.readAll()));
    }
    if (!regenerate)
        QVERIFY(!data.exists(name + QLatin1Char('_') + QString::number(renderer->pages().size()) + QStringLiteral(".svg")));
}

QTEST_MAIN(TestQlGenerateSvg)
#include "tst_ql_generatesvg.moc"
