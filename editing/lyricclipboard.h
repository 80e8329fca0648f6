#ifndef LYRICCLIPBOARD_H
#define LYRICCLIPBOARD_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QMimeData;

// The clipboard format that carries copied lyric text together with the
// notation of its sung characters: a JSON object with two arrays of equal
// length, "lyric" (one character per entry, a line break as "\n") and
// "score" (the score line of that character, empty for anything not sung).
// Beside it the clipboard holds the plain lyric text for other programs.
//
// Clipboards come from anywhere, so reading is tolerant and everything read
// is made safe to insert: a pasted text may bring line breaks that the
// documents would count differently now and after saving, and a score entry
// may bring line breaks at all.
class LyricClipboard
{
public:
    static const QString mimeType;

    struct Entries
    {
        QStringList lyric;
        QStringList score;
    };

    // The JSON document of the entries, indented, "lyric" before "score".
    static QByteArray encode(const Entries &entries);
    // The entries of a JSON document, or nothing when it is not an object
    // with a "lyric" array. A non-string element reads as an empty string;
    // "score" is padded with empty strings or cut to the length of "lyric".
    static std::optional<Entries> decode(const QByteArray &json);

    // A new QMimeData holding both representations; the caller owns it.
    static QMimeData *toMimeData(const Entries &entries, const QString &plainText);

    // Text for the lyric document: every line-end form (CR LF, CR, LF, the
    // line and paragraph separators, NEL, the text-frame marks) becomes one
    // "\n", and a no-break space becomes the space that earlier versions
    // saved in its place (and so a sung character).
    static QString lyricText(const QString &text);
    // Text for one score line: line ends of any form are dropped, so that
    // the entry stays one line now and after the file is reopened.
    static QString scoreLine(const QString &text);
};

#endif // LYRICCLIPBOARD_H
