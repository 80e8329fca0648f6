#ifndef STRESSSCORE_H
#define STRESSSCORE_H

#include "exportconfig.h"
#include "exportentry.h"
#include "notation.h"

#include <QPair>
#include <QRandomGenerator>
#include <QString>
#include <QTest>

// Scores made to be hard to set, and the options of the export dialog as
// "key=value" pairs, shared by the tests that proof-read pages and those
// that keep them as recorded.

inline QString glyph(char32_t u)
{
    return QString::fromUcs4(&u, 1);
}

inline QString randomMark(QRandomGenerator &random)
{
    return glyph(Notation::touBan + char32_t(random.bounded(8)));
}

// A run of `notes` notes with marks stacked after some of them, sometimes
// before the first, and ornaments between.
inline QString melisma(QRandomGenerator &random, int notes)
{
    QString run;
    if (random.bounded(6) == 0)
        run += randomMark(random);
    for (int k = 0; k < notes; ++k) {
        run += glyph(0xF0020 + char32_t(random.bounded(0x7C)));
        if (random.bounded(8) == 0)
            run += glyph(Notation::firstOrnament + char32_t(random.bounded(6)));
        const int marks = random.bounded(5) == 0 ? 1 + random.bounded(3) : 0;
        for (int m = 0; m < marks; ++m)
            run += randomMark(random);
    }
    if (notes == 0 && random.bounded(3) == 0)
        run = randomMark(random); // a mark alone
    return run;
}

// Long melismas, stacked marks, marks first or alone, long titles and keys,
// spoken passages with brackets and dashes, breaks back to back.
inline QPair<QString, QString> stressTexts(int lines, quint32 seed)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣良辰美景奈何天赏心乐事谁家院");
    QRandomGenerator random(seed);
    QString lyric = QStringLiteral("# 牡丹亭第十出惊梦游园皂罗袍好姐姐隔尾山坡羊山桃红绵搭絮\n");
    QString score;
    for (int line = 0; line < lines; ++line) {
        switch (line % 9) {
        case 1:
            lyric += QStringLiteral("【步步娇】(仙吕宫·正宫调·小工调·赠板)\n");
            break;
        case 3:
            lyric += QStringLiteral("> 〔旦上〕「袅晴丝」——『吹来闲庭院』〈摇漾〉﹝春如线﹞。\n");
            break;
        case 5:
            lyric += QStringLiteral("= 〔贴〕不到园林，怎知春色如许——「小姐」！\n");
            break;
        case 6:
            lyric += QStringLiteral("@换行符\n@分页符\n");
            break;
        case 7:
            lyric += QStringLiteral("@分页符\n@换行符\n@分页符\n");
            break;
        default:
            break;
        }
        const int chars = 1 + random.bounded(8);
        if (line % 4 == 2)
            lyric += QStringLiteral("「");
        for (int i = 0; i < chars; ++i) {
            lyric += ideographs.at(random.bounded(ideographs.size()));
            const int pick = random.bounded(10);
            const int notes = pick == 0 ? 20 + random.bounded(21) : pick < 3 ? random.bounded(2) : 2 + random.bounded(11);
            score += melisma(random, notes) + QLatin1Char('\n');
        }
        lyric += line % 4 == 2 ? QStringLiteral("」——。\n") : QStringLiteral("，\n");
    }
    return {lyric, score};
}

inline QList<ExportEntry> stressScore(int lines, quint32 seed)
{
    const auto t = stressTexts(lines, seed);
    return buildExportEntries(t.first, t.second);
}

// Sets the options named in space-separated "key=value" pairs.
inline void applySettings(ExportConfig &c, const QString &settings)
{
    for (const QString &pair : settings.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = pair.section(QLatin1Char('='), 0, 0);
        const int value = pair.section(QLatin1Char('='), 1).toInt();
        if (key == u"scoreAngle") c.setScoreAngle(value);
        else if (key == u"pageWidth") c.setPageWidth(value);
        else if (key == u"pageHeight") c.setPageHeight(value);
        else if (key == u"isLandscape") c.setIsLandscape(value);
        else if (key == u"lyricFontSize") c.setLyricFontSize(value);
        else if (key == u"scoreFontSize") c.setScoreFontSize(value);
        else if (key == u"titleFontSize") c.setTitleFontSize(value);
        else if (key == u"quPaiFontSize") c.setQuPaiFontSize(value);
        else if (key == u"diaoMingFontSize") c.setDiaoMingFontSize(value);
        else if (key == u"jiaBaiFontSize") c.setJiaBaiFontSize(value);
        else if (key == u"lianBaiFontSize") c.setLianBaiFontSize(value);
        else if (key == u"lyricSpace") c.setLyricSpace(value);
        else if (key == u"scoreSpace") c.setScoreSpace(value);
        else if (key == u"banYanSpace") c.setBanYanSpace(value);
        else if (key == u"lyricScoreSpace") c.setLyricScoreSpace(value);
        else if (key == u"scoreBanYanSpace") c.setScoreBanYanSpace(value);
        else if (key == u"mColWidth") c.setMColWidth(value);
        else if (key == u"colWidth") c.setColWidth(value);
        else if (key == u"isLineBreakScoreOverflow") c.setIsLineBreakScoreOverflow(value);
        else if (key == u"marginTop") c.setMarginTop(value);
        else if (key == u"marginBottom") c.setMarginBottom(value);
        else if (key == u"marginLeft") c.setMarginLeft(value);
        else if (key == u"titlePos") c.setTitlePos(value);
        else
            QFAIL(qPrintable(QStringLiteral("unknown setting %1").arg(key)));
    }
}

#endif // STRESSSCORE_H
