#ifndef PAGESTART_H
#define PAGESTART_H

#include "columnink.h"

#include <QFont>
#include <QString>

// The layout's state before an entry: where a page starts, it is enough to
// lay out from there again.
struct PageStart
{
    int entry = -1;
    // The runs already on the page.
    int runs = 0;
    int cursorX = 0;
    int cursorY = 0;
    QString documentTitle;
    QString pageTitle;
    QFont font;
    // The ink already in the column the entry starts in.
    ColumnInk column;

    // The same state, whatever entry it stands before.
    bool sameStateAs(const PageStart &o) const
    {
        return runs == o.runs && cursorX == o.cursorX && cursorY == o.cursorY && documentTitle == o.documentTitle
               && pageTitle == o.pageTitle && font == o.font && column == o.column;
    }
};

#endif // PAGESTART_H
