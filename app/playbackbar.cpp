#include "playbackbar.h"

#include "audioplayer.h"
#include "musicsettingsdialog.h"
#include "musicmodel.h"
#include "musicsynth.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "recentfolders.h"
#include "scoredocument.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <climits>

PlaybackBar::PlaybackBar(QMainWindow *window)
    : QToolBar(tr("播放"), window), m_window(window), m_player(new AudioPlayer(this))
{
    setObjectName(QStringLiteral("playbackBar"));
    m_config.load();

    m_play = addAction(tr("播放"));
    m_play->setObjectName(QStringLiteral("playAction"));
    // Space types; F5 is free in both editors.
    m_play->setShortcut(QKeySequence(Qt::Key_F5));
    m_play->setToolTip(tr("播放选中的唱词，或从光标处播放；播放时停止 F5"));
    m_playAll = addAction(tr("从头播放"));
    m_playAll->setObjectName(QStringLiteral("playAllAction"));
    m_playAll->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    m_playAll->setToolTip(tr("从头播放整份曲谱 Shift+F5"));

    addSeparator();
    addWidget(new QLabel(tr("速度：")));
    m_tempo = new QSpinBox;
    m_tempo->setObjectName(QStringLiteral("tempoSpin"));
    m_tempo->setRange(25, 400);
    m_tempo->setSingleStep(5);
    m_tempo->setSuffix(QStringLiteral(" %"));
    m_tempo->setValue(int(std::lround(m_config.music.tempoFactor * 100)));
    m_tempo->setToolTip(tr("各板式速度的倍数"));
    m_tempo->setAccessibleName(tr("速度"));
    addWidget(m_tempo);

    addWidget(new QLabel(tr("默认笛色：")));
    m_key = new QComboBox;
    m_key->setObjectName(QStringLiteral("keyCombo"));
    for (int k = 0; k < FluteKeys::count; ++k)
        m_key->addItem(FluteKeys::name(FluteKey(k)));
    m_key->setCurrentIndex(int(m_config.music.defaultKey));
    m_key->setToolTip(tr("曲牌未注明笛色时按此调演奏"));
    m_key->setAccessibleName(tr("默认笛色"));
    addWidget(m_key);

    addWidget(new QLabel(tr("音色：")));
    m_sound = new QComboBox;
    m_sound->setObjectName(QStringLiteral("soundCombo"));
    for (int s = 0; s < MusicConfig::soundCount; ++s)
        m_sound->addItem(MusicConfig::nameOf(MusicConfig::Sound(s)));
    m_sound->setCurrentIndex(int(m_config.sound));
    m_sound->setAccessibleName(tr("音色"));
    addWidget(m_sound);

    m_soundFont = addAction(tr("音色库…"));
    m_soundFont->setObjectName(QStringLiteral("soundFontAction"));
    m_settings = addAction(tr("音乐设置…"));
    m_settings->setObjectName(QStringLiteral("musicSettingsAction"));

    connect(m_play, &QAction::triggered, this, &PlaybackBar::onPlayActionTriggered);
    connect(m_playAll, &QAction::triggered, this, &PlaybackBar::onPlayAllActionTriggered);
    connect(m_soundFont, &QAction::triggered, this, &PlaybackBar::onSoundFontActionTriggered);
    connect(m_settings, &QAction::triggered, this, [this] {
        MusicSettingsDialog dialog(MusicConfig::applicationPath(), m_window);
        if (dialog.exec() == QDialog::Accepted)
            m_config.load();
    });
    connect(m_tempo, &QSpinBox::valueChanged, this, &PlaybackBar::onSettingChanged);
    connect(m_key, &QComboBox::currentIndexChanged, this, &PlaybackBar::onSettingChanged);
    connect(m_sound, &QComboBox::currentIndexChanged, this, &PlaybackBar::onSettingChanged);
    connect(m_player, &AudioPlayer::noteStarted, this, &PlaybackBar::onNoteStarted);
    connect(m_player, &AudioPlayer::finished, this, &PlaybackBar::onPlayerFinished);
    connect(m_player, &AudioPlayer::failed, this, [this](const QString &message) {
        QMessageBox::warning(m_window, tr("提示"), message);
    });
    setDocument(nullptr);
}

PlaybackBar::~PlaybackBar()
{
    m_player->disconnect(this);
    m_player->stop();
}

bool PlaybackBar::isPlaying() const
{
    return m_player->isPlaying();
}

void PlaybackBar::setDocument(QL_Edit *document)
{
    if (document == m_document && document)
        return;
    stop();
    for (const QMetaObject::Connection &c : std::as_const(m_documentConnections))
        disconnect(c);
    m_documentConnections.clear();
    m_document = document;
    m_play->setEnabled(document);
    m_playAll->setEnabled(document);
    if (!document)
        return;
    // The sound font takes some 90 ms to load: done once, soon after the
    // first document shows, rather than at the first 播放. Whether this
    // system can sound is asked then too: it opens the synthesiser's library.
    if (!m_preloaded) {
        m_preloaded = true;
        QTimer::singleShot(1000, this, [this] {
            if (!AudioPlayer::isAvailable())
                return;
            QString ignored; // a failure is told when playing is asked for
            m_player->prepare(m_config.soundFont, &ignored);
        });
    }
    // The notes no longer stand where the music found them once the texts
    // change.
    const auto changed = [this] { stop(); };
    m_documentConnections.append(
        connect(document->document()->lyric(), &QTextDocument::contentsChanged, this, changed));
    m_documentConnections.append(
        connect(document->document()->score(), &QTextDocument::contentsChanged, this, changed));
}

void PlaybackBar::onPlayActionTriggered()
{
    if (isPlaying()) {
        stop();
        return;
    }
    if (!m_document)
        return;
    const QTextCursor cursor = m_document->lyricEdit()->textCursor();
    const LyricCharIndex &index = m_document->document()->lyricIndex();
    if (cursor.hasSelection()) {
        const int from = index.lyricIndexAt(cursor.selectionStart()) + 1;
        const int to = index.lyricIndexAt(cursor.selectionEnd());
        if (to >= from) {
            play(from, to);
            return;
        }
    }
    // From the character the cursor marks (the one before it) to the end.
    play(std::max(0, index.lyricIndexAt(cursor.position())), INT_MAX);
}

void PlaybackBar::onPlayAllActionTriggered()
{
    if (isPlaying())
        stop();
    play(0, INT_MAX);
}

bool PlaybackBar::play(int from, int to)
{
    stop();
    if (!m_document)
        return false;
    const GcpFile::Texts texts = m_document->document()->texts();
    const MusicSettings settings = m_config.settings();
    m_music = MusicModel::excerpt(MusicModel::build(texts.lyric, texts.score, settings), from, to);
    if (m_music.notes.isEmpty()) {
        showStatus(tr("这里没有可演奏的音符。"));
        return false;
    }
    QString error;
    if (!m_player->play(m_music, settings.program, m_config.soundFont, &error)) {
        QMessageBox::warning(m_window, tr("提示"), tr("无法播放：%1").arg(error));
        return false;
    }
    m_play->setText(tr("停止"));
    QStringList said{tr("正在播放")};
    if (m_music.defaultKeyUsed)
        said.append(tr("曲牌未注明笛色，按默认笛色%1演奏").arg(FluteKeys::name(settings.defaultKey)));
    if (!m_music.problems.isEmpty())
        said.append(tr("%1 个符号无法演奏").arg(m_music.problems.size()));
    showStatus(said.join(QStringLiteral("；")));
    emit playingChanged(true);
    return true;
}

void PlaybackBar::stop()
{
    m_player->stop();
}

void PlaybackBar::onPlayerFinished()
{
    m_play->setText(tr("播放"));
    showStatus(QString());
    emit playingChanged(false);
}

void PlaybackBar::onNoteStarted(int note)
{
    if (!m_document || note < 0 || note >= m_music.notes.size())
        return;
    const MusicSource &at = m_music.notes[note].source;
    QTextDocument *lyric = m_document->document()->lyric();
    const QTextBlock block = lyric->findBlockByNumber(at.lyricLine);
    if (!block.isValid() || at.lyricColumn < 0 || at.lyricColumn >= block.length() - 1)
        return;
    // The cursor stands after the sounding character, as after typing it:
    // the score editor and the score view mark that character.
    QTextCursor cursor(lyric);
    cursor.setPosition(block.position() + at.lyricColumn + 1);
    if (m_document->lyricEdit()->textCursor().position() != cursor.position())
        m_document->lyricEdit()->setTextCursor(cursor);
}

void PlaybackBar::onSettingChanged()
{
    m_config.music.tempoFactor = m_tempo->value() / 100.0;
    m_config.music.defaultKey = FluteKey(std::clamp(m_key->currentIndex(), 0, FluteKeys::count - 1));
    m_config.sound = MusicConfig::Sound(std::clamp(m_sound->currentIndex(), 0, MusicConfig::soundCount - 1));
    if (!m_config.save())
        showStatus(tr("无法保存音乐设置。"));
}

void PlaybackBar::onSoundFontActionTriggered()
{
    const QString current = m_config.soundFont.isEmpty() ? MusicSynth::defaultSoundFont() : m_config.soundFont;
    const QString path = QFileDialog::getOpenFileName(
        m_window, tr("选择音色库"), current.isEmpty() ? QDir::homePath() : QFileInfo(current).absolutePath(),
        tr("音色库 (*.sf2 *.sf3);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    m_config.soundFont = path;
    if (!m_config.save())
        showStatus(tr("无法保存音乐设置。"));
    else
        showStatus(tr("音色库：%1").arg(QDir::toNativeSeparators(path)));
}

void PlaybackBar::showStatus(const QString &text)
{
    if (text.isEmpty())
        m_window->statusBar()->clearMessage();
    else
        m_window->statusBar()->showMessage(text);
}
