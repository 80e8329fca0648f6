#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "editorconfig.h"
#include "editorzoom.h"
#include "exportconfig.h"
#include "fontmanager.h"
#include "inputmethod.h"
#include "accessiblenames.h"
#include "dockroom.h"
#include "documentwatcher.h"
#include "recentfiles.h"
#include "recentfilesmenu.h"
#include "livescoreview.h"
#include "lyricreplace.h"
#include "pairingreport.h"
#include "playbackbar.h"
#include "plainscoretext.h"
#include "recentfolders.h"
#include "ql_edit.h"
#include "ql_export.h"
#include "ql_generatesvg.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "about.h"
#include "help.h"
#include "renderprogress.h"
#include "scoreprinter.h"
#include "serverpagebrowser.h"
#include "serviceendpoints.h"
#include "servicerequest.h"
#include "settings.h"
#include "startpage.h"
#include "symbolpalette.h"
#include "windowgeometry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QToolBar>
#include <QTabBar>
#include <QNetworkRequest>
#include <QTextBrowser>
#include <QToolButton>
#include <QUndoStack>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , sponsorPage(new ServerPageBrowser)
    , updateManager(this)
    , pairingLabel(new QLabel)
    , endpoints(&ServiceEndpoints::instance())
{
    ui->setupUi(this);
    // A mandatory update closes the documents as Exit does, unsaved prompts
    // included, and ends the program only when the user let all of them go.
    updateManager.setQuitHandler([this] { exitAction(); });
    sponsorPage->setObjectName(QStringLiteral("sponsorPage"));
    pairingLabel->setObjectName(QStringLiteral("pairingLabel"));
    pairingLabel->setTextFormat(Qt::RichText);
    ui->statusbar->addWidget(pairingLabel);
    connect(pairingLabel, &QLabel::linkActivated, this, [this] {
        if (QL_Edit *document = currentDocument())
            document->showFirstMismatch();
    });
    connectActions();
    addPrintAction();
    addPlainTextActions();
    addTabActions();
    addReplaceControls();
    addScoreView();
    addSymbolPalette();
    addPlaybackBar();
    addDesktopActions();
    loadSponsorPage();
    setAcceptDrops(true);
    WindowGeometry::restore(*this);

    tabWidgetCurrentChanged(-1);
    ui->searchBox->hide();
    updateManager.checkForUpdate();

    // A window that is never shown completes its start from the event loop;
    // a shown one after its first paint (see event()).
    QMetaObject::invokeMethod(this, [this] {
        if (startPending && !isVisible()) {
            startPending = false;
            completeStart();
        }
    }, Qt::QueuedConnection);
}

bool MainWindow::event(QEvent *event)
{
    // The window's own paint comes first in a repaint, its children's within
    // the same call: a call queued here runs once the whole window is on the
    // screen.
    if (startPending && event->type() == QEvent::Paint) {
        startPending = false;
        QMetaObject::invokeMethod(this, &MainWindow::completeStart, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void MainWindow::completeStart()
{
    // The start page's text costs more than the rest of the window together
    // (its Chinese faces are loaded and measured glyph by glyph), and so do the
    // process-wide objects that documents share; none of it is needed for the
    // window to appear. The page's font is one of the Windows families that
    // the font registration maps onto this desktop's.
    FontManager::instance();
    // The window's icon is drawn at 256 pixels: decoding it costs as much as
    // all the tool bar's icons together, and nothing inside the window shows it.
    setWindowIcon(QIcon(QStringLiteral(":/icons/resources/icons/logo-qt.png")));
    // Shown, the window has its frame: it fits the screen with it.
    WindowGeometry::fitToScreen(*this);
    // A page from the server that came first stays.
    if (sponsorPage->document()->isEmpty())
        sponsorPage->setHtml(StartPage::html(StartPage::examplePath()));
    // The editors' settings and the notation input method with its
    // dictionary, made now rather than at the first new tab; queued after the
    // page's repaint, so that the page shows first.
    QMetaObject::invokeMethod(this, [] {
        EditorConfig::instance();
        InputMethod::instance();
    }, Qt::QueuedConnection);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::connectActions()
{
    const struct {
        QAction *action;
        void (MainWindow::*slot)();
    } table[] = {
        {ui->newAction, &MainWindow::newAction},
        {ui->openAction, &MainWindow::openAction},
        {ui->saveAction, &MainWindow::saveAction},
        {ui->saveAsAction, &MainWindow::saveAsAction},
        {ui->copyAction, &MainWindow::copyAction},
        {ui->pasteAction, &MainWindow::pasteAction},
        {ui->cutAction, &MainWindow::cutAction},
        {ui->settingAction, &MainWindow::settingAction},
        {ui->undoAction, &MainWindow::undoAction},
        {ui->redoAction, &MainWindow::redoAction},
        {ui->aboutAction, &MainWindow::aboutAction},
        {ui->exitAction, &MainWindow::exitAction},
        {ui->insertTitleAction, &MainWindow::insertTitleAction},
        {ui->insertQupaiAction, &MainWindow::insertQuPaiAction},
        {ui->insertLianbaiAction, &MainWindow::insertLianBaiAction},
        {ui->insertJiabaiAction, &MainWindow::insertJiaBaiAction},
        {ui->lineBreakAction, &MainWindow::insertLineBreakAction},
        {ui->pageBreakAction, &MainWindow::insertPageBreakAction},
        {ui->searchAction, &MainWindow::searchAction},
        {ui->helpAction, &MainWindow::helpAction},
        {ui->exportAction, &MainWindow::exportAction},
        {ui->insertCommentAction, &MainWindow::insertCommentAction},
    };
    for (const auto &entry : table)
        connect(entry.action, &QAction::triggered, this, entry.slot);

    connect(ui->tabWidget, &QTabWidget::tabCloseRequested, this, &MainWindow::tabWidgetClose);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::tabWidgetCurrentChanged);
    connect(ui->searchNextBtn, &QToolButton::clicked, this, &MainWindow::onSearchNextBtnClicked);
    connect(ui->searchPrevBtn, &QToolButton::clicked, this, &MainWindow::onSearchPrevBtnClicked);
    connect(ui->searchCloseBtn, &QToolButton::clicked, this, &MainWindow::onSearchCloseBtn);
    connect(ui->searchEdit, &QLineEdit::textChanged, this, &MainWindow::onSearchEditTextChanged);
    ui->searchEdit->installEventFilter(this);
}

void MainWindow::loadSponsorPage()
{
    ui->verticalLayout->addWidget(sponsorPage);
    // The program's own page (filled in by completeStart()) stays until the
    // server's page replaces it; with no server configured nothing is
    // requested at all.
    sponsorPage->setOpenLinks(false);
    sponsorPage->document()->setDocumentMargin(18);
    connect(sponsorPage, &QTextBrowser::anchorClicked, this, &MainWindow::onSponsorPageAnchorClicked);
    if (endpoints->apiBaseUrl.isEmpty())
        return;

    sponsorPageNetwork = new QNetworkAccessManager(this);
    ServiceRequest *reply = ServiceRequest::get(
        sponsorPageNetwork, QNetworkRequest(QUrl(endpoints->apiBaseUrl + endpoints->sponsorPagePath)),
        ServiceRequest::pageLimit);
    connect(reply, &ServiceRequest::finished, this, &MainWindow::onSponsorPageFinished);
}

void MainWindow::onSponsorPageFinished(bool ok, const QByteArray &page, const QString &error)
{
    if (!ok) {
        qDebug().noquote() << QStringLiteral("Error: ") + error;
        return;
    }
    // The server's page may name the Windows families too.
    FontManager::instance();
    sponsorPage->setHtml(QString::fromUtf8(page));
}

void MainWindow::onSponsorPageAnchorClicked(const QUrl &link)
{
    switch (StartPage::command(link)) {
    case StartPage::Command::New:
        newAction();
        break;
    case StartPage::Command::Open:
        openAction();
        break;
    case StartPage::Command::Example:
        if (!StartPage::examplePath().isEmpty())
            openFile(StartPage::examplePath());
        break;
    case StartPage::Command::Help:
        helpAction();
        break;
    case StartPage::Command::None:
        // Web links of the server's page go to the browser; nothing else is
        // handed to the desktop.
        if (link.scheme() == QLatin1String("https") || link.scheme() == QLatin1String("http"))
            QDesktopServices::openUrl(link);
        break;
    }
}

QL_Edit *MainWindow::currentDocument() const
{
    return qobject_cast<QL_Edit *>(ui->tabWidget->currentWidget());
}

void MainWindow::addDocument(QL_Edit *document)
{
    const int index = ui->tabWidget->addTab(document, document->title());
    ui->tabWidget->setCurrentIndex(index);
    documentWatcher->watch(document);
    connect(document, &QL_Edit::fileWritten, this, [document](const QString &path) {
        if (path == document->filePath())
            RecentFiles::forApplication().add(path);
    });
    connect(document, &QL_Edit::modifiedChanged, this, &MainWindow::modifiedChanged);
    connect(document, &QL_Edit::canUndoChanged, this, &MainWindow::onCanUndoChanged);
    connect(document, &QL_Edit::canRedoChanged, this, &MainWindow::onCanRedoChanged);
    connect(document, &QL_Edit::notationConverted, this, [this](int count) {
        ui->statusbar->showMessage(tr("已将 %1 个工尺字转为曲谱符号").arg(count), 5000);
    });
    connect(document, &QL_Edit::pairingChanged, this, [this, document] {
        if (document == currentDocument())
            showPairing();
    });
    connect(document->scoreEdit(), &QPlainTextEdit::cursorPositionChanged, this, [this, document] {
        if (document == currentDocument())
            showSymbolAtCursor();
    });
    showPairing();
}

void MainWindow::showPairing()
{
    QL_Edit *document = currentDocument();
    const QString status = document ? document->pairing().statusText() : QString();
    if (status.isEmpty()) {
        pairingLabel->clear();
        pairingLabel->hide();
        return;
    }
    pairingLabel->setText(QStringLiteral("<span style=\"color:%1\">%2</span>　<a href=\"#mismatch\">%3</a>")
                              .arg(EditorConfig::instance().errorColor().name(), status.toHtmlEscaped(), tr("转到")));
    pairingLabel->show();
}

void MainWindow::newAction()
{
    addDocument(new QL_Edit);
}

void MainWindow::openAction()
{
    const RecentFolders folders = RecentFolders::forApplication();
    const QL_Edit *document = currentDocument();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("打开文件"), folders.startPath(RecentFolders::Kind::Score, document ? document->filePath() : QString()),
        tr("工尺谱文件 (*.gcp)"));
    if (path.isEmpty())
        return;
    folders.remember(RecentFolders::Kind::Score, path);
    openFile(path);
}

void MainWindow::openFile(const QString &path)
{
    if (path.isEmpty())
        return;
    // Parented to the window for now, so that a box about the file appears
    // over the window; adding the tab takes it over.
    auto *document = new QL_Edit(this);
    // A name relative to the working folder (from the command line) would
    // name another file once that folder changes.
    const QFileInfo file(path);
    const QString absolute = file.isRelative() ? file.absoluteFilePath() : path;
    // A file already open is not opened twice: two tabs of one file would
    // overwrite each other's saves.
    const int open = tabOfFile(absolute);
    if (open >= 0) {
        delete document;
        ui->tabWidget->setCurrentIndex(open);
        RecentFiles::forApplication().add(absolute);
        return;
    }
    if (!document->open(absolute)) {
        delete document;
        return;
    }
    addDocument(document);
    RecentFiles::forApplication().add(absolute);
}

void MainWindow::openFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        openFile(path);
}

void MainWindow::openHandedOverFiles(const QStringList &paths)
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    openFiles(paths);
}

int MainWindow::tabOfFile(const QString &path) const
{
    const QFileInfo wanted(path);
    const QString canonical = wanted.canonicalFilePath();
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        const auto *document = qobject_cast<QL_Edit *>(ui->tabWidget->widget(i));
        // A document never saved is named, not bound to a file.
        if (!document || !QFileInfo(document->filePath()).isFile())
            continue;
        const QFileInfo open(document->filePath());
        // The same file under another name (a link, "..") is the same file.
        if (open.absoluteFilePath() == wanted.absoluteFilePath()
            || (!canonical.isEmpty() && open.canonicalFilePath() == canonical))
            return i;
    }
    return -1;
}

void MainWindow::reloadDocument(QL_Edit *document)
{
    const int index = ui->tabWidget->indexOf(document);
    if (index < 0)
        return;
    auto *fresh = new QL_Edit(this);
    if (!fresh->open(document->filePath())) {
        delete fresh;
        return;
    }
    const bool wasCurrent = ui->tabWidget->currentIndex() == index;
    addDocument(fresh);
    ui->tabWidget->tabBar()->moveTab(ui->tabWidget->indexOf(fresh), index);
    delete document;
    if (wasCurrent)
        ui->tabWidget->setCurrentWidget(fresh);
}

void MainWindow::addDesktopActions()
{
    documentWatcher = new DocumentWatcher(this, [this](QL_Edit *document) { reloadDocument(document); });

    auto *recent = new RecentFilesMenu(this);
    connect(recent, &RecentFilesMenu::fileChosen, this, &MainWindow::openFile);
    const QList<QAction *> fileActions = ui->menuFile->actions();
    ui->menuFile->insertMenu(fileActions.value(fileActions.indexOf(ui->openAction) + 1), recent);

    // Alt+letter opens a menu; F10 the first, as on other desktops.
    ui->menuFile->setTitle(tr("文件(&F)"));
    ui->menuEdit->setTitle(tr("编辑(&E)"));
    ui->menuInsert->setTitle(tr("插入(&I)"));
    ui->menuSetting->setTitle(tr("设置(&S)"));
    ui->menuAbout->setTitle(tr("关于(&H)"));
    if (auto *viewMenu = findChild<QMenu *>(QStringLiteral("menuView")))
        viewMenu->setTitle(tr("视图(&V)"));
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        ui->menubar->setActiveAction(ui->menuFile->menuAction());
    });

    // The docks' own buttons are named in English by Qt, and alike.
    for (QDockWidget *dock : {scoreDock, symbolDock}) {
        if (auto *button = dock->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_floatbutton")))
            button->setAccessibleName(tr("%1 浮动").arg(dock->windowTitle()));
        if (auto *button = dock->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_closebutton")))
            button->setAccessibleName(tr("关闭%1").arg(dock->windowTitle()));
    }
    // So is a tool bar's button for what does not fit the window.
    for (QToolBar *bar : findChildren<QToolBar *>()) {
        if (auto *button = bar->findChild<QAbstractButton *>(QStringLiteral("qt_toolbar_ext_button")))
            button->setAccessibleName(tr("%1：更多按钮").arg(bar->windowTitle()));
    }
    ui->searchEdit->setAccessibleName(tr("查找内容"));
    if (replaceEdit && replaceEdit->accessibleName().isEmpty())
        replaceEdit->setAccessibleName(tr("替换为"));
    AccessibleNames::nameControls(this);

    // Esc keeps quitting, and the desktop's own quit key does too.
    ui->exitAction->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_Q)});
}

void MainWindow::saveAction()
{
    if (QL_Edit *document = currentDocument())
        document->save(false);
}

void MainWindow::saveAsAction()
{
    if (QL_Edit *document = currentDocument())
        document->save(true);
}

void MainWindow::copyAction()
{
    if (QL_Edit *document = currentDocument())
        document->copy();
}

void MainWindow::pasteAction()
{
    if (QL_Edit *document = currentDocument())
        document->paste();
}

void MainWindow::cutAction()
{
    if (QL_Edit *document = currentDocument())
        document->cut();
}

void MainWindow::undoAction()
{
    if (QL_Edit *document = currentDocument())
        document->undo();
}

void MainWindow::redoAction()
{
    if (QL_Edit *document = currentDocument())
        document->redo();
}

void MainWindow::insertTitleAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertTitle();
}

void MainWindow::insertQuPaiAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertQuPai();
}

void MainWindow::insertLianBaiAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertLianBai();
}

void MainWindow::insertJiaBaiAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertJiaBai();
}

void MainWindow::insertCommentAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertComment();
}

void MainWindow::insertLineBreakAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertLineBreak();
}

void MainWindow::insertPageBreakAction()
{
    if (QL_Edit *document = currentDocument())
        document->insertPageBreak();
}

void MainWindow::warnOfUnexportedNotation(const QL_Edit *document)
{
    // Notation on score lines that no sung character owns never reaches the
    // page; the user hears of it before choosing what to export or print.
    const QString warning = document->pairing().unexportedWarning();
    if (!warning.isEmpty())
        QMessageBox::warning(this, tr("警告"), warning);
}

void MainWindow::exportAction()
{
    QL_Edit *document = currentDocument();
    if (!document)
        return;
    warnOfUnexportedNotation(document);
    QL_Export dialog(this, document->exportEntries());
    dialog.setDocumentPath(document->filePath());
    const GcpFile::Texts texts = document->document()->texts();
    dialog.setScoreTexts(texts.lyric, texts.score);
    // A score view not made yet reads the options when it is.
    if (liveView)
        connect(&dialog, &QL_Export::optionsChanged, liveView, &LiveScoreView::reloadOptions);
    dialog.exec();
    // Loading a scheme or restoring the defaults may change every option.
    if (liveView)
        liveView->reloadOptions();
}

LiveScoreView *MainWindow::scoreView()
{
    if (!liveView) {
        liveView = new LiveScoreView(ExportConfig::instance());
        scoreDock->setWidget(liveView);
        liveView->setDocument(currentDocument());
    }
    return liveView;
}

void MainWindow::addScoreView()
{
    scoreDock = new QDockWidget(tr("曲谱预览"), this);
    // The name keeps the dock's place and visibility in the saved state.
    scoreDock->setObjectName(QStringLiteral("scorePreviewDock"));
    // The view, with its layout engine and the export's fonts, is made when
    // the dock is first shown: a hidden dock costs the start nothing.
    connect(scoreDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            scoreView();
    });
    addDockWidget(Qt::RightDockWidgetArea, scoreDock);
    scoreDock->hide();
    // A page at a legible scale beside two editors of some ten characters
    // a line each: a narrow window grows rather than squeeze the editors.
    new DockRoom(this, scoreDock, 480, 460);
    QAction *toggle = scoreDock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("scorePreviewAction"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    toggle->setToolTip(tr("显示或隐藏曲谱预览 Ctrl+Shift+P"));
    auto *viewMenu = new QMenu(tr("视图"), this);
    viewMenu->setObjectName(QStringLiteral("menuView"));
    viewMenu->addAction(toggle);
    ui->menubar->insertMenu(ui->menuSetting->menuAction(), viewMenu);
}

void MainWindow::addPlaybackBar()
{
    playbackBar = new PlaybackBar(this);
    addToolBar(Qt::TopToolBarArea, playbackBar);
}

void MainWindow::addSymbolPalette()
{
    symbolDock = new QDockWidget(tr("符号"), this);
    symbolDock->setObjectName(QStringLiteral("symbolPaletteDock"));
    // The buttons, with the dictionary that names them, are made when the
    // dock is first shown.
    connect(symbolDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible || symbolDock->widget())
            return;
        auto *palette = new SymbolPalette(InputMethod::instance()->dictionary());
        palette->setObjectName(QStringLiteral("symbolPalette"));
        connect(palette, &SymbolPalette::symbolChosen, this, [this](const QString &symbol) {
            if (QL_Edit *document = currentDocument())
                document->insertScoreSymbol(symbol);
        });
        symbolDock->setWidget(palette);
    });
    addDockWidget(Qt::LeftDockWidgetArea, symbolDock);
    symbolDock->hide();
    QAction *toggle = symbolDock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("symbolPaletteAction"));
    toggle->setToolTip(tr("显示或隐藏曲谱符号表"));
    if (auto *viewMenu = findChild<QMenu *>(QStringLiteral("menuView")))
        viewMenu->addAction(toggle);

    symbolLabel = new QLabel;
    symbolLabel->setObjectName(QStringLiteral("symbolLabel"));
    ui->statusbar->addPermanentWidget(symbolLabel);
}

void MainWindow::showSymbolAtCursor()
{
    QL_Edit *document = currentDocument();
    const QString character = document ? document->scoreEdit()->characterAtCursor() : QString();
    // A space between symbols is no character worth naming.
    if (character.isEmpty() || character.front().isSpace()) {
        symbolLabel->clear();
        return;
    }
    symbolLabel->setText(SymbolPalette::describe(InputMethod::instance()->dictionary(), character));
}

void MainWindow::addPrintAction()
{
    auto *print = new QAction(QIcon(QStringLiteral(":/icons/resources/icons/print.png")), tr("打印…"), this);
    print->setObjectName(QStringLiteral("printAction"));
    print->setShortcut(QKeySequence::Print);
    print->setToolTip(tr("打印曲谱 Ctrl+P"));
    const QList<QAction *> fileActions = ui->menuFile->actions();
    const qsizetype exportAt = fileActions.indexOf(ui->exportAction);
    ui->menuFile->insertAction(fileActions.value(exportAt + 1), print);
    // A document to print is what the export needs too.
    print->setEnabled(ui->exportAction->isEnabled());
    connect(ui->exportAction, &QAction::changed, print,
            [this, print] { print->setEnabled(ui->exportAction->isEnabled()); });
    connect(print, &QAction::triggered, this, &MainWindow::printAction);
}

void MainWindow::addPlainTextActions()
{
    auto *copyPlain = new QAction(tr("复制为文字谱"), this);
    copyPlain->setObjectName(QStringLiteral("copyPlainTextAction"));
    copyPlain->setToolTip(tr("把所选唱词行（未选时为全文）连同曲谱以普通文字复制，可贴到其他程序"));
    const QList<QAction *> editActions = ui->menuEdit->actions();
    ui->menuEdit->insertAction(editActions.value(editActions.indexOf(ui->copyAction) + 1), copyPlain);
    copyPlain->setEnabled(ui->copyAction->isEnabled());
    connect(ui->copyAction, &QAction::changed, copyPlain,
            [this, copyPlain] { copyPlain->setEnabled(ui->copyAction->isEnabled()); });
    connect(copyPlain, &QAction::triggered, this, [this] {
        if (QL_Edit *document = currentDocument()) {
            document->copyAsPlainText();
            ui->statusbar->showMessage(tr("已复制为文字谱"), 3000);
        }
    });

    auto *import = new QAction(tr("导入文字谱…"), this);
    import->setObjectName(QStringLiteral("importPlainTextAction"));
    import->setToolTip(tr("打开文字谱文本文件（.txt），作为新曲谱"));
    const QList<QAction *> fileActions = ui->menuFile->actions();
    ui->menuFile->insertAction(fileActions.value(fileActions.indexOf(ui->openAction) + 1), import);
    connect(import, &QAction::triggered, this, &MainWindow::importPlainTextAction);
}

void MainWindow::importPlainTextAction()
{
    const RecentFolders folders = RecentFolders::forApplication();
    const QL_Edit *current = currentDocument();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("导入文字谱"), folders.startPath(RecentFolders::Kind::Score, current ? current->filePath() : QString()),
        tr("文字谱 (*.txt);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    folders.remember(RecentFolders::Kind::Score, path);
    const PlainScoreText::Reading reading = PlainScoreText::readFile(path);
    QStringList report;
    for (const PlainScoreText::Problem &problem : reading.problems.mid(0, 10))
        report.append(problem.text);
    if (reading.problems.size() > 10)
        report.append(tr("……共 %1 处").arg(reading.problems.size()));
    if (!reading.ok) {
        // Nothing is opened from a file read only in part; the file stays as it is.
        QMessageBox box(QMessageBox::Warning, tr("导入文字谱"), tr("无法导入文字谱，没有打开任何内容。"), QMessageBox::Ok, this);
        box.setInformativeText(report.join(QLatin1Char('\n')) + QLatin1Char('\n') + QDir::toNativeSeparators(path));
        box.exec();
        return;
    }
    auto *document = new QL_Edit;
    document->importTexts(reading.lyric, reading.score);
    addDocument(document);
    if (!report.isEmpty())
        QMessageBox::information(this, tr("导入文字谱"), report.join(QLatin1Char('\n')));
}

void MainWindow::addTabActions()
{
    auto *close = new QAction(tr("关闭"), this);
    close->setObjectName(QStringLiteral("closeAction"));
    close->setShortcuts(QKeySequence::Close);
    close->setToolTip(tr("关闭当前文件 Ctrl+W"));
    const QList<QAction *> fileActions = ui->menuFile->actions();
    ui->menuFile->insertAction(fileActions.value(fileActions.indexOf(ui->saveAsAction) + 1), close);
    close->setEnabled(ui->saveAction->isEnabled());
    connect(ui->saveAction, &QAction::changed, close, [this, close] { close->setEnabled(ui->saveAction->isEnabled()); });
    connect(close, &QAction::triggered, this, [this] {
        if (ui->tabWidget->count() > 0)
            tabWidgetClose(ui->tabWidget->currentIndex());
    });

    // Window shortcuts: they reach the window before the editors, which would
    // otherwise take Ctrl+Tab for a tab character.
    auto *next = new QAction(tr("下一个文件"), this);
    next->setObjectName(QStringLiteral("nextTabAction"));
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    connect(next, &QAction::triggered, this, [this] { switchTab(1); });
    auto *previous = new QAction(tr("上一个文件"), this);
    previous->setObjectName(QStringLiteral("previousTabAction"));
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(previous, &QAction::triggered, this, [this] { switchTab(-1); });
    addActions({next, previous});
}

void MainWindow::switchTab(int step)
{
    const int count = ui->tabWidget->count();
    if (count < 2)
        return;
    ui->tabWidget->setCurrentIndex((ui->tabWidget->currentIndex() + step + count) % count);
}

void MainWindow::updateWindowTitle()
{
    const QString program = tr("Qelun工尺谱");
    QL_Edit *document = currentDocument();
    if (!document) {
        setWindowTitle(program);
        setWindowModified(false);
        return;
    }
    // "[*]" is where Qt shows the unsaved mark.
    setWindowTitle(QFileInfo(document->filePath()).fileName() + QStringLiteral("[*] - ") + program);
    setWindowModified(document->isModified());
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".gcp"), Qt::CaseInsensitive)) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".gcp"), Qt::CaseInsensitive))
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened after the drop has finished: the drag source is not kept waiting
    // while a box about a damaged file is open.
    QMetaObject::invokeMethod(this, [this, paths] {
        for (const QString &path : paths)
            openFile(path);
    }, Qt::QueuedConnection);
}

void MainWindow::printAction()
{
    QL_Edit *document = currentDocument();
    if (!document)
        return;
    warnOfUnexportedNotation(document);
    QL_GenerateSVG renderer;
    RenderProgress progress(this);
    connect(&renderer, &QL_GenerateSVG::progressUpdate, this,
            [&progress](int status, int value, int maxValue, const QString &winTitle, const QString &tip) {
                progress.update(status, value, maxValue, winTitle, tip);
            });
    ScorePrinter(renderer).printDocument(this, document->exportEntries(), document->filePath());
}

void MainWindow::helpAction()
{
    Help help(nullptr);
    help.exec();
}

void MainWindow::aboutAction()
{
    About about(nullptr);
    about.exec();
}

void MainWindow::settingAction()
{
    // A window of its own, gone as soon as it closes.
    Settings settings;
    settings.exec();
}

void MainWindow::searchAction()
{
    if (!currentDocument())
        return;
    if (ui->searchBox->isVisible()) {
        closeSearchBar();
        return;
    }
    ui->searchBox->show();
    // The search word is typed into the field, never into the lyrics.
    ui->searchEdit->setFocus(Qt::ShortcutFocusReason);
    ui->searchEdit->selectAll();
}

void MainWindow::onSearchCloseBtn()
{
    closeSearchBar();
}

void MainWindow::closeSearchBar()
{
    const bool hadFocus = ui->searchBox->isAncestorOf(QApplication::focusWidget());
    ui->searchBox->hide();
    ui->searchResLabel->clear();
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        if (auto *document = qobject_cast<QL_Edit *>(ui->tabWidget->widget(i)))
            document->lyricEdit()->clearFindMarks();
    }
    if (hadFocus) {
        if (QL_Edit *document = currentDocument())
            document->lyricEdit()->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::addReplaceControls()
{
    replaceEdit = new QLineEdit(ui->searchBox);
    replaceEdit->setObjectName(QStringLiteral("replaceEdit"));
    replaceEdit->setPlaceholderText(tr("替换为"));
    replaceEdit->setFrame(false);
    replaceEdit->setMinimumHeight(30);
    replaceEdit->setStyleSheet(QStringLiteral("QLineEdit { border: none; border-radius: 3px; margin-left: 12px; "
                                              "padding-left: 10px; padding-right: 10px; color: palette(text); "
                                              "background: palette(base); }"));
    auto *replaceButton = new QToolButton(ui->searchBox);
    replaceButton->setObjectName(QStringLiteral("replaceBtn"));
    replaceButton->setText(tr("替换"));
    auto *replaceAllButton = new QToolButton(ui->searchBox);
    replaceAllButton->setObjectName(QStringLiteral("replaceAllBtn"));
    replaceAllButton->setText(tr("全部替换"));
    const int closeAt = ui->horizontalLayout->indexOf(ui->searchCloseBtn);
    ui->horizontalLayout->insertWidget(closeAt, replaceAllButton);
    ui->horizontalLayout->insertWidget(closeAt, replaceButton);
    ui->horizontalLayout->insertWidget(closeAt, replaceEdit);
    connect(replaceButton, &QToolButton::clicked, this, &MainWindow::replaceCurrent);
    connect(replaceAllButton, &QToolButton::clicked, this, &MainWindow::replaceAll);
    connect(replaceEdit, &QLineEdit::returnPressed, this, &MainWindow::replaceCurrent);
    replaceEdit->installEventFilter(this);

    auto *next = new QAction(tr("查找下一个"), this);
    next->setObjectName(QStringLiteral("findNextAction"));
    next->setShortcut(QKeySequence(Qt::Key_F3));
    next->setToolTip(tr("查找下一个 F3"));
    connect(next, &QAction::triggered, this, [this] { findStep(true); });
    auto *previous = new QAction(tr("查找上一个"), this);
    previous->setObjectName(QStringLiteral("findPreviousAction"));
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    previous->setToolTip(tr("查找上一个 Shift+F3"));
    connect(previous, &QAction::triggered, this, [this] { findStep(false); });
    auto *replace = new QAction(tr("替换"), this);
    replace->setObjectName(QStringLiteral("replaceAction"));
    replace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    replace->setToolTip(tr("查找并替换 Ctrl+H"));
    connect(replace, &QAction::triggered, this, [this] {
        if (!currentDocument())
            return;
        ui->searchBox->show();
        replaceEdit->setFocus(Qt::ShortcutFocusReason);
        replaceEdit->selectAll();
    });
    ui->menuEdit->addSeparator();
    ui->menuEdit->addActions({ui->searchAction, next, previous, replace});
    // They act on a document, as the search itself does.
    for (QAction *action : {next, previous, replace}) {
        action->setEnabled(ui->searchAction->isEnabled());
        connect(ui->searchAction, &QAction::changed, action,
                [this, action] { action->setEnabled(ui->searchAction->isEnabled()); });
    }
}

void MainWindow::findStep(bool forward)
{
    if (!currentDocument())
        return;
    if (ui->searchEdit->text().isEmpty()) {
        ui->searchBox->show();
        ui->searchEdit->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    ui->searchBox->show();
    search(forward);
}

void MainWindow::replaceCurrent()
{
    QL_Edit *document = currentDocument();
    const QString text = ui->searchEdit->text();
    if (!document || text.isEmpty())
        return;
    // The first 替换 without a current match only finds one, to be seen
    // before it is replaced.
    LyricReplace::replaceCurrent(document, text, replaceEdit->text());
    search(true);
}

void MainWindow::replaceAll()
{
    QL_Edit *document = currentDocument();
    const QString text = ui->searchEdit->text();
    if (!document || text.isEmpty())
        return;
    const int count = LyricReplace::replaceAll(document, text, replaceEdit->text());
    ui->searchResLabel->setText(tr("已替换 %1 处").arg(count));
}

void MainWindow::onSearchNextBtnClicked()
{
    search(true);
}

void MainWindow::onSearchPrevBtnClicked()
{
    search(false);
}

void MainWindow::search(bool forward)
{
    QL_Edit *document = currentDocument();
    const QString text = ui->searchEdit->text();
    if (!document || text.isEmpty())
        return;
    QL_LyricEdit *lyric = document->lyricEdit();
    const QPair<int, int> result = forward ? lyric->findNext(text) : lyric->findPrevious(text);
    ui->searchResLabel->setText(QStringLiteral("%1/%2").arg(result.first).arg(result.second));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->searchEdit && watched != replaceEdit)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool escape = key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier;
    if (event->type() == QEvent::ShortcutOverride) {
        // Escape in the field closes the bar; it must not reach the
        // window's Escape shortcut, which closes every document.
        if (escape)
            event->accept();
        return false;
    }
    if (escape) {
        closeSearchBar();
        return true;
    }
    if (watched == ui->searchEdit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) {
            search(modifiers == Qt::NoModifier);
            return true;
        }
    }
    return false;
}

void MainWindow::onSearchEditTextChanged()
{
    if (ui->searchEdit->text().isEmpty())
        ui->searchResLabel->clear();
}

void MainWindow::modifiedChanged(bool isModified)
{
    Q_UNUSED(isModified)
    // The document that changed, which need not be the current one: closing
    // a tab in the background saves it there.
    auto *document = qobject_cast<QL_Edit *>(sender());
    if (!document || ui->tabWidget->indexOf(document) < 0)
        document = currentDocument();
    if (document)
        ui->tabWidget->setTabText(ui->tabWidget->indexOf(document), document->title());
    updateWindowTitle();
}

void MainWindow::onCanUndoChanged(bool canUndo)
{
    ui->undoAction->setEnabled(canUndo);
}

void MainWindow::onCanRedoChanged(bool canRedo)
{
    ui->redoAction->setEnabled(canRedo);
}

QList<QAction *> MainWindow::documentActions() const
{
    return {ui->copyAction,          ui->pasteAction,        ui->cutAction,
            ui->searchAction,        ui->exportAction,       ui->saveAction,
            ui->saveAsAction,        ui->insertTitleAction,  ui->insertQupaiAction,
            ui->insertJiabaiAction,  ui->insertLianbaiAction, ui->insertCommentAction,
            ui->lineBreakAction,     ui->pageBreakAction};
}

void MainWindow::tabWidgetCurrentChanged(int index)
{
    const bool hasDocument = index != -1;
    updateWindowTitle();
    ui->tabWidget->setVisible(hasDocument);
    sponsorPage->setVisible(!hasDocument);
    for (QAction *action : documentActions())
        action->setEnabled(hasDocument);

    showPairing();
    showSymbolAtCursor();
    if (liveView)
        liveView->setDocument(currentDocument());
    playbackBar->setDocument(currentDocument());
    if (!hasDocument) {
        ui->undoAction->setEnabled(false);
        ui->redoAction->setEnabled(false);
        if (ui->searchBox->isVisible())
            closeSearchBar();
        return;
    }
    if (QL_Edit *document = currentDocument()) {
        ui->undoAction->setEnabled(document->undoStack()->canUndo());
        ui->redoAction->setEnabled(document->undoStack()->canRedo());
        InputMethod::instance()->setEditor(document->scoreEdit());
    }
}

bool MainWindow::tabWidgetClose(int index)
{
    auto *document = qobject_cast<QL_Edit *>(ui->tabWidget->widget(index));
    if (!document)
        return false;
    if (!document->isModified()) {
        delete document;
        return true;
    }

    const QMessageBox::StandardButton answer = QMessageBox::warning(
        this, tr("警告"), tr("\"%1\"未保存，是否保存？").arg(document->title()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Yes:
        if (!document->save(false))
            return false;
        QMessageBox::information(this, tr("提示"),
                                 tr("\"%1\"保存成功！").arg(document->title()));
        delete document;
        return true;
    case QMessageBox::No:
        delete document;
        return true;
    default:
        return false;
    }
}

bool MainWindow::closeAllDocuments()
{
    for (int index = ui->tabWidget->count() - 1; index >= 0; --index) {
        if (!tabWidgetClose(index))
            break;
    }
    return ui->tabWidget->count() == 0;
}

void MainWindow::exitAction()
{
    if (closeAllDocuments())
        quitApplication();
}

void MainWindow::quitApplication()
{
    // The configurations write themselves back once more as the program
    // ends, with no window left to tell of a failure: save them while the
    // user can still be told.
    bool saved = WindowGeometry::save(*this);
    saved = EditorConfig::instance().save() && saved;
    saved = EditorZoom::instance().save() && saved;
    if (ExportConfig::exists())
        saved = ExportConfig::instance().save() && saved;
    if (!saved)
        QMessageBox::warning(this, tr("错误"), tr("保存设置时发生错误！"));
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window never closes by itself: the application ends through quit()
    // once every document is closed.
    event->ignore();
    if (closeAllDocuments())
        quitApplication();
}
