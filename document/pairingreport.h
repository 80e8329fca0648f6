#ifndef PAIRINGREPORT_H
#define PAIRINGREPORT_H

#include <QString>

class QTextDocument;

// How the score of a document pairs with its sung characters: the k-th sung
// character owns score line k, and a score without sung characters is one
// empty line. Files of older versions, and splits or joins of score lines
// made on purpose, can leave lines too many or too few; this says so, and
// counts the lines of notation that no character owns, which the export
// leaves out.
class PairingReport
{
public:
    // The sung characters counted already (the lyric editor keeps the count).
    PairingReport(int sungChars, const QTextDocument *score);
    PairingReport(const QTextDocument *lyric, const QTextDocument *score);
    PairingReport(const QString &lyric, const QString &score);

    int sungCharCount() const { return m_sungChars; }
    int scoreLineCount() const { return m_scoreLines; }
    // One score line for every sung character, or the one line of a score
    // without any.
    bool isPaired() const;
    // The first score line (from 0) beyond those the sung characters own,
    // -1 when there is none.
    int firstSurplusLine() const;
    // The first sung character (from 1) without a score line, 0 when none.
    int firstCharWithoutLine() const;
    // Score lines with notation on them (more than blanks) that no sung
    // character owns.
    int unexportedNotationLines() const { return m_unexported; }

    // Characters of the score that are no notation symbols (counted by the
    // score editor): they print as ordinary text.
    void setForeignCharacters(int count) { m_foreign = count; }
    int foreignCharacters() const { return m_foreign; }

    // For the status bar: the two counts and where the pairing breaks, and
    // how many characters of the score are no notation; empty while the
    // document is paired and holds none.
    QString statusText() const;
    // For an export: how many lines of notation it leaves out; empty when
    // it leaves out none.
    QString unexportedWarning() const;

private:
    void countUnexported(const QTextDocument *score);

    int m_sungChars = 0;
    int m_scoreLines = 0;
    int m_unexported = 0;
    int m_foreign = 0;
};

#endif // PAIRINGREPORT_H
