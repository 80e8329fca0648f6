#include "exportconfig.h"
#include "exportentry.h"
#include "gcpfile.h"
#include "generatedscore.h"
#include "linegrammar.h"
#include "notation.h"
#include "pagechecker.h"
#include "renderfixture.h"
#include "scorelayout.h"
#include "stressscore.h"

#include <QHash>
#include <QLineF>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

// Proof-reads laid-out pages of scores made to be hard to set: long
// melismas, stacked marks, marks first or alone, long titles and keys, spoken
// passages with brackets and dashes, breaks back to back; at the angles,
// papers, fonts and spacings the export dialog accepts.
class TestPageQuality : public QObject
{
    Q_OBJECT

private slots:
    void stressScoresSetCleanly_data();
    void stressScoresSetCleanly();
    void hundredPagesSetCleanly();
    void longRunStaysInItsColumn_data();
    void longRunStaysInItsColumn();
    void marksStandUprightInATurnedRun();
    void uprightRunsBelongToTheirCharacters_data();
    void uprightRunsBelongToTheirCharacters();
    void noPageForNothing_data();
    void noPageForNothing();
    void titlesFitTheirColumn_data();
    void titlesFitTheirColumn();
    void bareTitleTakesNoColumn();
    void settingsThatCannotBeHonouredAreClampedAndTold_data();
    void settingsThatCannotBeHonouredAreClampedAndTold();
    void bracketsKeepToTheirPhrase();
    void linesSetAsPrintedScoresSetThem();
    void pagesReadAsASingerReadsThem_data();
    void pagesReadAsASingerReadsThem();
    void dashesMakeOneRule();
};

namespace {

PageChecker::Options checkOptions(const ScoreLayout &layout)
{
    PageChecker::Options options;
    options.columnWidth = layout.columnWidth();
    options.columnPitch = layout.columnPitch();
    options.content = layout.contentSize();
    return options;
}

// The same, with the gutter a page must keep between its columns: a quarter
// of a character.
PageChecker::Options guttered(const ScoreLayout &layout, const ExportConfig &config)
{
    PageChecker::Options options = checkOptions(layout);
    options.gutter = qMin(config.lyricFontSize() / 4.0, layout.columnWidth() / 4.0);
    return options;
}

QString report(const QStringList &faults)
{
    QStringList shown = faults.mid(0, 8);
    if (faults.size() > shown.size())
        shown.append(QStringLiteral("… %1 faults in all").arg(faults.size()));
    return shown.join(QLatin1Char('\n'));
}

int countItems(const QList<ScorePage> &pages, ItemSource::Kind kind)
{
    int n = 0;
    for (const ScorePage &page : pages)
        for (const PageRun &run : page.runs)
            for (const PageItem &item : run.items)
                n += item.source.kind == kind ? 1 : 0;
    return n;
}

} // namespace

void TestPageQuality::stressScoresSetCleanly_data()
{
    QTest::addColumn<QString>("settings"); // key=value pairs
    // A4 595 x 842, A5 420 x 595.
    QTest::newRow("A4 -45") << "";
    QTest::newRow("A4 0") << "scoreAngle=0";
    QTest::newRow("A4 -30") << "scoreAngle=-30";
    QTest::newRow("A4 30") << "scoreAngle=30";
    QTest::newRow("A4 -90") << "scoreAngle=-90";
    QTest::newRow("A5 -45") << "pageWidth=420 pageHeight=595";
    QTest::newRow("A5 0 landscape") << "pageWidth=420 pageHeight=595 isLandscape=1 scoreAngle=0";
    QTest::newRow("A4 -45 landscape") << "isLandscape=1";
    QTest::newRow("large fonts 0") << "lyricFontSize=48 scoreFontSize=28 titleFontSize=120 scoreAngle=0";
    QTest::newRow("large fonts -45") << "lyricFontSize=48 scoreFontSize=28 quPaiFontSize=70";
    QTest::newRow("every font 80 -45") << "lyricFontSize=80 scoreFontSize=80 titleFontSize=80 quPaiFontSize=80 "
                                          "diaoMingFontSize=80 jiaBaiFontSize=80 lianBaiFontSize=80";
    QTest::newRow("every font 80 0") << "scoreAngle=0 lyricFontSize=80 scoreFontSize=80 titleFontSize=80 "
                                        "quPaiFontSize=80 diaoMingFontSize=80 jiaBaiFontSize=80 lianBaiFontSize=80";
    QTest::newRow("spacings -200 -45")
        << "lyricSpace=-200 scoreSpace=-200 banYanSpace=-200 lyricScoreSpace=-200 scoreBanYanSpace=-200 mColWidth=-200";
    QTest::newRow("spacings -200 0")
        << "scoreAngle=0 lyricSpace=-200 scoreSpace=-200 banYanSpace=-200 lyricScoreSpace=-200 "
           "scoreBanYanSpace=-200 mColWidth=-200";
    QTest::newRow("spacings 200 -45")
        << "lyricSpace=200 scoreSpace=200 banYanSpace=200 lyricScoreSpace=200 scoreBanYanSpace=200 mColWidth=200";
    QTest::newRow("spacings 200 0")
        << "scoreAngle=0 lyricSpace=200 scoreSpace=200 banYanSpace=200 lyricScoreSpace=200 scoreBanYanSpace=200 "
           "mColWidth=200";
    QTest::newRow("no overflow break -45") << "isLineBreakScoreOverflow=0";
    QTest::newRow("no overflow break 0") << "isLineBreakScoreOverflow=0 scoreAngle=0";
    QTest::newRow("column 10") << "colWidth=10";
    QTest::newRow("column wider than the page") << "colWidth=10000";
    QTest::newRow("wide margins A5") << "pageWidth=420 pageHeight=595 marginTop=120 marginBottom=120 marginLeft=80";
}

void TestPageQuality::stressScoresSetCleanly()
{
    QFETCH(QString, settings);
    RenderFixture fixture;
    applySettings(*fixture.config, settings);

    const QList<ExportEntry> entries = stressScore(40, 7);
    ScoreLayout layout(*fixture.config);
    layout.layout(entries, false, QString());
    QVERIFY(layout.pages().size() > 1);
    const QStringList faults = PageChecker::check(layout.pages(), guttered(layout, *fixture.config))
                               + PageChecker::checkOneLinePerMelisma(layout.pages(), checkOptions(layout))
                               + PageChecker::checkNoStripLeft(layout.pages(), checkOptions(layout),
                                                               fixture.config->lyricFontSize() / 2.0);
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
    // Every glyph typed reaches the page.
    int glyphs = 0;
    for (const ExportEntry &e : entries)
        for (const QString &n : e.scores)
            glyphs += Notation::pieceCount(n);
    QCOMPARE(countItems(layout.pages(), ItemSource::Kind::Notation), glyphs);
}

void TestPageQuality::hundredPagesSetCleanly()
{
    // A whole play's worth of pages, with breaks of both kinds between.
    RenderFixture fixture;
    const auto texts = generatedScoreTexts(100);
    QString lyric;
    int line = 0;
    for (const QString &l : texts.first.split(QLatin1Char('\n'))) {
        lyric += l + QLatin1Char('\n');
        if (++line % 97 == 0)
            lyric += QStringLiteral("@分页符\n");
        else if (line % 31 == 0)
            lyric += QStringLiteral("@换行符\n");
    }
    ScoreLayout layout(*fixture.config);
    layout.layout(buildExportEntries(lyric, texts.second), false, QString());
    QVERIFY2(layout.pages().size() >= 80, qPrintable(QString::number(layout.pages().size())));
    const QStringList faults = PageChecker::check(layout.pages(), checkOptions(layout));
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestPageQuality::longRunStaysInItsColumn_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("notes");
    for (int angle : {-45, 0, -30}) {
        for (int notes : {1, 12, 14, 25, 40})
            QTest::addRow("%d° %d notes", angle, notes) << angle << notes;
    }
}

void TestPageQuality::longRunStaysInItsColumn()
{
    QFETCH(int, angle);
    QFETCH(int, notes);
    RenderFixture fixture;
    fixture.config->setScoreAngle(angle);
    QRandomGenerator random(notes);
    QString lyric;
    QString score;
    for (int i = 0; i < 24; ++i) {
        lyric += QStringLiteral("良辰美景奈何天").at(i % 7);
        score += melisma(random, i % 3 == 0 ? notes : 3) + QLatin1Char('\n');
    }
    ScoreLayout layout(*fixture.config);
    layout.layout(buildExportEntries(lyric + QLatin1Char('\n'), score), false, QString());
    const QStringList faults = PageChecker::check(layout.pages(), checkOptions(layout));
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
    // The characters still read in order: each one after the one before it
    // in the column, or in a column further left.
    QPointF last(1e9, -1e9);
    for (const ScorePage &page : layout.pages()) {
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.source.kind != ItemSource::Kind::Lyric)
                    continue;
                const QPointF c = item.ink.center();
                QVERIFY2(c.x() < last.x() - 1 || c.y() > last.y(), qPrintable(item.text));
                last = c;
            }
        }
        last = QPointF(1e9, -1e9);
    }
}

void TestPageQuality::marksStandUprightInATurnedRun()
{
    RenderFixture fixture;
    fixture.config->setScoreAngle(-45);
    const QString run = notation({0xF0027, Notation::touBan, 0xF0028, Notation::yaoTouYan, Notation::zhongYan, 0xF0029});
    ScoreLayout layout(*fixture.config);
    layout.layout({sungEntry(QStringLiteral("我"), run)}, false, QString());
    int marks = 0;
    int notes = 0;
    for (const PageRun &r : layout.pages().first().runs) {
        for (const PageItem &item : r.items) {
            if (item.source.kind != ItemSource::Kind::Notation)
                continue;
            const char32_t code = Notation::codePoint(item.text);
            if (Notation::isBeatMark(code)) {
                ++marks;
                QVERIFY2(r.rotated && r.rotation == 0, "a beat mark is drawn turned");
            } else {
                ++notes;
                QCOMPARE(r.rotation, -45);
            }
        }
    }
    QCOMPARE(marks, 3);
    QCOMPARE(notes, 3);
    // Beside its note: along the run (down and to the right), each mark
    // stands after the note it follows and before the next note begins.
    QList<QRectF> noteInks;
    QList<QPair<int, QPointF>> markCentres;
    for (const PageRun &r : layout.pages().first().runs) {
        for (const PageItem &item : r.items) {
            if (item.source.kind != ItemSource::Kind::Notation)
                continue;
            if (Notation::isBeatMark(Notation::codePoint(item.text)))
                markCentres.append({item.source.glyph, item.ink.center()});
            else
                noteInks.append(item.ink);
        }
    }
    QCOMPARE(noteInks.size(), 3);
    const auto along = [](const QPointF &p) { return (p.x() + p.y()) / std::sqrt(2.0); };
    for (const auto &m : std::as_const(markCentres)) {
        // Glyph 1 follows the first note, glyphs 3 and 4 the second.
        const int note = m.first == 1 ? 0 : 1;
        QVERIFY2(along(m.second) > along(noteInks.at(note).topLeft()), qPrintable(QString::number(m.first)));
        QVERIFY2(along(m.second) < along(noteInks.at(note + 1).bottomRight()), qPrintable(QString::number(m.first)));
        // And within a glyph or two of its note's lane.
        const QPointF c = noteInks.at(note).center();
        const qreal across = std::abs((m.second.x() - c.x()) - (m.second.y() - c.y())) / std::sqrt(2.0);
        QVERIFY2(across < 2.5 * fixture.config->scoreFontMetrics().height(), qPrintable(QString::number(across)));
    }
}

void TestPageQuality::uprightRunsBelongToTheirCharacters_data()
{
    QTest::addColumn<QString>("settings");
    QTest::newRow("A4") << "scoreAngle=0";
    QTest::newRow("A5 landscape") << "pageWidth=420 pageHeight=595 isLandscape=1 scoreAngle=0";
    QTest::newRow("large fonts") << "lyricFontSize=48 scoreFontSize=28 scoreAngle=0";
    QTest::newRow("wide spacings") << "scoreAngle=0 lyricSpace=200 scoreSpace=200 banYanSpace=200";
    QTest::newRow("no overflow break") << "isLineBreakScoreOverflow=0 scoreAngle=0";
}

void TestPageQuality::uprightRunsBelongToTheirCharacters()
{
    QFETCH(QString, settings);
    RenderFixture fixture;
    applySettings(*fixture.config, settings);
    ScoreLayout layout(*fixture.config);
    layout.layout(stressScore(40, 7), false, QString());
    const QStringList faults = PageChecker::checkUprightOwnership(layout.pages(), checkOptions(layout));
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
}

void TestPageQuality::noPageForNothing_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<int>("columnsBefore");
    QTest::addColumn<bool>("leadingBreak");
    // Four columns fill an A4 page with the defaults: a line break after
    // the fourth opens the next page, and a page break right after it must
    // not open another.
    QTest::newRow("page break after a full page") << "@分页符\n字\n" << 4 << false;
    QTest::newRow("two page breaks") << "@分页符\n@分页符\n字\n" << 1 << false;
    QTest::newRow("document ends on a full page") << "" << 4 << false;
    QTest::newRow("ends on a page break") << "@分页符\n" << 1 << false;
    QTest::newRow("leading page break") << "LEAD" << 1 << true;
}

void TestPageQuality::noPageForNothing()
{
    QFETCH(QString, lyric);
    QFETCH(int, columnsBefore);
    QFETCH(bool, leadingBreak);
    RenderFixture fixture;
    QString text;
    if (lyric == u"LEAD") {
        text = QStringLiteral("@分页符\n字\n");
    } else {
        for (int c = 0; c < columnsBefore; ++c)
            text += QStringLiteral("字\n@换行符\n");
        text += lyric;
    }
    ScoreLayout layout(*fixture.config);
    layout.layout(buildExportEntries(text, QString()), false, QString());
    PageChecker::Options options = checkOptions(layout);
    options.leadingBreak = leadingBreak;
    const QStringList faults = PageChecker::check(layout.pages(), options);
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
    if (leadingBreak)
        QCOMPARE(layout.pages().size(), 2);
}

void TestPageQuality::titlesFitTheirColumn_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("titlePos");
    for (int pos = 0; pos < 3; ++pos) {
        for (int length : {3, 10, 19, 40})
            QTest::addRow("%d characters at %d", length, pos) << length << pos;
    }
}

void TestPageQuality::titlesFitTheirColumn()
{
    QFETCH(int, length);
    QFETCH(int, titlePos);
    RenderFixture fixture;
    fixture.config->setTitlePos(titlePos);
    QString title = QStringLiteral("# ");
    for (int i = 0; i < length; ++i)
        title += QStringLiteral("牡丹亭还魂记惊梦").at(i % 8);
    ScoreLayout layout(*fixture.config);
    layout.layout(buildExportEntries(title + QStringLiteral("\n良辰美景\n"), QString()), false, QString());
    const QStringList faults = PageChecker::check(layout.pages(), checkOptions(layout));
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
    QCOMPARE(countItems(layout.pages(), ItemSource::Kind::Title), length);
}

void TestPageQuality::bareTitleTakesNoColumn()
{
    RenderFixture fixture;
    ScoreLayout bare(*fixture.config);
    bare.layout(buildExportEntries(QStringLiteral("#\n良辰\n"), QString()), false, QString());
    ScoreLayout without(*fixture.config);
    without.layout(buildExportEntries(QStringLiteral("良辰\n"), QString()), false, QString());
    QCOMPARE(bare.pages().size(), 1);
    QRectF a, b;
    for (const PageRun &r : bare.pages().first().runs)
        for (const PageItem &i : r.items)
            a = a.united(i.ink);
    for (const PageRun &r : without.pages().first().runs)
        for (const PageItem &i : r.items)
            b = b.united(i.ink);
    QCOMPARE(a, b);
}

void TestPageQuality::settingsThatCannotBeHonouredAreClampedAndTold_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("warned");
    QTest::newRow("defaults") << "" << false;
    QTest::newRow("column wider than the content") << "colWidth=10000" << true;
    QTest::newRow("column too narrow") << "colWidth=10" << true;
    QTest::newRow("negative note spacing") << "scoreSpace=-5" << true;
    QTest::newRow("angle upside down") << "scoreAngle=180" << true;
    QTest::newRow("notation pushed out of its column") << "lyricScoreSpace=200" << true;
    QTest::newRow("characters set on one another") << "lyricSpace=-20" << true;
    QTest::newRow("run on its side") << "scoreAngle=-90" << true;
    QTest::newRow("steepest angle") << "scoreAngle=60" << false;
    QTest::newRow("spoken sub-columns narrower than their font") << "mColWidth=5" << true;
}

void TestPageQuality::settingsThatCannotBeHonouredAreClampedAndTold()
{
    QFETCH(QString, settings);
    QFETCH(bool, warned);
    RenderFixture fixture;
    applySettings(*fixture.config, settings);
    ScoreLayout layout(*fixture.config);
    layout.layout(stressScore(6, 3), false, QString());
    QCOMPARE(!layout.warnings().isEmpty(), warned);
    const QStringList faults = PageChecker::check(layout.pages(), checkOptions(layout));
    QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
    QVERIFY(layout.columnWidth() <= layout.contentSize().width());
}

void TestPageQuality::bracketsKeepToTheirPhrase()
{
    // Characters enough to bring a bracket or a closing mark to every place
    // of a column in turn.
    RenderFixture fixture;
    for (int shift = 0; shift < 18; ++shift) {
        QString line = QString(shift, QChar(u'春'));
        for (int k = 0; k < 6; ++k)
            line += QStringLiteral("「良辰」美景，奈何天。");
        ScoreLayout layout(*fixture.config);
        layout.layout(buildExportEntries(line + QLatin1Char('\n'), QString()), false, QString());
        // In reading order, a column's last character is never an opening
        // bracket and its first never closing punctuation.
        for (const ScorePage &page : layout.pages()) {
            QList<const PageItem *> chars;
            for (const PageRun &r : page.runs)
                for (const PageItem &i : r.items)
                    if (i.source.kind == ItemSource::Kind::Lyric)
                        chars.append(&i);
            for (int i = 0; i < chars.size(); ++i) {
                const qreal x = chars.at(i)->cell.x();
                const bool startsColumn = i == 0 || chars.at(i - 1)->cell.x() > x + 10 + 20;
                const bool endsColumn = i + 1 == chars.size() || chars.at(i + 1)->cell.x() < x - 30;
                const QChar c = chars.at(i)->text.at(0);
                QVERIFY2(!(startsColumn && VerticalText::isClosingPunctuation(c)),
                         qPrintable(QStringLiteral("shift %1: column starts with %2").arg(shift).arg(c)));
                QVERIFY2(!(endsColumn && i + 1 < chars.size() && VerticalText::isOpeningPunctuation(c)),
                         qPrintable(QStringLiteral("shift %1: column ends with %2").arg(shift).arg(c)));
            }
        }
        const QStringList faults = PageChecker::check(layout.pages(), checkOptions(layout));
        QVERIFY2(faults.isEmpty(), qPrintable(report(faults)));
    }
}

void TestPageQuality::dashesMakeOneRule()
{
    RenderFixture fixture;
    ScoreLayout layout(*fixture.config);
    layout.layout(buildExportEntries(QStringLiteral("天呵——好\n> 〔旦〕——「呀」\n"), QString()), false, QString());
    QList<QRectF> dashes;
    for (const PageRun &r : layout.pages().first().runs)
        for (const PageItem &i : r.items)
            if (i.source.kind == ItemSource::Kind::Lyric && i.text == QString(VerticalText::joinedDash()))
                dashes.append(i.ink);
    QCOMPARE(dashes.size(), 2);
    // One unbroken rule: the second dash starts where the first ends.
    QVERIFY2(std::abs(dashes.at(1).top() - dashes.at(0).bottom()) < 1.0,
             qPrintable(QStringLiteral("gap %1").arg(dashes.at(1).top() - dashes.at(0).bottom())));
    QCOMPARE(VerticalText::verticalForm(QChar(0x300C)), QChar(0xFE41));
    QCOMPARE(VerticalText::verticalForm(QChar(0x300F)), QChar(0xFE44));
    QCOMPARE(VerticalText::verticalForm(QChar(0x3014)), QChar(0xFE39));
    QCOMPARE(VerticalText::verticalForm(QChar(0x3009)), QChar(0xFE40));
}

QTEST_MAIN(TestPageQuality)
#include "tst_pagequality.moc"

void TestPageQuality::linesSetAsPrintedScoresSetThem()
{
    // A new tune begins a column; a line of punctuation alone is printed; a
    // spoken passage is not spread one character a sub-column.
    RenderFixture fixture;
    const auto entry = [](LineType type, const QString &text) {
        ExportEntry e;
        e.type = int(type);
        e.text = text;
        return e;
    };
    const QList<ExportEntry> entries = {entry(LineType::Lyric, QStringLiteral("好的")),
                                        entry(LineType::QuPai, QStringLiteral("【皂罗袍】(仙吕)")),
                                        entry(LineType::BiaoDian, QStringLiteral("。")),
                                        entry(LineType::LianBai, QStringLiteral("=是呀好")),
                                        entry(LineType::LianBai, QStringLiteral("=是呀好的呀"))};
    ScoreLayout layout(*fixture.config);
    layout.layout(entries, false, QString());
    QHash<int, QList<QRectF>> inks;
    QHash<int, QList<int>> cellLefts;
    for (const PageRun &run : layout.pages().first().runs) {
        for (const PageItem &item : run.items) {
            inks[item.source.entry].append(item.ink);
            cellLefts[item.source.entry].append(item.cell.left());
        }
    }
    QVERIFY(inks.value(1).first().left() + layout.columnWidth() / 2 < inks.value(0).first().left());
    QCOMPARE(inks.value(2).size(), 1);
    for (int e : {3, 4}) {
        QHash<int, int> perSubColumn;
        for (int left : cellLefts.value(e))
            ++perSubColumn[left];
        for (int count : std::as_const(perSubColumn))
            QVERIFY2(count >= 2, qPrintable(QStringLiteral("entry %1: a sub-column of one character").arg(e)));
    }
}

void TestPageQuality::pagesReadAsASingerReadsThem_data()
{
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("settings");
    for (const char *angle : {"-45", "0", "-30"}) {
        const QString settings = QStringLiteral("scoreAngle=") + QLatin1String(angle);
        QTest::addRow("example aria %s", angle) << "youyuan-zaoluopao" << settings;
        QTest::addRow("slow aria %s", angle) << "slow-aria" << settings;
        QTest::addRow("stress %s", angle) << QString() << settings;
    }
    QTest::addRow("stress A5") << QString() << "pageWidth=420 pageHeight=595";
}

void TestPageQuality::pagesReadAsASingerReadsThem()
{
    // Every beat mark nearest its own note; punctuation with its character;
    // no opening bracket at the end of a column.
    QFETCH(QString, score);
    QFETCH(QString, settings);
    RenderFixture fixture;
    applySettings(*fixture.config, settings);
    QList<ExportEntry> entries = stressScore(40, 7);
    if (!score.isEmpty()) {
        GcpFile::Texts texts;
        QCOMPARE(GcpFile::load(QStringLiteral(PROJECT_SOURCE_DIR "/examples/") + score + QStringLiteral(".gcp"), &texts),
                 GcpFile::LoadResult::Loaded);
        entries = buildExportEntries(texts.lyric, texts.score);
    }
    ScoreLayout layout(*fixture.config);
    layout.layout(entries, false, QString());
    const QList<ScorePage> &pages = layout.pages();
    const QStringList faults
        = PageChecker::checkMarkOwnership(pages)
          + PageChecker::checkPunctuationWithItsCharacter(pages, checkOptions(layout),
                                                          fixture.config->lyricFontMetrics().height())
          + PageChecker::checkOpeningBrackets(pages, checkOptions(layout));
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults: ").arg(faults.size()) + report(faults)));
}
