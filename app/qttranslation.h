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
    // The locale of the interface: Chinese as written in China.
    static QLocale interfaceLocale() { return QLocale(QLocale::Chinese, QLocale::China); }

    // Before the application object exists: makes the interface's locale
    // the default one and the one Qt's dialogs take for the system's (the
    // file dialog writes its dates in the system locale). The C library's
    // locale, and with it the encoding of file names, stays the system's.
    static void prepareLocale();

    // Installs Qt's Chinese translation from Qt's translations folder on the
    // application, and the texts it lacks. False when it is not there
    // (Debian: qt6-translations-l10n); Qt's texts then stay English.
    static bool install(QCoreApplication &app);
};

#endif // QTTRANSLATION_H
