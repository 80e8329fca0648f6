#ifndef INTERFACELANGUAGE_H
#define INTERFACELANGUAGE_H

#include <QLocale>
#include <QProcessEnvironment>
#include <QStringList>

// The language of the interface: Simplified Chinese (the texts of the
// code), Traditional Chinese or English. It follows the system's language
// unless one is chosen in 设置 (group "Interface" of "settings.ini");
// a language the program has no texts for, and the C and POSIX locales,
// give Simplified Chinese.
class InterfaceLanguage
{
public:
    // "zh_CN", "zh_TW", "en".
    static QStringList available();
    // The name of a language in that language, for the choice in 设置.
    static QString nativeName(const QString &code);

    // The language chosen in the settings; empty to follow the system.
    static QString chosen();
    // False when the settings file could not be written.
    static bool choose(const QString &code);

    // The languages the environment asks for, most wanted first, as the C
    // library reads them (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG). Read
    // from the environment rather than from QLocale::system(), which is
    // fixed at its first use.
    static QStringList systemLanguages(const QProcessEnvironment &environment);
    // The first of the languages that the program speaks, else zh_CN.
    static QString match(const QStringList &languages);

    // The language of this run: the chosen one, or the system's.
    static QString current();
    static QLocale locale(const QString &code);
};

#endif // INTERFACELANGUAGE_H
