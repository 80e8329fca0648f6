#include "qttranslation.h"

#include "interfacelanguage.h"
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

QLocale QtTranslation::interfaceLocale()
{
    return InterfaceLanguage::locale(InterfaceLanguage::current());
}

bool QtTranslation::install(QCoreApplication &app)
{
    QLocale::setDefault(interfaceLocale());
    const QString language = InterfaceLanguage::current();
    // The program's own texts; Simplified Chinese is what the code holds.
    if (language != QLatin1String("zh_CN")) {
        auto *own = new QTranslator(&app);
        if (own->load(QStringLiteral(":/i18n/qelun_") + language))
            app.installTranslator(own);
        else
            delete own;
    }
    // Qt's texts are English already.
    if (language == QLatin1String("en"))
        return true;
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString name = QStringLiteral("qtbase_") + language;
    if (!translator->load(name, folder)) {
        qDebug().noquote() << QStringLiteral("Qt's translation %1 is missing from").arg(name) << folder;
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    if (language != QLatin1String("zh_CN"))
        return true;
    return app.installTranslator(new QtGapTranslator(&app));
}
