#include "gcpfile.h"
#include "musicmodel.h"
#include "musicxmlwriter.h"
#ifdef QELUN_HAVE_MXL
#include "mxlwriter.h"
#endif
#include "notevalue.h"
#include "plaingongche.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// A score in plain-text gongche, turned into symbols.
QString symbols(const QString &plain)
{
    return PlainGongche::fromPlain(plain).text;
}

int notesWritten(const MusicScore &music)
{
    int n = 0;
    for (const NoteEvent &e : music.notes)
        n += e.slot > 0;
    return n;
}

int charactersWithNotes(const MusicScore &music)
{
    QSet<int> sung;
    for (const NoteEvent &e : music.notes) {
        if (e.slot > 0)
            sung.insert(e.source.lyricChar);
    }
    return int(sung.size());
}

// What LilyPond made of the file: its lyric syllables, and its notes with
// tied pieces counted once (pitches in LilyPond's Dutch names: c, cis, es, as, bes …).
// Matches that do not overlap (QString::count() counts overlapping ones).
int matches(const QString &text, const QString &pattern)
{
    int n = 0;
    for (auto it = QRegularExpression(pattern).globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

// The braced block that follows the keyword, braces matched.
QString block(const QString &ly, const QString &keyword)
{
    const int open = ly.indexOf(QLatin1Char('{'), ly.indexOf(keyword));
    int depth = 0;
    for (int i = open; open >= 0 && i < ly.size(); ++i) {
        depth += ly[i] == QLatin1Char('{') ? 1 : ly[i] == QLatin1Char('}') ? -1 : 0;
        if (depth == 0)
            return ly.mid(open + 1, i - open - 1);
    }
    return QString();
}

struct LilyCounts
{
    int syllables = 0;
    int notes = 0;
};

LilyCounts countLily(const QString &ly)
{
    LilyCounts counts;
    const QString lyrics = block(ly, QStringLiteral("\\lyricmode"));
    counts.syllables = matches(lyrics, QStringLiteral("\"[^\"]*\""));
    QString music = block(ly, QStringLiteral("\\relative"));
    music.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"|\\\\markup\\s*\\{[^}]*\\}\\s*\\}?|%[^\n]*")));
    music.remove(QRegularExpression(QStringLiteral("\\\\[a-zA-Z]+(\\s+(as|es|[a-g])(is|es)*\\s+\\\\(major|minor))?")));
    const int pitches = matches(music, QStringLiteral("(?<![\\w\\\\#])(as|es|[a-g])(is|es)*[',]*\\d*\\.*(\\*\\d+/\\d+)?(?![\\w])"));
    counts.notes = pitches - int(music.count(QLatin1Char('~')));
    return counts;
}

// What LilyPond's converter reads of a MusicXML or .mxl file, written as
// LilyPond to ly; what it printed when it failed.
struct LilyRead
{
    bool ok = false;
    QByteArray error;
    LilyCounts counts;
};

LilyRead readWithLilyPond(const QString &file, const QString &ly)
{
    LilyRead read;
    QProcess convert;
    convert.start(QStringLiteral("musicxml2ly"), {QStringLiteral("--output=") + ly, file});
    if (!convert.waitForFinished(120000) || convert.exitCode() != 0) {
        read.error = convert.readAllStandardError();
        return read;
    }
    QFile out(ly);
    if (!out.open(QIODevice::ReadOnly)) {
        read.error = "no LilyPond file written";
        return read;
    }
    read.ok = true;
    read.counts = countLily(QString::fromUtf8(out.readAll()));
    return read;
}

} // namespace

class TestMusicXmlWriter : public QObject
{
    Q_OBJECT
private slots:
    void noteValuesAddUp();
    void exports_data();
    void exports();
    void compressedHoldsTheScore();
};

// Every length the rhythm rules can give is written as values whose ticks
// add up to it, each as long as its written value in its tuplet.
void TestMusicXmlWriter::noteValuesAddUp()
{
    for (qint64 ticks = 1; ticks <= 4000; ++ticks) {
        const QList<NoteValue> pieces = NoteValues::split(ticks);
        QVERIFY(!pieces.isEmpty());
        qint64 sum = 0;
        for (const NoteValue &v : pieces) {
            sum += v.ticks;
            QVERIFY2(std::abs(v.quarters * 480 * v.normal / v.actual - v.ticks) < 1.0,
                     qPrintable(QStringLiteral("%1 ticks: %2 %3").arg(ticks).arg(v.type).arg(v.ticks)));
        }
        QCOMPARE(sum, ticks);
    }
}

void TestMusicXmlWriter::exports_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");
    for (const char *name : {"youyuan-zaoluopao", "slow-aria"}) {
        GcpFile::Texts texts;
        QCOMPARE(GcpFile::load(QStringLiteral(PROJECT_SOURCE_DIR "/examples/") + QLatin1String(name)
                                   + QStringLiteral(".gcp"), &texts),
                 GcpFile::LoadResult::Loaded);
        QTest::newRow(name) << texts.lyric << texts.score;
    }
    // 散板 with small notes and a spoken line, then a 2/4 section whose
    // notes are held across bar lines, with a sung character without notation.
    QTest::newRow("free and tied")
        << u"#散与连\n【引子】(凡字调)\n> 白\n原来\n【尾声】(六字调)\n姹紫嫣红"_qs
        << symbols(u"上小尺工\n六五\n合丿四、\n工●尺▲上\n\n仩、"_qs);
}

// The file validates against the MusicXML 4.0 schema, has no grace note,
// fills every full bar, and LilyPond reads every note and lyric of it.
void TestMusicXmlWriter::exports()
{
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    const MusicScore music = MusicModel::build(lyric, score);
    const QByteArray xml = MusicXmlWriter::bytes(music, 73);

    QXmlStreamReader reader(xml);
    int beats = 0;
    qint64 filled = 0;
    bool implicit = false;
    int ties = 0, tieds = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        const QStringView name = reader.name();
        if (reader.isStartElement()) {
            QVERIFY(name != QLatin1String("grace"));
            if (name == QLatin1String("measure")) {
                filled = 0;
                implicit = reader.attributes().value(QLatin1String("implicit")) == QLatin1String("yes");
            } else if (name == QLatin1String("beats")) {
                beats = reader.readElementText().toInt();
            } else if (name == QLatin1String("senza-misura")) {
                beats = 0;
            } else if (name == QLatin1String("duration")) {
                filled += reader.readElementText().toLongLong();
            } else if (name == QLatin1String("tie")) {
                ties += reader.attributes().value(QLatin1String("type")) == QLatin1String("start");
            } else if (name == QLatin1String("tied")) {
                tieds += reader.attributes().value(QLatin1String("type")) == QLatin1String("start");
            }
        } else if (reader.isEndElement() && name == QLatin1String("measure") && beats > 0 && !implicit) {
            QCOMPARE(filled, qint64(beats) * 480);
        }
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(tieds, ties);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("score.musicxml"));
    QString error;
    QVERIFY2(MusicXmlWriter::write(file, music, 73, &error), qPrintable(error));

    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
        QSKIP("xmllint (libxml2-utils) is not installed");
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"),
                                          QStringLiteral(TEST_DATA_DIR "/musicxml-4.0/musicxml.xsd"), file});
    QVERIFY(lint.waitForFinished(60000));
    QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());

    if (QStandardPaths::findExecutable(QStringLiteral("musicxml2ly")).isEmpty())
        QSKIP("musicxml2ly (lilypond) is not installed");
    const LilyRead read = readWithLilyPond(file, dir.filePath(QStringLiteral("score.ly")));
    QVERIFY2(read.ok, read.error.constData());
    QCOMPARE(read.counts.syllables, charactersWithNotes(music));
    QCOMPARE(read.counts.notes, notesWritten(music));
}

// The .mxl archive: the stored mimetype first, the container, then the
// score as written uncompressed; LilyPond reads it as it reads the score.
void TestMusicXmlWriter::compressedHoldsTheScore()
{
#ifndef QELUN_HAVE_MXL
    QSKIP("built without libzip: no .mxl export");
#else
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QSKIP("unzip is not installed");
    GcpFile::Texts texts;
    QCOMPARE(GcpFile::load(QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp"), &texts),
             GcpFile::LoadResult::Loaded);
    const MusicScore music = MusicModel::build(texts.lyric, texts.score);
    const QByteArray xml = MusicXmlWriter::bytes(music, 73);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("score.mxl"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(MxlWriter::bytes(xml));
    out.close();

    auto unzip = [&](const QStringList &arguments) {
        QProcess process;
        process.start(QStringLiteral("unzip"), arguments);
        process.waitForFinished(60000);
        return process.readAllStandardOutput();
    };
    QCOMPARE(unzip({QStringLiteral("-Z1"), file}),
             QByteArray("mimetype\nMETA-INF/container.xml\nscore.musicxml\n"));
    QVERIFY(unzip({QStringLiteral("-Zv"), file}).contains("compression method:                             none (stored)"));
    QCOMPARE(unzip({QStringLiteral("-p"), file, QStringLiteral("mimetype")}), QByteArray("application/vnd.recordare.musicxml"));
    QCOMPARE(unzip({QStringLiteral("-p"), file, QStringLiteral("score.musicxml")}), xml);

    if (QStandardPaths::findExecutable(QStringLiteral("musicxml2ly")).isEmpty())
        QSKIP("musicxml2ly (lilypond) is not installed");
    const LilyRead read = readWithLilyPond(file, dir.filePath(QStringLiteral("score.ly")));
    QVERIFY2(read.ok, read.error.constData());
    QCOMPARE(read.counts.syllables, charactersWithNotes(music));
    QCOMPARE(read.counts.notes, notesWritten(music));
#endif
}

QTEST_GUILESS_MAIN(TestMusicXmlWriter)
#include "tst_musicxmlwriter.moc"
