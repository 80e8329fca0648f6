#include "fontmanager.h"

#include "filelocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace {

FontManager *theInstance = nullptr;

void destroyInstance()
{
    delete theInstance;
    theInstance = nullptr;
}

// Candidates for each Windows family, closest first: the Windows face, the
// macOS one, then those of Linux: a Kai face for 楷体, the Song (serif) and
// Hei (sans) faces, the UI face and a monospace face.
const struct {
    const char16_t *family;
    QStringList candidates;
} substitutionTable[] = {
    {u"楷体", {"KaiTi", "STKaiti", "Kaiti SC", "AR PL UKai CN", "AR PL UKai TW", "AR PL UKai HK",
               "AR PL KaitiM GB", "Noto Serif CJK SC", "Noto Serif CJK TC"}},
    {u"宋体", {"SimSun", "Songti SC", "STSong", "Noto Serif CJK SC", "Source Han Serif SC", "AR PL UMing CN",
               "Noto Serif CJK TC"}},
    {u"黑体", {"SimHei", "Heiti SC", "STHeiti", "PingFang SC", "Noto Sans CJK SC", "Source Han Sans SC",
               "WenQuanYi Zen Hei", "Noto Sans CJK TC", "Droid Sans Fallback"}},
    {u"Microsoft YaHei UI", {"Microsoft YaHei", "PingFang SC", "Hiragino Sans GB", "Noto Sans CJK SC",
                             "Source Han Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"}},
    {u"微软雅黑", {"Microsoft YaHei", "PingFang SC", "Hiragino Sans GB", "Noto Sans CJK SC",
                   "Source Han Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"}},
    {u"console", {"Consolas", "Menlo", "Monaco", "DejaVu Sans Mono", "Noto Sans Mono", "Liberation Mono",
                  "Noto Mono", "Nimbus Mono PS"}},
};

} // namespace

FontManager &FontManager::instance()
{
    if (!theInstance) {
        const FileLocations locations = FileLocations::forApplication();
        theInstance = new FontManager(QStringLiteral(":/resources/fonts/mevto.ttf"),
                                      locations.folderPaths(QStringLiteral("fonts"),
                                                            FileLocations::Kind::Data));
        // Application fonts belong to the font database of the running
        // application: give them back before it is torn down, never from a
        // static destructor after it.
        qAddPostRoutine(destroyInstance);
    }
    return *theInstance;
}

FontManager::FontManager(const QString &fontPath, const QStringList &fontsDirs)
    : m_fontPath(fontPath)
    , m_fontsDirs(fontsDirs)
{
    substituteMissingFamilies();

    const QStringList notation = registerFont(m_fontPath);
    if (!notation.isEmpty()) {
        m_notationFamily = notation.first();
        m_families.append(m_notationFamily);
    }

    for (const QString &folder : m_fontsDirs) {
        const QDir dir(folder);
        const QStringList files = dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name);
        for (const QString &file : files)
            m_families.append(registerFont(dir.absoluteFilePath(file)));
    }
}

FontManager::~FontManager()
{
    for (int id : qAsConst(m_fontIds))
        QFontDatabase::removeApplicationFont(id);
}

QStringList FontManager::registerFont(const QString &path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        return {};
    m_fontIds.append(id);
    return QFontDatabase::applicationFontFamilies(id);
}

bool FontManager::FamilyLookup::isInstalled(const QString &family)
{
    // Each question makes fontconfig resolve the name, a noticeable part of
    // the program's start; the candidates of several Windows families repeat.
    const auto known = m_answers.constFind(family);
    if (known != m_answers.cend())
        return *known;
    const bool installed = QFontDatabase::hasFamily(family);
    m_answers.insert(family, installed);
    return installed;
}

void FontManager::substituteMissingFamilies()
{
    FamilyLookup lookup;
    for (const auto &entry : substitutionTable) {
        const QString family = QString::fromUtf16(entry.family);
        if (lookup.isInstalled(family))
            continue;
        QStringList installed;
        for (const QString &candidate : entry.candidates) {
            if (lookup.isInstalled(candidate))
                installed.append(candidate);
        }
        if (installed.isEmpty())
            continue;
        QFont::removeSubstitutions(family);
        QFont::insertSubstitutions(family, installed);
    }
}
