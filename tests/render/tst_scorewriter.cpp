#include "exportconfig.h"
#include "gcpfile.h"
#include "ql_generatesvg.h"
#include "pagecompare.h"
#include "renderfixture.h"
#include "scorewriter.h"
#include "gcptestfiles.h"
#include "smalldisk.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QSvgRenderer>
#include <QPainter>
#include <QXmlStreamReader>

namespace {

const char32_t gong = 0xF002C;
const char32_t ban = 0xF0000;

// A short aria: title, tune name, two sung lines with notation and marks.
QList<ExportEntry> ariaEntries(int pages = 1)
{
    QString lyric = QStringLiteral("# 游园\n【皂罗袍】(仙吕)\n");
    QString score;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            lyric += QStringLiteral("@分页符\n");
        lyric += QStringLiteral("原来姹紫嫣红开遍\n");
        for (int i = 0; i < 8; ++i)
            score += notation({gong, ban, 0xF002B, 0xF0004}) + QLatin1Char('\n');
    }
    return buildExportEntries(lyric, score);
}

// The share of pixels that are not (near) white.
double inkShare(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    qint64 ink = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            ink += line[x] < 200;
    }
    return double(ink) / (qint64(gray.width()) * gray.height());
}

} // namespace

class TestScoreWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pdfIsReadByOtherPrograms_data();
    void pdfIsReadByOtherPrograms();
    void pdfPageMatchesImagePage_data();
    void pdfPageMatchesImagePage();
    void pdfFuzzyPageSize();
    void pdfFollowsLastRendering();
    void pdfRefusedTargetKeepsOldFile();
    void pdfUnwritableFolderIsFailure();

    void imageSizes_data();
    void imageSizes();
    void imageResolution_data();
    void imageResolution();
    void imageBackground_data();
    void imageBackground();
    void imageFoldersNeverReused();
    void pngIsCompressedLosslessly();
    void imagePixelsAsPaintedStraight_data();
    void imagePixelsAsPaintedStraight();
    void imagePagesWrittenInParallel();
    void imageFailures();

    void svgFolder();
    void svgPagesRenderOutsideProgram();
    void svgFailures();

    void fullDiskLeavesNothingBehind_data();
    void fullDiskLeavesNothingBehind();
    void readOnlyFolderKeepsOldPdf();
    void charactersXmlCannotCarryAreDropped_data();
    void charactersXmlCannotCarryAreDropped();
    void fontFamiliesAreWrittenAsXml();

private:
    QString out(const QString &name) const { return QDir(fixture->dir.path()).filePath(name); }
    void render(const QList<ExportEntry> &entries)
    {
        renderer->reset();
        renderer->generate(entries, false);
    }

    std::unique_ptr<RenderFixture> fixture;
    std::unique_ptr<QL_GenerateSVG> renderer;
    ExportConfig &config() { return *fixture->config; }
};

void TestScoreWriter::initTestCase()
{
    for (const char *tool : {"pdfinfo", "pdftoppm", "rsvg-convert", "fc-cache"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is missing: run scripts/install-deps.sh").arg(QLatin1String(tool))));
    }
}

void TestScoreWriter::init()
{
    fixture = std::make_unique<RenderFixture>();
    QVERIFY(fixture->dir.isValid());
    renderer = std::make_unique<QL_GenerateSVG>(config());
}

void TestScoreWriter::cleanup()
{
    renderer.reset();
    fixture.reset();
}

void TestScoreWriter::pdfIsReadByOtherPrograms_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("size");
    QTest::addRow("A4 portrait, one page") << false << 1 << "595 x 842";
    QTest::addRow("A4 portrait, three pages") << false << 3 << "595 x 842";
    QTest::addRow("A4 landscape") << true << 2 << "842 x 595";
}

void TestScoreWriter::pdfIsReadByOtherPrograms()
{
    QFETCH(bool, landscape);
    QFETCH(int, pages);
    QFETCH(QString, size);
    config().setIsLandscape(landscape);
    render(ariaEntries(pages));
    QCOMPARE(renderer->pages().size(), pages);

    QSignalSpy progress(renderer.get(), &QL_GenerateSVG::progressUpdate);
    ScoreWriter writer(*renderer);
    const QString path = out(QStringLiteral("sub/folder/aria.pdf"));
    QVERIFY(writer.writePdf(path));
    QVERIFY(writer.failure().isEmpty());
    QCOMPARE(progress.first(), (QList<QVariant>{0, 0, pages, QStringLiteral("导出"), QStringLiteral("正在导出PDF文件···")}));
    QCOMPARE(progress.last(), (QList<QVariant>{2, pages, pages, QString(), QString()}));
    QCOMPARE(progress.size(), pages + 2);

    int status = -1;
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {path}, &status));
    QCOMPARE(status, 0);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+%1 pts").arg(size))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("游园")), qPrintable(info));

    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                                         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                         QStringLiteral("1"), QStringLiteral("-singlefile"), path, out(QStringLiteral("raster"))},
            &status);
    QCOMPARE(status, 0);
    const QImage raster(out(QStringLiteral("raster.png")));
    QVERIFY(!raster.isNull());
    QVERIFY2(inkShare(raster) > 0.005, "the PDF page rasterises blank");
}

void TestScoreWriter::pdfPageMatchesImagePage_data()
{
    QTest::addColumn<bool>("decorated");
    QTest::addRow("the score alone") << false;
    QTest::addRow("with page number, rules and frame") << true;
}

void TestScoreWriter::pdfPageMatchesImagePage()
{
    // The paper carries the page edge to edge: the PDF page rasterised and
    // the image writer's page at 96 dpi show the same score in the same place,
    // every mark of it, punctuation and spoken passages included, and the
    // frame, the rules and the page number when they are asked for.
    QFETCH(bool, decorated);
    config().setIsPageNumber(decorated);
    config().setIsColumnRule(decorated);
    config().setIsFrame(decorated);
    GcpFile::Texts aria;
    QCOMPARE(GcpFile::load(QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp"), &aria),
             GcpFile::LoadResult::Loaded);
    render(buildExportEntries(aria.lyric, aria.score));
    ScoreWriter writer(*renderer);
    const QString path = out(QStringLiteral("aria.pdf"));
    QVERIFY(writer.writePdf(path));
    // The PDF page is rasterised to exactly the image's pixels, so that the
    // two are compared at one scale.
    const QImage fromWriter = writer.pageImage(0, 96, QStringLiteral("png"));
    int status = -1;
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-scale-to-x"), QString::number(fromWriter.width()),
                                         QStringLiteral("-scale-to-y"), QString::number(fromWriter.height()),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), path,
                                         out(QStringLiteral("pdfpage"))},
            &status);
    QCOMPARE(status, 0);
    const QImage fromPdf(out(QStringLiteral("pdfpage.png")));
    QVERIFY(!fromPdf.isNull());
    QVERIFY(qAbs(fromPdf.width() - fromWriter.width()) <= 1);
    QVERIFY(qAbs(fromPdf.height() - fromWriter.height()) <= 1);

    const QRect a = inkBox(fromPdf);
    const QRect b = inkBox(fromWriter);
    QVERIFY(!a.isEmpty());
    // The frame stands in the margins, around everything else.
    const int margin = 25 * 96 / 72;
    QCOMPARE(b.left() < margin && b.top() < margin && b.bottom() > fromWriter.height() - margin, decorated);
    const auto near = [](int x, int y) { return qAbs(x - y) <= 3; };
    QVERIFY2(near(a.left(), b.left()) && near(a.top(), b.top()) && near(a.right(), b.right())
                 && near(a.bottom(), b.bottom()),
             qPrintable(QStringLiteral("PDF ink %1,%2 %3x%4, image ink %5,%6 %7x%8")
                            .arg(a.x()).arg(a.y()).arg(a.width()).arg(a.height())
                            .arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height())));
    const QImage opaque = fromWriter.convertToFormat(QImage::Format_RGB32);
    const int difference = largestBlockDifference(fromPdf.copy(QRect(QPoint(0, 0), opaque.size())), opaque);
    QVERIFY2(difference < 60, qPrintable(QStringLiteral("blocks differ by %1 grey levels").arg(difference)));
}

void TestScoreWriter::pdfFuzzyPageSize()
{
    config().setPageSizeId(QPageSize::Custom);
    config().setPageWidth(596);
    config().setPageHeight(841);
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    const QString path = out(QStringLiteral("near-a4.pdf"));
    QVERIFY(writer.writePdf(path));
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {path}));
    QVERIFY2(info.contains(QStringLiteral("595 x 842 pts")), qPrintable(info));
    QCOMPARE(writer.pageImage(0, 300, QStringLiteral("png")).size(), QSize(2480, 3508));
}

void TestScoreWriter::pdfFollowsLastRendering()
{
    // The PDF holds the pages the last rendering made: after a preview, the
    // first page and the start of the second, not a stale full rendering.
    render(ariaEntries(5));
    renderer->reset();
    renderer->generate(ariaEntries(4), true);
    QCOMPARE(renderer->pages().size(), 2);
    ScoreWriter writer(*renderer);
    const QString path = out(QStringLiteral("preview.pdf"));
    QVERIFY(writer.writePdf(path));
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {path}));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
}

void TestScoreWriter::pdfRefusedTargetKeepsOldFile()
{
    // A target that exists but cannot be opened for writing: a folder.
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    const QString path = out(QStringLiteral("taken.pdf"));
    QVERIFY(QDir().mkpath(path));
    QVERIFY(!writer.writePdf(path));
    QCOMPARE(writer.failure().title, QStringLiteral("错误"));
    QCOMPARE(writer.failure().text, QStringLiteral("文件无写入权限或文件已被占用!"));
    QVERIFY(QFileInfo(path).isDir());
}

void TestScoreWriter::pdfUnwritableFolderIsFailure()
{
    // A folder that cannot be created, because a file stands in its way: the
    // PDF cannot be written, and that is no success.
    render(ariaEntries());
    QFile blocker(out(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScoreWriter writer(*renderer);
    QVERIFY(!writer.writePdf(out(QStringLiteral("blocker/aria.pdf"))));
    QCOMPARE(writer.failure().text, QStringLiteral("文件无写入权限或文件已被占用!"));
}

void TestScoreWriter::imageSizes_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("points");
    // A4 is 210 × 297 mm: its pixels come from the millimetres, not from the
    // 595 × 842 whole points that stand for it.
    const QSize a4(595, 842);
    QTest::addRow("level 0: 96 dpi") << 0 << false << QSize(794, 1123) << a4;
    QTest::addRow("level 1: 160 dpi") << 1 << false << QSize(1323, 1871) << a4;
    QTest::addRow("level 2: 300 dpi") << 2 << false << QSize(2480, 3508) << a4;
    QTest::addRow("level 2 landscape") << 2 << true << QSize(3508, 2480) << a4;
    QTest::addRow("level 3: 600 dpi") << 3 << false << QSize(4961, 7016) << a4;
    QTest::addRow("A5 at 300 dpi") << 2 << false << QSize(1748, 2480) << QSize(420, 595);
    QTest::addRow("custom size, no standard near") << 2 << false << QSize(2083, 2917) << QSize(500, 700);
    QTest::addRow("unknown level: 96 dpi") << 7 << false << QSize(794, 1123) << a4;
}

void TestScoreWriter::imageSizes()
{
    QFETCH(int, level);
    QFETCH(bool, landscape);
    QFETCH(QSize, size);
    QFETCH(QSize, points);
    config().setPageSizeId(QPageSize::Custom);
    config().setPageWidth(points.width());
    config().setPageHeight(points.height());
    config().setIsLandscape(landscape);
    render(ariaEntries());
    const QImage image = ScoreWriter(*renderer).pageImage(0, ScoreWriter::dpiForLevel(level), QStringLiteral("jpg"));
    QCOMPARE(image.size(), size);
}

void TestScoreWriter::imageResolution_data()
{
    QTest::addColumn<QString>("ext");
    QTest::addColumn<int>("level");
    for (const char *ext : {"png", "jpg"}) {
        QTest::addRow("%s at 160 dpi", ext) << QString::fromLatin1(ext) << 1;
        QTest::addRow("%s at 300 dpi", ext) << QString::fromLatin1(ext) << 2;
    }
}

void TestScoreWriter::imageResolution()
{
    // A page made for 300 dpi says so: a viewer or a printer shows it at its
    // paper's size, not at a screen's 96 dpi.
    QFETCH(QString, ext);
    QFETCH(int, level);
    config().setPageSizeId(QPageSize::Custom);
    config().setPageWidth(150);
    config().setPageHeight(200);
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    QVERIFY(writer.writeImages(fixture->dir.path(), level, ext));
    const QImage image(out(QStringLiteral("游园_%1/游园_0.%1").arg(ext)));
    const int dpi = ScoreWriter::dpiForLevel(level);
    QCOMPARE(image.size(), ScoreWriter::pagePixelSize(config(), dpi));
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), dpi);
    QCOMPARE(qRound(image.dotsPerMeterY() * 0.0254), dpi);
}

void TestScoreWriter::imageBackground_data()
{
    QTest::addColumn<QString>("ext");
    QTest::addColumn<bool>("transparentPage");
    QTest::addColumn<QColor>("corner");
    const QColor paper(QStringLiteral("#f5e6c8"));
    QTest::addRow("jpg, transparent page: background colour") << "jpg" << true << paper;
    QTest::addRow("jpg, page with background") << "jpg" << false << paper;
    QTest::addRow("png, transparent page: transparent") << "png" << true << QColor(Qt::transparent);
    QTest::addRow("png, page with background") << "png" << false << paper;
}

void TestScoreWriter::imageBackground()
{
    QFETCH(QString, ext);
    QFETCH(bool, transparentPage);
    QFETCH(QColor, corner);
    config().setBackgroundColor(QColor(QStringLiteral("#f5e6c8")));
    config().setIsBgTransparent(transparentPage);
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    QVERIFY(writer.writeImages(fixture->dir.path(), 0, ext.toUpper()));

    const QString file = out(QStringLiteral("游园_%1/游园_0.%1").arg(ext));
    QImageReader reader(file);
    QCOMPARE(reader.format(), ext == QLatin1String("jpg") ? QByteArray("jpeg") : QByteArray("png"));
    const QImage image = reader.read();
    QVERIFY(!image.isNull());
    const QColor pixel = image.pixelColor(2, 2);
    if (corner.alpha() == 0) {
        QCOMPARE(pixel.alpha(), 0);
    } else {
        QCOMPARE(pixel.alpha(), 255);
        // JPEG may move a channel by a step or two.
        QVERIFY2(qAbs(pixel.red() - corner.red()) <= 3 && qAbs(pixel.green() - corner.green()) <= 3
                     && qAbs(pixel.blue() - corner.blue()) <= 3,
                 qPrintable(pixel.name()));
    }
    QVERIFY(inkShare(image.convertToFormat(QImage::Format_RGB32)) > 0.005);
}

void TestScoreWriter::pngIsCompressedLosslessly()
{
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    const QString file = out(QStringLiteral("page.png"));
    QVERIFY(writer.writeImageFile(0, file, 96, QStringLiteral("png")));
    const QImage expected = writer.pageImage(0, 96, QStringLiteral("png"));
    const QImage written(file);
    QCOMPARE(written.convertToFormat(expected.format()), expected);
    // An uncompressed A4 page at 96 dpi takes over 3 MB.
    QVERIFY2(QFileInfo(file).size() < expected.sizeInBytes() / 4,
             qPrintable(QString::number(QFileInfo(file).size())));
}

void TestScoreWriter::imagePixelsAsPaintedStraight_data()
{
    // The PNG rows cover each pixel format the file can be written in: grey,
    // palette, RGB and RGBA (the colour type of the file's header).
    QTest::addColumn<QString>("ext");
    QTest::addColumn<bool>("transparentPage");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("blackMarks");
    QTest::addColumn<int>("colourType");
    const QColor paper(QStringLiteral("#f5e6c8"));
    QTest::addRow("png, clear page, black ink: palette") << "png" << true << paper << true << 3;
    QTest::addRow("png, white page, black ink: grey") << "png" << false << QColor(Qt::white) << true << 0;
    QTest::addRow("png, paper-coloured page: RGB") << "png" << false << paper << false << 2;
    QTest::addRow("png, clear page, black and orange ink: RGBA") << "png" << true << paper << false << 6;
    QTest::addRow("jpg") << "jpg" << false << paper << false << -1;
}

void TestScoreWriter::imagePixelsAsPaintedStraight()
{
    // Pages are painted premultiplied and converted for the file: every pixel
    // must be the one painting straight into ARGB32 gives, the antialiased
    // edges of the glyphs on a transparent page included; a PNG file read
    // back holds exactly those pixels.
    QFETCH(QString, ext);
    QFETCH(bool, transparentPage);
    QFETCH(QColor, background);
    QFETCH(bool, blackMarks);
    QFETCH(int, colourType);
    config().setBackgroundColor(background);
    config().setIsBgTransparent(transparentPage);
    if (blackMarks) {
        config().setBanColor(Qt::black);
        config().setZhongYanColor(Qt::black);
    }
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    const QImage page = writer.pageImage(0, 96, ext);

    QImage straight(ScoreWriter::pagePixelSize(config(), 96), QImage::Format_ARGB32);
    straight.fill(ext == QLatin1String("png") ? QColor(Qt::transparent) : config().backgroundColor());
    QSvgRenderer svg(renderer->pages().at(0));
    QPainter painter(&straight);
    svg.render(&painter, QRectF(straight.rect()));
    painter.end();
    QVERIFY(inkShare(straight.convertToFormat(QImage::Format_RGB32)) > 0.001);
    QCOMPARE(page.convertToFormat(QImage::Format_ARGB32), straight);
    if (ext != QLatin1String("png"))
        return;

    const QString file = out(QStringLiteral("page.png"));
    QVERIFY(writer.writeImageFile(0, file, 96, ext));
    QCOMPARE(GcpTestFiles::fileBytes(file).mid(25, 1).at(0), char(colourType));
    QImageReader reader(file);
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), straight);
}

void TestScoreWriter::imagePagesWrittenInParallel()
{
    // Pages painted and encoded side by side land each in its own file, and
    // progress still counts them in page order.
    render(ariaEntries(7));
    const int pages = int(renderer->pages().size());
    QCOMPARE(pages, 7);
    ScoreWriter writer(*renderer);
    QSignalSpy progress(renderer.get(), &QL_GenerateSVG::progressUpdate);
    QVERIFY(writer.writeImages(fixture->dir.path(), 0, QStringLiteral("png")));
    QList<int> counted;
    for (const QList<QVariant> &update : progress) {
        if (update.at(0).toInt() == 1)
            counted.append(update.at(1).toInt());
    }
    QCOMPARE(counted, QList<int>({1, 2, 3, 4, 5, 6, 7}));
    for (int i = 0; i < pages; ++i) {
        const QImage written(out(QStringLiteral("游园_png/游园_%1.png").arg(i)));
        const QImage expected = writer.pageImage(i, ScoreWriter::dpiForLevel(0), QStringLiteral("png"));
        QCOMPARE(written.convertToFormat(expected.format()), expected);
    }

    // The files of the command line: all pages, or none replaced.
    QStringList paths;
    for (int i = 0; i < pages; ++i)
        paths.append(out(QStringLiteral("cli_%1.jpg").arg(i)));
    QVERIFY(writer.writeImageFiles(paths, 96, QStringLiteral("jpg")));
    for (int i = 0; i < pages; ++i)
        QVERIFY2(!QImage(paths.at(i)).isNull(), qPrintable(paths.at(i)));
}

void TestScoreWriter::imageFoldersNeverReused()
{
    // Without title line or tune name the files take the default title.
    render(buildExportEntries(QStringLiteral("原来\n@分页符\n姹紫"), notation({gong}) + "\n" + notation({gong})));
    ScoreWriter writer(*renderer);
    QSignalSpy progress(renderer.get(), &QL_GenerateSVG::progressUpdate);
    QVERIFY(writer.writeImages(fixture->dir.path(), 0, QStringLiteral("png")));
    QVERIFY(writer.writeImages(fixture->dir.path(), 0, QStringLiteral("png")));
    QVERIFY(writer.writeImages(fixture->dir.path(), 0, QStringLiteral("png")));
    const QString title = QL_GenerateSVG::defaultTitle;
    QCOMPARE(renderer->documentTitle(), title);
    QCOMPARE(QDir(fixture->dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{title + "_png", title + "_png_0", title + "_png_1"}));
    QCOMPARE(QDir(out(title + "_png_0")).entryList(QDir::Files),
             (QStringList{title + "_0.png", title + "_1.png"}));
    QCOMPARE(progress.first(), (QList<QVariant>{0, 0, 2, QStringLiteral("导出"), QStringLiteral("正在导出png文件···")}));
}

void TestScoreWriter::imageFailures()
{
    render(ariaEntries());
    ScoreWriter writer(*renderer);

    // A folder name longer than the file system allows cannot be created.
    renderer->setDocumentTitle(QString(90, QChar(u'长')));
    QVERIFY(!writer.writeImages(fixture->dir.path(), 0, QStringLiteral("png")));
    QCOMPARE(writer.failure().title, QStringLiteral("提示"));
    QCOMPARE(writer.failure().text, QStringLiteral("创建目录失败"));

    // The folder fits, the page file's longer name does not.
    renderer->setDocumentTitle(QString(250, QChar(u'a')));
    QSignalSpy progress(renderer.get(), &QL_GenerateSVG::progressUpdate);
    QVERIFY(!writer.writeImages(fixture->dir.path(), 0, QStringLiteral("png")));
    QCOMPARE(writer.failure().title, QStringLiteral("提示"));
    QCOMPARE(writer.failure().text, QStringLiteral("导出图片失败！"));
    QCOMPARE(progress.last(), (QList<QVariant>{2, 1, 1, QString(), QString()}));

    // A target folder that cannot be made is passed over without a box.
    QFile blocker(out(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!writer.writeImages(out(QStringLiteral("blocker/images")), 0, QStringLiteral("png")));
    QVERIFY(writer.failure().title.isEmpty());
    QVERIFY(!writer.failure().text.isEmpty());
}

void TestScoreWriter::svgFolder()
{
    render(buildExportEntries(QStringLiteral("原来\n@分页符\n姹紫"), notation({gong}) + "\n" + notation({gong})));
    ScoreWriter writer(*renderer);
    QVERIFY(writer.writeSvg(fixture->dir.path()));
    QVERIFY(writer.writeSvg(fixture->dir.path()));

    const QString title = QL_GenerateSVG::defaultTitle;
    const QString family = config().scoreFont().family();
    QCOMPARE(family, QStringLiteral("Qelun工尺谱康熙字体"));
    const QDir folder(out(title + "_svg"));
    QVERIFY(QDir(out(title + "_svg_0")).exists());
    QStringList files = folder.entryList(QDir::Files);
    files.sort();
    QStringList expected{family + ".ttf", title + "_0.svg", title + "_1.svg", QStringLiteral("说明文件.txt")};
    expected.sort();
    QCOMPARE(files, expected);

    QFile page(folder.filePath(title + "_1.svg"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), renderer->pages().at(1));

    QFile font(folder.filePath(family + ".ttf"));
    QFile resource(QStringLiteral(":/resources/fonts/mevto.ttf"));
    QVERIFY(font.open(QIODevice::ReadOnly));
    QVERIFY(resource.open(QIODevice::ReadOnly));
    QCOMPARE(font.readAll(), resource.readAll());

    // The readme names the font file that is there.
    QFile readme(folder.filePath(QStringLiteral("说明文件.txt")));
    QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromUtf8(readme.readAll()).trimmed(),
             QStringLiteral("Qelun工尺谱导出曲谱说明：SVG文件需要安装“%1.ttf”才能正常显示。").arg(family));
}

void TestScoreWriter::svgPagesRenderOutsideProgram()
{
    // Notation alone, so that the page shows nothing without the font.
    config().setLyricColor(Qt::white);
    render({sungEntry(QStringLiteral("工"), notation({gong, 0xF002B, 0xF002C, 0xF002B, 0xF002C}))});
    ScoreWriter writer(*renderer);
    QVERIFY(writer.writeSvg(fixture->dir.path()));
    const QDir folder(out(QL_GenerateSVG::defaultTitle + "_svg"));
    const QString page = folder.filePath(QL_GenerateSVG::defaultTitle + "_0.svg");

    // A private fontconfig with only the exported font, then none at all.
    const auto rasterise = [&](bool withFont, const QString &name) {
        const QString fontDir = out(name + "-fonts");
        QDir().mkpath(fontDir);
        if (withFont)
            QFile::copy(folder.filePath(config().scoreFont().family() + ".ttf"), fontDir + "/notation.ttf");
        QFile conf(out(name + "-fonts.conf"));
        if (!conf.open(QIODevice::WriteOnly))
            return QImage();
        conf.write(QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">"
                                  "<fontconfig><dir>%1</dir><cachedir>%2</cachedir></fontconfig>")
                       .arg(fontDir, out(name + "-cache"))
                       .toUtf8());
        conf.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FONTCONFIG_FILE"), conf.fileName());
        int status = -1;
        runTool(QStringLiteral("rsvg-convert"), {QStringLiteral("-b"), QStringLiteral("white"), page,
                                                 QStringLiteral("-o"), out(name + ".png")},
                &status, env);
        return status == 0 ? QImage(out(name + ".png")) : QImage();
    };
    const QImage withFont = rasterise(true, QStringLiteral("with"));
    const QImage without = rasterise(false, QStringLiteral("without"));
    QVERIFY(!withFont.isNull());
    QVERIFY(!without.isNull());
    QVERIFY2(inkShare(withFont) > 0.0001, "the notation does not show with the exported font");
    // Without the font a renderer draws boxes or nothing: another picture.
    QVERIFY(withFont != without);
}

void TestScoreWriter::svgFailures()
{
    render(ariaEntries());
    ScoreWriter writer(*renderer);

    renderer->setDocumentTitle(QString(90, QChar(u'长')));
    QVERIFY(!writer.writeSvg(fixture->dir.path()));
    QCOMPARE(writer.failure().title, QStringLiteral("错误"));
    QCOMPARE(writer.failure().text, QStringLiteral("创建目录失败!"));

    renderer->setDocumentTitle(QString(250, QChar(u'a')));
    QVERIFY(!writer.writeSvg(fixture->dir.path()));
    QCOMPARE(writer.failure().title, QStringLiteral("错误"));
    QCOMPARE(writer.failure().text, QStringLiteral("导出SVG文件失败!"));

    // The font's file name is too long: the export failed, and the folder it
    // began is gone with its pages.
    renderer->setDocumentTitle(QStringLiteral("游园"));
    QFont longFamily(QString(252, QChar(u'f')));
    config().setScoreFont(longFamily);
    QVERIFY(!writer.writeSvg(fixture->dir.path()));
    QCOMPARE(writer.failure().text, QStringLiteral("导出字体文件失败!"));
    QVERIFY(!QFileInfo::exists(out(QStringLiteral("游园_svg"))));
    // Nothing of the failed exports is left.
    QCOMPARE(QDir(fixture->dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

void TestScoreWriter::fullDiskLeavesNothingBehind_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<qint64>("keepFree");
    for (const char *format : {"pdf", "png", "jpg", "svg"}) {
        QTest::addRow("%s, disk full", format) << QString::fromLatin1(format) << qint64(0);
        QTest::addRow("%s, room for a part", format) << QString::fromLatin1(format) << qint64(12000);
    }
}

void TestScoreWriter::fullDiskLeavesNothingBehind()
{
    QFETCH(QString, format);
    QFETCH(qint64, keepFree);
    SmallDisk::Disk disk(2048);
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    render(ariaEntries(3));
    ScoreWriter writer(*renderer);
    const QString pdf = disk.filePath(QStringLiteral("score.pdf"));
    QVERIFY(GcpTestFiles::writeFile(pdf, "an earlier export"));
    QVERIFY(disk.fill(keepFree));
    const QStringList before = QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    bool written = true;
    if (format == QLatin1String("pdf"))
        written = writer.writePdf(pdf);
    else if (format == QLatin1String("svg"))
        written = writer.writeSvg(disk.path());
    else
        written = writer.writeImages(disk.path(), 3, format);
    QVERIFY(!written);
    QVERIFY(!writer.failure().isEmpty());
    QCOMPARE(GcpTestFiles::fileBytes(pdf), QByteArray("an earlier export"));
    QCOMPARE(QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void TestScoreWriter::readOnlyFolderKeepsOldPdf()
{
    SmallDisk::ReadOnlyFolder folder(QStringLiteral("score.pdf"), "an earlier export");
    QVERIFY(folder.isValid());
    render(ariaEntries());
    ScoreWriter writer(*renderer);
    const QString path = folder.filePath();
    QCOMPARE(folder.runAsUser([&writer, &path] {
                 return !writer.writePdf(path)
                        && writer.failure().text == QStringLiteral("文件无写入权限或文件已被占用!");
             }),
             1);
    QCOMPARE(GcpTestFiles::fileBytes(path), QByteArray("an earlier export"));
}

void TestScoreWriter::charactersXmlCannotCarryAreDropped_data()
{
    QTest::addColumn<QString>("noise");
    // Whether the characters also go into the lyric text (else only into the
    // notation): the line grammar's patterns match no line holding a lone
    // surrogate.
    QTest::addColumn<bool>("inLyric");
    QTest::addRow("U+0001") << QString(QChar(0x0001)) << true;
    QTest::addRow("U+001F and U+000B") << QStringLiteral("\x1F\x0B") << true;
    QTest::addRow("U+FFFE") << QString(QChar(0xFFFE)) << true;
    QTest::addRow("U+FFFF") << QString(QChar(0xFFFF)) << true;
    QTest::addRow("U+0000") << QString(QChar(0x0000)) << true;
    QTest::addRow("lone high surrogate") << QString(QChar(0xD800)) << false;
    QTest::addRow("lone low surrogate") << QString(QChar(0xDC00)) << false;
}

void TestScoreWriter::charactersXmlCannotCarryAreDropped()
{
    QFETCH(QString, noise);
    QFETCH(bool, inLyric);
    const QList<ExportEntry> clean = ariaEntries();
    render(clean);
    const QList<QByteArray> cleanPages = renderer->pages();

    // The same score with the characters in its title, its sung line and its
    // notation. (A tune name holding one is no tune-name line any more.)
    const QString lyricNoise = inLyric ? noise : QString();
    QString lyric = QStringLiteral("# 游") + lyricNoise + QStringLiteral("园\n【皂罗袍】(仙吕)\n原来姹紫")
                    + lyricNoise + QStringLiteral("嫣红开遍\n");
    QString score;
    for (int i = 0; i < 8; ++i)
        score += notation({gong, ban}) + noise + notation({0xF002B, 0xF0004}) + QLatin1Char('\n');
    render(buildExportEntries(lyric, score));

    QCOMPARE(renderer->pages().size(), cleanPages.size());
    for (const QByteArray &page : renderer->pages()) {
        QXmlStreamReader xml(page);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }
    QCOMPARE(renderer->pages(), cleanPages);

    ScoreWriter writer(*renderer);
    const QImage image = writer.pageImage(0, 96, QStringLiteral("jpg"));
    QVERIFY(inkShare(image) > 0.001);
}

void TestScoreWriter::fontFamiliesAreWrittenAsXml()
{
    const QString family = QStringLiteral("Kai & Song <\"Regular\"> \x01");
    config().setTitleFont(QFont(family));
    config().setLyricFont(QFont(family));
    render(ariaEntries());
    QStringList seen;
    for (const QByteArray &page : renderer->pages()) {
        QXmlStreamReader xml(page);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.attributes().hasAttribute("font-family"))
                seen.append(xml.attributes().value("font-family").toString());
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }
    // The name as it stands, less what XML cannot carry.
    QVERIFY(seen.contains(QStringLiteral("Kai & Song <\"Regular\"> ")));
    ScoreWriter writer(*renderer);
    QVERIFY(inkShare(writer.pageImage(0, 96, QStringLiteral("jpg"))) > 0.001);
}

QTEST_MAIN(TestScoreWriter)
#include "tst_scorewriter.moc"
