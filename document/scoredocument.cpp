#include "scoredocument.h"

#include "documenttext.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>

ScoreDocument::ScoreDocument(QObject *parent)
    : QObject(parent)
    , m_lyric(new QTextDocument(this))
    , m_score(new QTextDocument(this))
    , m_undoStack(new QUndoStack(this))
    , m_index(m_lyric)
{
    m_undoStack->setUndoLimit(200);
}

ScoreDocument::~ScoreDocument()
{
    // The commands replay steps of the texts; they go before the texts do.
    delete m_undoStack;
}

GcpFile::Texts ScoreDocument::texts() const
{
    return {documentText(m_lyric), documentText(m_score)};
}

void ScoreDocument::setTexts(const GcpFile::Texts &texts)
{
    const SyncGuard guard(this);
    m_undoStack->clear();
    m_lyric->setPlainText(texts.lyric);
    m_score->setPlainText(texts.score);
}

void ScoreDocument::insertScoreLines(QTextDocument *score, int at, int count)
{
    QTextCursor cursor(score);
    const QTextBlock previous = score->findBlockByNumber(at - 1);
    if (at - 1 >= 0 && previous.isValid()) {
        cursor.setPosition(previous.position() + previous.length() - 1);
        cursor.movePosition(QTextCursor::NextCharacter);
    } else if (at <= 0) {
        cursor.setPosition(0);
    } else {
        cursor.movePosition(QTextCursor::End);
    }
    cursor.beginEditBlock();
    cursor.insertText(QString(count, QLatin1Char('\n')));
    cursor.endEditBlock();
}

void ScoreDocument::deleteScoreLines(QTextDocument *score, int at, int count)
{
    QTextCursor cursor(score);
    const QTextBlock previous = score->findBlockByNumber(at - 1);
    if (at - 1 >= 0 && previous.isValid()) {
        // The line break before line `at` goes with the removed lines.
        cursor.setPosition(previous.position() + previous.length() - 1);
        for (int i = 0; i < count; ++i)
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    } else if (at <= 0) {
        // The first lines go with the line break after the last of them.
        for (int i = 0; i < count - 1; ++i)
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    }
    if (!cursor.hasSelection())
        return;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.endEditBlock();
}

void ScoreDocument::clearFirstScoreLines(QTextDocument *score, int count)
{
    QTextCursor cursor(score);
    for (int i = 0; i < count - 1; ++i)
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    if (!cursor.hasSelection())
        return;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.endEditBlock();
}

QList<ExportEntry> ScoreDocument::exportEntries() const
{
    return buildExportEntries(m_lyric, m_score);
}

ScoreDocument::SyncGuard::SyncGuard(ScoreDocument *document)
    : m_document(document)
{
    ++m_document->m_syncDepth;
}

ScoreDocument::SyncGuard::~SyncGuard()
{
    --m_document->m_syncDepth;
}
