#include "scoreprinter.h"

#include "exportconfig.h"
#include "pageddevicetarget.h"
#include "ql_generatesvg.h"
#include "scorewriter.h"

#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QCoreApplication>

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
    const int n = int(m_renderer.pages().size());
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

ScorePrinter::Result ScorePrinter::printDocument(QWidget *parent, const QList<ExportEntry> &entries)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, m_renderer.config());
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QCoreApplication::translate("ScorePrinter", "打印"));
    // Pages are painted in one pass from the layout; a range of them cannot
    // be picked out of it.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return Result::Cancelled;

    m_renderer.reset();
    m_renderer.generate(entries, false);
    if (!print(printer)) {
        QMessageBox::warning(nullptr, QCoreApplication::translate("ScorePrinter", "错误"), QCoreApplication::translate("ScorePrinter", "打印失败！"));
        return Result::Failed;
    }
    return Result::Printed;
}
