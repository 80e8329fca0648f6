#include "interfacelanguage.h"

#include "filelocations.h"
#include "settingswriter.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

const QString group = QStringLiteral("Interface");
const QString key = QStringLiteral("language");

QString settingsPath()
{
    return FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config);
}

} // namespace

QStringList InterfaceLanguage::available()
{
    return {QStringLiteral("zh_CN"), QStringLiteral("zh_TW"), QStringLiteral("en")};
}

QString InterfaceLanguage::nativeName(const QString &code)
{
    if (code == QLatin1String("zh_TW"))
        return QStringLiteral("繁體中文");
    if (code == QLatin1String("en"))
        return QStringLiteral("English");
    return QStringLiteral("简体中文");
}

QString InterfaceLanguage::chosen()
{
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    const QString code = settings.value(group + QLatin1Char('/') + key).toString();
    return available().contains(code) ? code : QString();
}

bool InterfaceLanguage::choose(const QString &code)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.beginGroup(group);
    return SettingsWriter::write(settings, {{key, available().contains(code) ? code : QString()}});
}

QStringList InterfaceLanguage::systemLanguages(const QProcessEnvironment &environment)
{
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    // "zh_TW.UTF-8@variant" → "zh_TW".
    const auto bare = [](QString name) {
        name = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        return name;
    };
    locale = bare(locale);
    // In the C locale GNU gettext ignores LANGUAGE, and so does this.
    if (locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX"))
        return {};
    QStringList languages;
    for (const QString &entry : environment.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        languages.append(bare(entry));
    languages.append(locale);
    return languages;
}

QString InterfaceLanguage::match(const QStringList &languages)
{
    for (const QString &language : languages) {
        const QLocale locale(language);
        if (locale.language() == QLocale::English)
            return QStringLiteral("en");
        if (locale.language() == QLocale::Chinese) {
            // zh_TW, zh_HK, zh_MO and zh_Hant are written in the traditional
            // characters; zh, zh_CN and zh_SG in the simplified ones.
            const bool traditional = locale.script() == QLocale::TraditionalChineseScript
                                     || language.contains(QLatin1String("Hant"))
                                     || language.endsWith(QLatin1String("TW")) || language.endsWith(QLatin1String("HK"))
                                     || language.endsWith(QLatin1String("MO"));
            return traditional ? QStringLiteral("zh_TW") : QStringLiteral("zh_CN");
        }
    }
    return QStringLiteral("zh_CN");
}

QString InterfaceLanguage::current()
{
    // Asked for once per run: the interface does not change language under
    // the user's hands, and the system locale is read before Qt fixes it.
    static const QString language = [] {
        const QString chosenLanguage = chosen();
        return chosenLanguage.isEmpty() ? match(systemLanguages(QProcessEnvironment::systemEnvironment()))
                                        : chosenLanguage;
    }();
    return language;
}

QLocale InterfaceLanguage::locale(const QString &code)
{
    if (code == QLatin1String("zh_TW"))
        return QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
    if (code == QLatin1String("en"))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(QLocale::Chinese, QLocale::China);
}
