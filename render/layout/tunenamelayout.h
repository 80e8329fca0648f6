#ifndef TUNENAMELAYOUT_H
#define TUNENAMELAYOUT_H

#include <QColor>
#include <QFont>
#include <QString>

#include "pagemodel.h"

class LayoutContext;

// A tune name in 【】 with its key in brackets in a narrow column beside it,
// below any notation that reaches down beside it. A name or key longer than
// a whole column is set smaller; a shorter key is centred against the name.
class TuneNameLayout
{
public:
    static void layout(LayoutContext &ctx, const QString &text);

private:
    // One of the two texts, upright, in its font and colour.
    struct Part
    {
        QString text;
        int start = -1;
        QFont font;
        int width = 0;
        int height = 0;
    };
    static Part fitted(const LayoutContext &ctx, const QString &line, const QString &text, QFont font);
    static int unitHeight(const LayoutContext &ctx, const QFont &font, QChar ch);
    static int totalHeight(const LayoutContext &ctx, const QFont &font, const QString &s);
    // Sets a part down from the cursor, one character under the other.
    static void setDown(LayoutContext &ctx, const Part &part, const QColor &color, ItemSource::Kind kind);
};

#endif // TUNENAMELAYOUT_H
