#ifndef FONTMANAGER_H
#define FONTMANAGER_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Registers the program's own fonts with the font database: the notation
// font carried as a resource and every "*.ttf" of the "fonts" folders. It also
// maps the Windows family names that the configurations use as defaults onto
// the closest families this desktop has, so that defaults look as intended
// wherever the program runs; the stored names stay the Windows ones.
class FontManager
{
public:
    // The one registration of the program, made on the first call; it lets go
    // of its fonts when the application object goes away.
    static FontManager &instance();

    // Registers the font file and the "*.ttf" files of the folders.
    FontManager(const QString &fontPath, const QStringList &fontsDirs);
    ~FontManager();

    FontManager(const FontManager &) = delete;
    FontManager &operator=(const FontManager &) = delete;

    // The family of the notation font; empty when it could not be registered.
    QString notationFamily() const { return m_notationFamily; }
    // The families of every font that was registered.
    QStringList families() const { return m_families; }
    QString fontPath() const { return m_fontPath; }
    QStringList fontsDirs() const { return m_fontsDirs; }

    // Gives each Windows family that is not installed the installed families
    // that look most like it, best first. Safe to call more than once.
    static void substituteMissingFamilies();

    // Whether font families are installed, each name asked of the font
    // database once. Answers hold until fonts are added or removed.
    class FamilyLookup
    {
    public:
        bool isInstalled(const QString &family);

    private:
        QHash<QString, bool> m_answers;
    };

private:
    // Registers one file; the families it brought, empty when it is no font.
    QStringList registerFont(const QString &path);

    QString m_fontPath;
    QStringList m_fontsDirs;
    QStringList m_families;
    QString m_notationFamily;
    QList<int> m_fontIds;
};

#endif // FONTMANAGER_H
