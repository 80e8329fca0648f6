#ifndef MUSICEXPORT_H
#define MUSICEXPORT_H

#include "musicsettings.h"

#include <QString>
#include <QStringList>

#include <functional>

// Writes a score's music as a MIDI file ("mid") or a WAV file ("wav"), for
// the export dialog and the command line alike: what the music leaves out
// is told as warnings, and the export goes on.
class MusicExport
{
public:
    enum class Result {
        Written,
        NoNotes,     // the score has no note to play
        CannotSound, // WAV without FluidSynth or without a sound font
        Failed,      // the file could not be written
        Stopped,     // stopped on request; nothing was left behind
    };

    struct Outcome
    {
        Result result = Result::Failed;
        QStringList warnings;
        QString error; // why, when not written
    };

    static Outcome write(const QString &lyric, const QString &score, const QString &path,
                         const QString &format, const MusicSettings &settings,
                         const QString &soundFont, const std::function<bool()> &stopped = {});
};

#endif // MUSICEXPORT_H
