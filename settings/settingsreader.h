#ifndef SETTINGSREADER_H
#define SETTINGSREADER_H

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>

class QSettings;

// Reads typed options from the current group of a settings file. A missing
// key gives the fallback; text that is no number reads as 0 and text that is
// no colour as an invalid colour, as the configurations have always read them.
class SettingsReader
{
public:
    // A reader of settings.
    explicit SettingsReader(const QSettings &settings);
    // A reader of no file at all: every option reads as its fallback.
    SettingsReader();

    QVariant value(const char *key, const QVariant &fallback) const;
    int integer(const char *key, int fallback) const;
    // An integer brought into [minimum, maximum]: values beyond what the
    // export dialog accepts would overflow the layout's arithmetic.
    int integer(const char *key, int fallback, int minimum, int maximum) const;
    bool boolean(const char *key, bool fallback) const;
    QColor color(const char *key, const QString &fallback) const;
    // The family stored under key (or the fallback family) at pointSize.
    QFont font(const char *key, const QString &family, int pointSize) const;

private:
    const QSettings *settings = nullptr;
};

#endif // SETTINGSREADER_H
