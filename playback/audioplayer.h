#ifndef AUDIOPLAYER_H
#define AUDIOPLAYER_H

#include "musicscore.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class MusicSynth;
class QAudioSink;
class SynthDevice;

// Plays a score's music on the default audio output: a QAudioSink pulls the
// samples from the synthesiser as it needs them, and a timer follows the
// position the sink has reached, to tell which note is sounding. Nothing is
// played where there is no output device, no sound font, or no sound in the
// build: play() then says why.
class AudioPlayer : public QObject
{
    Q_OBJECT

public:
    explicit AudioPlayer(QObject *parent = nullptr);
    ~AudioPlayer() override;

    // False in a build without FluidSynth or Qt Multimedia.
    static bool isAvailable();

    // Starts the music from its first note; false, with the reason in
    // *error, when it cannot sound. The sound font (empty: the system's)
    // is loaded on first use and again only when it changes.
    bool play(const MusicScore &music, int program, const QString &soundFont, QString *error);
    void stop();
    bool isPlaying() const { return m_playing; }

    // Loads the sound font ahead of the first play, so that it starts at once.
    bool prepare(const QString &soundFont, QString *error);

signals:
    // The note (an index into the music's notes) now sounding.
    void noteStarted(int note);
    // The music played to its end, or was stopped.
    void finished();
    // The output failed while playing.
    void failed(const QString &message);

private:
    void onTimerTimeout();
    void end();

    std::unique_ptr<MusicSynth> m_synth;
    QString m_soundFont;
    QAudioSink *m_sink = nullptr;
    SynthDevice *m_device = nullptr;
    QTimer m_timer;
    int m_note = -1;
    bool m_playing = false;
};

#endif // AUDIOPLAYER_H
