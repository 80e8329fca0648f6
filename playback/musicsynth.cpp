#include "musicsynth.h"

#include "tickclock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <algorithm>

#ifdef QELUN_HAVE_FLUIDSYNTH
#include "fluidsynthlibrary.h"
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MusicSynth", text);
}

struct SynthEvent
{
    qint64 frame;
    bool on;
    int key;
    int velocity;
};

} // namespace

struct MusicSynth::Private
{
#ifdef QELUN_HAVE_FLUIDSYNTH
    fluid_settings_t *settings = nullptr;
    fluid_synth_t *synth = nullptr;
#endif
    bool loaded = false;
    QList<SynthEvent> events;
    QList<qint64> noteStarts; // per note of the music, in its order
    QList<int> byStart;       // the notes' indexes, by start
    int next = 0;
    qint64 position = 0;
    qint64 total = 0;
};

bool MusicSynth::isAvailable()
{
#ifdef QELUN_HAVE_FLUIDSYNTH
    return FluidSynthLibrary::instance();
#else
    return false;
#endif
}

QString MusicSynth::unavailableReason()
{
#ifdef QELUN_HAVE_FLUIDSYNTH
    if (!FluidSynthLibrary::instance())
        return tr("无法载入 FluidSynth 库，不能发声：%1").arg(FluidSynthLibrary::loadError());
#endif
    return tr("此版本编译时没有 FluidSynth，不能发声。");
}

QString MusicSynth::defaultSoundFont()
{
    // Debian's choice of General MIDI font first, then the fonts it ships.
    static const char *const candidates[] = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf3/MuseScore_General.sf3",
    };
    for (const char *path : candidates) {
        if (QFileInfo(QString::fromLatin1(path)).isFile())
            return QString::fromLatin1(path);
    }
    return QString();
}

MusicSynth::MusicSynth() : d(std::make_unique<Private>())
{
}

MusicSynth::~MusicSynth()
{
#ifdef QELUN_HAVE_FLUIDSYNTH
    // Both exist only if the library was opened.
    if (d->synth)
        FluidSynthLibrary::instance()->delete_fluid_synth(d->synth);
    if (d->settings)
        FluidSynthLibrary::instance()->delete_fluid_settings(d->settings);
#endif
}

bool MusicSynth::load(const QString &soundFont, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
#ifdef QELUN_HAVE_FLUIDSYNTH
    const FluidSynthLibrary *fluid = FluidSynthLibrary::instance();
    if (!fluid)
        return fail(unavailableReason());
    const QString path = soundFont.isEmpty() ? defaultSoundFont() : soundFont;
    if (path.isEmpty())
        return fail(tr("找不到音色库（.sf2/.sf3）：请安装 timgm6mb-soundfont，或在音乐设置中选择一个音色库文件。"));
    if (!QFileInfo(path).isFile())
        return fail(tr("找不到音色库文件：%1").arg(path));
    const QByteArray local = QFile::encodeName(path);
    if (!fluid->fluid_is_soundfont(local.constData()))
        return fail(tr("不是音色库文件：%1").arg(path));

    static bool quiet = [fluid] {
        // Its messages would go to the terminal of a program that reports
        // to the user itself.
        fluid->fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
        fluid->fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid->fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid->fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
        return true;
    }();
    Q_UNUSED(quiet);

    if (!d->settings) {
        d->settings = fluid->new_fluid_settings();
        fluid->fluid_settings_setnum(d->settings, "synth.sample-rate", sampleRate);
        fluid->fluid_settings_setnum(d->settings, "synth.gain", 0.6);
        fluid->fluid_settings_setint(d->settings, "synth.cpu-cores", 1);
        fluid->fluid_settings_setint(d->settings, "synth.polyphony", 64);
    }
    if (d->synth)
        fluid->delete_fluid_synth(d->synth);
    d->loaded = false;
    d->synth = fluid->new_fluid_synth(d->settings);
    if (!d->synth)
        return fail(tr("无法启动合成器。"));
    if (fluid->fluid_synth_sfload(d->synth, local.constData(), 1) == FLUID_FAILED)
        return fail(tr("无法读取音色库：%1").arg(path));
    d->loaded = true;
    return true;
#else
    Q_UNUSED(soundFont);
    return fail(unavailableReason());
#endif
}

bool MusicSynth::isLoaded() const
{
    return d->loaded;
}

void MusicSynth::setMusic(const MusicScore &music, int program)
{
    const TickClock clock(music.sections, sampleRate);
    d->events.clear();
    d->noteStarts.clear();
    d->byStart.clear();
    qint64 end = 0;
    for (int i = 0; i < music.notes.size(); ++i) {
        const NoteEvent &n = music.notes[i];
        const qint64 on = clock.frameAt(n.start);
        d->noteStarts.append(on);
        if (n.length <= 0)
            continue;
        const qint64 off = std::max(on + 1, clock.frameAt(n.start + n.length));
        d->events.append({on, true, n.key, n.velocity});
        d->events.append({off, false, n.key, 0});
        d->byStart.append(i);
        end = std::max(end, off);
    }
    // At one frame a note ends before the next begins: the same key struck
    // again sounds again.
    std::stable_sort(d->events.begin(), d->events.end(), [](const SynthEvent &a, const SynthEvent &b) {
        return a.frame != b.frame ? a.frame < b.frame : (!a.on && b.on);
    });
    std::stable_sort(d->byStart.begin(), d->byStart.end(),
                     [this](int a, int b) { return d->noteStarts[a] < d->noteStarts[b]; });
    d->next = 0;
    d->position = 0;
    d->total = d->events.isEmpty() ? 0 : end + tailFrames;
#ifdef QELUN_HAVE_FLUIDSYNTH
    if (d->synth) {
        const FluidSynthLibrary *fluid = FluidSynthLibrary::instance();
        fluid->fluid_synth_all_sounds_off(d->synth, -1);
        fluid->fluid_synth_system_reset(d->synth);
        fluid->fluid_synth_program_change(d->synth, 0, std::clamp(program, 0, 127));
    }
#else
    Q_UNUSED(program);
#endif
}

qint64 MusicSynth::render(qint16 *out, qint64 frames)
{
    qint64 done = 0;
#ifdef QELUN_HAVE_FLUIDSYNTH
    if (!d->synth)
        return 0;
    const FluidSynthLibrary *fluid = FluidSynthLibrary::instance();
    while (done < frames && d->position < d->total) {
        while (d->next < d->events.size() && d->events[d->next].frame <= d->position) {
            const SynthEvent &e = d->events[d->next++];
            if (e.on)
                fluid->fluid_synth_noteon(d->synth, 0, e.key, e.velocity);
            else
                fluid->fluid_synth_noteoff(d->synth, 0, e.key);
        }
        qint64 until = std::min(d->total, d->position + (frames - done));
        if (d->next < d->events.size())
            until = std::min(until, d->events[d->next].frame);
        const int n = int(std::min<qint64>(until - d->position, 1 << 16));
        qint16 *at = out + channels * done;
        fluid->fluid_synth_write_s16(d->synth, n, at, 0, channels, at, 1, channels);
        done += n;
        d->position += n;
    }
#else
    Q_UNUSED(out);
    Q_UNUSED(frames);
#endif
    return done;
}

qint64 MusicSynth::position() const
{
    return d->position;
}

qint64 MusicSynth::totalFrames() const
{
    return d->total;
}

qint64 MusicSynth::startFrame(int note) const
{
    return d->noteStarts.value(note, -1);
}

int MusicSynth::noteAt(qint64 frame) const
{
    auto it = std::upper_bound(d->byStart.cbegin(), d->byStart.cend(), frame,
                               [this](qint64 f, int note) { return f < d->noteStarts[note]; });
    return it == d->byStart.cbegin() ? -1 : *(it - 1);
}
