#ifndef WAVWRITER_H
#define WAVWRITER_H

#include <QByteArray>
#include <QString>

#include <functional>

class MusicSynth;

// A WAV file of what a synthesiser renders from the start of its music to
// the end of its tail: 16-bit PCM, stereo, 44.1 kHz. Written through the
// program's atomic file, whole or not at all.
class WavWriter
{
public:
    // stopped, when given, is asked between blocks; true stops the writing
    // and leaves the target as it was.
    static bool write(const QString &path, MusicSynth &synth, QString *error,
                      const std::function<bool()> &stopped = {});
    // The 44-byte header of a file of that many stereo frames.
    static QByteArray header(quint32 frames);
    // More frames than this do not fit in a WAV file's 32-bit sizes.
    static constexpr qint64 maxFrames = (0xFFFFFFFFLL - 36) / 4;
};

#endif // WAVWRITER_H
