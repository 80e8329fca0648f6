#ifndef GENERATEDSCORE_H
#define GENERATEDSCORE_H

#include "exportentry.h"

#include <QList>
#include <QPair>
#include <QRandomGenerator>
#include <QString>

// The lyric and score texts of a score of about `pages` pages: about 56 sung
// characters fill a page with the defaults; a tune name every 40 lines and a
// lianbai passage every 25.
inline QPair<QString, QString> generatedScoreTexts(int pages)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣良辰美景奈何天赏心乐事谁家院");
    static const char32_t notes[] = {0xF0027, 0xF0028, 0xF0029, 0xF002A, 0xF002B, 0xF002C, 0xF002D, 0xF002E, 0xF006A};
    static const char32_t marks[] = {0xF0000, 0xF0001, 0xF0002, 0xF0004, 0xF0006};
    QRandomGenerator random(11);
    QString lyric = QStringLiteral("# 牡丹亭·游园\n");
    QString score;
    const int characters = pages * 56;
    for (int line = 0, chars = 0; chars < characters; ++line) {
        if (line % 40 == 0)
            lyric += QStringLiteral("【皂罗袍】(仙吕)\n");
        if (line % 25 == 12)
            lyric += QStringLiteral("= 不到园林，怎知春色如许！\n");
        for (int i = 0; i < 10; ++i, ++chars) {
            lyric += ideographs.at(random.bounded(ideographs.size()));
            QString n;
            const int count = 1 + random.bounded(4);
            for (int k = 0; k < count; ++k) {
                n += QString::fromUcs4(&notes[random.bounded(9)], 1);
                if (random.bounded(3) == 0)
                    n += QString::fromUcs4(&marks[random.bounded(5)], 1);
            }
            score += n + QLatin1Char('\n');
        }
        lyric += QStringLiteral("，\n");
    }
    return {lyric, score};
}

inline QList<ExportEntry> generatedScore(int pages)
{
    const QPair<QString, QString> texts = generatedScoreTexts(pages);
    return buildExportEntries(texts.first, texts.second);
}

#endif // GENERATEDSCORE_H
