#include "editorconfig.h"
#include "inputmethod.h"
#include "mainwindow.h"
#include "lyricclipboard.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "scoretree.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QDir>
#include <QDockWidget>
#include <QSet>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

// A minimal HTTP server on the loopback interface: it serves one page, or
// answers 404 while `missing` is set.
class LoopbackHttpServer : public QTcpServer
{
public:
    QByteArray page = QByteArrayLiteral("<html><body><p>欢迎使用</p></body></html>");
    bool missing = false;
    QList<QByteArray> requests;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request = socket->readAll();
            requests.append(request.left(request.indexOf("\r\n")));
            const QByteArray body = missing ? QByteArrayLiteral("not here") : page;
            socket->write((missing ? "HTTP/1.1 404 Not Found\r\n" : "HTTP/1.1 200 OK\r\n")
                          + QByteArray("Content-Type: text/html; charset=utf-8\r\nContent-Length: ")
                          + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
};

// A command that changes nothing, to give a stack something to undo.
class NoOpCommand : public QUndoCommand
{
};

// Answers the next message boxes in turn with the given buttons and records
// their texts.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QList<QMessageBox::StandardButton> answers)
        : m_answers(std::move(answers))
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] { answer(); });
        m_timer.start();
    }
    QStringList texts;

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || m_answers.isEmpty())
            return;
        texts.append(box->text());
        box->button(m_answers.takeFirst())->click();
    }
    QList<QMessageBox::StandardButton> m_answers;
    QTimer m_timer;
};

QAction *action(MainWindow &window, const char *name)
{
    auto *found = window.findChild<QAction *>(QLatin1String(name));
    Q_ASSERT(found);
    return found;
}

QTabWidget *tabs(MainWindow &window)
{
    return window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
}

QWidget *searchBox(MainWindow &window)
{
    return window.findChild<QWidget *>(QStringLiteral("searchBox"));
}

QLineEdit *searchEdit(MainWindow &window)
{
    return window.findChild<QLineEdit *>(QStringLiteral("searchEdit"));
}

QString searchResult(MainWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("searchResLabel"))->text();
}

// A new document holding the given texts, its lyric editor focused, in a
// shown and active window.
QL_Edit *documentWith(MainWindow &window, const QString &lyric, const QString &score)
{
    action(window, "newAction")->trigger();
    QL_Edit *document = window.currentDocument();
    {
        const ScoreDocument::SyncGuard guard(document->document());
        document->lyricEdit()->setPlainText(lyric);
        document->scoreEdit()->setPlainText(score);
    }
    document->lyricEdit()->setFocus();
    return document;
}

QL_Edit *modifiedDocument(MainWindow &window)
{
    action(window, "newAction")->trigger();
    QL_Edit *document = window.currentDocument();
    document->findChild<QPlainTextEdit *>(QStringLiteral("lyricEdit"))->insertPlainText(QStringLiteral("我"));
    return document;
}

const char *const documentActionNames[] = {
    "copyAction", "pasteAction", "cutAction", "searchAction", "exportAction", "saveAction",
    "saveAsAction", "insertTitleAction", "insertQupaiAction", "insertJiabaiAction",
    "insertLianbaiAction", "insertCommentAction", "lineBreakAction", "pageBreakAction",
};
const char *const alwaysActionNames[] = {
    "newAction", "openAction", "settingAction", "helpAction", "aboutAction", "exitAction",
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void noDocumentState();
    void documentsOpenState();
    void undoRedoFollowCurrentTab();
    void searchShortcutWithoutDocument();
    void searchBarHidesWithLastTab();
    void exitAsksRightmostFirstAndCancelStops();
    void noClosesWithoutSaving();
    void closeButtonClosesUnmodifiedTabs();
    void sponsorPageShown();
    void sponsorPageFailure();
    void sponsorPageBeforeFirstPaintStays();
    void escapeClosesPopupBeforeQuitting();
    void pairingShownInStatusBar();
    void searchShortcutFocusesField();
    void returnStepsThroughMatches();
    void escapeInFieldClosesBar();
    void editActionsCarryNotation();
    void unwritableSettingsAreReportedAtExit();
    void findKeysAndClosingTheBar();
    void replaceKeepsThePairing_data();
    void replaceKeepsThePairing();
    void paletteInsertsEverySymbol();

private:
    LoopbackHttpServer server;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(server.listen(QHostAddress::LocalHost));
    // Read once by the first window: every window of this test talks to the
    // server above and to nothing else.
    qputenv("QELUN_API_BASE_URL", QByteArray("http://127.0.0.1:") + QByteArray::number(server.serverPort()));
}

void TestMainWindow::noDocumentState()
{
    MainWindow window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Qelun工尺谱"));
    QVERIFY(!tabs(window)->isVisible());
    QVERIFY(window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"))->isVisible());
    QVERIFY(!searchBox(window)->isVisible());
    for (const char *name : documentActionNames)
        QVERIFY2(!action(window, name)->isEnabled(), name);
    QVERIFY(!action(window, "undoAction")->isEnabled());
    QVERIFY(!action(window, "redoAction")->isEnabled());
    for (const char *name : alwaysActionNames)
        QVERIFY2(action(window, name)->isEnabled(), name);
}

void TestMainWindow::documentsOpenState()
{
    MainWindow window;
    window.show();
    action(window, "newAction")->trigger();
    QCOMPARE(tabs(window)->count(), 1);
    QCOMPARE(tabs(window)->tabText(0), QStringLiteral("未命名"));
    QVERIFY(tabs(window)->isVisible());
    QVERIFY(!window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"))->isVisible());
    for (const char *name : documentActionNames)
        QVERIFY2(action(window, name)->isEnabled(), name);
    QVERIFY(!action(window, "undoAction")->isEnabled());

    // The first edit marks the tab.
    window.currentDocument()->findChild<QPlainTextEdit *>(QStringLiteral("scoreEdit"))
        ->insertPlainText(QStringLiteral("x"));
    QCOMPARE(tabs(window)->tabText(0), QStringLiteral("未命名*"));
}

void TestMainWindow::undoRedoFollowCurrentTab()
{
    MainWindow window;
    window.show();
    action(window, "newAction")->trigger();
    QL_Edit *first = window.currentDocument();
    first->undoStack()->push(new NoOpCommand);
    QVERIFY(action(window, "undoAction")->isEnabled());

    action(window, "newAction")->trigger();
    QVERIFY(!action(window, "undoAction")->isEnabled());
    QVERIFY(!action(window, "redoAction")->isEnabled());

    tabs(window)->setCurrentIndex(0);
    QVERIFY(action(window, "undoAction")->isEnabled());
    QVERIFY(!action(window, "redoAction")->isEnabled());

    action(window, "undoAction")->trigger();
    QVERIFY(!action(window, "undoAction")->isEnabled());
    QVERIFY(action(window, "redoAction")->isEnabled());
    tabs(window)->setCurrentIndex(1);
    QVERIFY(!action(window, "redoAction")->isEnabled());
    tabs(window)->setCurrentIndex(0);
    QVERIFY(action(window, "redoAction")->isEnabled());
}

void TestMainWindow::searchShortcutWithoutDocument()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(!searchBox(window)->isVisible());

    action(window, "newAction")->trigger();
    QTest::keyClick(window.currentDocument(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(searchBox(window)->isVisible());
    QTest::keyClick(window.currentDocument(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(!searchBox(window)->isVisible());
}

void TestMainWindow::searchBarHidesWithLastTab()
{
    MainWindow window;
    window.show();
    action(window, "newAction")->trigger();
    action(window, "searchAction")->trigger();
    QVERIFY(searchBox(window)->isVisible());
    QVERIFY(window.tabWidgetClose(0));
    QVERIFY(!searchBox(window)->isVisible());
    QVERIFY(!action(window, "searchAction")->isEnabled());
}

void TestMainWindow::exitAsksRightmostFirstAndCancelStops()
{
    MainWindow window;
    window.show();
    QPointer<QL_Edit> first = modifiedDocument(window);
    QPointer<QL_Edit> second = modifiedDocument(window);
    QPointer<QL_Edit> third = modifiedDocument(window);
    QCOMPARE(tabs(window)->count(), 3);

    BoxAnswerer answerer({QMessageBox::No, QMessageBox::Cancel});
    action(window, "exitAction")->trigger();

    QCOMPARE(answerer.texts.size(), 2);
    QCOMPARE(answerer.texts.first(), QStringLiteral("\"未命名*\"未保存，是否保存？"));
    QVERIFY(third.isNull());
    QVERIFY(!second.isNull());
    QVERIFY(!first.isNull());
    QCOMPARE(tabs(window)->count(), 2);
    QVERIFY(window.isVisible());
}

void TestMainWindow::noClosesWithoutSaving()
{
    MainWindow window;
    window.show();
    QPointer<QL_Edit> document = modifiedDocument(window);
    BoxAnswerer answerer({QMessageBox::No});
    QVERIFY(window.tabWidgetClose(0));
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY(document.isNull());
    QCOMPARE(tabs(window)->count(), 0);
}

void TestMainWindow::closeButtonClosesUnmodifiedTabs()
{
    MainWindow window;
    window.show();
    action(window, "newAction")->trigger();
    action(window, "newAction")->trigger();
    QPointer<QL_Edit> modified = modifiedDocument(window);

    // A modified document kept by Cancel keeps the window open.
    {
        BoxAnswerer answerer({QMessageBox::Cancel});
        QVERIFY(!window.close());
        QCOMPARE(answerer.texts.size(), 1);
    }
    QCOMPARE(tabs(window)->count(), 3);
    QVERIFY(window.isVisible());

    {
        BoxAnswerer answerer({QMessageBox::No});
        window.close();
        QCOMPARE(answerer.texts.size(), 1);
    }
    QCOMPARE(tabs(window)->count(), 0);
    QVERIFY(modified.isNull());
}

void TestMainWindow::sponsorPageShown()
{
    server.missing = false;
    server.requests.clear();
    MainWindow window;
    auto *page = window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"));
    QTRY_COMPARE(page->toPlainText(), QStringLiteral("欢迎使用"));
    // The update check asks the same server.
    QCOMPARE(server.requests.count("GET /sponsor.html HTTP/1.1"), 1);
}

void TestMainWindow::sponsorPageBeforeFirstPaintStays()
{
    // The program's own page is filled in after the window's first paint; a
    // server page that came earlier is not replaced by it.
    server.missing = false;
    MainWindow window;
    window.setUpdatesEnabled(false);
    window.show();
    auto *page = window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"));
    QTRY_COMPARE(page->toPlainText(), QStringLiteral("欢迎使用"));
    window.setUpdatesEnabled(true);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(200);
    QCOMPARE(page->toPlainText(), QStringLiteral("欢迎使用"));
}

void TestMainWindow::sponsorPageFailure()
{
    server.missing = true;
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Error: .*Not Found")));
    MainWindow window;
    auto *page = window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"));
    QTRY_COMPARE(server.requests.size() > 0, true);
    // The debug line is the sign that the reply has been handled.
    QTest::qWait(300);
    // The program's own start page stays.
    QVERIFY(page->toPlainText().contains(QStringLiteral("新建")));
}

void TestMainWindow::escapeClosesPopupBeforeQuitting()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    action(window, "newAction")->trigger();
    auto *score = window.currentDocument()->findChild<QPlainTextEdit *>(QStringLiteral("scoreEdit"));
    score->setFocus();
    QTest::keyClick(score, Qt::Key_S);
    QVERIFY(InputMethod::instance()->isVisible());

    // The first Escape closes the popup and nothing else.
    QSignalSpy exits(action(window, "exitAction"), &QAction::triggered);
    QTest::keyClick(score, Qt::Key_Escape);
    QVERIFY(!InputMethod::instance()->isVisible());
    QCOMPARE(exits.count(), 0);
    QCOMPARE(tabs(window)->count(), 1);

    // With the popup closed, Escape is the window's exit shortcut.
    QTest::keyClick(score, Qt::Key_Escape);
    QCOMPARE(exits.count(), 1);
    QCOMPARE(tabs(window)->count(), 0);
}

void TestMainWindow::pairingShownInStatusBar()
{
    MainWindow window;
    window.show();
    auto *label = window.findChild<QLabel *>(QStringLiteral("pairingLabel"));
    QVERIFY(label);
    action(window, "newAction")->trigger();
    QL_Edit *document = window.currentDocument();
    QVERIFY(label->isHidden());

    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("我"));
    QApplication::sendEvent(document->lyricEdit(), &typed);
    QVERIFY(label->isHidden());

    // A score line split on purpose: the status bar says so while it lasts.
    QTest::keyClick(document->scoreEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(label->isVisible());
    QVERIFY2(label->text().contains(QStringLiteral("曲谱 2 行，唱字 1 个")), qPrintable(label->text()));

    // It belongs to that document only.
    action(window, "newAction")->trigger();
    QVERIFY(label->isHidden());
    tabs(window)->setCurrentIndex(0);
    QVERIFY(label->isVisible());

    // Its link leads to the first line without a character.
    document->lyricEdit()->setFocus();
    emit label->linkActivated(QStringLiteral("#mismatch"));
    QCOMPARE(document->scoreEdit()->textCursor().blockNumber(), 1);

    QTest::keyClick(document->scoreEdit(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(label->isHidden());
}

void TestMainWindow::searchShortcutFocusesField()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("原来"), QStringLiteral("\n\n"));
    searchEdit(window)->setText(QStringLiteral("旧"));
    QTest::keyClick(document->lyricEdit(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(searchBox(window)->isVisible());
    QVERIFY(searchEdit(window)->hasFocus());
    QCOMPARE(searchEdit(window)->selectedText(), QStringLiteral("旧"));

    // The search word goes into the field, never into the lyrics.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    QCOMPARE(searchEdit(window)->text(), QStringLiteral("ab"));
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原来"));
    QCOMPARE(document->undoStack()->count(), 0);
}

void TestMainWindow::returnStepsThroughMatches()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("花开\n# 花\n花落"), QStringLiteral("\n\n\n\n\n"));
    action(window, "searchAction")->trigger();
    QLineEdit *field = searchEdit(window);
    field->setText(QStringLiteral("花"));
    QCOMPARE(searchResult(window), QString());

    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *label;
        int cursor;
    } steps[] = {
        {Qt::Key_Return, Qt::NoModifier, "1/3", 1},
        {Qt::Key_Return, Qt::NoModifier, "2/3", 6},
        {Qt::Key_Enter, Qt::KeypadModifier, "3/3", 8},
        // Turning round moves on to the match before, not the same again.
        {Qt::Key_Return, Qt::ShiftModifier, "2/3", 5},
        {Qt::Key_Return, Qt::ShiftModifier, "1/3", 0},
        {Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, "3/3", 7},
        {Qt::Key_Return, Qt::NoModifier, "1/3", 1},
    };
    for (const auto &step : steps) {
        QTest::keyClick(field, step.key, step.modifiers);
        QCOMPARE(searchResult(window), QLatin1String(step.label));
        QCOMPARE(document->lyricEdit()->textCursor().position(), step.cursor);
    }
    QVERIFY(field->hasFocus());
    QCOMPARE(field->text(), QStringLiteral("花"));
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("花开\n# 花\n花落"));

    // The buttons do the same; with no search text they do nothing.
    window.findChild<QAbstractButton *>(QStringLiteral("searchNextBtn"))->click();
    QCOMPARE(searchResult(window), QStringLiteral("2/3"));
    field->insert(QStringLiteral("落"));
    window.findChild<QAbstractButton *>(QStringLiteral("searchPrevBtn"))->click();
    QCOMPARE(searchResult(window), QStringLiteral("1/1"));
    field->clear();
    QCOMPARE(searchResult(window), QString());
    window.findChild<QAbstractButton *>(QStringLiteral("searchNextBtn"))->click();
    QCOMPARE(searchResult(window), QString());
}

void TestMainWindow::escapeInFieldClosesBar()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // An unmodified document, which the exit closes without asking.
    action(window, "newAction")->trigger();
    QL_Edit *document = window.currentDocument();
    document->lyricEdit()->setFocus();
    QSignalSpy exits(action(window, "exitAction"), &QAction::triggered);
    QTest::keyClick(document->lyricEdit(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(searchEdit(window)->hasFocus());

    QTest::keyClick(searchEdit(window), Qt::Key_Escape);
    QVERIFY(!searchBox(window)->isVisible());
    QVERIFY(document->lyricEdit()->hasFocus());
    QCOMPARE(exits.count(), 0);
    QCOMPARE(tabs(window)->count(), 1);

    // Elsewhere Escape is still the window's exit.
    QTest::keyClick(document->lyricEdit(), Qt::Key_Escape);
    QCOMPARE(exits.count(), 1);
    QCOMPARE(tabs(window)->count(), 0);
}

void TestMainWindow::editActionsCarryNotation()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("原来姹紫"), QStringLiteral("a\nb\nc\nd\n"));
    QTextCursor cursor = document->lyricEdit()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    document->lyricEdit()->setTextCursor(cursor);

    action(window, "copyAction")->trigger();
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(LyricClipboard::mimeType));
    action(window, "cutAction")->trigger();
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原紫"));
    QCOMPARE(document->scoreEdit()->toPlainText(), QStringLiteral("a\nd\n"));
    action(window, "pasteAction")->trigger();
    action(window, "pasteAction")->trigger();
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原来姹来姹紫"));
    QCOMPARE(document->scoreEdit()->toPlainText(), QStringLiteral("a\nb\nc\nb\nc\nd\n"));
    QCOMPARE(document->undoStack()->count(), 3);
    QVERIFY(document->isModified());
    document->undoStack()->setClean();
    action(window, "undoAction")->trigger();
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原来姹紫"));
}

void TestMainWindow::unwritableSettingsAreReportedAtExit()
{
    MainWindow window;
    window.show();
    // A folder where settings.ini should be: no file can be written there.
    const QString path = EditorConfig::instance().settingsPath();
    const QString aside = path + QStringLiteral(".aside");
    QFile::remove(aside);
    const bool hadFile = QFile::exists(path);
    if (hadFile)
        QVERIFY(QFile::rename(path, aside));
    QVERIFY(QDir().mkpath(path));

    BoxAnswerer answerer({QMessageBox::Ok});
    action(window, "exitAction")->trigger();
    const QStringList texts = answerer.texts;

    QVERIFY(QDir(path).removeRecursively());
    if (hadFile)
        QVERIFY(QFile::rename(aside, path));
    QCOMPARE(texts, QStringList{QStringLiteral("保存设置时发生错误！")});
}

void TestMainWindow::findKeysAndClosingTheBar()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("花开\n花落\n花"), QStringLiteral("\n\n\n\n"));
    const auto findMarks = [document] {
        int marks = 0;
        for (const QTextEdit::ExtraSelection &mark : document->lyricEdit()->extraSelections())
            marks += mark.format.background() == QColor(255, 255, 0) || mark.format.background() == QColor(255, 150, 50);
        return marks;
    };
    // With nothing to look for, F3 opens the bar for the word.
    QTest::keyClick(document->lyricEdit(), Qt::Key_F3);
    QVERIFY(searchEdit(window)->hasFocus());
    searchEdit(window)->setText(QStringLiteral("花"));
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier;
    const QPair<Qt::KeyboardModifiers, const char *> steps[] = {
        {none, "1/3"}, {none, "2/3"}, {shift, "1/3"}, {shift, "3/3"}, {none, "1/3"}};
    for (const auto &step : steps) {
        QTest::keyClick(document->lyricEdit(), Qt::Key_F3, step.first);
        QCOMPARE(searchResult(window), QLatin1String(step.second));
        QCOMPARE(findMarks(), 3);
    }
    window.findChild<QAbstractButton *>(QStringLiteral("searchCloseBtn"))->click();
    QCOMPARE(findMarks(), 0);
    // F3 with the word kept opens the bar again and steps on.
    QTest::keyClick(document->lyricEdit(), Qt::Key_F3);
    QVERIFY(searchBox(window)->isVisible());
    QCOMPARE(searchResult(window), QStringLiteral("2/3"));
}

void TestMainWindow::replaceKeepsThePairing_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("clicks"); // of 替换; 0: 全部替换 once
    QTest::addColumn<QString>("lyricAfter");

    // The first 替换 only finds; each further one replaces one match.
    QTest::addRow("one by one") << "花开花落" << "花" << "春" << 2 << "春开花落";
    QTest::addRow("all") << "花开\n# 花\n花落" << "花" << "春风" << 0 << "春风开\n# 春风\n春风落";
    QTest::addRow("all by nothing") << "花开花落" << "花" << "" << 0 << "开落";
    QTest::addRow("all holding the word") << "花花" << "花" << "花花" << 0 << "花花花花";
    QTest::addRow("a title made sung") << "# 游园\n原来" << "# " << "" << 0 << "游园\n原来";
    QTest::addRow("no match") << "原来" << "花" << "春" << 0 << "原来";
}

void TestMainWindow::replaceKeepsThePairing()
{
    QFETCH(QString, lyric);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(int, clicks);
    QFETCH(QString, lyricAfter);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList lines;
    for (int i = 1; i <= PairingReport(lyric, QString()).sungCharCount(); ++i)
        lines.append(QString::number(i));
    QL_Edit *document = documentWith(window, lyric, lines.join(QLatin1Char('\n')));
    action(window, "replaceAction")->trigger();
    searchEdit(window)->setText(search);
    window.findChild<QLineEdit *>(QStringLiteral("replaceEdit"))->setText(replacement);
    for (int i = 0; i < clicks; ++i)
        window.findChild<QAbstractButton *>(QStringLiteral("replaceBtn"))->click();
    if (clicks == 0)
        window.findChild<QAbstractButton *>(QStringLiteral("replaceAllBtn"))->click();

    QCOMPARE(document->lyricEdit()->toPlainText(), lyricAfter);
    QVERIFY(document->pairing().isPaired());
    QCOMPARE(document->undoStack()->count(), lyricAfter != lyric ? 1 : 0);
    document->undo();
    QCOMPARE(document->lyricEdit()->toPlainText(), lyric);
    QCOMPARE(document->scoreEdit()->toPlainText(), lines.join(QLatin1Char('\n')));
}

void TestMainWindow::paletteInsertsEverySymbol()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QL_Edit *document = documentWith(window, QStringLiteral("原"), QString());
    action(window, "symbolPaletteAction")->trigger();
    QWidget *palette = window.findChild<QDockWidget *>(QStringLiteral("symbolPaletteDock"))->widget();
    QVERIFY(palette && palette->isVisible());
    const QList<QAbstractButton *> buttons = palette->findChildren<QAbstractButton *>();
    const ScoreTree &dictionary = InputMethod::instance()->dictionary();
    QString expected;
    for (QAbstractButton *button : buttons) {
        button->click();
        expected += button->text();
        QCOMPARE(document->scoreEdit()->toPlainText(), expected);
        QVERIFY(document->scoreEdit()->hasFocus());
        // The status bar names it as its tool tip does, by its dictionary name.
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("symbolLabel"))->text(), button->toolTip());
        QVERIFY(button->toolTip().contains(dictionary.nameOf(button->text())));
    }
    QCOMPARE(document->undoStack()->count(), buttons.size());
    // Every symbol the dictionary types was there, once.
    const QList<uint> inserted = expected.toUcs4();
    QCOMPARE(QSet<uint>(inserted.begin(), inserted.end()).size(), inserted.size());
    for (const ScoredText &entry : dictionary.search(QString(), true))
        QVERIFY2(inserted.contains(entry.first.toUcs4().value(0)), qPrintable(entry.first));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
