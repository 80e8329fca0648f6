#ifndef PLAYBACKBAR_H
#define PLAYBACKBAR_H

#include "musicconfig.h"
#include "musicscore.h"

#include <QPointer>
#include <QToolBar>

class AudioPlayer;
class QAction;
class QComboBox;
class QL_Edit;
class QMainWindow;
class QSpinBox;

// The playback bar: 播放/停止 (F5: the selection, or from the sung
// character at the lyric cursor), 从头播放 (Shift+F5), the tempo factor, the
// default key (笛色) of tune names that name none, the sound and the sound
// font. While the music plays, the lyric cursor follows the sung character
// that sounds, and with it the score line and the score view's mark. What
// cannot sound (no output device, no sound font, no sound in the build) is
// told in a box; the rest of the window is not affected.
class PlaybackBar : public QToolBar
{
    Q_OBJECT

public:
    explicit PlaybackBar(QMainWindow *window);
    ~PlaybackBar() override;

    // The document to play; playing stops when it changes.
    void setDocument(QL_Edit *document);

    QAction *playAction() const { return m_play; }
    QAction *playAllAction() const { return m_playAll; }
    bool isPlaying() const;

    // Plays the sung characters from .. to (inclusive, counted from 0) of
    // the document; false, and a box saying why, when nothing can sound.
    bool play(int from, int to);
    void stop();

signals:
    // Playing started or ended.
    void playingChanged(bool playing);

private:
    void onPlayActionTriggered();
    void onPlayAllActionTriggered();
    void onNoteStarted(int note);
    void onPlayerFinished();
    void onSettingChanged();
    void onSoundFontActionTriggered();
    void showStatus(const QString &text);

    QMainWindow *m_window;
    QPointer<QL_Edit> m_document;
    QList<QMetaObject::Connection> m_documentConnections;
    AudioPlayer *m_player;
    MusicConfig m_config;
    MusicScore m_music;
    QAction *m_play;
    QAction *m_playAll;
    QSpinBox *m_tempo;
    QComboBox *m_key;
    QComboBox *m_sound;
    QAction *m_soundFont;
    QAction *m_settings;
    bool m_preloaded = false;
};

#endif // PLAYBACKBAR_H
