#ifndef MUSICXMLWRITER_H
#define MUSICXMLWRITER_H

#include "musicscore.h"

#include <QByteArray>
#include <QString>

// A score's music as a MusicXML 4.0 partwise file, for staff-notation
// programs: the title as the work title, each tune name at the head of its
// section with its key, time (senza-misura for 散板) and tempo; one part of
// timed notes (a small note is a cue-size note, never a grace note), tied
// across bar lines and split into the values a staff can show; one lyric per
// sung character on its first note, extended over its melisma; beat marks as
// <other-notation>, ornaments as <other-ornament>, the breath as
// <breath-mark>, spoken passages as <words>. A note whose length the rhythm
// rules inferred carries a hidden <other-notation> "inferred-duration".
class MusicXmlWriter
{
public:
    static QByteArray bytes(const MusicScore &music, int program);
    // Writes the file whole or not at all; a failure leaves the reason in
    // error.
    static bool write(const QString &path, const MusicScore &music, int program, QString *error);
};

#endif // MUSICXMLWRITER_H
