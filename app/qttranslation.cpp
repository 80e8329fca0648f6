#include "qttranslation.h"

#include "qtgaptranslator.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

void QtTranslation::prepareLocale()
{
    // Qt reads the system locale from LC_ALL, LC_TIME, … once, at its first
    // use, and keeps it. It is read here under the interface's locale, and
    // the environment is put back before the application object hands it to
    // the C library (and before any program started from here sees it).
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray saved = qgetenv("LC_ALL");
    qputenv("LC_ALL", interfaceLocale().name().toLatin1() + ".UTF-8");
    QLocale::system();
    if (wasSet)
        qputenv("LC_ALL", saved);
    else
        qunsetenv("LC_ALL");
    QLocale::setDefault(interfaceLocale());
}

bool QtTranslation::install(QCoreApplication &app)
{
    QLocale::setDefault(interfaceLocale());
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        qDebug().noquote() << QStringLiteral("Qt's Chinese translation qtbase_zh_CN is missing from") << folder;
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return app.installTranslator(new QtGapTranslator(&app));
}
