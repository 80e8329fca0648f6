#include "musicconfig.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The music settings as settings.ini holds them: what a hand-edited or
// damaged group reads as, and that what is saved reads back the same.
class TestMusicConfig : public QObject
{
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void savesWhatItReads();
};

void TestMusicConfig::reads_data()
{
    QTest::addColumn<QString>("group"); // the [Music] lines
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("shangOfDefaultKey"); // MIDI key of 上 in the default key
    QTest::addColumn<double>("sanBanTempo");

    QTest::addRow("no group") << "" << 73 << 74 << 60.0;
    QTest::addRow("voice, a tune an octave up")
        << "sound=voice\noctave=1\ntempoFactor=0.5" << 52 << 74 << 30.0;
    // Some authors put 凡字调 on E: the default key and its pitch, changed.
    QTest::addRow("凡字调 on E") << QStringLiteral("defaultKey=凡字调\nshangFan=76\nsound=piccolo") << 72 << 76 << 60.0;
    QTest::addRow("shakuhachi, spelling of a key") << QStringLiteral("defaultKey=正宫调\nsound=shakuhachi") << 77 << 67 << 60.0;
    // Values nobody can mean are brought back within reach, or to the
    // defaults: no key out of MIDI's range, no tempo of nothing.
    QTest::addRow("damaged") << QStringLiteral("sound=harp\noctave=9\ntempoFactor=abc\ndefaultKey=仙吕\n"
                                               "shangXiaoGong=500\ntempoSanBan=0")
                             << 73 << 96 + 24 << 10.0;
}

void TestMusicConfig::reads()
{
    QFETCH(QString, group);
    QFETCH(int, program);
    QFETCH(int, shangOfDefaultKey);
    QFETCH(double, sanBanTempo);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Editor]\nlyricFontSize=20\n[Music]\n%1\n").arg(group).toUtf8());
    file.close();

    MusicConfig config(path);
    config.load();
    const MusicSettings s = config.settings();
    QCOMPARE(s.program, program);
    QCOMPARE(s.keyOf(s.defaultKey), shangOfDefaultKey);
    QCOMPARE(s.tempo(0), sanBanTempo);
}

void TestMusicConfig::savesWhatItReads()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    {
        QSettings other(path, QSettings::IniFormat);
        other.setValue(QStringLiteral("Editor/lyricFontSize"), 20);
    }
    MusicConfig config(path);
    config.music.defaultKey = FluteKey::Chi;
    config.music.shangKey[std::size_t(FluteKey::Shang)] = 71;
    config.music.tempoYiBanSanYan = 66;
    config.music.tempoFactor = 1.25;
    config.octave = -1;
    config.sound = MusicConfig::Sound::Voice;
    config.soundFont = dir.filePath(QStringLiteral("音色 库.sf2"));
    QVERIFY(config.save());

    MusicConfig read(path);
    read.load();
    QCOMPARE(read.music.defaultKey, FluteKey::Chi);
    QCOMPARE(read.music.shangKey, config.music.shangKey);
    QCOMPARE(read.music.tempoYiBanSanYan, 66);
    QCOMPARE(read.music.tempoFactor, 1.25);
    QCOMPARE(read.settings().octaveShift, -24);
    QCOMPARE(read.sound, MusicConfig::Sound::Voice);
    QCOMPARE(read.soundFont, config.soundFont);
    // The rest of the file stays.
    QCOMPARE(QSettings(path, QSettings::IniFormat).value(QStringLiteral("Editor/lyricFontSize")).toInt(), 20);
}

QTEST_GUILESS_MAIN(TestMusicConfig)
#include "tst_musicconfig.moc"
