#ifndef SCOREPRINTER_H
#define SCOREPRINTER_H

#include "exportentry.h"

#include <QList>

class ExportConfig;
class QL_GenerateSVG;
class QPrinter;
class QWidget;

// Prints a whole score: the pages are painted straight from the layout, as
// the PDF writer paints them, on paper of the export options' page size and
// orientation.
class ScorePrinter
{
public:
    enum class Result { Printed, Cancelled, Failed };

    explicit ScorePrinter(QL_GenerateSVG &renderer);

    // Paper size and orientation of the options, no margins, one unit per
    // point, as the PDF writer sets up its file.
    static void preparePrinter(QPrinter &printer, const ExportConfig &config);

    // Prints the pages of the renderer's last rendering; false when the
    // printer could not be painted on.
    bool print(QPrinter &printer);

    // Asks for a printer with the print dialog, then renders the whole
    // document and prints it. A failure is shown in a warning box; a
    // cancelled dialog prints nothing.
    Result printDocument(QWidget *parent, const QList<ExportEntry> &entries);

private:
    QL_GenerateSVG &m_renderer;
};

#endif // SCOREPRINTER_H
