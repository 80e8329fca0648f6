#ifndef JIABAILAYOUT_H
#define JIABAILAYOUT_H

#include <QString>

class LayoutContext;

// A jiabai passage (">"): spoken words set inline in the current column in
// their own font, below the ink above them. What closes a phrase stays with
// it, hanging into the foot margin if it must; an opening bracket keeps room
// for what it opens.
class JiaBaiLayout
{
public:
    static void layout(LayoutContext &ctx, const QString &text);
};

#endif // JIABAILAYOUT_H
