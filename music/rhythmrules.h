#ifndef RHYTHMRULES_H
#define RHYTHMRULES_H

#include <QList>
#include <QString>

// The rhythm of one 曲牌 section, read from its beat marks (板眼). Every rule
// lives in rhythmrules.cpp, each with its comment, and is written out for
// musicians in the README, so that they can be corrected in one place.
class RhythmRules
{
public:
    struct Note
    {
        bool small = false;     // a small note: a lighter share of its span
        bool phraseEnd = false; // the last note of a lyric line
    };
    struct Mark
    {
        char32_t mark = 0;
        int previousNote = -1; // the last note before the mark in the section
        int firstNote = -1;    // the character's first note, when the mark stands before it
    };
    struct Plan
    {
        int beatsPerBar = 0;      // 0: 散板
        QList<qint64> starts;     // per note, relative ticks (a pickup may start below 0)
        QList<qint64> spans;      // per note, ticks to the next start
        QList<int> strengths;     // per note: 2 on a 板, 1 on a 眼, 0 between
        QList<bool> anchored;     // per note: its start was fixed by a mark
        bool endAnchored = false; // the end was fixed by a 底板
        qint64 barOrigin = 0;     // a bar line
        qint64 end = 0;           // after the last note, on a bar line when metered
        QList<QPair<int, QString>> rejected; // mark index, why it was not used
    };

    static Plan place(const QList<Note> &notes, const QList<Mark> &marks);
    static int beatsPerBar(const QList<Mark> &marks);
};

#endif // RHYTHMRULES_H
