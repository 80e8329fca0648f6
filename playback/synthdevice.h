#ifndef SYNTHDEVICE_H
#define SYNTHDEVICE_H

#include <QIODevice>

class MusicSynth;

// A read-only stream of the samples a synthesiser renders, as the audio
// output pulls them: it ends (reads nothing) when the music and its tail
// are over.
class SynthDevice : public QIODevice
{
    Q_OBJECT

public:
    explicit SynthDevice(MusicSynth &synth, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

    // Frames handed out so far.
    qint64 framesRead() const { return m_frames; }

signals:
    // The first block that carries sound has been handed out.
    void soundStarted();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    MusicSynth &m_synth;
    qint64 m_frames = 0;
    bool m_sounded = false;
};

#endif // SYNTHDEVICE_H
