#include "wavwriter.h"

#include "atomicfile.h"
#include "musicsynth.h"

#include <QCoreApplication>
#include <QtEndian>
#include <vector>

namespace {

void appendLe(QByteArray &b, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.append(char((value >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray WavWriter::header(quint32 frames)
{
    const quint32 blockAlign = MusicSynth::channels * 2;
    const quint32 dataSize = frames * blockAlign;
    QByteArray b("RIFF");
    appendLe(b, 36 + dataSize, 4);
    b.append("WAVEfmt ");
    appendLe(b, 16, 4);                                  // size of the fmt chunk
    appendLe(b, 1, 2);                                   // PCM
    appendLe(b, MusicSynth::channels, 2);
    appendLe(b, MusicSynth::sampleRate, 4);
    appendLe(b, MusicSynth::sampleRate * blockAlign, 4); // bytes a second
    appendLe(b, blockAlign, 2);
    appendLe(b, 16, 2);                                  // bits a sample
    b.append("data");
    appendLe(b, dataSize, 4);
    return b;
}

bool WavWriter::write(const QString &path, MusicSynth &synth, QString *error,
                      const std::function<bool()> &stopped)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!synth.isLoaded())
        return fail(MusicSynth::isAvailable() ? QCoreApplication::translate("WavWriter", "没有载入音色库。")
                                              : MusicSynth::unavailableReason());
    const qint64 frames = synth.totalFrames() - synth.position();
    if (frames > maxFrames)
        return fail(QCoreApplication::translate("WavWriter", "乐曲太长，超出 WAV 文件的大小上限。"));
    AtomicFile file(path);
    if (!file.open())
        return fail(file.errorString());
    QIODevice *out = file.device();
    if (!AtomicFile::writeAll(*out, header(quint32(frames))))
        return fail(file.errorString());

    constexpr qint64 block = 8192;
    qint64 written = 0;
    std::vector<qint16> samples(std::size_t(block * MusicSynth::channels));
    while (!synth.atEnd()) {
        if (stopped && stopped()) {
            file.cancel();
            return fail(QCoreApplication::translate("WavWriter", "已中断"));
        }
        const qint64 n = synth.render(samples.data(), block);
        if (n <= 0)
            break;
        // The file is little-endian, as the machines it is made on mostly are.
        if (QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
            for (qint64 i = 0; i < n * MusicSynth::channels; ++i)
                samples[std::size_t(i)] = qToLittleEndian(samples[std::size_t(i)]);
        }
        const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(samples.data()),
                                                         int(n * MusicSynth::channels * 2));
        if (!AtomicFile::writeAll(*out, bytes))
            return fail(file.errorString());
        written += n;
    }
    // The header promised so many frames; a file that holds fewer is none.
    if (written != frames) {
        file.cancel();
        return fail(QCoreApplication::translate("WavWriter", "合成器没有给出全部声音。"));
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
