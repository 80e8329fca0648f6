#include "ql_edit.h"
#include "ui_ql_edit.h"

#include "gcpfile.h"
#include "linegrammar.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBlock>
#include <QUndoStack>

namespace {

const QString untitled = QStringLiteral("未命名");

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
    , m_filePath(untitled)
    , inputMethodKeys({Qt::Key_Comma, Qt::Key_Period, Qt::Key_Escape, Qt::Key_Backspace,
                       Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
{
    ui->setupUi(this);

    m_undoStack = new QUndoStack;
    m_undoStack->setUndoLimit(200);
    ui->lyricEdit->setAcceptDrops(false);
    ui->scoreEdit->setAcceptDrops(false);
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
    connect(m_undoStack, &QUndoStack::canUndoChanged, this, &QL_Edit::onCanUndoChanged);
    connect(m_undoStack, &QUndoStack::canRedoChanged, this, &QL_Edit::onCanRedoChanged);
}

QL_Edit::~QL_Edit()
{
    // Clearing the stack reports canUndo/canRedo false; nobody must hear it
    // from a document that is going away (its window may be going too).
    m_undoStack->disconnect(this);
    delete m_undoStack;
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
        const QString chosen = QFileDialog::getSaveFileName(
            this, QStringLiteral("选择文件"), QString(), QStringLiteral("工尺谱文件 (*.gcp)"));
        if (chosen.isEmpty())
            return false;
        target = GcpFile::hasGcpSuffix(chosen) ? chosen : chosen + QLatin1String(".gcp");
        // The chosen path is kept even if writing fails, so that the next save
        // goes to the place the user named.
        if (!saveAs)
            m_filePath = target;
    }

    const GcpFile::Texts texts{ui->lyricEdit->toPlainText(), ui->scoreEdit->toPlainText()};
    if (!GcpFile::save(target, texts)) {
        QMessageBox::warning(this, QStringLiteral("错误"), QStringLiteral("保存文件时发生错误！"));
        return false;
    }

    if (saveAs) {
        // A copy: the document stays bound to its own path and keeps its mark.
        QMessageBox::information(this, QStringLiteral("提示"), target + QStringLiteral("保存成功！"));
    } else {
        modified = false;
        emit modifiedChanged(false);
    }
    return true;
}

bool QL_Edit::open(const QString &path)
{
    GcpFile::Texts texts;
    switch (GcpFile::load(path, &texts)) {
    case GcpFile::LoadResult::Loaded:
        break;
    case GcpFile::LoadResult::WrongType:
        QMessageBox::warning(this, QStringLiteral("文件类型错误"),
                             QStringLiteral("请选择工尺谱文件（.gcp）格式！"));
        return false;
    case GcpFile::LoadResult::CannotOpen:
    case GcpFile::LoadResult::Damaged:
        // A damaged file is not loaded in part: saving it afterwards would
        // make the loss permanent.
        QMessageBox::warning(this, QStringLiteral("错误"), QStringLiteral("打开文件时发生错误！"));
        return false;
    }

    syncing = true;
    ui->lyricEdit->setPlainText(texts.lyric);
    ui->scoreEdit->setPlainText(texts.score);
    syncing = false;

    m_filePath = path;
    modified = false;
    emit modifiedChanged(false);
    return true;
}

void QL_Edit::undo()
{
    m_undoStack->undo();
}

void QL_Edit::redo()
{
    m_undoStack->redo();
}

// Clipboard and insert operations go through the document's commands, which
// are not available yet; until then they leave the document alone.
void QL_Edit::copy() {}
void QL_Edit::cut() {}
void QL_Edit::paste() {}
void QL_Edit::insertTitle() {}
void QL_Edit::insertQuPai() {}
void QL_Edit::insertLianBai() {}
void QL_Edit::insertJiaBai() {}
void QL_Edit::insertComment() {}
void QL_Edit::insertLineBreak() {}
void QL_Edit::insertPageBreak() {}

QList<ExportEntry> QL_Edit::exportEntries() const
{
    return buildExportEntries(ui->lyricEdit->document(), ui->scoreEdit->document());
}

void QL_Edit::lyricCursorPositionChanged()
{
    if (syncing)
        return;
    syncing = true;
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
        lyric->setExtraSelections({});
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
    syncing = false;
}

void QL_Edit::scoreCursorPositionChanged()
{
    if (syncing)
        return;
    syncing = true;
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
        lyric->setExtraSelections({});
        score->setExtraSelections({});
    } else {
        const int p = lyric->positionAfterLyricChar(s.blockNumber() + 1);
        l.setPosition(p);
        lyric->highlightChar(p);
        score->highlightLine(s.position());
    }

    lyric->setTextCursor(l);
    lyric->ensureCursorVisible();
    syncing = false;
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
    ui->scoreEdit->viewport()->update();
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
