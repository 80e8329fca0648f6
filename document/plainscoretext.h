#ifndef PLAINSCORETEXT_H
#define PLAINSCORETEXT_H

#include <QList>
#include <QString>

// A whole score as plain text, the layout that 复制为文字谱, the ".txt"
// export and 导入文字谱 share: every line of the lyrics as it stands, and
// after a line with sung characters one line per sung character, the
// character, a tab and its notation as ordinary characters (PlainGongche).
//
//   【皂罗袍】(小工调)
//   原来
//   原<TAB>尺、工
//   来<TAB>六○工
class PlainScoreText
{
public:
    // The lyric lines first..last (all when last < 0) with the notation of
    // their sung characters.
    static QString write(const QString &lyric, const QString &score, int first = 0, int last = -1);

    struct Problem
    {
        int line = 0;  // counted from 1
        QString text;
    };
    struct Reading
    {
        QString lyric;
        QString score;
        bool ok = false;           // false: the layout is broken and nothing was read
        QList<Problem> problems;   // why it is broken, or characters kept as they are
    };
    static Reading read(const QString &text);
    // The text of a file, UTF-8 (a byte-order mark is dropped) or else
    // GB18030, as Chinese systems save text; a file that is neither, no
    // regular file or larger than a score can be is a problem of line 0.
    static Reading readFile(const QString &path);
};

#endif // PLAINSCORETEXT_H
