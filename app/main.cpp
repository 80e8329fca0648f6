#include "batchexport.h"
#include "mainwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // "--export" runs the export without any window and ends with its status.
    const bool batchExport = BatchExport::isRequested(argc, argv);
    if (batchExport)
        BatchExport::prepareEnvironment();

    QApplication app(argc, argv);

    if (batchExport) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return BatchExport(out, err).run(QCoreApplication::arguments());
    }

    MainWindow window;
    window.show();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QFileInfo file(arguments.at(1));
        if (file.exists() && file.isFile())
            window.openFile(file.filePath());
    }

    return app.exec();
}
