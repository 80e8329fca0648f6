#ifndef QL_LYRICEDIT_H
#define QL_LYRICEDIT_H

#include "gutterededit.h"
#include "lyriccharindex.h"

#include <QPair>

#include <memory>

class EditorConfig;
class QL_LyricHighlighter;
class ScoreDocument;

// The left-hand editor of a document: the lyric text with its structural
// lines. Its gutter names each line's type and its highlighter colours the
// text by the same grammar. It answers where each lyric character lies, which
// the score editor and the document editor use to pair score lines with
// lyric characters.
class QL_LyricEdit : public GutteredEdit
{
    Q_OBJECT

public:
    explicit QL_LyricEdit(QWidget *parent = nullptr);

    // Shows the lyric text of the document (which must outlive the editor)
    // instead of the editor's own, highlighted, and answers from its index.
    void showDocument(ScoreDocument *document);

    QString lyricText() const { return m_index->lyricText(); }
    int lyricCharCount() const { return m_index->lyricCharCount(); }
    int lyricIndexAt(int position) const { return m_index->lyricIndexAt(position); }
    int positionAfterLyricChar(int n) const { return m_index->positionAfterLyricChar(n); }
    QString lyricCharAt(int n) const { return m_index->lyricCharAt(n); }

    // Tints the whole line that holds position.
    void highlightLine(int position);
    // Tints the one character before position (the first one at position 0).
    void highlightChar(int position);

    // Marks every occurrence of text (not case-sensitive) and makes one of
    // them current: findNext the first that ends after the cursor and puts
    // the cursor at its end, findPrevious the last that ends at or before the
    // cursor and puts the cursor at its start; both wrap around. A step
    // from the match the last step made current (the cursor still at its
    // edge) goes on to the match after or before it. Returns the current
    // match's 1-based number and the number of matches, (0, 0) when there
    // is none.
    QPair<int, int> findNext(const QString &text);
    QPair<int, int> findPrevious(const QString &text);
    // The match of text that the last find step made current, selected, while
    // its marks are shown, the cursor stands at its edge and it still reads
    // text; a null cursor otherwise.
    QTextCursor currentMatch(const QString &text) const;
    // Takes the find marks away, leaving the tint of the cursor's line.
    void clearFindMarks();
    // Takes every tint and mark away (a selection shows for itself).
    void clearTints() { setLineTints({}); }

    int gutterWidth() const override;

    GutterLabel gutterLabel(const QTextBlock &block) const override;

public slots:
    void applyConfig() override;

protected:
    GutterStyle gutterStyle() const override;

private:
    QPair<int, int> find(const QString &text, bool forward);
    void setLineTints(const QList<QTextEdit::ExtraSelection> &tints);

    EditorConfig *config;
    // The index of the editor's own document until it shows a ScoreDocument.
    std::unique_ptr<LyricCharIndex> m_ownIndex;
    const LyricCharIndex *m_index;
    QL_LyricHighlighter *highlighter;
    // The current match of the last find step; it follows edits as any
    // cursor does. Meaningful only while the find marks are shown.
    QTextCursor m_findMatch;
    bool m_findMarksShown = false;
};

#endif // QL_LYRICEDIT_H
