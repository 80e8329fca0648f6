#ifndef INPUTMETHOD_H
#define INPUTMETHOD_H

#include "scoretree.h"

#include <QFont>
#include <QList>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QKeyEvent;

// The candidate popup of the score editor. Letters typed there are collected
// as codes (up to six in a row); the popup shows them and a numbered row of
// the notation they stand for, best first, and hands the chosen text back to
// the editor, which inserts it. It also offers the alternatives of a beat
// mark. It never takes the keyboard focus: the document editor's event
// filter feeds it every key.
class InputMethod : public QWidget
{
    Q_OBJECT

public:
    // The popup of the program, made on the first call (a QApplication must
    // exist) and destroyed while the application object is still there.
    static InputMethod *instance();

    // A popup on the program's dictionary "wordsdict.csv".
    explicit InputMethod(int pageSize = 6);
    // A popup on a dictionary of the caller's.
    InputMethod(int pageSize, std::unique_ptr<ScoreTree> tree);
    ~InputMethod() override;

    // The score editor the popup is placed beside; null places it at the
    // mouse pointer. The popup forgets an editor that is destroyed.
    void setEditor(QPlainTextEdit *editor);
    QPlainTextEdit *currentEditor() const { return editor; }

    // Empties the popup and hides it.
    void reset();
    // Adds one lower-case letter to the code being typed.
    void appendCode(const QString &letter);
    // Removes the last letter; closes the popup when none is left.
    void backspace();
    // Paging, selection, Escape and Backspace.
    void handleKey(QKeyEvent *event);
    // The selected candidate, and closes the popup. Empty, with the popup
    // left as it is, when there is nothing to choose.
    QString commitSelected();
    // The n-th candidate of the page (from 1), and closes the popup; empty,
    // with the popup left open, when n names none.
    QString commitNumber(int n);
    // Offers the beat marks and ornaments that may stand instead of mark.
    void showAlternatives(const QString &mark);

    void nextCandidate();
    void previousCandidate();
    void nextPage();
    void previousPage();

    // What the popup shows, for the editor and for tests.
    QString currentCode() const { return code; }
    QList<Segment> currentSegments() const { return segments; }
    QStringList allCandidates() const { return candidates; }
    QStringList pageCandidates(int page) const;
    int currentPage() const { return page; }
    int selectedIndex() const { return selected; }
    int candidatesPerPage() const { return pageSize; }
    QFont codeDisplayFont() const { return codeFont; }
    QFont candidateDisplayFont() const { return candidateFont; }
    const ScoreTree &dictionary() const { return *tree; }

    // The selected candidate as a screen reader says it: the code, its place
    // among the candidates and the names of its symbols.
    QString selectionText() const;

    int preferredWidth() const;
    int preferredHeight() const;
    // Places the popup below the text cursor (or the mouse pointer), inside
    // the screen; 0 for either size means the preferred one.
    void moveToCursor(int width = 0, int height = 0);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The combined candidates of two codes in a row: every pair, capped at
    // maxCombinations and ranked by the sum of their scores.
    ScoredTexts combine(const ScoredTexts &previous, const ScoredTexts &next) const;
    void pushSearches(const QString &segmentText, ScoredTexts *prefix = nullptr);
    void rebuildCodeAndCandidates();
    void clearComposition();
    // The top-left corner for a popup of that size.
    QPoint placement(int width, int height) const;
    void refit();
    void announceSelection();
    int lastPage() const;
    int lastIndex() const;

    QPointer<QPlainTextEdit> editor;
    std::unique_ptr<ScoreTree> tree;
    QList<Segment> segments;
    QStringList candidates;
    QList<ScoredTexts> exactStack;
    QList<ScoredTexts> prefixStack;
    QString code;
    int page = 0;
    int selected = 0;
    QFont codeFont;
    QFont candidateFont;
    QFont pageFont;
    const int pageSize;
    const int maxSegments = 6;
    const int rowSpacing = 6;
    const int candidateSpacing = 20;
    const int insetTop = 3;
    const int insetBottom = 8;
    const int insetLeft = 10;
    const int insetRight = 10;
    const int minWidth = 200;
    const int maxCombinations = 60;
};

#endif // INPUTMETHOD_H
