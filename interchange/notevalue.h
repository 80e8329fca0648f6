#ifndef NOTEVALUE_H
#define NOTEVALUE_H

#include <QList>
#include <QString>

// A length in ticks (480 to the quarter note) written as notes that a score
// can show: a binary value with at most one dot, in a tuplet (3:2, 5:4,
// 15:8) where the length is no binary fraction of a beat. The rhythm rules
// share beats among the notes in them, so any whole number of ticks occurs.
struct NoteValue
{
    qint64 ticks = 0;     // what this piece lasts
    QString type;         // "quarter", "eighth", "16th", … as MusicXML names them
    int dots = 0;
    int actual = 1;       // tuplet: actual notes in the time of
    int normal = 1;       // normal notes
    double quarters = 0;  // the written value in quarter notes, dot included
};

namespace NoteValues {

// The pieces, longest first, whose ticks add up to exactly ticks (> 0); tied
// together they are the length.
QList<NoteValue> split(qint64 ticks);

} // namespace NoteValues

#endif // NOTEVALUE_H
