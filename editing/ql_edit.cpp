#include "ql_edit.h"
#include "linenumberarea.h"
#include "ui_ql_edit.h"

#include "copylyriccommand.h"
#include "deletelyriccommand.h"
#include "deletescorecommand.h"
#include "gcpfile.h"
#include "inputmethod.h"
#include "insertlyriccommand.h"
#include "insertscorecommand.h"
#include "notation.h"
#include "openfailure.h"
#include "recentfolders.h"
#include "pastelyriccommand.h"
#include "plaingongche.h"
#include "plaintextcopy.h"
#include "templatefields.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "texthistorybound.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTextBlock>
#include <QUndoStack>

namespace {


// Puts the cursor on the start of score line `line` and returns true, or
// returns false when the score has no such line.
bool moveToLineStart(QTextCursor &cursor, int line, QTextCursor::MoveMode mode)
{
    const QTextBlock block = cursor.document()->findBlockByNumber(line);
    if (line < 0 || !block.isValid())
        return false;
    cursor.setPosition(block.position(), mode);
    return true;
}

} // namespace

QL_Edit::QL_Edit(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::QL_Edit)
    , m_filePath(tr("未命名"))
    , inputMethodKeys({Qt::Key_Comma, Qt::Key_Period, Qt::Key_Escape, Qt::Key_Backspace,
                       Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
{
    ui->setupUi(this);
    // What the gutters show, for assistive technology.
    if (auto *gutter = ui->lyricEdit->findChild<LineNumberArea *>())
        gutter->setAccessibleName(tr("唱词行类型"));
    if (auto *gutter = ui->scoreEdit->findChild<LineNumberArea *>())
        gutter->setAccessibleName(tr("曲谱所属唱字"));
    // Made after the editors, so that it outlives them: they show its texts.
    m_document = new ScoreDocument(this);
    ui->lyricEdit->showDocument(m_document);
    ui->scoreEdit->showDocument(m_document);
    // The form's palette replaces the editors' colours: apply them again.
    ui->lyricEdit->applyConfig();
    ui->scoreEdit->applyConfig();
    ui->scoreEdit->setLyricEdit(ui->lyricEdit);

    QUndoStack *stack = m_document->undoStack();
    for (QPlainTextEdit *editor : {static_cast<QPlainTextEdit *>(ui->lyricEdit),
                                   static_cast<QPlainTextEdit *>(ui->scoreEdit)}) {
        editor->installEventFilter(this);
        // The text area gets its own filter: middle-click paste, drops and
        // the editor's own context menu would edit behind the commands' back.
        editor->viewport()->installEventFilter(this);
        editor->setAcceptDrops(false);
    }
    ui->redoAction->setEnabled(false);
    emit canRedoChanged(false);
    ui->undoAction->setEnabled(false);
    emit canUndoChanged(false);

    connect(ui->lyricEdit, &QPlainTextEdit::textChanged, this, &QL_Edit::updateScoreLineNumberArea);
    connect(ui->lyricEdit, &QPlainTextEdit::cursorPositionChanged, this,
            &QL_Edit::lyricCursorPositionChanged);
    lyricCursorPositionChanged();
    connect(ui->scoreEdit, &QPlainTextEdit::textChanged, this, &QL_Edit::onScoreTextChanged);
    connect(ui->scoreEdit, &QPlainTextEdit::cursorPositionChanged, this,
            &QL_Edit::scoreCursorPositionChanged);
    connect(ui->undoAction, &QAction::triggered, this, &QL_Edit::undo);
    connect(ui->redoAction, &QAction::triggered, this, &QL_Edit::redo);
    connect(ui->cutAction, &QAction::triggered, this, &QL_Edit::cut);
    connect(ui->copyAction, &QAction::triggered, this, &QL_Edit::copy);
    connect(ui->pasteAction, &QAction::triggered, this, &QL_Edit::paste);
    connect(stack, &QUndoStack::canUndoChanged, this, &QL_Edit::onCanUndoChanged);
    connect(stack, &QUndoStack::canRedoChanged, this, &QL_Edit::onCanRedoChanged);
    // Every edit is a command: the counts can change only when the stack
    // moves, or when a file is loaded.
    connect(stack, &QUndoStack::indexChanged, this, &QL_Edit::checkPairing);
    // The documents' own histories are bounded with the stack.
    new TextHistoryBound(this);
}

QL_Edit::~QL_Edit()
{
    // Clearing the stack reports canUndo/canRedo false; nobody must hear it
    // from a document that is going away (its window may be going too).
    m_document->undoStack()->disconnect(this);
    // The commands go while the editors whose steps they replay still stand.
    m_document->undoStack()->clear();
    delete ui;
}

QL_LyricEdit *QL_Edit::lyricEdit() const
{
    return ui->lyricEdit;
}

QL_ScoreEdit *QL_Edit::scoreEdit() const
{
    return ui->scoreEdit;
}

QString QL_Edit::title() const
{
    QString name = QFileInfo(m_filePath).fileName();
    if (modified)
        name += QLatin1Char('*');
    return name;
}

bool QL_Edit::save(bool saveAs)
{
    QString target = m_filePath;
    const QFileInfo current(target);
    const bool boundToFile = !target.isEmpty() && current.exists() && current.isFile()
                             && GcpFile::hasGcpSuffix(target);
    if (!boundToFile || saveAs) {
        // A copy is offered under the document's own name, a new document
        // under its score's title.
        const RecentFolders folders = RecentFolders::forApplication();
        const QString name = boundToFile ? current.fileName()
                                         : RecentFolders::fileNameFor(scoreTitle(exportEntries()), QStringLiteral("gcp"));
        const QString chosen = QFileDialog::getSaveFileName(
            this, tr("选择文件"), folders.startPath(RecentFolders::Kind::Score, target, name),
            tr("工尺谱文件 (*.gcp)"));
        if (chosen.isEmpty())
            return false;
        folders.remember(RecentFolders::Kind::Score, chosen);
        target = GcpFile::hasGcpSuffix(chosen) ? chosen : chosen + QLatin1String(".gcp");
        // The dialog asked about replacing the name it returned, not the one
        // with the suffix added: a file of that name is not replaced unasked.
        if (target != chosen && QFileInfo::exists(target)
            && QMessageBox::warning(this, tr("警告"),
                                    tr("\"%1\"已存在，是否替换？").arg(QFileInfo(target).fileName()),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                   != QMessageBox::Yes)
            return false;
        // The chosen path is kept even if writing fails, so that the next save
        // goes to the place the user named.
        if (!saveAs)
            m_filePath = target;
    }

    if (m_overwriteCheck && QFileInfo::exists(target) && !m_overwriteCheck(target))
        return false;
    const GcpFile::Texts texts = m_document->texts();
    QString why;
    if (!GcpFile::save(target, texts, &why)) {
        // Why, when the system said: a full disk reads otherwise than a
        // folder without permission.
        QMessageBox::warning(this, tr("错误"),
                             why.isEmpty() ? tr("保存文件时发生错误！")
                                           : tr("保存文件时发生错误！") + QLatin1Char('\n') + tr("原因：") + why);
        return false;
    }
    emit fileWritten(target);

    if (saveAs) {
        // A copy: the document stays bound to its own path and keeps its mark.
        QMessageBox::information(this, tr("提示"), target + tr("保存成功！"));
    } else {
        modified = false;
        emit modifiedChanged(false);
    }
    return true;
}

bool QL_Edit::open(const QString &path)
{
    GcpFile::Texts texts;
    const GcpFile::LoadResult result = GcpFile::load(path, &texts);
    switch (result) {
    case GcpFile::LoadResult::Loaded:
        break;
    case GcpFile::LoadResult::WrongType:
        QMessageBox::warning(this, tr("文件类型错误"),
                             tr("请选择工尺谱文件（.gcp）格式！"));
        return false;
    case GcpFile::LoadResult::CannotOpen:
    case GcpFile::LoadResult::Damaged: {
        // A damaged file is not loaded in part: saving it afterwards would
        // make the loss permanent.
        QMessageBox box(QMessageBox::Warning, tr("错误"), tr("打开文件时发生错误！"),
                        QMessageBox::Ok, this);
        box.setInformativeText(OpenFailure::reason(path, result) + QLatin1Char('\n')
                               + QDir::toNativeSeparators(path));
        box.exec();
        return false;
    }
    }

    {
        const ScoreDocument::SyncGuard guard(m_document);
        ui->lyricEdit->setPlainText(texts.lyric);
        ui->scoreEdit->setPlainText(texts.score);
    }
    // Both cursors stand at the start now; pair them and their tints.
    lyricCursorPositionChanged();

    m_filePath = path;
    modified = false;
    emit modifiedChanged(false);
    checkPairing();
    return true;
}

void QL_Edit::undo()
{
    undoStack()->undo();
}

void QL_Edit::redo()
{
    undoStack()->redo();
}

void QL_Edit::copy()
{
    if (ui->lyricEdit->hasFocus()) {
        // Sung characters go to the clipboard together with their notation.
        if (ui->lyricEdit->textCursor().hasSelection())
            delete new CopyLyricCommand(this);
    } else if (ui->scoreEdit->hasFocus() && ui->scoreEdit->textCursor().hasSelection()) {
        ui->scoreEdit->copy();
    }
}

void QL_Edit::cut()
{
    if (ui->lyricEdit->hasFocus()) {
        if (ui->lyricEdit->textCursor().hasSelection()) {
            delete new CopyLyricCommand(this);
            QL_Command::pushIfChanged(undoStack(), new DeleteLyricCommand(this, true, Qt::NoModifier));
        }
    } else if (ui->scoreEdit->hasFocus() && ui->scoreEdit->textCursor().hasSelection()) {
        ui->scoreEdit->copy();
        // Keeps the score's line count: the selection leaves its line breaks.
        QL_Command::pushIfChanged(undoStack(), new DeleteScoreCommand(this, true, Qt::NoModifier));
    }
}

void QL_Edit::paste()
{
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    if (text.isEmpty())
        return;
    if (ui->lyricEdit->hasFocus())
        QL_Command::pushIfChanged(undoStack(), new PasteLyricCommand(this));
    else if (ui->scoreEdit->hasFocus())
        QL_Command::pushIfChanged(undoStack(), new InsertScoreCommand(this, scoreInput(text), Qt::NoModifier));
}

QString QL_Edit::scoreInput(const QString &text)
{
    const PlainGongche::Conversion conversion = PlainGongche::fromPlain(text);
    if (conversion.converted > 0)
        emit notationConverted(conversion.converted);
    return conversion.text;
}

void QL_Edit::copyAsPlainText()
{
    const QTextCursor cursor = ui->lyricEdit->textCursor();
    const QTextDocument *lyric = m_document->lyric();
    int first = 0, last = lyric->blockCount() - 1;
    if (cursor.hasSelection()) {
        first = lyric->findBlock(cursor.selectionStart()).blockNumber();
        last = lyric->findBlock(cursor.selectionEnd()).blockNumber();
    }
    // Lines as the documents hold them: toPlainText() would break a line at
    // a line separator (U+2028), and the line numbers would no longer match.
    auto lines = [](const QTextDocument *document) {
        QStringList texts;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            texts.append(block.text());
        return texts.join(QLatin1Char('\n'));
    };
    QGuiApplication::clipboard()->setMimeData(
        PlainTextCopy::mimeData(lines(lyric), lines(m_document->score()), first, last), QClipboard::Clipboard);
}

void QL_Edit::importTexts(const QString &lyric, const QString &score)
{
    {
        const ScoreDocument::SyncGuard guard(m_document);
        ui->lyricEdit->setPlainText(lyric);
        ui->scoreEdit->setPlainText(score);
    }
    lyricCursorPositionChanged();
    m_filePath.clear();
    modified = true;
    emit modifiedChanged(true);
    checkPairing();
}

void QL_Edit::insertMarker(const QString &marker, MarkerSelection selection)
{
    QL_LyricEdit *lyric = ui->lyricEdit;
    // The marker goes in at the caret and leaves any selection as it is:
    // replacing a selection would join the lines around it, and the marker
    // would land in the middle of a line.
    QTextCursor cursor = lyric->textCursor();
    cursor.clearSelection();
    QString text = marker;
    if (!cursor.block().text().isEmpty()) {
        // A marker starts a line of its own, after the current one.
        cursor.movePosition(QTextCursor::EndOfBlock);
        text.prepend(QLatin1Char('\n'));
    }
    lyric->setTextCursor(cursor);
    QL_Command::pushIfChanged(undoStack(), new InsertLyricCommand(this, text));

    cursor = lyric->textCursor();
    switch (selection) {
    case MarkerSelection::None:
        break;
    case MarkerSelection::Title:
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, 2);
        break;
    case MarkerSelection::TuneName:
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::MoveAnchor, 5);
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, 3);
        break;
    }
    lyric->setTextCursor(cursor);
    lyric->ensureCursorVisible();
    lyric->setFocus(Qt::OtherFocusReason);
}

void QL_Edit::insertTitle()
{
    insertMarker(tr("# 标题"), MarkerSelection::Title);
}

void QL_Edit::insertQuPai()
{
    insertMarker(tr("【曲牌名】(调名)"), MarkerSelection::TuneName);
}

void QL_Edit::insertLianBai()
{
    insertMarker(QStringLiteral("= "), MarkerSelection::None);
}

void QL_Edit::insertJiaBai()
{
    insertMarker(QStringLiteral("> "), MarkerSelection::None);
}

void QL_Edit::insertComment()
{
    insertMarker(QStringLiteral("; "), MarkerSelection::None);
}

void QL_Edit::insertLineBreak()
{
    insertMarker(tr("@换行符"), MarkerSelection::None);
}

void QL_Edit::insertPageBreak()
{
    insertMarker(tr("@分页符"), MarkerSelection::None);
}

void QL_Edit::insertScoreSymbol(const QString &symbol)
{
    // A code half typed in the popup is dropped, as a click into the score
    // would drop it.
    ui->scoreEdit->inputMethod()->reset();
    QL_Command::pushIfChanged(undoStack(), new InsertScoreCommand(this, symbol, Qt::NoModifier));
    ui->scoreEdit->ensureCursorVisible();
    ui->scoreEdit->setFocus(Qt::OtherFocusReason);
}

QList<ExportEntry> QL_Edit::exportEntries() const
{
    return m_document->exportEntries();
}

PairingReport QL_Edit::pairing() const
{
    PairingReport report(ui->lyricEdit->lyricCharCount(), ui->scoreEdit->document());
    report.setForeignCharacters(ui->scoreEdit->foreignCharacterCount());
    return report;
}

void QL_Edit::showFirstMismatch()
{
    const PairingReport report = pairing();
    if (report.firstSurplusLine() >= 0) {
        QL_ScoreEdit *score = ui->scoreEdit;
        score->setTextCursor(QTextCursor(score->document()->findBlockByNumber(report.firstSurplusLine())));
        score->ensureCursorVisible();
        score->setFocus(Qt::OtherFocusReason);
    } else if (report.firstCharWithoutLine() > 0 && !report.isPaired()) {
        QL_LyricEdit *lyric = ui->lyricEdit;
        const int end = lyric->positionAfterLyricChar(report.firstCharWithoutLine());
        QTextCursor cursor = lyric->textCursor();
        cursor.setPosition(end - 1);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        lyric->setTextCursor(cursor);
        lyric->ensureCursorVisible();
        lyric->setFocus(Qt::OtherFocusReason);
    } else if (report.foreignCharacters() > 0) {
        // The first character of the score that is no notation, selected.
        QL_ScoreEdit *score = ui->scoreEdit;
        const QTextBlock block = score->document()->findBlockByNumber(score->firstForeignLine());
        const QString text = block.text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QString character = text.mid(i, text.at(i).isHighSurrogate() ? 2 : 1);
            if (Notation::isForeign(Notation::codePoint(character))) {
                QTextCursor cursor(block);
                cursor.setPosition(block.position() + int(i));
                cursor.setPosition(block.position() + int(i + character.size()), QTextCursor::KeepAnchor);
                score->setTextCursor(cursor);
                score->ensureCursorVisible();
                score->setFocus(Qt::OtherFocusReason);
                break;
            }
            i += character.size() - 1;
        }
    }
}

void QL_Edit::checkPairing()
{
    const int scoreLines = ui->scoreEdit->blockCount();
    const int sungChars = ui->lyricEdit->lyricCharCount();
    const int foreign = ui->scoreEdit->foreignCharacterCount();
    if (scoreLines == reportedScoreLines && sungChars == reportedSungChars && foreign == reportedForeign)
        return;
    reportedScoreLines = scoreLines;
    reportedSungChars = sungChars;
    reportedForeign = foreign;
    emit pairingChanged();
}

void QL_Edit::lyricCursorPositionChanged()
{
    if (m_document->isSyncing())
        return;
    const ScoreDocument::SyncGuard guard(m_document);
    QL_LyricEdit *lyric = ui->lyricEdit;
    QL_ScoreEdit *score = ui->scoreEdit;
    const QTextCursor l = lyric->textCursor();
    QTextCursor s = score->textCursor();

    if (l.hasSelection()) {
        const int first = lyric->lyricIndexAt(l.selectionStart()) + 1;
        const int last = lyric->lyricIndexAt(l.selectionEnd());
        if (!moveToLineStart(s, first, QTextCursor::MoveAnchor))
            s.movePosition(first - 1 < 0 ? QTextCursor::Start : QTextCursor::End);
        if (moveToLineStart(s, last, QTextCursor::KeepAnchor))
            s.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        else if (last < 0)
            s.movePosition(QTextCursor::Start);
        else
            s.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        lyric->clearTints();
        score->setExtraSelections({});
    } else {
        const int n = lyric->lyricIndexAt(l.position());
        if (moveToLineStart(s, n, QTextCursor::MoveAnchor))
            s.movePosition(QTextCursor::EndOfBlock);
        else
            s.movePosition(n < 0 ? QTextCursor::Start : QTextCursor::End);
        lyric->highlightLine(l.position());
        score->highlightLine(s.position());
    }

    score->setTextCursor(s);
    score->ensureCursorVisible();
}

void QL_Edit::scoreCursorPositionChanged()
{
    if (m_document->isSyncing())
        return;
    const ScoreDocument::SyncGuard guard(m_document);
    QL_LyricEdit *lyric = ui->lyricEdit;
    QL_ScoreEdit *score = ui->scoreEdit;
    const QTextCursor s = score->textCursor();
    QTextCursor l = lyric->textCursor();

    if (s.hasSelection()) {
        const int k = s.selectedText().count(QChar::ParagraphSeparator);
        const int n = s.blockNumber();
        const int first = s.position() < s.anchor() ? n : n - k;
        const int last = s.position() < s.anchor() ? n + k : n;
        l.setPosition(lyric->positionAfterLyricChar(first + 1));
        l.movePosition(QTextCursor::PreviousCharacter);
        l.setPosition(lyric->positionAfterLyricChar(last + 1), QTextCursor::KeepAnchor);
        lyric->clearTints();
        score->setExtraSelections({});
    } else {
        const int p = lyric->positionAfterLyricChar(s.blockNumber() + 1);
        l.setPosition(p);
        lyric->highlightChar(p);
        score->highlightLine(s.position());
    }

    lyric->setTextCursor(l);
    lyric->ensureCursorVisible();
}

void QL_Edit::markModified()
{
    if (modified)
        return;
    modified = true;
    emit modifiedChanged(true);
}

void QL_Edit::onScoreTextChanged()
{
    markModified();
}

void QL_Edit::updateScoreLineNumberArea()
{
    markModified();
    // A lyric edit moves the owners of the score lines after it; the rows
    // whose owner stayed need no repaint.
    ui->scoreEdit->refreshGutterLabels();
}

void QL_Edit::onCanUndoChanged(bool canUndo)
{
    ui->undoAction->setEnabled(canUndo);
    emit canUndoChanged(canUndo);
}

void QL_Edit::onCanRedoChanged(bool canRedo)
{
    ui->redoAction->setEnabled(canRedo);
    emit canRedoChanged(canRedo);
}

namespace {

// The first character of a text, a whole code point: a character outside
// the Basic Multilingual Plane (an ideograph of CJK Extension B, a notation
// symbol) arrives as a surrogate pair.
char32_t firstCodePoint(const QString &text)
{
    if (text.size() > 1 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(text.at(0), text.at(1));
    return text.at(0).unicode();
}

// Whether the text editors would insert a key press's text by themselves:
// Qt's own rule, which takes format characters (U+200D, U+00AD) with any
// modifiers, and with other than Ctrl or Ctrl+Shift printable characters,
// private-use characters, surrogate pairs and the tab. Every such key must
// become a command, or be swallowed: passed on, it would edit the document
// outside the undo stack.
bool editorInsertsText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const char32_t c = firstCodePoint(text);
    if (QChar::category(c) == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return c > 0xFFFF || c == u'\t' || QChar::isPrint(c) || QChar::category(c) == QChar::Other_PrivateUse;
}

// Whether a key press types its text: what the editors would insert, except
// that a letter with Ctrl held (from a synthetic or unusual event) is no
// typing; a user pressing Ctrl+Meta+K never means to type "k". Ctrl with Alt
// stays text: that is AltGr on some keyboards.
bool typesText(const QKeyEvent *event)
{
    if (!editorInsertsText(event))
        return false;
    if (QChar::category(firstCodePoint(event->text())) == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return !(modifiers & Qt::ControlModifier) || (modifiers & Qt::AltModifier);
}

} // namespace

bool QL_Edit::popupShown() const
{
    return ui->scoreEdit->inputMethod()->isVisible();
}

bool QL_Edit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lyricEdit->viewport() || watched == ui->scoreEdit->viewport())
        return filterViewportEvent(event);
    const bool score = watched == ui->scoreEdit;
    if (!score && watched != ui->lyricEdit)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // With the popup open, Escape closes the popup and must not reach the
        // window's Escape shortcut.
        auto *key = static_cast<QKeyEvent *>(event);
        if (score && key->key() == Qt::Key_Escape && popupShown())
            event->accept();
        return false;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (handleZoomKey(key, score ? EditorZoom::Editor::Score : EditorZoom::Editor::Lyric))
            return true;
        if (handleShortcut(key))
            return true;
        return score ? handleScoreKey(key) : handleLyricKey(key);
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() == Qt::RightButton)
            showContextMenu(mouse);
        return true;
    }
    case QEvent::ContextMenu:
        return true;
    case QEvent::InputMethod: {
        const QString commit = static_cast<QInputMethodEvent *>(event)->commitString();
        if (score)
            QL_Command::pushIfChanged(undoStack(), new InsertScoreCommand(this, scoreInput(commit), Qt::NoModifier));
        else
            QL_Command::pushIfChanged(undoStack(), new InsertLyricCommand(this, commit));
        return true;
    }
    default:
        return false;
    }
}

bool QL_Edit::filterViewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The middle button pastes the selection under X11.
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool QL_Edit::handleShortcut(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int key = event->key();
    if (modifiers == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_C:
            copy();
            return true;
        case Qt::Key_V:
            paste();
            return true;
        case Qt::Key_X:
            cut();
            return true;
        case Qt::Key_Z:
            undoStack()->undo();
            return true;
        default:
            break;
        }
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z) {
        undoStack()->redo();
        return true;
    }
    if (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert) {
        paste();
        return true;
    }
    return false;
}

bool QL_Edit::handleZoomKey(QKeyEvent *event, EditorZoom::Editor editor)
{
    // Ctrl++ (Ctrl+= on keyboards whose plus needs Shift), Ctrl+− and
    // Ctrl+0, on the main keys or the keypad.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::ControlModifier)
        return false;
    EditorZoom &zoom = EditorZoom::instance();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoom.zoomBy(editor, 1);
        return true;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        zoom.zoomBy(editor, -1);
        return true;
    case Qt::Key_0:
    case Qt::Key_ParenRight:
        zoom.reset(editor);
        return true;
    default:
        return false;
    }
}

bool QL_Edit::handleEditingKeyBinding(QKeyEvent *event)
{
    // The platform's own editing bindings of the text editors (Ctrl+Y,
    // Ctrl+K, Ctrl+Insert …) would change a document, or its private
    // history, outside the commands: map what has a document meaning and
    // swallow the rest.
    if (event->matches(QKeySequence::Undo)) {
        undoStack()->undo();
        return true;
    }
    if (event->matches(QKeySequence::Redo)) {
        undoStack()->redo();
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return true;
    }
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    static const QKeySequence::StandardKey edits[] = {
        QKeySequence::Delete,           QKeySequence::Backspace,
        QKeySequence::DeleteEndOfWord,  QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfLine,  QKeySequence::DeleteCompleteLine,
        QKeySequence::InsertParagraphSeparator, QKeySequence::InsertLineSeparator,
    };
    for (QKeySequence::StandardKey edit : edits) {
        if (event->matches(edit))
            return true;
    }
    return false;
}

bool QL_Edit::handleScoreKey(QKeyEvent *event)
{
    InputMethod *popup = ui->scoreEdit->inputMethod();
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const QString text = event->text();

    if (key >= Qt::Key_A && key <= Qt::Key_Z && modifiers == Qt::NoModifier) {
        popup->appendCode(text.toLower());
        return true;
    }

    if (popup->isVisible()) {
        QString chosen;
        if (key == Qt::Key_Space || key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter)
            chosen = popup->commitSelected();
        else if (key >= Qt::Key_0 && key <= Qt::Key_9)
            chosen = popup->commitNumber(text.toInt());
        else if ((!text.isEmpty() && text.front().isPrint()) || inputMethodKeys.contains(key))
            popup->handleKey(event);
        if (!chosen.isEmpty())
            QL_Command::pushIfChanged(undoStack(), new InsertScoreCommand(this, chosen, Qt::NoModifier));
        return true;
    }

    switch (key) {
    case Qt::Key_Space:
        ui->scoreEdit->suggestBeatMark();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        QL_Command::pushIfChanged(undoStack(),
                                  new DeleteScoreCommand(this, key == Qt::Key_Backspace, modifiers));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        QL_Command::pushIfChanged(undoStack(),
                                  new InsertScoreCommand(this, QStringLiteral("\n"), modifiers));
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // A tab has no place in notation, and focus stays in the editor.
        return true;
    default:
        break;
    }
    if (handleEditingKeyBinding(event))
        return true;
    if (text.startsWith(u'\t'))
        return true;
    if (typesText(event)) {
        // Digits, punctuation, Shift-letters and symbols go in as typed;
        // a gongche character typed as such becomes its symbol.
        QL_Command::pushIfChanged(undoStack(), new InsertScoreCommand(this, scoreInput(text), Qt::NoModifier));
        return true;
    }
    return editorInsertsText(event);
}

bool QL_Edit::handleLyricKey(QKeyEvent *event)
{
    const int key = event->key();
    const QString text = event->text();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        QL_Command::pushIfChanged(
            undoStack(), new DeleteLyricCommand(this, key == Qt::Key_Backspace, event->modifiers()));
        return true;
    }
    // Ctrl+Tab switches documents; it never types a tab.
    const bool tab = key == Qt::Key_Tab && !(event->modifiers() & Qt::ControlModifier);
    if ((tab || (key == Qt::Key_Backtab && !(event->modifiers() & Qt::ControlModifier)))
        && stepTemplateField(key == Qt::Key_Tab))
        return true;
    if (typesText(event) || key == Qt::Key_Return || key == Qt::Key_Enter || tab) {
        QL_Command::pushIfChanged(undoStack(), new InsertLyricCommand(this, text));
        return true;
    }
    if (key == Qt::Key_Backtab || key == Qt::Key_Tab)
        return true;
    return handleEditingKeyBinding(event) || editorInsertsText(event);
}

bool QL_Edit::stepTemplateField(bool forward)
{
    QL_LyricEdit *lyric = ui->lyricEdit;
    QTextCursor cursor = lyric->textCursor();
    const QTextBlock block = cursor.block();
    // A selection over several lines is no place in one template.
    if (!TemplateFields::isTemplateLine(block.text()) || lyric->document()->findBlock(cursor.anchor()) != block)
        return false;
    const int start = cursor.selectionStart() - block.position();
    const int end = cursor.selectionEnd() - block.position();
    const TemplateFields::Field field = TemplateFields::step(block.text(), start, end, forward);
    cursor.setPosition(block.position() + field.start);
    cursor.setPosition(block.position() + field.end, QTextCursor::KeepAnchor);
    lyric->setTextCursor(cursor);
    return true;
}

void QL_Edit::showContextMenu(QMouseEvent *event)
{
    QMenu menu(this);
    const bool selection =
        ui->lyricEdit->textCursor().hasSelection() || ui->scoreEdit->textCursor().hasSelection();
    ui->cutAction->setEnabled(selection);
    ui->copyAction->setEnabled(selection);
    menu.addAction(ui->undoAction);
    menu.addAction(ui->redoAction);
    menu.addSeparator();
    menu.addAction(ui->cutAction);
    menu.addAction(ui->copyAction);
    menu.addAction(ui->pasteAction);
    menu.exec(event->globalPosition().toPoint());
}
