// How soon the music sounds after 播放, and what playing costs.
//
//   playback_start_ms notes=30 median=… p95=… reference_median=…
//     CPU time from the play call (the music model built from the texts,
//     the excerpt, the synthesiser given the notes) to the first block of
//     non-silent samples handed to the audio output, with the sound font
//     already loaded (the window loads it ahead of the first play); the
//     reference is the bare synthesiser's note-on to its first non-silent
//     block, in the same run.
//   playback_load_ms soundfont=… value=…  loading the sound font, once.
//   playback_cpu_percent notes=30 value=… reference=…
//     CPU time spent rendering a 30-note phrase block by block as the
//     output pulls it, as a share of the phrase's duration; the reference
//     renders the same duration with no notes.
#include "musicmodel.h"
#include "musicsynth.h"
#include "notation.h"
#include "synthdevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#ifdef QELUN_HAVE_FLUIDSYNTH
#include <fluidsynth.h>
#endif

namespace {

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

constexpr qint64 block = 4096; // frames the output asks for at a time

// A 30-note phrase in 一板三眼: ten characters of three notes, a beat mark
// on each character's first note.
QPair<QString, QString> phrase()
{
    const char32_t notes[] = {0xF002A, 0xF002B, 0xF002C, 0xF002E, 0xF002C, 0xF002B};
    const char32_t marks[] = {Notation::touBan, Notation::touYan, Notation::zhongYan, Notation::touYan};
    QString lyric = QStringLiteral("【皂罗袍】(小工调)\n"), score;
    for (int c = 0; c < 10; ++c) {
        lyric += QChar(0x4E00 + c);
        for (int k = 0; k < 3; ++k) {
            score += Notation::symbol(notes[(3 * c + k) % 6]);
            if (k == 0)
                score += Notation::symbol(marks[c % 4]);
        }
        if (c < 9)
            score += QLatin1Char('\n');
    }
    return {lyric, score};
}

bool sounds(const qint16 *samples, qint64 count)
{
    for (qint64 i = 0; i < count; ++i) {
        if (std::abs(samples[i]) > 32)
            return true;
    }
    return false;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * (v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (!MusicSynth::isAvailable()) {
        out << "playback_start_ms skipped=no-fluidsynth\n";
        return 0;
    }
    const QString soundFont = MusicSynth::defaultSoundFont();
    MusicSynth synth;
    QString error;
    double t = cpuMs();
    if (!synth.load(soundFont, &error)) {
        out << "playback_start_ms skipped=" << error << '\n';
        return 0;
    }
    out << "playback_load_ms soundfont=" << soundFont << " value=" << QString::number(cpuMs() - t, 'f', 1) << '\n';

    const auto [lyric, score] = phrase();
    const int rounds = 30;
    std::vector<qint16> buffer(std::size_t(block * MusicSynth::channels));
    std::vector<double> starts, references;
    int notes = 0;
    for (int r = 0; r < rounds; ++r) {
        t = cpuMs();
        const MusicScore music = MusicModel::excerpt(MusicModel::build(lyric, score), 0, 9);
        synth.setMusic(music, 73);
        SynthDevice device(synth);
        device.open(QIODevice::ReadOnly);
        bool heard = false;
        QObject::connect(&device, &SynthDevice::soundStarted, [&heard] { heard = true; });
        while (!heard && device.read(reinterpret_cast<char *>(buffer.data()), block * 4) > 0) {
        }
        starts.push_back(cpuMs() - t);
        notes = int(music.notes.size());
    }
#ifdef QELUN_HAVE_FLUIDSYNTH
    {
        fluid_settings_t *settings = new_fluid_settings();
        fluid_settings_setnum(settings, "synth.sample-rate", MusicSynth::sampleRate);
        fluid_synth_t *bare = new_fluid_synth(settings);
        fluid_synth_sfload(bare, QFile::encodeName(soundFont).constData(), 1);
        fluid_synth_program_change(bare, 0, 73);
        for (int r = 0; r < rounds; ++r) {
            fluid_synth_all_sounds_off(bare, -1);
            t = cpuMs();
            fluid_synth_noteon(bare, 0, 74, 100);
            bool heard = false;
            for (int i = 0; i < 50 && !heard; ++i) {
                fluid_synth_write_s16(bare, int(block), buffer.data(), 0, 2, buffer.data(), 1, 2);
                heard = sounds(buffer.data(), block * 2);
            }
            references.push_back(cpuMs() - t);
            fluid_synth_noteoff(bare, 0, 74);
        }
        delete_fluid_synth(bare);
        delete_fluid_settings(settings);
    }
#endif
    out << "playback_start_ms notes=" << notes << " median=" << QString::number(percentile(starts, 0.5), 'f', 2)
        << " p95=" << QString::number(percentile(starts, 0.95), 'f', 2);
    if (!references.empty())
        out << " reference_median=" << QString::number(percentile(references, 0.5), 'f', 2);
    out << '\n';

    // Playing: the whole phrase, block by block, against silence as long.
    const MusicScore music = MusicModel::build(lyric, score);
    synth.setMusic(music, 73);
    const double seconds = double(synth.totalFrames()) / MusicSynth::sampleRate;
    SynthDevice device(synth);
    device.open(QIODevice::ReadOnly);
    t = cpuMs();
    while (device.read(reinterpret_cast<char *>(buffer.data()), block * 4) > 0) {
    }
    const double playing = cpuMs() - t;
    MusicScore silence;
    NoteEvent rest; // struck with no strength: nothing sounds
    rest.key = 74;
    rest.length = std::llround(MusicScore::ticksPerBeat * seconds); // at 60 a minute
    rest.velocity = 0;
    silence.notes.append(rest);
    synth.setMusic(silence, 73);
    SynthDevice quiet(synth);
    quiet.open(QIODevice::ReadOnly);
    t = cpuMs();
    while (quiet.read(reinterpret_cast<char *>(buffer.data()), block * 4) > 0) {
    }
    const double idle = cpuMs() - t;
    out << "playback_cpu_percent notes=" << music.notes.size() << " seconds=" << QString::number(seconds, 'f', 1)
        << " value=" << QString::number(100 * playing / (1000 * seconds), 'f', 2)
        << " reference=" << QString::number(100 * idle / (1000 * double(synth.totalFrames()) / MusicSynth::sampleRate), 'f', 2)
        << '\n';
    return 0;
}
