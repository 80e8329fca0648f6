// Every writer on a disk that runs full in the middle of a write: whichever
// write is cut short, the export or save fails, says why, and leaves the
// folder as it was.
#include "faultywrite.h"
#include "gcpfile.h"
#include "gcptestfiles.h"
#include "ql_generatesvg.h"
#include "renderfixture.h"
#include "scorewriter.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTest>

namespace {

// Two pages of many different characters: the PDF embeds a font subset too
// large for Qt's file buffer, which goes to the disk in one write of its own,
// the write whose short count went unseen.
QList<ExportEntry> ariaEntries()
{
    QString lyric = QStringLiteral("# 游园\n");
    QString score;
    const QString notes = notation({0xF002C, 0xF0000, 0xF002B, 0xF0004}) + QLatin1Char('\n');
    for (int line = 0; line < 2; ++line) {
        if (line > 0)
            lyric += QStringLiteral("@分页符\n");
        for (int i = 0; i < 150; ++i)
            lyric += QChar(0x4E00 + 97 * (150 * line + i));
        lyric += QLatin1Char('\n');
        score += notes.repeated(150);
    }
    return buildExportEntries(lyric, score);
}

// Every file under folder with its bytes, and every folder.
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        found.insert(path, it.fileInfo().isDir() ? QByteArray("<folder>") : GcpTestFiles::fileBytes(path));
    }
    return found;
}

// Exports or saves into folder in the given format; the reason of a failure
// in *why.
bool writeInto(const QString &format, QL_GenerateSVG &renderer, const QString &folder, QString *why)
{
    if (format == QLatin1String("gcp"))
        return GcpFile::save(QDir(folder).filePath(QStringLiteral("score.gcp")),
                             {QString(30000, QChar(0x4E00)), QString(30000, QChar(0xE000))}, why);
    ScoreWriter writer(renderer);
    bool written = false;
    if (format == QLatin1String("pdf"))
        written = writer.writePdf(QDir(folder).filePath(QStringLiteral("score.pdf")));
    else if (format == QLatin1String("svg"))
        written = writer.writeSvg(folder);
    else
        written = writer.writeImages(folder, 1, format);
    *why = writer.failure().reason;
    return written;
}

} // namespace

class TestWriteFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shortWriteFailsWholly_data();
    void shortWriteFailsWholly();

private:
    RenderFixture fixture;
    std::unique_ptr<QL_GenerateSVG> renderer;
    QString folder() const { return fixture.dir.filePath(QStringLiteral("out")); }
    // A fresh target folder holding an earlier export and an earlier save.
    void prepareFolder()
    {
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        GcpTestFiles::writeFile(QDir(folder()).filePath(QStringLiteral("score.pdf")), "an earlier export");
        GcpTestFiles::writeFile(QDir(folder()).filePath(QStringLiteral("score.gcp")), "an earlier save");
    }
};

void TestWriteFaults::initTestCase()
{
    renderer = std::make_unique<QL_GenerateSVG>(*fixture.config);
    renderer->reset();
    renderer->generate(ariaEntries(), false);
    QVERIFY(renderer->pages().size() >= 2);
}

void TestWriteFaults::shortWriteFailsWholly_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("failAt");
    for (const char *name : {"pdf", "png", "jpg", "svg", "gcp"}) {
        const QString format = QString::fromLatin1(name);
        // A sound run counts the writes; each of them is then cut in turn.
        prepareFolder();
        FaultyWrite counter(folder(), -1);
        QString why;
        QVERIFY2(writeInto(format, *renderer, folder(), &why), qPrintable(why));
        QVERIFY2(counter.count() > 0, "the write layer saw no write: is ENABLE_EXPORTS set?");
        for (int k = 0; k < counter.count(); ++k)
            QTest::addRow("%s, write %d of %d cut", name, k + 1, counter.count()) << format << k;
    }
}

void TestWriteFaults::shortWriteFailsWholly()
{
    QFETCH(QString, format);
    QFETCH(int, failAt);
    prepareFolder();
    const QMap<QString, QByteArray> before = contents(folder());
    QString why;
    bool written = true;
    {
        FaultyWrite disk(folder(), failAt);
        written = writeInto(format, *renderer, folder(), &why);
        QVERIFY(disk.struck());
    }
    QVERIFY(!written);
    QCOMPARE(why, QStringLiteral("磁盘空间不足"));
    QCOMPARE(contents(folder()), before);
}

QTEST_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
