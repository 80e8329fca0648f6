#include "exportconfig.h"
#include "pagecompare.h"
#include "ql_generatesvg.h"
#include "renderfixture.h"
#include "scoreprinter.h"
#include "scorewriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

const char32_t gong = 0xF002C;
const char32_t ban = 0xF0000;

// A short aria of the given number of pages.
QList<ExportEntry> ariaEntries(int pages)
{
    QList<ExportEntry> entries{lineEntry(0, QStringLiteral("# 游园")), lineEntry(4, QStringLiteral("【皂罗袍】(仙吕)"))};
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            entries.append(lineEntry(7, QStringLiteral("@分页符")));
        entries.append(sungEntry(QStringLiteral("原来姹紫嫣红开遍"), notation({gong, ban, 0xF002B, 0xF0004})));
        entries.append(lineEntry(3, QStringLiteral("= 不到园林，怎知春色如许！")));
    }
    return entries;
}

QString pdfInfo(const QString &path)
{
    return QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {path}));
}

// Page `page` of a PDF file rasterised to the given pixels.
QImage rasterise(const QString &path, int page, const QSize &size, const QString &stem)
{
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-scale-to-x"), QString::number(size.width()), QStringLiteral("-scale-to-y"),
             QString::number(size.height()), QStringLiteral("-png"), QStringLiteral("-singlefile"), path, stem});
    return QImage(stem + QStringLiteral(".png"));
}

} // namespace

// Printing, checked on a printer that prints to a PDF file: its pages are
// those of the PDF writer.
class TestScorePrinter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void printedPagesMatchPdfWriter_data();
    void printedPagesMatchPdfWriter();
    void otherPaperKeepsPageShape();
    void printToFileStartsInTheDocumentsFolder();

private:
    QString out(const QString &name) const { return QDir(fixture->dir.path()).filePath(name); }

    std::unique_ptr<RenderFixture> fixture;
};

void TestScorePrinter::init()
{
    fixture = std::make_unique<RenderFixture>();
    QVERIFY(fixture->dir.isValid());
}

void TestScorePrinter::cleanup()
{
    fixture.reset();
}

void TestScorePrinter::printedPagesMatchPdfWriter_data()
{
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("paper");
    QTest::addRow("A4 portrait") << int(QPageSize::A4) << false << 1 << "595 x 842";
    QTest::addRow("A5 landscape") << int(QPageSize::A5) << true << 1 << "595 x 420";
    QTest::addRow("B4, three pages") << int(QPageSize::B4) << false << 3 << "709 x 1001";
}

void TestScorePrinter::printedPagesMatchPdfWriter()
{
    QFETCH(int, pageSize);
    QFETCH(bool, landscape);
    QFETCH(int, pages);
    QFETCH(QString, paper);
    ExportConfig &config = *fixture->config;
    config.setPageSizeId(static_cast<QPageSize::PageSizeId>(pageSize));
    config.setIsLandscape(landscape);
    QL_GenerateSVG renderer(config);
    renderer.reset();
    renderer.generate(ariaEntries(pages), false);
    QCOMPARE(renderer.pages().size(), pages);

    const QString written = out(QStringLiteral("written.pdf"));
    QVERIFY(ScoreWriter(renderer).writePdf(written));

    QPrinter printer(QPrinter::HighResolution);
    ScorePrinter::preparePrinter(printer, config);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out(QStringLiteral("printed.pdf")));
    QSignalSpy progress(&renderer, &QL_GenerateSVG::progressUpdate);
    QVERIFY(ScorePrinter(renderer).print(printer));
    QCOMPARE(progress.first(), (QList<QVariant>{0, 0, pages, QStringLiteral("打印"), QStringLiteral("正在打印···")}));
    QCOMPARE(progress.last(), (QList<QVariant>{2, pages, pages, QString(), QString()}));
    QCOMPARE(progress.size(), pages + 2);

    const QString info = pdfInfo(out(QStringLiteral("printed.pdf")));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+%1 pts").arg(paper))), qPrintable(info));
    QVERIFY2(pdfInfo(written).contains(QRegularExpression(QStringLiteral("Page size:\\s+%1 pts").arg(paper))),
             qPrintable(pdfInfo(written)));

    const QSize pixels = ScoreWriter::pagePixelSize(config, 72);
    for (int page = 1; page <= pages; ++page) {
        const QImage a = rasterise(written, page, pixels, out(QStringLiteral("w%1").arg(page)));
        const QImage b = rasterise(out(QStringLiteral("printed.pdf")), page, pixels, out(QStringLiteral("p%1").arg(page)));
        QVERIFY(!a.isNull());
        QCOMPARE(a.size(), b.size());
        QVERIFY2(!inkBox(a).isEmpty(), "the page is blank");
        const int difference = largestBlockDifference(a, b);
        QVERIFY2(difference < 24, qPrintable(QStringLiteral("page %1 differs by %2 grey levels").arg(page).arg(difference)));
    }
}

void TestScorePrinter::otherPaperKeepsPageShape()
{
    // An A4 score printed on US Letter, as a user may choose in the print
    // dialog: the page is scaled as a whole and centred, not stretched.
    ExportConfig &config = *fixture->config;
    QL_GenerateSVG renderer(config);
    renderer.reset();
    renderer.generate(ariaEntries(1), false);
    const QString written = out(QStringLiteral("written.pdf"));
    QVERIFY(ScoreWriter(renderer).writePdf(written));

    QPrinter printer(QPrinter::HighResolution);
    ScorePrinter::preparePrinter(printer, config);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out(QStringLiteral("letter.pdf")));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    QVERIFY(ScorePrinter(renderer).print(printer));
    QVERIFY2(pdfInfo(out(QStringLiteral("letter.pdf"))).contains(QStringLiteral("612 x 792 pts")),
             qPrintable(pdfInfo(out(QStringLiteral("letter.pdf")))));

    const QImage a4 = rasterise(written, 1, QSize(595, 842), out(QStringLiteral("a4")));
    const QImage letter = rasterise(out(QStringLiteral("letter.pdf")), 1, QSize(612, 792), out(QStringLiteral("letter")));
    const QRect inkA4 = inkBox(a4);
    const QRect inkLetter = inkBox(letter);
    QVERIFY(!inkA4.isEmpty());
    QVERIFY(!inkLetter.isEmpty());
    const double s = 792.0 / 842.0;
    QVERIFY2(qAbs(inkLetter.width() - s * inkA4.width()) <= 3 && qAbs(inkLetter.height() - s * inkA4.height()) <= 3,
             qPrintable(QStringLiteral("A4 ink %1x%2, Letter ink %3x%4").arg(inkA4.width()).arg(inkA4.height())
                            .arg(inkLetter.width()).arg(inkLetter.height())));
    // Centred across: the margin of the paper left of the page is half the
    // width the page does not fill.
    const double offset = (612 - s * 595) / 2;
    QVERIFY(qAbs(inkLetter.left() - (offset + s * inkA4.left())) <= 3);
}

void TestScorePrinter::printToFileStartsInTheDocumentsFolder()
{
    // Qt's print dialog offers a file in the working folder only inside the
    // home folder: a home of the test's own.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(fixture->dir.path()));
    QVERIFY(QDir(fixture->dir.path()).mkdir(QStringLiteral("scores")));
    QVERIFY(QFile(out(QStringLiteral("scores/aria.gcp"))).open(QIODevice::WriteOnly));
    const QString workingFolder = QDir::currentPath();
    QString offered;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        offered = QApplication::activeModalWidget()->findChild<QLineEdit *>(QStringLiteral("filename"))->text();
        QMetaObject::invokeMethod(QApplication::activeModalWidget(), "reject", Qt::QueuedConnection);
    });
    QL_GenerateSVG renderer(*fixture->config);
    ScorePrinter(renderer).printDocument(nullptr, ariaEntries(1), out(QStringLiteral("scores/aria.gcp")));
    qputenv("HOME", home);
    QVERIFY2(offered.startsWith(out(QStringLiteral("scores/"))), qPrintable(offered));
    QCOMPARE(QDir::currentPath(), workingFolder);
}

QTEST_MAIN(TestScorePrinter)
#include "tst_scoreprinter.moc"
