#include "scoreprinter.h"

#include "exportconfig.h"
#include "pageddevicetarget.h"
#include "ql_generatesvg.h"
#include "recentfolders.h"
#include "scorewriter.h"

#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QCoreApplication>
#include <QDir>

ScorePrinter::ScorePrinter(QL_GenerateSVG &renderer)
    : m_renderer(renderer)
{
}

void ScorePrinter::preparePrinter(QPrinter &printer, const ExportConfig &config)
{
    // Fonts are sized in points on the pages: at 72 dots per inch a point is
    // one device unit, as on the PDF writer's pages.
    printer.setResolution(72);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(ScoreWriter::paperSize(config),
                                      config.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
}

bool ScorePrinter::print(QPrinter &printer)
{
    const int n = m_renderer.pageCount();
    emit m_renderer.progressUpdate(0, 0, n, QCoreApplication::translate("ScorePrinter", "打印"), QCoreApplication::translate("ScorePrinter", "正在打印···"));
    // The print dialog may have changed the paper: the pages are stretched
    // onto whatever paper the printer has now, and the resolution is set
    // again in case the printer was switched.
    printer.setResolution(72);
    printer.setFullPage(true);
    PagedDeviceTarget target(printer, m_renderer, n);
    const bool painted = m_renderer.paintPages(target);
    emit m_renderer.progressUpdate(2, n, n, QString(), QString());
    return painted;
}

QString ScorePrinter::documentName(const QList<ExportEntry> &entries)
{
    const QString title = scoreTitle(entries);
    return title.isEmpty() ? QL_GenerateSVG::defaultTitle : title;
}

ScorePrinter::Result ScorePrinter::printDocument(QWidget *parent, const QList<ExportEntry> &entries,
                                                 const QString &documentPath)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, m_renderer.config());
    // The job's name, the suggested file name of a print to a file and the
    // title of that PDF.
    printer.setDocName(documentName(entries));
    // Qt's print dialog suggests a file in the working folder (inside the
    // home folder) as it is made, and naming a file beforehand would make it
    // print to that file rather than to a printer: the working folder is the
    // suggested one while the dialog is made.
    const RecentFolders folders(m_renderer.config().settingsPath());
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(folders.startPath(RecentFolders::Kind::Print, documentPath));
    QPrintDialog dialog(&printer, parent);
    QDir::setCurrent(previousFolder);
    dialog.setWindowTitle(QCoreApplication::translate("ScorePrinter", "打印"));
    // Pages are painted in one pass from the layout; a range of them cannot
    // be picked out of it.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return Result::Cancelled;
    if (!printer.outputFileName().isEmpty())
        folders.remember(RecentFolders::Kind::Print, printer.outputFileName());

    m_renderer.reset();
    m_renderer.generate(entries, false);
    if (!print(printer)) {
        QMessageBox::warning(nullptr, QCoreApplication::translate("ScorePrinter", "错误"), QCoreApplication::translate("ScorePrinter", "打印失败！"));
        return Result::Failed;
    }
    return Result::Printed;
}
