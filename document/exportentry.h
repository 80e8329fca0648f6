#ifndef EXPORTENTRY_H
#define EXPORTENTRY_H

#include <QList>
#include <QString>

class LyricCharIndex;
class QTextDocument;

// One line of the lyric text, prepared for the renderer.
struct ExportEntry
{
    // The line as typed, marker included.
    QString text;
    // For a sung line: the notation of each character of text, empty for a
    // character that is not sung. Empty for every other line type.
    QList<QString> scores;
    // The line type id (LineType), Any (10) when no pattern matches.
    int type = 10;

    bool operator==(const ExportEntry &other) const
    {
        return text == other.text && scores == other.scores && type == other.type;
    }
};

// The entries of a whole document, one per line of the lyric text.
QList<ExportEntry> buildExportEntries(const QTextDocument *lyricDocument,
                                      const QTextDocument *scoreDocument);
// The entries of lines first .. end - 1 only, with the sung characters
// counted by an index of the lyric document that is up to date.
QList<ExportEntry> buildExportEntries(const QTextDocument *lyricDocument, const QTextDocument *scoreDocument,
                                      const LyricCharIndex &index, int first, int end);
QList<ExportEntry> buildExportEntries(const QString &lyricText, const QString &scoreText);

// Whether any line puts something on a page: a title, tune name, spoken
// passage or sung line with more than its marker. Comments, breaks and blank
// lines alone would export as blank pages.
bool hasPrintableLine(const QList<ExportEntry> &entries);

// The score's title as the exported pages carry it: the sung characters of
// the last title line, or, before any title, of the first tune name; empty
// when there is neither. What the file dialogs suggest as a file name.
QString scoreTitle(const QList<ExportEntry> &entries);

#endif // EXPORTENTRY_H
