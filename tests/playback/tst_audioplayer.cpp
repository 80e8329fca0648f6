#include "audioplayer.h"
#include "musicmodel.h"
#include "musicsynth.h"
#include "notation.h"

#include <QtTest>

// The window's player where nothing can sound: no output device (as on a
// headless machine), or no sound in the build. It must say why and not
// claim to play.
class TestAudioPlayer : public QObject
{
    Q_OBJECT
private slots:
    void refusesClearly();
};

void TestAudioPlayer::refusesClearly()
{
    const MusicScore music = MusicModel::build(QStringLiteral("【皂罗袍】(小工调)\n原"),
                                               Notation::symbol(0xF002A));
    QCOMPARE(music.notes.size(), 1);
    AudioPlayer player;
    QSignalSpy finished(&player, &AudioPlayer::finished);
    QString error;
    if (player.play(music, 73, QString(), &error)) {
        player.stop();
        QCOMPARE(finished.size(), 1);
        QSKIP("this machine has an audio output");
    }
    QVERIFY(!player.isPlaying());
    QVERIFY(finished.isEmpty());
    if (!AudioPlayer::isAvailable())
        QVERIFY2(error.contains(QStringLiteral("此版本")), qPrintable(error));
    else if (MusicSynth::defaultSoundFont().isEmpty())
        QVERIFY2(error.contains(QStringLiteral("音色库")) || error.contains(QStringLiteral("音频输出")), qPrintable(error));
    else
        QVERIFY2(error.contains(QStringLiteral("音频输出")), qPrintable(error));
}

QTEST_MAIN(TestAudioPlayer)
#include "tst_audioplayer.moc"
