#ifndef MUSICSYNTH_H
#define MUSICSYNTH_H

#include "musicscore.h"

#include <QString>

#include <memory>

// The score's music as sound: a FluidSynth synthesiser with a General MIDI
// sound font, driven by the note events at their sample frames and asked
// for samples as they are wanted (16-bit, stereo, interleaved, 44.1 kHz),
// so that a file and the sound card are fed alike and no audio driver of
// FluidSynth is used. In a build without FluidSynth every load fails and
// says so.
class MusicSynth
{
public:
    static constexpr int sampleRate = 44100;
    static constexpr int channels = 2;
    // After the last note ends, the sound dies away for so long.
    static constexpr int tailFrames = sampleRate;

    // False in a build without FluidSynth.
    static bool isAvailable();
    // The General MIDI sound font the system provides, or empty.
    static QString defaultSoundFont();
    // The words for a build that cannot sound.
    static QString unavailableReason();

    MusicSynth();
    ~MusicSynth();
    MusicSynth(const MusicSynth &) = delete;
    MusicSynth &operator=(const MusicSynth &) = delete;

    // Loads a .sf2/.sf3 sound font (empty: the system's); false, with the
    // reason in *error, when it cannot. A loaded font is kept between pieces.
    bool load(const QString &soundFont, QString *error);
    bool isLoaded() const;

    // The music to sound, on the General MIDI program (from 0); playing
    // starts again at frame 0 and anything still sounding is cut.
    void setMusic(const MusicScore &music, int program);

    // Renders up to frames frames into out (2 samples each); returns how many
    // were rendered, fewer only at the end of the music and its tail.
    qint64 render(qint16 *out, qint64 frames);

    qint64 position() const;
    qint64 totalFrames() const;
    bool atEnd() const { return position() >= totalFrames(); }
    // The frame a note of the music starts at.
    qint64 startFrame(int note) const;
    // The note (an index into the music's notes) last started at frame, or
    // -1 before the first.
    int noteAt(qint64 frame) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#endif // MUSICSYNTH_H
