#ifndef MUSICSETTINGSDIALOG_H
#define MUSICSETTINGSDIALOG_H

#include "musicconfig.h"

#include <QDialog>
#include <array>

class QComboBox;
class QSpinBox;

// 音乐设置: the pitch of 上 in every key (for the authors who give other
// pitches), the octave, and the tempo of every metre. 确认 saves them in the
// group "Music" of settings.ini; 恢复默认 shows the defaults.
class MusicSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MusicSettingsDialog(const QString &settingsPath, QWidget *parent = nullptr);

    // The settings as the dialog shows them.
    MusicConfig config() const;

private:
    void fill(const MusicConfig &config);
    void onAccepted();

    MusicConfig m_config;
    std::array<QComboBox *, FluteKeys::count> m_shang{};
    QSpinBox *m_octave;
    std::array<QSpinBox *, 5> m_tempo{};
};

#endif // MUSICSETTINGSDIALOG_H
