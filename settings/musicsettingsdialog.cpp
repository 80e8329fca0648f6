#include "musicsettingsdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The flute's range and a voice's, and more: C3 to C7.
constexpr int lowestKey = 48;
constexpr int highestKey = 96;

QString noteName(int key)
{
    // Flats, as the keys of the flute are named (E♭, B♭).
    static const char *const names[12] = {"C", "C♯", "D", "E♭", "E", "F", "F♯", "G", "A♭", "A", "B♭", "B"};
    return QStringLiteral("%1%2").arg(QString::fromUtf8(names[key % 12])).arg(key / 12 - 1);
}

// The tempo of each metre, in the order of the form.
constexpr int MusicSettings::*tempos[5] = {&MusicSettings::tempoZengBan, &MusicSettings::tempoYiBanSanYan,
                                           &MusicSettings::tempoYiBanYiYan, &MusicSettings::tempoLiuShui,
                                           &MusicSettings::tempoSanBan};

} // namespace

MusicSettingsDialog::MusicSettingsDialog(const QString &settingsPath, QWidget *parent)
    : QDialog(parent), m_config(settingsPath)
{
    setWindowTitle(tr("音乐设置"));
    setObjectName(QStringLiteral("musicSettingsDialog"));
    m_config.load();

    auto *pitch = new QGroupBox(tr("上的音高（笛色）"));
    auto *pitchForm = new QFormLayout(pitch);
    for (int k = 0; k < FluteKeys::count; ++k) {
        auto *combo = new QComboBox;
        combo->setObjectName(QStringLiteral("shangCombo%1").arg(k));
        for (int key = lowestKey; key <= highestKey; ++key)
            combo->addItem(noteName(key), key);
        combo->setAccessibleName(tr("%1上的音高").arg(FluteKeys::name(FluteKey(k))));
        pitchForm->addRow(FluteKeys::name(FluteKey(k)) + tr("："), combo);
        m_shang[std::size_t(k)] = combo;
    }
    m_octave = new QSpinBox;
    m_octave->setObjectName(QStringLiteral("octaveSpin"));
    m_octave->setRange(-2, 2);
    m_octave->setToolTip(tr("在笛的音高上升高（正）或降低（负）几个八度；音色为人声时另降一个八度"));
    pitchForm->addRow(tr("八度："), m_octave);

    auto *tempo = new QGroupBox(tr("速度（每分钟拍数）"));
    auto *tempoForm = new QFormLayout(tempo);
    const QString metres[5] = {tr("赠板："), tr("一板三眼："), tr("一板一眼："), tr("流水板："), tr("散板：")};
    for (int i = 0; i < 5; ++i) {
        auto *spin = new QSpinBox;
        spin->setObjectName(QStringLiteral("tempoSpin%1").arg(i));
        spin->setRange(10, 300);
        tempoForm->addRow(metres[i], spin);
        m_tempo[std::size_t(i)] = spin;
    }

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(tr("确认"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    QPushButton *restore = buttons->addButton(tr("恢复默认"), QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &MusicSettingsDialog::onAccepted);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore, &QPushButton::clicked, this, [this] {
        // The sound, the sound font and the playback bar's choices stay.
        MusicConfig defaults = m_config;
        const MusicSettings fresh;
        defaults.music.shangKey = fresh.shangKey;
        for (int i = 0; i < 5; ++i)
            defaults.music.*tempos[i] = fresh.*tempos[i];
        defaults.octave = 0;
        fill(defaults);
    });

    auto *columns = new QHBoxLayout;
    columns->addWidget(pitch);
    columns->addWidget(tempo, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    fill(m_config);
}

void MusicSettingsDialog::fill(const MusicConfig &config)
{
    for (int k = 0; k < FluteKeys::count; ++k) {
        QComboBox *combo = m_shang[std::size_t(k)];
        combo->setCurrentIndex(combo->findData(config.music.shangKey[std::size_t(k)]));
    }
    m_octave->setValue(config.octave);
    for (int i = 0; i < 5; ++i)
        m_tempo[std::size_t(i)]->setValue(config.music.*tempos[i]);
}

MusicConfig MusicSettingsDialog::config() const
{
    MusicConfig config = m_config;
    for (int k = 0; k < FluteKeys::count; ++k) {
        const QVariant key = m_shang[std::size_t(k)]->currentData();
        if (key.isValid())
            config.music.shangKey[std::size_t(k)] = key.toInt();
    }
    config.octave = m_octave->value();
    for (int i = 0; i < 5; ++i)
        config.music.*tempos[i] = m_tempo[std::size_t(i)]->value();
    return config;
}

void MusicSettingsDialog::onAccepted()
{
    // The playback bar's own choices may have changed since the dialog
    // opened: they are read again, and only the dialog's fields replaced.
    MusicConfig current = m_config;
    current.load();
    const MusicConfig shown = config();
    current.music.shangKey = shown.music.shangKey;
    current.octave = shown.octave;
    for (int i = 0; i < 5; ++i)
        current.music.*tempos[i] = shown.music.*tempos[i];
    if (!current.save()) {
        QMessageBox::warning(this, tr("错误"), tr("无法保存音乐设置。"));
        return;
    }
    accept();
}
