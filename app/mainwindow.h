#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "updatemanager.h"

#include <QMainWindow>

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QTextBrowser;
class QUrl;
class QDockWidget;
class QL_Edit;
class LiveScoreView;
class PlaybackBar;
struct ServiceEndpoints;

namespace Ui {
class MainWindow;
}

// The program's one window: the open documents as tabs, the menus and
// toolbars that act on the current one, the search bar, and the start page
// shown while no document is open.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens a document from a file into a new tab, without a dialog. A file
    // that cannot be opened is reported in a box and adds no tab.
    void openFile(const QString &path);
    // Opens each file in turn, as the command line names them: the last one
    // opened is the current tab.
    void openFiles(const QStringList &paths);
    // Files a later start of the program handed over: opened, and the window
    // brought to the front.
    void openHandedOverFiles(const QStringList &paths);

    // The document of the current tab, or nullptr with no tab open.
    QL_Edit *currentDocument() const;
    // The typeset page beside the editors ("曲谱预览"), made on first use.
    LiveScoreView *scoreView();

public slots:
    void newAction();
    void openAction();
    void saveAction();
    void saveAsAction();
    void copyAction();
    void pasteAction();
    void cutAction();
    void settingAction();
    void undoAction();
    void redoAction();
    void searchAction();
    void helpAction();
    void aboutAction();
    void exitAction();
    void exportAction();
    // Prints the current document (Ctrl+P), as the export dialog's 打印… does.
    void printAction();
    void insertTitleAction();
    void insertQuPaiAction();
    void insertLianBaiAction();
    void insertJiaBaiAction();
    void insertCommentAction();
    void insertLineBreakAction();
    void insertPageBreakAction();
    void modifiedChanged(bool isModified);
    bool tabWidgetClose(int index);
    void tabWidgetCurrentChanged(int index);
    void onCanUndoChanged(bool canUndo);
    void onCanRedoChanged(bool canRedo);
    void onSearchNextBtnClicked();
    void onSearchPrevBtnClicked();
    void onSearchCloseBtn();
    void onSearchEditTextChanged();

    // Return and Shift+Return in the search field step through the matches;
    // Escape there or in the replace field closes the search bar.
    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // .gcp files dropped on the window open as documents.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void connectActions();
    // The 打印 action (Ctrl+P) in the file menu beside 导出, enabled with it.
    void addPrintAction();
    // 复制为文字谱 in the Edit menu, 导入文字谱… in the File menu.
    void addPlainTextActions();
    void importPlainTextAction();
    // 关闭 (Ctrl+W) in the file menu, and the shortcuts that switch tabs
    // (Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown, Ctrl+PgUp).
    void addTabActions();
    // The dock with the typeset page, and its switch in the 视图 menu
    // (Ctrl+Shift+P); hidden until the user first shows it.
    void addScoreView();
    // The 符号 dock with every notation symbol, and its switch in the 视图
    // menu; a click inserts the symbol at the score cursor. The status bar
    // names the symbol at the score cursor.
    void addSymbolPalette();
    // The playback bar (播放/停止 F5, 从头播放 Shift+F5, tempo, key, sound).
    void addPlaybackBar();
    void showSymbolAtCursor();
    // Shows step tabs away from the current one, round the ends.
    void switchTab(int step);
    // The title names the current document and marks unsaved changes.
    void updateWindowTitle();
    // A box naming the lines of notation an export of the document leaves out.
    void warnOfUnexportedNotation(const QL_Edit *document);
    // Fills in the start page and makes the shared fonts, settings and input
    // method: what the window's first paint does without.
    void completeStart();
    void loadSponsorPage();
    void onSponsorPageFinished(bool ok, const QByteArray &page, const QString &error);
    void onSponsorPageAnchorClicked(const QUrl &link);
    void addDocument(QL_Edit *document);
    // The tab of the document bound to that file, or -1.
    int tabOfFile(const QString &path) const;
    // Puts the file as it is on disk in place of the document's tab.
    void reloadDocument(QL_Edit *document);
    // 最近打开 in the file menu, the menus' mnemonics, Ctrl+Q and F10.
    void addDesktopActions();
    // Finds the search field's text in the current document's lyrics and
    // shows which match is current.
    void search(bool forward);
    // Hides the search bar and the find marks of every document; focus
    // that was in the bar goes to the lyrics.
    void closeSearchBar();
    // The replace field with 替换 and 全部替换 in the search bar, and the
    // find actions of the 编辑 menu: 查找下一个 (F3), 查找上一个
    // (Shift+F3), 替换 (Ctrl+H).
    void addReplaceControls();
    // F3 and Shift+F3: a step with the search bar's text, or the bar opened
    // for one when it has none.
    void findStep(bool forward);
    void replaceCurrent();
    void replaceAll();
    // Closes the tabs from the last to the first; true when none is left.
    bool closeAllDocuments();
    // Saves the settings, tells the user if that failed, and ends the program.
    void quitApplication();
    // The actions that need an open document.
    QList<QAction *> documentActions() const;
    // Shows in the status bar whether the current document's score pairs
    // with its sung characters.
    void showPairing();

    Ui::MainWindow *ui;
    QTextBrowser *sponsorPage;
    UpdateManager updateManager;
    // Says while the current document's pairing is broken, with a link to
    // the first place where it breaks.
    QLabel *pairingLabel;
    const ServiceEndpoints *endpoints;
    QNetworkAccessManager *sponsorPageNetwork = nullptr;
    QDockWidget *scoreDock = nullptr;
    LiveScoreView *liveView = nullptr;
    QLineEdit *replaceEdit = nullptr;
    QDockWidget *symbolDock = nullptr;
    QLabel *symbolLabel = nullptr;
    PlaybackBar *playbackBar = nullptr;
    class DocumentWatcher *documentWatcher = nullptr;
    // Until completeStart() has been called or queued.
    bool startPending = true;
};

#endif // MAINWINDOW_H
