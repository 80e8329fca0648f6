#include "mainwindow.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

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
