#include "synthdevice.h"

#include "musicsynth.h"

#include <cstdlib>

SynthDevice::SynthDevice(MusicSynth &synth, QObject *parent)
    : QIODevice(parent), m_synth(synth)
{
}

qint64 SynthDevice::bytesAvailable() const
{
    const qint64 frames = m_synth.totalFrames() - m_synth.position();
    return frames * MusicSynth::channels * 2 + QIODevice::bytesAvailable();
}

qint64 SynthDevice::readData(char *data, qint64 maxSize)
{
    const qint64 frameBytes = MusicSynth::channels * 2;
    auto *samples = reinterpret_cast<qint16 *>(data);
    const qint64 frames = m_synth.render(samples, maxSize / frameBytes);
    m_frames += frames;
    if (!m_sounded) {
        // Anything above the synthesiser's dither is sound.
        for (qint64 i = 0; i < frames * MusicSynth::channels; ++i) {
            if (std::abs(samples[i]) > 32) {
                m_sounded = true;
                emit soundStarted();
                break;
            }
        }
    }
    return frames * frameBytes;
}

qint64 SynthDevice::writeData(const char *, qint64)
{
    return -1;
}
