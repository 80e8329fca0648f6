#ifndef QTGAPTRANSLATOR_H
#define QTGAPTRANSLATOR_H

#include <QTranslator>

// Chinese for the few texts of Qt's own dialogs that Qt's Chinese
// translation lacks: those of classes Qt 6 introduced, such as the file
// type column of the file dialog ("Folder"). Installed after Qt's
// translation, it is asked first and answers only for those.
class QtGapTranslator : public QTranslator
{
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
};

#endif // QTGAPTRANSLATOR_H
