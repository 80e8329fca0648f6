#ifndef LYRICREPLACE_H
#define LYRICREPLACE_H

#include <QString>

class QL_Edit;

// Replacing found text in the lyrics. Every replacement goes through the
// commands that typing uses, so the score keeps one line per sung character;
// each replacement (and a whole 全部替换) is one undo step.
class LyricReplace
{
public:
    // Replaces the current match of text (see QL_LyricEdit::currentMatch) by
    // replacement and returns true; without a current match replaces nothing
    // and returns false. The caller then steps on to the next match.
    static bool replaceCurrent(QL_Edit *edit, const QString &text, const QString &replacement);
    // Replaces every match of text, as findNext() counts them, and returns how
    // many were replaced.
    static int replaceAll(QL_Edit *edit, const QString &text, const QString &replacement);

private:
    // Replaces the lyric selection by replacement.
    static void replaceSelection(QL_Edit *edit, const QString &replacement);
};

#endif // LYRICREPLACE_H
