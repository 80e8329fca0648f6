#ifndef RENDERFIXTURE_H
#define RENDERFIXTURE_H

#include "exportconfig.h"
#include "exportentry.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A configuration of its own on a fresh INI file, so that no test sees the
// user's settings: every option starts at its default.
struct RenderFixture
{
    QTemporaryDir dir;
    std::unique_ptr<ExportConfig> config;

    RenderFixture()
        : config(std::make_unique<ExportConfig>(dir.filePath(QStringLiteral("settings.ini"))))
    {
    }
};

// A notation string of code points of the notation font.
inline QString notation(std::initializer_list<char32_t> codePoints)
{
    QString s;
    for (char32_t u : codePoints)
        s += QString::fromUcs4(&u, 1);
    return s;
}

inline ExportEntry lineEntry(int type, const QString &text = QString())
{
    ExportEntry e;
    e.type = type;
    e.text = text;
    return e;
}

// A sung line whose every character carries the same notation.
inline ExportEntry sungEntry(const QString &text, const QString &notes)
{
    ExportEntry e;
    e.type = 8;
    e.text = text;
    for (int i = 0; i < text.size(); ++i)
        e.scores.append(notes);
    return e;
}

#endif // RENDERFIXTURE_H
