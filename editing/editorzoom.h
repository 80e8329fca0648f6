#ifndef EDITORZOOM_H
#define EDITORZOOM_H

#include <QObject>
#include <QString>

class QFont;

// How far the lyric editors and the score editors are zoomed, in percent of
// the configured font sizes: one zoom for each kind of editor, shared by every
// open document and kept in the group "Zoom" of "settings.ini".
class EditorZoom : public QObject
{
    Q_OBJECT

public:
    enum class Editor { Lyric, Score };

    static constexpr int minPercent = 50;
    static constexpr int maxPercent = 400;
    static constexpr int stepPercent = 10;

    // The zoom of the program, on its settings file.
    static EditorZoom &instance();
    // A zoom read from the given INI file.
    explicit EditorZoom(const QString &settingsPath, QObject *parent = nullptr);

    int percent(Editor editor) const;
    // Clamped to minPercent .. maxPercent; signals a change.
    void setPercent(Editor editor, int percent);
    // Steps of stepPercent, in or (negative) out.
    void zoomBy(Editor editor, int steps);
    void reset(Editor editor) { setPercent(editor, 100); }

    // The font at the editor's zoom.
    QFont zoomed(Editor editor, const QFont &font) const;

    // Writes the zoom when it changed since it was read or last written;
    // false when the settings file could not be written.
    bool save();

signals:
    void zoomChanged(EditorZoom::Editor editor);

private:
    QString m_settingsPath;
    int m_lyric = 100;
    int m_score = 100;
    bool m_changed = false;
};

#endif // EDITORZOOM_H
