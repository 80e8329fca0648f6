#include "batchexport.h"
#include "commandline.h"
#include "mainwindow.h"
#include "parentconsole.h"
#include "qttranslation.h"
#include "singleinstance.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("qelun"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QELUN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QELUN_APP_ID));

    // Qt's dialogs take their dates and numbers from the locale read here.
    QtTranslation::prepareLocale();

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine commandLine;

    // Help, version and a wrong command line need no display.
    const CommandLine::Mode mode = commandLine.parse(argumentsOf(argc, argv));
    if (!CommandLine::needsGui(mode) || mode == CommandLine::Mode::Export)
        ParentConsole::attach();
    if (!CommandLine::needsGui(mode)) {
        QCoreApplication app(argc, argv);
        QtTranslation::install(app);
        // Again, with the options described in the interface's language.
        CommandLine translated;
        translated.parse(QCoreApplication::arguments());
        return translated.answer(out, err);
    }

    // The export runs without any window.
    if (commandLine.mode() == CommandLine::Mode::Export)
        BatchExport::prepareEnvironment();

    QApplication app(argc, argv);
    QtTranslation::install(app);
    // The application object has taken Qt's own options out by now.
    switch (commandLine.parse(QCoreApplication::arguments())) {
    case CommandLine::Mode::Export:
        return BatchExport(out, err, ParentConsole::stderrIsTerminal()).run(commandLine.parser());
    case CommandLine::Mode::Window:
        break;
    default:
        return commandLine.answer(out, err);
    }

    // One window per user and display: a window already open takes the
    // files, and this start ends.
    SingleInstance instance(SingleInstance::defaultName());
    if (instance.handOver(commandLine.documentPaths()))
        return 0;
    instance.listen();

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::filesReceived, &window, &MainWindow::openHandedOverFiles);
    window.show();
    window.openFiles(commandLine.documentPaths());
    return app.exec();
}
