// settings.ini written whole or not at all, other groups kept, and a failure
// reported instead of an emptied file.
#include "editorconfig.h"
#include "settingswriter.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "smalldisk.h"

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestSettingsWriter : public QObject
{
    Q_OBJECT

private slots:
    void keepsOtherGroupsAndKeys();
    void replaceGroupDropsItsOtherKeys();
    void quickSavesOfTheSameSizeAreRead();
    void fullDiskKeepsTheFileAndReports();
    void editorConfigReportsAFailedSave();
};

void TestSettingsWriter::keepsOtherGroupsAndKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Editor]\nlyricFontSize=20\n\n[Export]\ncolWidth=140\nextra=kept\n");
    file.close();

    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Export"));
    QVERIFY(SettingsWriter::write(settings, {{QStringLiteral("colWidth"), 150},
                                             {QStringLiteral("scoreFont"), QStringLiteral("Noto Serif CJK SC")}}));
    // The object reads the new file and stays in its group.
    QCOMPARE(settings.group(), QStringLiteral("Export"));
    QCOMPARE(settings.value(QStringLiteral("colWidth")).toInt(), 150);

    QSettings fresh(path, QSettings::IniFormat);
    QCOMPARE(fresh.value(QStringLiteral("Editor/lyricFontSize")).toInt(), 20);
    QCOMPARE(fresh.value(QStringLiteral("Export/colWidth")).toInt(), 150);
    QCOMPARE(fresh.value(QStringLiteral("Export/extra")).toString(), QStringLiteral("kept"));
    QCOMPARE(fresh.value(QStringLiteral("Export/scoreFont")).toString(), QStringLiteral("Noto Serif CJK SC"));
}

void TestSettingsWriter::replaceGroupDropsItsOtherKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Editor]\nlyricFontSize=20\n\n[Export]\ncolWidth=140\nextra=gone\n");
    file.close();

    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Export"));
    QVERIFY(SettingsWriter::write(settings, {{QStringLiteral("colWidth"), 130}}, true));
    QCOMPARE(settings.childKeys(), QStringList{QStringLiteral("colWidth")});
    settings.endGroup();
    QCOMPARE(settings.value(QStringLiteral("Editor/lyricFontSize")).toInt(), 20);
}

void TestSettingsWriter::quickSavesOfTheSameSizeAreRead()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Export"));
    // Files of one size written within a millisecond: the object must still
    // see each new one.
    for (int value = 100; value < 140; ++value) {
        QVERIFY(SettingsWriter::write(settings, {{QStringLiteral("colWidth"), value}}));
        QCOMPARE(settings.value(QStringLiteral("colWidth")).toInt(), value);
    }
}

void TestSettingsWriter::fullDiskKeepsTheFileAndReports()
{
    SmallDisk::Disk disk;
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = disk.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Export]\ncolWidth=140\n");
    file.close();
    const QByteArray before = readAll(path);

    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Export"));
    QVERIFY(disk.fill());
    QVERIFY(!SettingsWriter::write(settings, {{QStringLiteral("colWidth"), 150},
                                              {QStringLiteral("lyricSpace"), 7}}));
    QCOMPARE(readAll(path), before);
    QCOMPARE(settings.value(QStringLiteral("colWidth")).toInt(), 140);
}

void TestSettingsWriter::editorConfigReportsAFailedSave()
{
    SmallDisk::Disk disk;
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = disk.filePath(QStringLiteral("settings.ini"));
    {
        EditorConfig config(path);
        QVERIFY(config.save());
    }
    const QByteArray before = readAll(path);
    QVERIFY(before.contains("lyricFontSize=16"));

    EditorConfig config(path);
    config.setLyricFontSize(20);
    QVERIFY(disk.fill());
    QVERIFY(!config.save());
    QVERIFY(!config.restoreDefaults());
    QCOMPARE(readAll(path), before);
    disk.empty();
    config.setLyricFontSize(20);
    QVERIFY(config.save());
    QVERIFY(readAll(path).contains("lyricFontSize=20"));
}

QTEST_MAIN(TestSettingsWriter)
#include "tst_settingswriter.moc"
