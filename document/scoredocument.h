#ifndef SCOREDOCUMENT_H
#define SCOREDOCUMENT_H

#include "exportentry.h"
#include "gcpfile.h"
#include "lyriccharindex.h"

#include <QList>
#include <QObject>

class QTextDocument;
class QUndoStack;

// The texts of one score without any window: the lyric text and the score
// text, the undo history of the commands that edit them, where each sung
// character lies, and the guard that keeps the editors' cursor pairing quiet
// while an edit is under way. The editors of a document tab are views of it;
// a test can drive it with no widget at all.
class ScoreDocument : public QObject
{
    Q_OBJECT

public:
    explicit ScoreDocument(QObject *parent = nullptr);
    ~ScoreDocument() override;

    QTextDocument *lyric() const { return m_lyric; }
    QTextDocument *score() const { return m_score; }
    QUndoStack *undoStack() const { return m_undoStack; }
    const LyricCharIndex &lyricIndex() const { return m_index; }

    // Both texts as their lines hold them, for saving.
    GcpFile::Texts texts() const;
    // Replaces both texts under a sync guard. The documents' own histories
    // and the command history start afresh: nothing before a load can be
    // undone into.
    void setTexts(const GcpFile::Texts &texts);

    // Inserts count empty score lines to become lines at .. at + count - 1,
    // or removes lines at .. at + count - 1, each in one edit block. Both
    // clamp at the end of the score.
    void insertScoreLines(int at, int count) { insertScoreLines(m_score, at, count); }
    void deleteScoreLines(int at, int count) { deleteScoreLines(m_score, at, count); }
    static void insertScoreLines(QTextDocument *score, int at, int count);
    static void deleteScoreLines(QTextDocument *score, int at, int count);
    // Empties the first count score lines into the one line a score without
    // sung characters keeps, in one edit block.
    void clearFirstScoreLines(int count) { clearFirstScoreLines(m_score, count); }
    static void clearFirstScoreLines(QTextDocument *score, int count);

    // The whole document, one entry per lyric line, for the renderer.
    QList<ExportEntry> exportEntries() const;

    // True while a guard lives: an edit or a load is changing the texts, and
    // the cursor pairing must leave the cursors alone.
    bool isSyncing() const { return m_syncDepth > 0; }

    // Marks the document as syncing for its lifetime. Guards nest: a command
    // that runs another keeps the mark until its own guard goes.
    class SyncGuard
    {
    public:
        explicit SyncGuard(ScoreDocument *document);
        ~SyncGuard();
        SyncGuard(const SyncGuard &) = delete;
        SyncGuard &operator=(const SyncGuard &) = delete;

    private:
        ScoreDocument *m_document;
    };

private:
    QTextDocument *m_lyric;
    QTextDocument *m_score;
    QUndoStack *m_undoStack;
    LyricCharIndex m_index;
    int m_syncDepth = 0;
};

#endif // SCOREDOCUMENT_H
