#ifndef QL_EDIT_H
#define QL_EDIT_H

#include "editorzoom.h"
#include "exportentry.h"
#include "scoredocument.h"
#include "pairingreport.h"

#include <QList>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QUndoStack;
class QL_LyricEdit;
class QL_ScoreEdit;

namespace Ui {
class QL_Edit;
}

// One open document: the lyric editor and the score editor side by side, the
// document's undo stack, and the pairing of lyric characters with score
// lines. The main window puts one of these into each tab.
class QL_Edit : public QWidget
{
    Q_OBJECT

public:
    explicit QL_Edit(QWidget *parent = nullptr);
    ~QL_Edit() override;

    QL_LyricEdit *lyricEdit() const;
    QL_ScoreEdit *scoreEdit() const;
    // The texts, their history and the pairing guard; the editors show its
    // two documents.
    ScoreDocument *document() const { return m_document; }
    QUndoStack *undoStack() const { return m_document->undoStack(); }

    bool isModified() const { return modified; }
    QString filePath() const { return m_filePath; }
    // The tab text: the file name, with "*" while there are unsaved changes.
    QString title() const;

    bool save(bool saveAs);
    bool open(const QString &path);
    // Asked before a save writes over an existing file; false stops the save.
    void setOverwriteCheck(std::function<bool(const QString &path)> check) { m_overwriteCheck = std::move(check); }

    void undo();
    void redo();
    void copy();
    void cut();
    void paste();
    // 复制为文字谱: the lyric lines of the selection (all of them without
    // one) with their notation as ordinary characters, for other programs.
    void copyAsPlainText();
    // Fills a new, never saved document with the texts of an imported
    // plain-text score; it counts as changed until it is saved.
    void importTexts(const QString &lyric, const QString &score);

    void insertTitle();
    void insertQuPai();
    void insertLianBai();
    void insertJiaBai();
    void insertComment();
    void insertLineBreak();
    void insertPageBreak();
    // Inserts a notation symbol at the score cursor as the input method's
    // commit does, and leaves the focus in the score.
    void insertScoreSymbol(const QString &symbol);

    // The whole document, one entry per lyric line, for the renderer.
    QList<ExportEntry> exportEntries() const;

    // How the score pairs with the sung characters now; its
    // unexportedWarning() is what an export of the document should say.
    PairingReport pairing() const;
    // Puts the cursor on the first place where the pairing breaks: the
    // first score line without its character, or the first character
    // without its score line; in a paired score it selects the first
    // character that is no notation symbol.
    void showFirstMismatch();

    // Turns the editors' key presses, input-method commits and mouse presses
    // into commands, popup calls or the context menu; nothing else edits.
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void modifiedChanged(bool modified);
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    // The number of score lines, of sung characters or of characters of the
    // score that are no notation changed.
    void pairingChanged();
    // Ordinary gongche characters pasted or typed into the score became
    // notation symbols.
    void notationConverted(int count);
    // A save wrote the document to path (its own file, or a copy).
    void fileWritten(const QString &path);

public slots:
    void lyricCursorPositionChanged();
    void scoreCursorPositionChanged();
    void onScoreTextChanged();
    void onCanUndoChanged(bool canUndo);
    void onCanRedoChanged(bool canRedo);
    void updateScoreLineNumberArea();

private:
    // What an inserted marker line leaves selected, ready to be typed over.
    enum class MarkerSelection { None, Title, TuneName };
    void insertMarker(const QString &marker, MarkerSelection selection);
    void markModified();
    void checkPairing();
    bool filterViewportEvent(QEvent *event);
    bool handleShortcut(QKeyEvent *event);
    // Ctrl++, Ctrl+− and Ctrl+0 zoom the editor of the key press.
    bool handleZoomKey(QKeyEvent *event, EditorZoom::Editor editor);
    bool handleEditingKeyBinding(QKeyEvent *event);
    bool handleScoreKey(QKeyEvent *event);
    bool handleLyricKey(QKeyEvent *event);
    void showContextMenu(QMouseEvent *event);
    // Tab and Shift+Tab in a tune-name line select its next or previous
    // field (name, key) instead of typing; false in any other line.
    bool stepTemplateField(bool forward);
    bool popupShown() const;
    // Text for the score with ordinary gongche characters made symbols;
    // says how many through notationConverted().
    QString scoreInput(const QString &text);

    Ui::QL_Edit *ui;
    ScoreDocument *m_document;
    QString m_filePath;
    std::function<bool(const QString &path)> m_overwriteCheck;
    bool modified = false;
    // The counts last reported by pairingChanged().
    int reportedScoreLines = 1;
    int reportedSungChars = 0;
    int reportedForeign = 0;
    // Keys handed to the open input-method popup even when they type nothing.
    const QList<int> inputMethodKeys;
};

#endif // QL_EDIT_H
