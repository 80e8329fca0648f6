#ifndef QL_SCOREEDIT_H
#define QL_SCOREEDIT_H

#include "gutterededit.h"

#include "linetally.h"

#include <QPointer>
#include <QSet>

#include <memory>

class EditorConfig;
class InputMethod;
class QL_LyricEdit;
class QSyntaxHighlighter;
class ScoreDocument;

// The right-hand editor of a document: one line of notation for every lyric
// character of the lyric editor beside it. Its gutter shows beside each line
// the lyric character that owns it. The system's input method is kept away:
// notation is typed through the program's own popup.
class QL_ScoreEdit : public GutteredEdit
{
    Q_OBJECT

public:
    explicit QL_ScoreEdit(QWidget *parent = nullptr);

    int gutterWidth() const override;

    // Shows the score text of the document, which must outlive the editor.
    void showDocument(ScoreDocument *document);

    // Tints the whole line that holds position.
    void highlightLine(int position);

    // Inserts count empty score lines to become lines at .. at + count - 1,
    // or removes lines at .. at + count - 1, each in one edit block, without
    // moving the visible cursor. Both clamp at the end of the score.
    void insertScoreLines(int at, int count);
    void deleteScoreLines(int at, int count);
    // Removes lines 0 .. count - 1 but leaves one empty line in their place,
    // in one edit block; clamps at the end of the score.
    void clearFirstScoreLines(int count);

    // The beat mark that most likely comes next at the cursor, judged from
    // the marks of the measure before it.
    QString nextBeatMark() const;
    // Opens the input-method popup on the alternatives of nextBeatMark().
    void suggestBeatMark();

    InputMethod *inputMethod() const { return m_inputMethod; }
    // The character the cursor has just passed (a whole code point), or at
    // the start of a line the one after it; empty on an empty line.
    QString characterAtCursor() const;
    // The lyric editor whose characters the gutter shows.
    void setLyricEdit(const QL_LyricEdit *lyricEdit);

    GutterLabel gutterLabel(const QTextBlock &block) const override;

    // The characters of the score that are no notation symbols (nor blanks),
    // and the first line that holds one (-1 when none does).
    int foreignCharacterCount() const;
    int firstForeignLine() const;

public slots:
    void applyConfig() override;

protected:
    GutterStyle gutterStyle() const override;
    void focusOutEvent(QFocusEvent *event) override;
    // A character that is no notation symbol says so in a tool tip.
    bool viewportEvent(QEvent *event) override;

private:
    // How many beat marks each line of the shown document holds.
    const LineTally &beatMarks() const;

    EditorConfig *config;
    InputMethod *m_inputMethod;
    const QL_LyricEdit *m_lyricEdit = nullptr;
    mutable std::unique_ptr<LineTally> m_beatMarks;
    // Guards against a new document at the address of a deleted one.
    mutable QPointer<QTextDocument> m_beatMarkDocument;
    // The foreign characters per line, of the document shown.
    const LineTally &foreignCharacters() const;
    mutable std::unique_ptr<LineTally> m_foreign;
    mutable QPointer<QTextDocument> m_foreignDocument;
    QSyntaxHighlighter *m_highlighter = nullptr;
};

#endif // QL_SCOREEDIT_H
