#include "gcpfile.h"
#include "musicmodel.h"
#include "musicsynth.h"
#include "notation.h"
#include "wavwriter.h"

#include <QtEndian>
#include <QtTest>
#include <cmath>

namespace {

// Mono samples of a whole render.
QList<double> renderAll(MusicSynth &synth)
{
    QList<double> mono;
    QList<qint16> block(2 * 4096);
    while (!synth.atEnd()) {
        const qint64 n = synth.render(block.data(), 4096);
        if (n <= 0)
            break;
        for (qint64 i = 0; i < n; ++i)
            mono.append((block[2 * i] + block[2 * i + 1]) / 2.0);
    }
    return mono;
}

// The power of one frequency over samples [from, from + count): Goertzel.
double power(const QList<double> &samples, qint64 from, qint64 count, double hz)
{
    const double w = 2 * M_PI * hz / MusicSynth::sampleRate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (qint64 i = 0; i < count; ++i) {
        // A Hann window keeps a strong neighbour from leaking into a bin.
        const double hann = 0.5 - 0.5 * std::cos(2 * M_PI * i / (count - 1));
        const double s0 = samples[from + i] * hann + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

double frequency(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// Why a note is not heard at its key, or empty: over the middle of the note,
// its semitone must be louder than every other within a fifth below and
// above and than the octave below (the octave above is the flute's own
// second harmonic).
QString pitchFault(const QList<double> &samples, const MusicSynth &synth, const MusicScore &music, int note)
{
    const qint64 start = synth.startFrame(note);
    const qint64 end = note + 1 < music.notes.size() ? synth.startFrame(note + 1)
                                                     : start + MusicSynth::sampleRate / 2;
    const qint64 length = end - start;
    const qint64 window = std::min<qint64>(MusicSynth::sampleRate / 2, length * 6 / 10);
    const qint64 from = start + (length - window) / 2;
    const int key = music.notes[note].key;
    const double expected = power(samples, from, window, frequency(key));
    QList<int> rivals = {key - 12};
    for (int k = key - 7; k <= key + 7; ++k) {
        if (k != key)
            rivals.append(k);
    }
    for (int k : rivals) {
        if (power(samples, from, window, frequency(k)) >= expected)
            return QStringLiteral("note %1 (key %2, %3 frames) sounds more like key %4")
                .arg(note).arg(key).arg(window).arg(k);
    }
    return QString();
}

QString symbols(const QList<char32_t> &codes)
{
    QString s;
    for (char32_t c : codes)
        s += Notation::symbol(c);
    return s;
}

bool loadSynth(MusicSynth &synth)
{
    QString error;
    return synth.load(QString(), &error);
}

} // namespace

class TestMusicSynth : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void notesSoundAtTheirPitch_data();
    void notesSoundAtTheirPitch();
    void wavFile();
    void missingSoundFont();
};

void TestMusicSynth::init()
{
    if (!MusicSynth::isAvailable())
        QSKIP("built without FluidSynth");
    if (MusicSynth::defaultSoundFont().isEmpty() && QByteArray(QTest::currentTestFunction()) != "missingSoundFont")
        QSKIP("no General MIDI sound font installed (timgm6mb-soundfont)");
}

void TestMusicSynth::notesSoundAtTheirPitch_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("notes");

    // 散板: a note a beat, over an octave and a half of the flute, the
    // same note twice (it must sound again), an octave up and a small note.
    const QList<char32_t> scale = {0xF0028, 0xF002A, 0xF002B, 0xF002C, 0xF002D, 0xF002E,
                                   0xF002E, 0xF002F, 0xF0030, 0xF0031, 0xF0068};
    QString lyric = QStringLiteral("【皂罗袍】(小工调)\n"), score;
    for (int i = 0; i < scale.size(); ++i) {
        lyric += QChar(0x4E00 + i);
        score += symbols({scale[i]}) + (i + 1 < scale.size() ? QStringLiteral("\n") : QString());
    }
    QTest::newRow("scale") << lyric << score << int(scale.size());

    // The first phrase of the example aria, as its beat marks time it.
    GcpFile::Texts texts;
    QCOMPARE(GcpFile::load(QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp"), &texts),
             GcpFile::LoadResult::Loaded);
    QTest::newRow("example") << texts.lyric << texts.score << -1;
}

void TestMusicSynth::notesSoundAtTheirPitch()
{
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    QFETCH(int, notes);

    MusicScore music = MusicModel::build(lyric, score);
    if (notes < 0) {
        // The sung characters of the first lyric line that has any.
        const int line = music.notes.first().source.lyricLine;
        int last = 0;
        for (const NoteEvent &n : std::as_const(music.notes)) {
            if (n.source.lyricLine == line)
                last = n.source.lyricChar;
        }
        music = MusicModel::excerpt(music, 0, last);
        QVERIFY(music.notes.size() >= 5);
    } else {
        QCOMPARE(music.notes.size(), notes);
    }

    MusicSynth synth;
    QVERIFY(loadSynth(synth));
    synth.setMusic(music, 73);
    const QList<double> samples = renderAll(synth);
    QCOMPARE(samples.size(), synth.totalFrames());
    int heard = 0;
    for (int i = 0; i < music.notes.size(); ++i) {
        // A note too short to tell a semitone apart in is left alone.
        const qint64 next = i + 1 < music.notes.size() ? synth.startFrame(i + 1) : synth.totalFrames();
        if (next - synth.startFrame(i) < MusicSynth::sampleRate / 8)
            continue;
        const QString fault = pitchFault(samples, synth, music, i);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        ++heard;
    }
    QVERIFY(heard >= music.notes.size() * 2 / 3);
}

void TestMusicSynth::wavFile()
{
    const QString lyric = QStringLiteral("【皂罗袍】(小工调)\n原来");
    const QString score = symbols({0xF002A, 0xF0001}) + QStringLiteral("\n") + symbols({0xF002B});
    MusicSynth synth;
    QVERIFY(loadSynth(synth));
    synth.setMusic(MusicModel::build(lyric, score), 73);
    const qint64 frames = synth.totalFrames();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    QString error;
    QVERIFY2(WavWriter::write(path, synth, &error), qPrintable(error));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    auto u32 = [&b](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    auto u16 = [&b](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    QCOMPARE(b.size(), 44 + frames * 4);
    QCOMPARE(b.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(4), quint32(b.size() - 8));
    QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u32(16), 16u);
    QCOMPARE(u16(20), quint16(1));     // PCM
    QCOMPARE(u16(22), quint16(2));     // stereo
    QCOMPARE(u32(24), 44100u);
    QCOMPARE(u32(28), 44100u * 4);
    QCOMPARE(u16(32), quint16(4));
    QCOMPARE(u16(34), quint16(16));
    QCOMPARE(b.mid(36, 4), QByteArray("data"));
    QCOMPARE(u32(40), quint32(frames * 4));
    // Sound from tick 0: the first note is heard within its first tenth of
    // a second, and the file is not silence.
    int loudest = 0;
    for (int i = 44; i + 1 < 44 + 4 * 4410; i += 2)
        loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(b.constData() + i))));
    QVERIFY(loudest > 1000);
}

void TestMusicSynth::missingSoundFont()
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("not.sf2")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("no sound font");
    text.close();
    MusicSynth synth;
    QString error;
    QVERIFY(!synth.load(dir.filePath(QStringLiteral("gone.sf2")), &error));
    QVERIFY(error.contains(QStringLiteral("gone.sf2")));
    QVERIFY(!synth.load(text.fileName(), &error));
    QVERIFY(error.contains(QStringLiteral("not.sf2")));
    // Nothing loaded, nothing written.
    synth.setMusic(MusicModel::build(QStringLiteral("【皂罗袍】(小工调)\n原"), symbols({0xF002A})), 73);
    QVERIFY(!WavWriter::write(dir.filePath(QStringLiteral("a.wav")), synth, &error));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a.wav"))));
}

QTEST_GUILESS_MAIN(TestMusicSynth)
#include "tst_musicsynth.moc"
