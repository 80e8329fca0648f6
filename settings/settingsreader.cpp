#include "settingsreader.h"

#include <QSettings>

#include <algorithm>

SettingsReader::SettingsReader(const QSettings &settings)
    : settings(&settings)
{
}

SettingsReader::SettingsReader() = default;

QVariant SettingsReader::value(const char *key, const QVariant &fallback) const
{
    return settings ? settings->value(QLatin1String(key), fallback) : fallback;
}

int SettingsReader::integer(const char *key, int fallback) const
{
    return value(key, fallback).toInt();
}

int SettingsReader::integer(const char *key, int fallback, int minimum, int maximum) const
{
    // toInt() gives 0 for text that is no number and for numbers beyond int;
    // a number stored as text beyond int is read as a wider one first, so
    // that it clamps to the nearer end.
    const QVariant stored = value(key, fallback);
    bool ok = false;
    const qlonglong wide = stored.toLongLong(&ok);
    if (ok)
        return int(std::clamp<qlonglong>(wide, minimum, maximum));
    const double real = stored.toDouble(&ok);
    if (ok && real == real)
        return int(std::clamp<double>(real, minimum, maximum));
    return std::clamp(0, minimum, maximum);
}

bool SettingsReader::boolean(const char *key, bool fallback) const
{
    return value(key, fallback).toBool();
}

QColor SettingsReader::color(const char *key, const QString &fallback) const
{
    return QColor::fromString(value(key, fallback).toString());
}

QFont SettingsReader::font(const char *key, const QString &family, int pointSize) const
{
    return QFont(value(key, family).toString(), pointSize);
}
