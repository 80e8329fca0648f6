#include "qttranslation.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

bool QtTranslation::install(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        qDebug().noquote() << QStringLiteral("Qt's Chinese translation qtbase_zh_CN is missing from") << folder;
        delete translator;
        return false;
    }
    return app.installTranslator(translator);
}
