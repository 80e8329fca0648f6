// The process-wide configurations are written back and let go of their fonts
// when the application object goes away, not later from static destructors:
// this program checks the settings file right after its application object
// is destroyed, before main() returns.
#include "editorconfig.h"
#include "exportconfig.h"
#include "filelocations.h"
#include "fontmanager.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

namespace {

int failures = 0;

void check(bool condition, const char *what)
{
    std::printf("%s: %s\n", condition ? "PASS" : "FAIL", what);
    if (!condition)
        ++failures;
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QString settingsPath;
    {
        QGuiApplication app(argc, argv);
        settingsPath = FileLocations::forApplication().filePath(QStringLiteral("settings.ini"),
                                                                FileLocations::Kind::Config);
        QFile::remove(settingsPath);
        check(QFileInfo(settingsPath).absolutePath()
                  == QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
              "settings.ini goes to the user's configuration folder, not beside the executable");

        // Changed through setters only: nothing is written until the end.
        EditorConfig::instance().setLyricFontSize(33);
        ExportConfig::instance().setColWidth(177);
        check(&EditorConfig::instance() == &EditorConfig::instance(), "one editor configuration");
        check(!QFile::exists(settingsPath), "setters do not write the file");
        check(FontManager::instance().notationFamily().isEmpty()
                  || QFontDatabase::families().contains(FontManager::instance().notationFamily()),
              "the notation font is registered when it is bundled");
    }

    QSettings stored(settingsPath, QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Editor"));
    check(stored.childKeys().size() == 24, "the group Editor holds its 24 keys after the run");
    check(stored.value(QStringLiteral("lyricFontSize")).toInt() == 33, "the editor's last change is kept");
    stored.endGroup();
    stored.beginGroup(QStringLiteral("Export"));
    check(stored.childKeys().size() == 51, "the group Export holds its 51 keys after the run");
    check(stored.value(QStringLiteral("colWidth")).toInt() == 177, "the export's last change is kept");

    QFile::remove(settingsPath);
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
