#include "settingsreader.h"

#include <QSettings>

SettingsReader::SettingsReader(const QSettings &settings)
    : settings(settings)
{
}

int SettingsReader::integer(const char *key, int fallback) const
{
    return settings.value(QLatin1String(key), fallback).toInt();
}

bool SettingsReader::boolean(const char *key, bool fallback) const
{
    return settings.value(QLatin1String(key), fallback).toBool();
}

QColor SettingsReader::color(const char *key, const QString &fallback) const
{
    return QColor::fromString(settings.value(QLatin1String(key), fallback).toString());
}

QFont SettingsReader::font(const char *key, const QString &family, int pointSize) const
{
    return QFont(settings.value(QLatin1String(key), family).toString(), pointSize);
}
