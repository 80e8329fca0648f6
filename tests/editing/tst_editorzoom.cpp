#include "editorzoom.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QWheelEvent>

// Zooming the editors: the keys and Ctrl+wheel zoom the kind of editor they
// reach, in every open document, and the zoom is kept in the settings.
class TestEditorZoom : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void zoomsTheEditorOfTheEvent_data();
    void zoomsTheEditorOfTheEvent();
    void keptInSettings_data();
    void keptInSettings();
};

void TestEditorZoom::init()
{
    EditorZoom::instance().reset(EditorZoom::Editor::Lyric);
    EditorZoom::instance().reset(EditorZoom::Editor::Score);
}

void TestEditorZoom::cleanup()
{
    init();
}

namespace {

void wheel(QWidget *viewport, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

void TestEditorZoom::zoomsTheEditorOfTheEvent_data()
{
    QTest::addColumn<bool>("score");
    QTest::addColumn<QString>("events"); // k: key (+ = - 0 K for keypad plus), w/W: Ctrl+wheel up/down, p: plain wheel
    QTest::addColumn<int>("steps");      // steps from 100 %, 0: back at 100 %

    QTest::addRow("lyric ctrl+plus") << false << "+" << 1;
    QTest::addRow("score ctrl+equal") << true << "=" << 1;
    QTest::addRow("keypad plus") << true << "K" << 1;
    QTest::addRow("ctrl+minus twice") << false << "--" << -2;
    QTest::addRow("ctrl+0 after zooming") << true << "++0" << 0;
    QTest::addRow("ctrl+wheel up") << false << "w" << 1;
    QTest::addRow("ctrl+wheel down") << true << "WW" << -2;
    QTest::addRow("plain wheel scrolls") << true << "p" << 0;
    QTest::addRow("far out stops at the least") << false << QString(40, u'-') << -5;
}

void TestEditorZoom::zoomsTheEditorOfTheEvent()
{
    QFETCH(bool, score);
    QFETCH(QString, events);
    QFETCH(int, steps);
    QL_Edit first;
    QL_Edit second;
    QPlainTextEdit *editor = score ? static_cast<QPlainTextEdit *>(first.scoreEdit()) : first.lyricEdit();
    QPlainTextEdit *other = score ? static_cast<QPlainTextEdit *>(first.lyricEdit()) : first.scoreEdit();
    QPlainTextEdit *twin = score ? static_cast<QPlainTextEdit *>(second.scoreEdit()) : second.lyricEdit();
    const double size = editor->document()->defaultFont().pointSizeF();
    const double otherSize = other->document()->defaultFont().pointSizeF();
    const QString lyricBefore = first.lyricEdit()->toPlainText();
    const QString scoreBefore = first.scoreEdit()->toPlainText();

    for (const QChar event : events) {
        switch (event.unicode()) {
        case u'+':
            QTest::keyClick(editor, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
            break;
        case u'=':
            QTest::keyClick(editor, Qt::Key_Equal, Qt::ControlModifier);
            break;
        case u'K':
            QTest::keyClick(editor, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
            break;
        case u'-':
            QTest::keyClick(editor, Qt::Key_Minus, Qt::ControlModifier);
            break;
        case u'0':
            QTest::keyClick(editor, Qt::Key_0, Qt::ControlModifier);
            break;
        default:
            wheel(editor->viewport(), event == u'W' ? -120 : 120,
                  event == u'p' ? Qt::NoModifier : Qt::ControlModifier);
        }
    }

    const EditorZoom::Editor kind = score ? EditorZoom::Editor::Score : EditorZoom::Editor::Lyric;
    const int expected = qMax(EditorZoom::minPercent, 100 + steps * EditorZoom::stepPercent);
    QCOMPARE(EditorZoom::instance().percent(kind), expected);
    // What is drawn: the text of this kind of editor in every document, at
    // the zoom; the other kind untouched; no text typed.
    QCOMPARE(editor->document()->defaultFont().pointSizeF(), size * expected / 100);
    QCOMPARE(twin->document()->defaultFont().pointSizeF(), size * expected / 100);
    QCOMPARE(other->document()->defaultFont().pointSizeF(), otherSize);
    QCOMPARE(first.lyricEdit()->toPlainText(), lyricBefore);
    QCOMPARE(first.scoreEdit()->toPlainText(), scoreBefore);
    QCOMPARE(first.undoStack()->count(), 0);
}

void TestEditorZoom::keptInSettings_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("read");

    QTest::addRow("missing") << QString() << 100;
    QTest::addRow("kept") << "130" << 130;
    QTest::addRow("too large") << "100000" << EditorZoom::maxPercent;
    QTest::addRow("negative") << "-20" << EditorZoom::minPercent;
    QTest::addRow("not a number") << "abc" << 100;
}

void TestEditorZoom::keptInSettings()
{
    QFETCH(QString, stored);
    QFETCH(int, read);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings.ini"));
    if (!stored.isNull()) {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Zoom/score"), stored);
    }
    {
        EditorZoom zoom(path);
        QCOMPARE(zoom.percent(EditorZoom::Editor::Score), read);
        QCOMPARE(zoom.percent(EditorZoom::Editor::Lyric), 100);
        zoom.zoomBy(EditorZoom::Editor::Lyric, 3);
        QVERIFY(zoom.save());
    }
    EditorZoom reread(path);
    QCOMPARE(reread.percent(EditorZoom::Editor::Lyric), 100 + 3 * EditorZoom::stepPercent);
    QCOMPARE(reread.percent(EditorZoom::Editor::Score), read);
}

QTEST_MAIN(TestEditorZoom)
#include "tst_editorzoom.moc"
