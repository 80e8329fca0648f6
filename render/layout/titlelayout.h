#ifndef TITLELAYOUT_H
#define TITLELAYOUT_H

#include <QFont>
#include <QString>

class LayoutContext;

// A title line ("#"): a column of its own, placed by the title position. A
// title longer than its column is set smaller, down to three fifths of its
// size; a longer one still goes on in further columns.
class TitleLayout
{
public:
    static void layout(LayoutContext &ctx, const QString &text);

    // A file-name-friendly title: the Chinese characters and spaces of a
    // text, without the space that follows a line's marker.
    static QString titleFrom(QStringView text);
    // Where the text of a marker line starts: after the marker and the
    // white space that trimming the rest would drop.
    static int passageStart(const QString &text);

private:
    // The title font, smaller where n characters would not fit the height.
    static QFont fittedFont(const LayoutContext &ctx, int n);
};

#endif // TITLELAYOUT_H
