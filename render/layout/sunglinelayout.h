#ifndef SUNGLINELAYOUT_H
#define SUNGLINELAYOUT_H

#include "columnink.h"
#include "scorerun.h"

#include <QList>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QString>

class FontInk;
class LayoutContext;

// A sung line: each character down the column with its notation run beside
// it. The character and the head of its notation go down the column until
// they clear the ink above them, so a long run pushes the next character
// down; where they no longer fit, a new column. Two or more dashes in a row
// make one unbroken rule; what closes a phrase hangs into the foot margin
// rather than start a column; an opening bracket keeps room for what it
// opens.
class SungLineLayout
{
public:
    static void layout(LayoutContext &ctx, const QString &text, const QList<QString> &scores);

private:
    // One character of the line as it will be set.
    struct Character
    {
        int index = 0;
        QString text;
        bool hanging = false;
        bool closing = false;
        bool inDashRun = false;
        bool joinsDash = false;
        int height = 0;
        int width = 0;
        int alignment = 0;
        // The lowest the character may reach: the foot of the content, or
        // of the page for closing punctuation.
        int foot = 0;
        QString notation;
        ScoreRun run;
    };
    // The character's ink and its run's head at the cursor, worked out once
    // per place: both are asked for at the same place several times over.
    struct Placed
    {
        qsizetype page = -1;
        int x = 0;
        int y = 0;
        bool valid = false;
        QPolygonF character;
        QPoint origin;
        QList<QPolygonF> head;
    };

    SungLineLayout(LayoutContext &ctx, const QString &text, const QList<QString> &scores);
    void layoutCharacter(int i);
    Character characterAt(int i);
    // A new column where the character (or a run that would overflow the
    // column, when the option asks) does not fit below the cursor.
    void breakBefore(const Character &ch);
    // Moves the cursor down until the character and its run's head clear
    // the ink above them.
    void settle(const Character &ch);
    // How far the character (with its run's head) must move down to clear
    // the ink above it, and the beat marks above it.
    int inkPush(const Character &ch);
    int beatPush(const Character &ch);
    QRect cellAt(const Character &ch, int y) const;
    const Placed &placedAt(const Character &ch);
    // Punctuation after a character whose notation went on in the next
    // column goes back under that character; false where it cannot.
    bool placeUnderItsCharacter(const Character &ch);

    LayoutContext &m_ctx;
    const QString &m_text;
    const QList<QString> &m_scores;
    const FontInk &m_metrics;
    int m_dashTag = -1;
    // The last run went on upright below its slanted head: the next
    // character comes below all of it, so that no two melismas stand side
    // by side.
    bool m_runWentUpright = false;
    Placed m_placed;
    // Where the last character stands when its notation went on in the next
    // column of the same page, with the ink of the column it left.
    struct Anchor
    {
        bool valid = false;
        int x = 0;
        int y = 0;
        ColumnInk column;
    } m_anchor;
};

#endif // SUNGLINELAYOUT_H
