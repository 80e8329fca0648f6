#include "editorzoom.h"

#include "filelocations.h"
#include "settingswriter.h"

#include <QFont>
#include <QSettings>

namespace {

const QString group = QStringLiteral("Zoom");
const QString lyricKey = QStringLiteral("lyric");
const QString scoreKey = QStringLiteral("score");

int clampedPercent(int percent)
{
    return qBound(EditorZoom::minPercent, percent, EditorZoom::maxPercent);
}

} // namespace

EditorZoom &EditorZoom::instance()
{
    static EditorZoom zoom(
        FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config));
    return zoom;
}

EditorZoom::EditorZoom(const QString &settingsPath, QObject *parent)
    : QObject(parent)
    , m_settingsPath(settingsPath)
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.beginGroup(group);
    // A value edited by hand into nonsense reads as no zoom.
    bool ok = false;
    const int lyric = settings.value(lyricKey, 100).toInt(&ok);
    m_lyric = ok ? clampedPercent(lyric) : 100;
    const int score = settings.value(scoreKey, 100).toInt(&ok);
    m_score = ok ? clampedPercent(score) : 100;
}

int EditorZoom::percent(Editor editor) const
{
    return editor == Editor::Lyric ? m_lyric : m_score;
}

void EditorZoom::setPercent(Editor editor, int percent)
{
    int &value = editor == Editor::Lyric ? m_lyric : m_score;
    percent = clampedPercent(percent);
    if (percent == value)
        return;
    value = percent;
    m_changed = true;
    emit zoomChanged(editor);
}

void EditorZoom::zoomBy(Editor editor, int steps)
{
    // From a value off the grid (edited by hand) the first step lands on it.
    const int current = percent(editor);
    const int grid = steps > 0 ? current / stepPercent : (current + stepPercent - 1) / stepPercent;
    setPercent(editor, (grid + steps) * stepPercent);
}

QFont EditorZoom::zoomed(Editor editor, const QFont &font) const
{
    const int zoom = percent(editor);
    if (zoom == 100)
        return font;
    QFont result = font;
    if (font.pointSizeF() > 0)
        result.setPointSizeF(font.pointSizeF() * zoom / 100.0);
    else if (font.pixelSize() > 0)
        result.setPixelSize(qMax(1, font.pixelSize() * zoom / 100));
    return result;
}

bool EditorZoom::save()
{
    if (!m_changed)
        return true;
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.beginGroup(group);
    if (!SettingsWriter::write(settings, {{lyricKey, m_lyric}, {scoreKey, m_score}}))
        return false;
    m_changed = false;
    return true;
}
