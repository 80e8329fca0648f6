#ifndef QTTRANSLATION_H
#define QTTRANSLATION_H

#include <QLocale>

class QCoreApplication;

// Qt's own texts in Chinese: the standard buttons (是, 否, 取消), the file
// dialogs with their dates and sizes, and the command-line help. The
// interface is Chinese whatever the system's language, so Qt's part of it
// must be too.
class QtTranslation
{
public:
    // The locale of the interface's language (InterfaceLanguage).
    static QLocale interfaceLocale();

    // Before the application object exists: makes the interface's locale
    // the default one and the one Qt's dialogs take for the system's (the
    // file dialog writes its dates in the system locale). The C library's
    // locale, and with it the encoding of file names, stays the system's.
    static void prepareLocale();

    // Installs Qt's translation of the interface's language from Qt's
    // translations folder on the application (and, for Simplified Chinese,
    // the texts it lacks), then the program's own. False when Qt's is not
    // there (Debian: qt6-translations-l10n); Qt's texts then stay English.
    static bool install(QCoreApplication &app);
};

#endif // QTTRANSLATION_H
