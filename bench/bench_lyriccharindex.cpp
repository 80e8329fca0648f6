// Times the lyric-character look-ups on a document the size of a whole play:
// 10,000 lyric characters in 1,000 lines, a structural line every 25 lines.

#include "lyriccharindex.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QTextStream>

#include <functional>

namespace {

QString generatedLyrics()
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣良辰美景奈何天");
    QRandomGenerator random(7);
    QStringList lines;
    int chars = 0;
    for (int line = 0; chars < 10000; ++line) {
        if (line % 25 == 0) {
            lines.append(line % 100 == 0 ? QStringLiteral("【皂罗袍】(仙吕)") : QStringLiteral("@换行符"));
            continue;
        }
        QString text;
        for (int i = 0; i < 10 && chars < 10000; ++i, ++chars)
            text += ideographs.at(random.bounded(ideographs.size()));
        text += QStringLiteral("，");
        lines.append(text);
    }
    return lines.join(QLatin1Char('\n'));
}

void report(QTextStream &out, const char *name, int calls, const std::function<void(int)> &call)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        call(i);
    const double micros = timer.nsecsElapsed() / 1000.0 / calls;
    out << qSetFieldWidth(28) << Qt::left << name << qSetFieldWidth(0) << QString::number(micros, 'f', 2)
        << " µs per call (" << calls << " calls)\n";
}

} // namespace

int main()
{
    QTextStream out(stdout);
    QTextDocument document(generatedLyrics());
    const LyricCharIndex index(&document);
    const int chars = index.lyricCharCount();
    const int length = document.characterCount();
    out << "document: " << document.blockCount() << " lines, " << chars << " lyric characters\n";

    volatile int sink = 0;
    QRandomGenerator random(11);
    report(out, "lyricIndexAt", 2000, [&](int) { sink = index.lyricIndexAt(random.bounded(length)); });
    report(out, "positionAfterLyricChar", 2000,
           [&](int) { sink = index.positionAfterLyricChar(random.bounded(1, chars + 1)); });
    report(out, "lyricCharAt", 2000,
           [&](int) { sink = index.lyricCharAt(random.bounded(1, chars + 1)).size(); });
    report(out, "lyricCharAt (last line)", 500, [&](int i) { sink = index.lyricCharAt(chars - i % 10).size(); });
    Q_UNUSED(sink)
    return 0;
}
