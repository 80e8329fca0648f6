#ifndef MUSICCONFIG_H
#define MUSICCONFIG_H

#include "musicsettings.h"

#include <QString>

// The music settings the user keeps: the default key, the pitch of 上 in
// every key, the octave, the tempo of every metre, the tempo factor, the
// sound and the sound font. Kept in the group "Music" of "settings.ini";
// the command-line export only reads them.
class MusicConfig
{
public:
    enum class Sound { Flute, Shakuhachi, Piccolo, Voice };
    static constexpr int soundCount = 4;

    // The program's own settings file.
    static QString applicationPath();
    explicit MusicConfig(const QString &settingsPath = applicationPath());

    // Reads the group; missing or unusable values keep their defaults.
    void load();
    // False, with the file as it was, when it could not be written.
    bool save() const;

    // What the music model and the synthesiser are given: the octave and the
    // sound applied (a voice sings an octave below the flute).
    MusicSettings settings() const;

    // As the user set them.
    MusicSettings music;
    int octave = 0;          // octaves up (+) or down (-) from the flute's pitch
    Sound sound = Sound::Flute;
    QString soundFont;       // a .sf2/.sf3 file; empty: the system's

    static QString nameOf(Sound sound);       // 笛, 尺八, 短笛, 人声
    static int programOf(Sound sound);        // General MIDI, from 0

private:
    QString m_path;
};

#endif // MUSICCONFIG_H
