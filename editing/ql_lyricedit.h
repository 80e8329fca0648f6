#ifndef QL_LYRICEDIT_H
#define QL_LYRICEDIT_H

#include "lyriccharindex.h"

#include <QPlainTextEdit>

// The left-hand editor of a document: the lyric text with its structural
// lines. It answers where each lyric character lies, which the score editor
// and the document editor use to pair score lines with lyric characters.
class QL_LyricEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit QL_LyricEdit(QWidget *parent = nullptr);

    QString lyricText() const { return m_index.lyricText(); }
    int lyricIndexAt(int position) const { return m_index.lyricIndexAt(position); }
    int positionAfterLyricChar(int n) const { return m_index.positionAfterLyricChar(n); }
    QString lyricCharAt(int n) const { return m_index.lyricCharAt(n); }

    // Tints the whole line that holds position.
    void highlightLine(int position);
    // Tints the one character before position (the first one at position 0).
    void highlightChar(int position);

private:
    LyricCharIndex m_index;
};

#endif // QL_LYRICEDIT_H
