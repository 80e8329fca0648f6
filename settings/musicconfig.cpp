#include "musicconfig.h"

#include "filelocations.h"
#include "settingsreader.h"
#include "settingswriter.h"

#include <QCoreApplication>
#include <QSettings>
#include <algorithm>
#include <cmath>

namespace {

const QString group = QStringLiteral("Music");

// The INI keys of the pitch of 上, in the order of FluteKey.
const char *const shangKeys[FluteKeys::count] = {"shangXiaoGong", "shangFan", "shangLiu", "shangZhengGong",
                                                 "shangYi", "shangShang", "shangChi"};
const char *const soundKeys[MusicConfig::soundCount] = {"flute", "shakuhachi", "piccolo", "voice"};

} // namespace

QString MusicConfig::applicationPath()
{
    return FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config);
}

MusicConfig::MusicConfig(const QString &settingsPath) : m_path(settingsPath)
{
}

void MusicConfig::load()
{
    QSettings file(m_path, QSettings::IniFormat);
    file.beginGroup(group);
    const SettingsReader r(file);
    const MusicSettings defaults;
    MusicSettings m;
    for (int k = 0; k < FluteKeys::count; ++k)
        m.shangKey[std::size_t(k)] = r.integer(shangKeys[k], defaults.shangKey[std::size_t(k)], 36, 96);
    m.defaultKey = FluteKeys::parse(r.value("defaultKey", QString()).toString()).value_or(defaults.defaultKey);
    m.tempoZengBan = r.integer("tempoZengBan", defaults.tempoZengBan, 10, 300);
    m.tempoYiBanSanYan = r.integer("tempoYiBanSanYan", defaults.tempoYiBanSanYan, 10, 300);
    m.tempoYiBanYiYan = r.integer("tempoYiBanYiYan", defaults.tempoYiBanYiYan, 10, 300);
    m.tempoLiuShui = r.integer("tempoLiuShui", defaults.tempoLiuShui, 10, 300);
    m.tempoSanBan = r.integer("tempoSanBan", defaults.tempoSanBan, 10, 300);
    bool ok = false;
    const double factor = r.value("tempoFactor", defaults.tempoFactor).toDouble(&ok);
    m.tempoFactor = ok && std::isfinite(factor) ? std::clamp(factor, 0.25, 4.0) : defaults.tempoFactor;
    music = m;
    octave = r.integer("octave", 0, -2, 2);
    const QString soundName = r.value("sound", QString()).toString();
    sound = Sound::Flute;
    for (int s = 0; s < soundCount; ++s) {
        if (soundName == QLatin1String(soundKeys[s]))
            sound = Sound(s);
    }
    soundFont = r.value("soundFont", QString()).toString();
}

bool MusicConfig::save() const
{
    SettingsWriter::Values values;
    for (int k = 0; k < FluteKeys::count; ++k)
        values.append({QLatin1String(shangKeys[k]), music.shangKey[std::size_t(k)]});
    values.append({QStringLiteral("defaultKey"), FluteKeys::name(music.defaultKey)});
    values.append({QStringLiteral("tempoZengBan"), music.tempoZengBan});
    values.append({QStringLiteral("tempoYiBanSanYan"), music.tempoYiBanSanYan});
    values.append({QStringLiteral("tempoYiBanYiYan"), music.tempoYiBanYiYan});
    values.append({QStringLiteral("tempoLiuShui"), music.tempoLiuShui});
    values.append({QStringLiteral("tempoSanBan"), music.tempoSanBan});
    values.append({QStringLiteral("tempoFactor"), music.tempoFactor});
    values.append({QStringLiteral("octave"), octave});
    values.append({QStringLiteral("sound"), QLatin1String(soundKeys[int(sound)])});
    values.append({QStringLiteral("soundFont"), soundFont});
    QSettings file(m_path, QSettings::IniFormat);
    file.beginGroup(group);
    return SettingsWriter::write(file, values, true);
}

MusicSettings MusicConfig::settings() const
{
    MusicSettings s = music;
    s.octaveShift = 12 * octave + (sound == Sound::Voice ? -12 : 0);
    s.program = programOf(sound);
    return s;
}

QString MusicConfig::nameOf(Sound sound)
{
    static const char *const names[soundCount] = {QT_TRANSLATE_NOOP("MusicConfig", "笛"),
                                                  QT_TRANSLATE_NOOP("MusicConfig", "尺八"),
                                                  QT_TRANSLATE_NOOP("MusicConfig", "短笛"),
                                                  QT_TRANSLATE_NOOP("MusicConfig", "人声")};
    return QCoreApplication::translate("MusicConfig", names[int(sound)]);
}

int MusicConfig::programOf(Sound sound)
{
    // General MIDI: 73 flute, 77 shakuhachi, 72 piccolo, 52 choir aahs.
    static const int programs[soundCount] = {73, 77, 72, 52};
    return programs[int(sound)];
}
