#ifndef QTTRANSLATION_H
#define QTTRANSLATION_H

class QCoreApplication;

// Qt's own texts in Chinese: the standard buttons (是, 否, 取消), the file
// dialogs and the command-line help. The interface is Chinese whatever the
// system's language, so Qt's part of it must be too.
class QtTranslation
{
public:
    // Installs Qt's Chinese translation from Qt's translations folder on the
    // application. False when it is not there (Debian: qt6-translations-l10n);
    // Qt's texts then stay English.
    static bool install(QCoreApplication &app);
};

#endif // QTTRANSLATION_H
