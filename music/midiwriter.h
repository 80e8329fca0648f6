#ifndef MIDIWRITER_H
#define MIDIWRITER_H

#include "musicscore.h"

#include <QByteArray>

// A Standard MIDI File of a score's music: format 0, one track on channel 1,
// 480 ticks to the quarter note; per section its tempo, time and key
// signature; the program at the start; one UTF-8 lyric event per sung
// character, at its first note.
class MidiWriter
{
public:
    static QByteArray bytes(const MusicScore &music, int program);
    // Writes the file whole or not at all; a failure leaves the reason in
    // error.
    static bool write(const QString &path, const MusicScore &music, int program, QString *error);
    // The variable-length number of a delta time or a length.
    static QByteArray variableLength(quint32 value);
};

#endif // MIDIWRITER_H
