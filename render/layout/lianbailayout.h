#ifndef LIANBAILAYOUT_H
#define LIANBAILAYOUT_H

#include <QPair>
#include <QString>

class LayoutContext;

// A lianbai passage ("="): spoken words set in balanced narrow sub-columns
// across the column, below all ink set in it, the first sub-column the
// rightmost; what does not fit goes on in the next column.
class LianBaiLayout
{
public:
    static void layout(LayoutContext &ctx, const QString &text);

    // The height of the tallest sub-column when a passage is split into
    // cols parts, and the number of parts it really fills.
    static QPair<int, int> blockHeight(const LayoutContext &ctx, const QString &text, int cols);

private:
    // The sub-columns of a block, and where the block stands.
    struct Block
    {
        int cols = 1;
        int subColumn = 0;
        int baseX = 0;
        int startY = 0;
        int bottom = 0;
    };
    // Opens a block at the cursor for the rest of the passage: the cursor
    // goes to its first (rightmost) sub-column.
    static Block openBlock(LayoutContext &ctx, const QString &rest, int perColumn, int subWidth);
};

#endif // LIANBAILAYOUT_H
