#include "batchexport.h"
#include "gcpfile.h"
#include "renderfixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QSettings>
#include <QTest>
#include <QTextStream>

#include "gcptestfiles.h"
#include "smalldisk.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <csignal>
#include <unistd.h>

namespace {

const QString example = QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp");

// An error stands on a line of its own, after the progress.
QString lastLine(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

} // namespace

class TestBatchExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isRequested_data();
    void isRequested();
    void settingsThePageCannotHonourAreWarned();
    void pageSizesRefusedAreWarned_data();
    void pageSizesRefusedAreWarned();
    void unreadableSettings_data();
    void unreadableSettings();
    void specialTargets_data();
    void specialTargets();
    void badArguments_data();
    void badArguments();
    void unreadableInput_data();
    void unreadableInput();
    void unwritableTarget_data();
    void unwritableTarget();
    void emptyScore_data();
    void emptyScore();
    void exportsMidi_data();
    void exportsMidi();
    void exportsPdf();
    void exportsImageFiles_data();
    void exportsImageFiles();
    void exportsImageFolderAndSvgFolder();
    void warnsAboutUnexportedNotation_data();
    void warnsAboutUnexportedNotation();
    void executableRunsWithoutDisplay();
    void settingsAreOnlyRead_data();
    void settingsAreOnlyRead();
    void fullDiskIsAFailure_data();
    void fullDiskIsAFailure();
    void longExportWarnsAndStopsOnCtrlC();

private:
    int run(const QStringList &arguments);
    QString path(const QString &name) const { return QDir(dir->path()).filePath(name); }
    // The options an export reads, an empty INI file (all defaults) unless
    // the test wrote some.
    QString settings() const
    {
        const QString file = path(QStringLiteral("settings.ini"));
        if (!QFileInfo::exists(file))
            GcpTestFiles::writeFile(file, QByteArray());
        return file;
    }
    // A score of the given number of pages.
    QString writeScore(int pages);

    std::unique_ptr<QTemporaryDir> dir;
    QString out;
    QString err;
};

void TestBatchExport::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    out.clear();
    err.clear();
}

void TestBatchExport::cleanup()
{
    dir.reset();
}

int TestBatchExport::run(const QStringList &arguments)
{
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    return BatchExport(outStream, errStream).run(QStringList{QStringLiteral("qelun")} + arguments);
}

QString TestBatchExport::writeScore(int pages)
{
    QString lyric;
    QString score;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            lyric += QStringLiteral("@分页符\n");
        lyric += QStringLiteral("良辰美景\n");
        for (int i = 0; i < 4; ++i)
            score += notation({0xF002C}) + QLatin1Char('\n');
    }
    const QString file = path(QStringLiteral("score%1.gcp").arg(pages));
    if (!GcpFile::save(file, {lyric, score}))
        return QString();
    return file;
}

void TestBatchExport::isRequested_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("requested");
    QTest::addRow("no arguments") << QStringList{"qelun"} << false;
    QTest::addRow("a file to open") << QStringList{"qelun", "aria.gcp"} << false;
    QTest::addRow("--export TARGET") << QStringList{"qelun", "--export", "a.pdf", "aria.gcp"} << true;
    QTest::addRow("--export=TARGET") << QStringList{"qelun", "--export=a.pdf", "aria.gcp"} << true;
}

void TestBatchExport::isRequested()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, requested);
    QCOMPARE(BatchExport::isRequested(arguments), requested);
}

void TestBatchExport::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::addRow("no score") << QStringList{"--export", "a.pdf"} << "曲谱文件";
    QTest::addRow("two scores") << QStringList{"--export", "a.pdf", "x.gcp", "y.gcp"} << "曲谱文件";
    QTest::addRow("no target value") << QStringList{"x.gcp", "--export"} << "export";
    QTest::addRow("unknown format") << QStringList{"--export", "a.docx", "x.gcp"} << "--format";
    QTest::addRow("unknown --format") << QStringList{"--export", "a", "--format", "gif", "x.gcp"} << "--format";
    QTest::addRow("dpi not offered") << QStringList{"--export", "a.png", "--dpi", "120", "x.gcp"} << "--dpi";
    QTest::addRow("dpi not a number") << QStringList{"--export", "a.png", "--dpi", "high", "x.gcp"} << "--dpi";
    QTest::addRow("unknown option") << QStringList{"--export", "a.pdf", "--colour", "x.gcp"} << "colour";
}

void TestBatchExport::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QCOMPARE(run(arguments), int(BatchExport::UsageError));
    QVERIFY2(err.contains(message), qPrintable(err));
    QVERIFY(QDir(dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

void TestBatchExport::unreadableInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addRow("missing file") << "missing.gcp" << QByteArray() << "无法读取";
    QTest::addRow("not a .gcp file") << "aria.txt" << QByteArray("plain text") << ".gcp";
    QTest::addRow("damaged file") << "broken.gcp" << QByteArray("\x00\x00\x00\x10\x00\x41", 6) << "损坏";
    // Reading a FIFO would wait for a writer forever.
    QTest::addRow("FIFO") << "fifo.gcp" << QByteArray() << "无法读取";
}

void TestBatchExport::unreadableInput()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    if (!content.isEmpty()) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    } else if (name.startsWith(QLatin1String("fifo"))) {
        QCOMPARE(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
    }
    const QString target = path(QStringLiteral("out.pdf"));
    QCOMPARE(run({QStringLiteral("--export"), target, QStringLiteral("--settings"), settings(), path(name)}),
             int(BatchExport::InputError));
    QVERIFY2(err.contains(message), qPrintable(err));
    QVERIFY(!QFile::exists(target));
}

void TestBatchExport::unwritableTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("format");
    QTest::addRow("pdf") << "blocker/a.pdf" << "";
    QTest::addRow("png file") << "blocker/a.png" << "";
    QTest::addRow("svg folder") << "blocker/svg" << "svg";
    QTest::addRow("jpg folder") << "blocker/jpg" << "jpg";
    QTest::addRow("svg folder is a file") << "blocker" << "svg";
    QTest::addRow("pdf onto a folder") << "folder.pdf" << "";
    QTest::addRow("mid") << "blocker/a.mid" << "";
    QTest::addRow("mid onto a folder") << "folder.pdf" << "mid";
}

void TestBatchExport::unwritableTarget()
{
    QFETCH(QString, target);
    QFETCH(QString, format);
    // A file stands where the target's folder would have to be.
    QFile blocker(path(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder.pdf")));
    QStringList arguments{QStringLiteral("--export"), path(target), QStringLiteral("--settings"), settings()};
    if (!format.isEmpty())
        arguments << QStringLiteral("--format") << format;
    QCOMPARE(run(arguments << writeScore(1)), int(BatchExport::OutputError));
    QVERIFY2(lastLine(err).startsWith(QStringLiteral("错误：")), qPrintable(err));
    QVERIFY(!out.contains(QStringLiteral("导出成功")));
    // Found before a single page was laid out.
    QVERIFY2(!err.contains(QStringLiteral("正在绘制曲谱")), qPrintable(err));
}

void TestBatchExport::emptyScore_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<int>("status");
    QTest::addRow("nothing") << "" << int(BatchExport::InputError);
    QTest::addRow("comments and breaks") << ";注释\n@分页符\n@换行符" << int(BatchExport::InputError);
    QTest::addRow("markers alone") << "# \n>\n=" << int(BatchExport::InputError);
    QTest::addRow("a title") << "# 游园" << int(BatchExport::Success);
    QTest::addRow("a sung line without notation") << "良辰" << int(BatchExport::Success);
}

void TestBatchExport::emptyScore()
{
    QFETCH(QString, lyric);
    QFETCH(int, status);
    const QString score = path(QStringLiteral("empty.gcp"));
    QVERIFY(GcpFile::save(score, {lyric, QString()}));
    const QString target = path(QStringLiteral("out.pdf"));
    QCOMPARE(run({QStringLiteral("--export"), target, QStringLiteral("--settings"), settings(), score}), status);
    const bool refused = status == BatchExport::InputError;
    QCOMPARE(QFile::exists(target), !refused);
    QCOMPARE(err.contains(QStringLiteral("正在绘制曲谱")), !refused);
    if (refused)
        QVERIFY2(lastLine(err).contains(QStringLiteral("曲谱为空")), qPrintable(err));
}

void TestBatchExport::settingsThePageCannotHonourAreWarned()
{
    // A column wider than the page is set as wide as the content: the
    // export goes on, and says so on a line of its own.
    QSettings ini(settings(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Export/colWidth"), 10000);
    ini.sync();
    QCOMPARE(run({QStringLiteral("--export"), path(QStringLiteral("wide.pdf")), QStringLiteral("--settings"), settings(),
                  writeScore(1)}),
             int(BatchExport::Success));
    const QStringList warnings = err.split(QLatin1Char('\n')).filter(QStringLiteral("警告："));
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().contains(QStringLiteral("10000")), qPrintable(warnings.first()));
    QCOMPARE(out, QStringLiteral("导出成功！\n"));
}

void TestBatchExport::pageSizesRefusedAreWarned_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("refused");
    // Brought into range, as narrow as the options allow: warned, and then
    // refused for want of room.
    QTest::addRow("negative width") << QByteArray("pageWidth=-5") << "-5" << true;
    QTest::addRow("height not a number") << QByteArray("pageHeight=tall") << "tall" << true;
    QTest::addRow("width out of range, room left") << QByteArray("pageWidth=20000") << "20000" << false;
    // Margins that leave no room for a character would give a page for each
    // sliver of a glyph.
    QTest::addRow("ten points, no room inside the margins") << QByteArray("pageWidth=10\npageHeight=10") << "10×10"
                                                            << true;
    QTest::addRow("margins as wide as the page")
        << QByteArray("pageWidth=100\nmarginLeft=50\nmarginRight=50") << "100×" << true;
    QTest::addRow("landscape, top margin past the foot")
        << QByteArray("isLandscape=true\nmarginTop=700") << "842×595" << true;
    QTest::addRow("a small page that fits a character") << QByteArray("pageWidth=200\npageHeight=300") << "" << false;
}

void TestBatchExport::pageSizesRefusedAreWarned()
{
    QFETCH(QByteArray, options);
    QFETCH(QString, named);
    QFETCH(bool, refused);
    QVERIFY(GcpTestFiles::writeFile(settings(), "[Export]\n" + options + '\n'));
    const QString target = path(QStringLiteral("a.pdf"));
    QCOMPARE(run({QStringLiteral("--export"), target, QStringLiteral("--settings"), settings(), writeScore(1)}),
             int(refused ? BatchExport::UsageError : BatchExport::Success));
    QCOMPARE(QFileInfo::exists(target), !refused);
    const QStringList lines = err.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^(警告|错误)：")));
    QCOMPARE(!lines.filter(QStringLiteral("错误：")).isEmpty(), refused);
    if (named.isEmpty()) {
        QVERIFY2(lines.isEmpty(), qPrintable(err));
        return;
    }
    QVERIFY2(!lines.filter(named).isEmpty(), qPrintable(err));
}

void TestBatchExport::unreadableSettings_data()
{
    QTest::addColumn<QString>("settingsFile");
    QTest::addRow("missing") << "missing.ini";
    QTest::addRow("a folder") << "folder.ini";
    QTest::addRow("not INI") << "aria.gcp";
    // Opened for reading, either would block the export or never end.
    QTest::addRow("FIFO") << "fifo.ini";
    QTest::addRow("device") << "/dev/zero";
}

void TestBatchExport::unreadableSettings()
{
    QFETCH(QString, settingsFile);
    QVERIFY(QDir().mkpath(path(QStringLiteral("folder.ini"))));
    QVERIFY(QFile::copy(example, path(QStringLiteral("aria.gcp"))));
    QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo.ini"))).constData(), 0600), 0);
    const QString target = path(QStringLiteral("out.pdf"));
    QCOMPARE(run({QStringLiteral("--export"), target, QStringLiteral("--settings"), path(settingsFile), writeScore(1)}),
             int(BatchExport::UsageError));
    QVERIFY2(lastLine(err).startsWith(QStringLiteral("错误：")) && err.contains(settingsFile), qPrintable(err));
    QVERIFY(!QFileInfo::exists(target));
}

void TestBatchExport::specialTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("format");
    for (const char *kind : {"fifo", "socket", "device", "link to device", "link to fifo", "link to file"}) {
        QTest::addRow("%s as pdf", kind) << kind << "t.pdf" << "";
        QTest::addRow("%s as png", kind) << kind << "t.png" << "";
        QTest::addRow("%s as svg folder", kind) << kind << "t" << "svg";
    }
}

void TestBatchExport::specialTargets()
{
    QFETCH(QString, kind);
    QFETCH(QString, target);
    QFETCH(QString, format);
    const QByteArray node = QFile::encodeName(kind.startsWith(QLatin1String("link")) ? path(QStringLiteral("node"))
                                                                                    : path(target));
    const bool toFile = kind.endsWith(QLatin1String("file"));
    if (kind.endsWith(QLatin1String("fifo"))) {
        QCOMPARE(::mkfifo(node.constData(), 0600), 0);
    } else if (kind.endsWith(QLatin1String("device"))) {
        // A device of its own, the same as /dev/null: a failing test must
        // not replace the system's.
        if (::geteuid() != 0)
            QSKIP("making a device node needs root");
        QCOMPARE(::mknod(node.constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    } else if (kind == QLatin1String("socket")) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, node.constData(), sizeof address.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
    } else if (toFile) {
        QVERIFY(GcpTestFiles::writeFile(QString::fromLocal8Bit(node), "an earlier export"));
    }
    if (kind.startsWith(QLatin1String("link")))
        QVERIFY(QFile::link(QString::fromLocal8Bit(node), path(target)));
    const QFileInfo before(QString::fromLocal8Bit(node));

    QStringList arguments{QStringLiteral("--export"), path(target), QStringLiteral("--settings"), settings()};
    if (!format.isEmpty())
        arguments << QStringLiteral("--format") << format;
    const int status = run(arguments << writeScore(1));
    const QFileInfo after(QString::fromLocal8Bit(node));
    // The node is as it was, a link stays a link.
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.isDir(), false);
    QCOMPARE(QFileInfo(path(target)).isSymLink(), kind.startsWith(QLatin1String("link")));
    if (toFile && format.isEmpty()) {
        // Written through the link, into the file it names.
        QCOMPARE(status, int(BatchExport::Success));
        QVERIFY(GcpTestFiles::fileBytes(QString::fromLocal8Bit(node)) != QByteArray("an earlier export"));
        QVERIFY(after.size() > 100);
        return;
    }
    QCOMPARE(status, int(BatchExport::OutputError));
    QVERIFY2(lastLine(err).startsWith(QStringLiteral("错误：")), qPrintable(err));
    QVERIFY(!out.contains(QStringLiteral("导出成功")));
}

void TestBatchExport::exportsMidi_data()
{
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // on standard error
    const QString example = QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp");
    QTest::addRow("example, by suffix") << example << "aria.mid" << int(BatchExport::Success) << "";
    QTest::addRow("example, .midi") << example << "aria.midi" << int(BatchExport::Success) << "";
    QTest::addRow("no notation") << "" << "aria.mid" << int(BatchExport::InputError) << "没有可演奏的音符";
}

void TestBatchExport::exportsMidi()
{
    QFETCH(QString, score);
    QFETCH(QString, target);
    QFETCH(int, status);
    QFETCH(QString, message);
    if (score.isEmpty()) {
        score = path(QStringLiteral("silent.gcp"));
        QVERIFY(GcpFile::save(score, {QStringLiteral("【皂罗袍】\n良辰"), QString()}));
    }
    QCOMPARE(run({QStringLiteral("--export"), path(target), score}), status);
    QVERIFY2(err.contains(message), qPrintable(err));
    QFile file(path(target));
    QCOMPARE(file.open(QIODevice::ReadOnly), status == BatchExport::Success);
    if (status != BatchExport::Success)
        return;
    QVERIFY(out.contains(QStringLiteral("导出成功")));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("MThd"));
    // A lyric event carries the first sung character in UTF-8.
    QVERIFY(bytes.contains(QByteArray("\xff\x05\x03") + QStringLiteral("原").toUtf8()));
}

void TestBatchExport::exportsPdf()
{
    const QString target = path(QStringLiteral("out/aria.pdf"));
    QCOMPARE(run({QStringLiteral("--export"), target, QStringLiteral("--settings"), settings(), example}),
             int(BatchExport::Success));
    // Progress on standard error, as lines of their own when it is no
    // terminal; only the result on standard output.
    QCOMPARE(out, QStringLiteral("导出成功！\n"));
    QVERIFY2(!err.contains(QLatin1Char('\r')), qPrintable(err));
    QStringList lines = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QRegularExpression line(QStringLiteral("^正在(绘制曲谱|导出PDF文件)··· \\d+/\\d+$"));
    for (const QString &text : lines)
        QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
    QVERIFY(lines.contains(QStringLiteral("正在绘制曲谱··· 12/12")));
    QVERIFY(lines.contains(QStringLiteral("正在导出PDF文件··· 2/2")));
    QCOMPARE(lines.removeDuplicates(), 0);

    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {target});
    QVERIFY(pdfinfo.waitForFinished(30000));
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("牡丹亭游园")), qPrintable(info));
}

void TestBatchExport::warnsAboutUnexportedNotation_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("warning");
    const QString gong = notation({0xF002C});
    QTest::addRow("paired") << QStringLiteral("良辰") << gong + "\n" + gong << QString();
    QTest::addRow("the empty extra line of an older save")
        << QStringLiteral("良辰") << gong + "\n" + gong + "\n" << QString();
    QTest::addRow("notation on two extra lines")
        << QStringLiteral("良辰") << gong + "\n" + gong + "\n" + gong + "\n \n" + gong
        << QStringLiteral("警告：有 2 行曲谱没有对应的唱字，不会被导出。\n");
    QTest::addRow("notation without any sung character")
        << QStringLiteral("# 题") << gong << QStringLiteral("警告：有 1 行曲谱没有对应的唱字，不会被导出。\n");
}

void TestBatchExport::warnsAboutUnexportedNotation()
{
    // The export goes on, but says what it leaves out.
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    QFETCH(QString, warning);
    const QString file = path(QStringLiteral("score.gcp"));
    QVERIFY(GcpFile::save(file, {lyric, score}));
    QCOMPARE(run({QStringLiteral("--export"), path(QStringLiteral("out")), QStringLiteral("--format"),
                  QStringLiteral("svg"), QStringLiteral("--settings"), settings(), file}),
             int(BatchExport::Success));
    // The warning, among the progress lines on standard error.
    QString warnings;
    for (const QString &line : err.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("警告：")))
            warnings += line + QLatin1Char('\n');
    }
    QCOMPARE(warnings, warning);
    QVERIFY(out.contains(QStringLiteral("导出成功！")));
}

void TestBatchExport::exportsImageFiles_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("width");
    QTest::addRow("one page: the file itself") << 1 << "96" << "a.png" << QStringList{"a.png"} << 794;
    QTest::addRow("three pages: numbered beside it")
        << 3 << "160" << "a.jpg" << QStringList{"a_0.jpg", "a_1.jpg", "a_2.jpg"} << 1323;
    QTest::addRow(".jpeg suffix") << 1 << "300" << "a.jpeg" << QStringList{"a.jpeg"} << 2480;
}

void TestBatchExport::exportsImageFiles()
{
    QFETCH(int, pages);
    QFETCH(QString, dpi);
    QFETCH(QString, target);
    QFETCH(QStringList, files);
    QFETCH(int, width);
    const QString score = writeScore(pages);
    QVERIFY(!score.isEmpty());
    QCOMPARE(run({QStringLiteral("--export"), path(QStringLiteral("images/") + target), QStringLiteral("--dpi"), dpi,
                  QStringLiteral("--settings"), settings(), score}),
             int(BatchExport::Success));
    QCOMPARE(QDir(path(QStringLiteral("images"))).entryList(QDir::Files), files);
    const QImage first(path(QStringLiteral("images/") + files.first()));
    QCOMPARE(first.width(), width);
}

void TestBatchExport::exportsImageFolderAndSvgFolder()
{
    const QString score = writeScore(2);
    QCOMPARE(run({QStringLiteral("--export"), path(QStringLiteral("pictures")), QStringLiteral("--format"),
                  QStringLiteral("png"), QStringLiteral("--settings"), settings(), score}),
             int(BatchExport::Success));
    const QString title = QStringLiteral("Qelun工尺谱导出曲谱");
    QCOMPARE(QDir(path(QStringLiteral("pictures/") + title + "_png")).entryList(QDir::Files).size(), 2);

    QCOMPARE(run({QStringLiteral("--export"), path(QStringLiteral("vector")), QStringLiteral("--format"),
                  QStringLiteral("svg"), QStringLiteral("--settings"), settings(), score}),
             int(BatchExport::Success));
    const QDir svg(path(QStringLiteral("vector/") + title + "_svg"));
    QVERIFY(svg.exists(title + "_0.svg"));
    QVERIFY(svg.exists(title + "_1.svg"));
    QVERIFY(svg.exists(QStringLiteral("说明文件.txt")));
}

void TestBatchExport::fullDiskIsAFailure_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<qint64>("keepFree");
    QTest::addRow("pdf over an earlier one") << "a.pdf" << "" << "a.pdf" << qint64(0);
    QTest::addRow("pdf, room for a part") << "a.pdf" << "" << "a.pdf" << qint64(16000);
    QTest::addRow("png pages beside earlier ones") << "a.png" << "" << "a_1.png" << qint64(0);
    QTest::addRow("jpg pages, room for a part") << "a.jpg" << "" << "a_0.jpg" << qint64(60000);
    QTest::addRow("jpg folder") << "out" << "jpg" << "" << qint64(0);
    QTest::addRow("svg folder") << "out" << "svg" << "" << qint64(30000);
}

void TestBatchExport::fullDiskIsAFailure()
{
    QFETCH(QString, target);
    QFETCH(QString, format);
    QFETCH(QString, existing);
    QFETCH(qint64, keepFree);
    SmallDisk::Disk disk(2048);
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    const QString score = writeScore(3);
    QVERIFY(!score.isEmpty());
    if (!existing.isEmpty())
        QVERIFY(GcpTestFiles::writeFile(disk.filePath(existing), "an earlier export"));
    QVERIFY(QDir().mkpath(disk.filePath(QStringLiteral("out"))));
    const auto entries = [&disk] {
        return QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
               + QDir(disk.filePath(QStringLiteral("out"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    };
    QVERIFY(disk.fill(keepFree));
    const QStringList before = entries();

    QStringList arguments{QStringLiteral("--export"), disk.filePath(target), QStringLiteral("--dpi"),
                          QStringLiteral("300"), QStringLiteral("--settings"), settings()};
    if (!format.isEmpty())
        arguments << QStringLiteral("--format") << format;
    QCOMPARE(run(arguments << score), int(BatchExport::OutputError));
    QVERIFY2(lastLine(err).startsWith(QStringLiteral("错误：")), qPrintable(err));
    QVERIFY(!out.contains(QStringLiteral("导出成功")));
    QCOMPARE(entries(), before);
    if (!existing.isEmpty())
        QCOMPARE(GcpTestFiles::fileBytes(disk.filePath(existing)), QByteArray("an earlier export"));
}

void TestBatchExport::executableRunsWithoutDisplay()
{
    // The program itself, as a user starts it on a machine without display.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const auto start = [&](const QStringList &arguments, QString *errText) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QELUN_EXECUTABLE), arguments);
        if (!process.waitForFinished(120000))
            return -1;
        *errText = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };

    QString errText;
    const QString target = path(QStringLiteral("aria.pdf"));
    QCOMPARE(start({QStringLiteral("--export"), target, QStringLiteral("--settings"), settings(), example}, &errText), 0);
    QVERIFY(QFileInfo(target).size() > 1000);

    QCOMPARE(start({QStringLiteral("--export"), target, path(QStringLiteral("missing.gcp"))}, &errText),
             int(BatchExport::InputError));
    QVERIFY2(errText.contains(QStringLiteral("无法读取")), qPrintable(errText));
}

void TestBatchExport::settingsAreOnlyRead_data()
{
    QTest::addColumn<bool>("givenFile");
    QTest::addRow("--settings FILE") << true;
    QTest::addRow("settings.ini beside the program") << false;
}

void TestBatchExport::settingsAreOnlyRead()
{
    // The program itself, copied into a writable folder of its own (where it
    // keeps settings.ini beside itself), with its own home folder.
    QFETCH(bool, givenFile);
    const QString program = path(QStringLiteral("bin/qelun"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("bin"))));
    QVERIFY(QFile::copy(QStringLiteral(QELUN_EXECUTABLE), program));
    const QString settingsFile = givenFile ? path(QStringLiteral("my.ini")) : path(QStringLiteral("bin/settings.ini"));
    const QByteArray content("; page of the class handout\n[Export]\nlyricFontSize=28\n\n; wide columns\ncolWidth=150\n");
    {
        QFile file(settingsFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QDateTime written = QFileInfo(settingsFile).lastModified();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("home/.config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("home/.local/share")));
    QProcess process;
    process.setProcessEnvironment(env);
    QStringList arguments{QStringLiteral("--export"), path(QStringLiteral("aria.pdf"))};
    if (givenFile)
        arguments << QStringLiteral("--settings") << settingsFile;
    process.start(program, arguments << example);
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QFileInfo(path(QStringLiteral("aria.pdf"))).size() > 1000);

    QFile file(settingsFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
    QCOMPARE(QFileInfo(settingsFile).lastModified(), written);
    // No settings file was made anywhere else either.
    const QStringList besideProgram = givenFile ? QStringList{QStringLiteral("qelun")}
                                                : QStringList{QStringLiteral("qelun"), QStringLiteral("settings.ini")};
    QCOMPARE(QDir(path(QStringLiteral("bin"))).entryList(QDir::Files | QDir::NoDotAndDotDot), besideProgram);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("home/.config/qelun/settings.ini"))));
}

void TestBatchExport::longExportWarnsAndStopsOnCtrlC()
{
    // One sung line of three million characters: more than 10,000 pages.
    const QString score = path(QStringLiteral("long.gcp"));
    QVERIFY(GcpFile::save(score, {QString(3000000, QChar(0x597D)), QString()}));
    const QString target = path(QStringLiteral("long.pdf"));
    QVERIFY(GcpTestFiles::writeFile(target, "an earlier export"));
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QELUN_EXECUTABLE),
                  {QStringLiteral("--export"), target, QStringLiteral("--settings"), settings(), score});
    QVERIFY(process.waitForStarted());
    QByteArray errText;
    while (!errText.contains("正在绘制曲谱") && process.waitForReadyRead(60000))
        errText += process.readAllStandardError();
    QVERIFY2(errText.contains("正在绘制曲谱"), errText.constData());
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(60000));
    errText += process.readAllStandardError();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), int(BatchExport::Interrupted));
    const QString text = QString::fromUtf8(errText);
    QCOMPARE(text.count(QStringLiteral("10000 页以上")), 1);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QCOMPARE(GcpTestFiles::fileBytes(target), QByteArray("an earlier export"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("long.pdf")),
             QStringList{QStringLiteral("long.pdf")});
}

QTEST_MAIN(TestBatchExport)
#include "tst_batchexport.moc"
