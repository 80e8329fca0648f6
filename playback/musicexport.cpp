#include "musicexport.h"

#include "midiwriter.h"
#include "musicmodel.h"
#include "musicsynth.h"
#include "wavwriter.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MusicExport", text);
}

} // namespace

MusicExport::Outcome MusicExport::write(const QString &lyric, const QString &score, const QString &path,
                                        const QString &format, const MusicSettings &settings,
                                        const QString &soundFont, const std::function<bool()> &stopped)
{
    Outcome out;
    const bool wav = format == QLatin1String("wav");
    if (wav && !MusicSynth::isAvailable()) {
        out.result = Result::CannotSound;
        out.error = MusicSynth::unavailableReason();
        return out;
    }
    const MusicScore music = MusicModel::build(lyric, score, settings);
    if (music.notes.isEmpty()) {
        out.result = Result::NoNotes;
        out.error = tr("曲谱中没有可演奏的音符。");
        return out;
    }
    if (music.defaultKeyUsed)
        out.warnings.append(tr("有曲牌未注明笛色，按%1演奏。").arg(FluteKeys::name(settings.defaultKey)));
    if (!music.problems.isEmpty()) {
        const MusicProblem &first = music.problems.first();
        out.warnings.append(tr("%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3")
                                .arg(music.problems.size()).arg(first.source.lyricChar + 1).arg(first.reason));
    }
    if (!music.silentCharacters.isEmpty())
        out.warnings.append(tr("%1 个唱字没有曲谱，不发音。").arg(music.silentCharacters.size()));

    if (!wav) {
        out.result = MidiWriter::write(path, music, settings.program, &out.error) ? Result::Written : Result::Failed;
        return out;
    }
    MusicSynth synth;
    if (!synth.load(soundFont, &out.error)) {
        out.result = Result::CannotSound;
        return out;
    }
    synth.setMusic(music, settings.program);
    if (WavWriter::write(path, synth, &out.error, stopped))
        out.result = Result::Written;
    else
        out.result = stopped && stopped() ? Result::Stopped : Result::Failed;
    return out;
}
