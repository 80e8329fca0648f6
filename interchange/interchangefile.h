#ifndef INTERCHANGEFILE_H
#define INTERCHANGEFILE_H

#include "musicscore.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct ExportEntry;

// The files a score is handed to other programs in, as the export dialog and
// the command line write them: "musicxml" (MusicXML 4.0), "mxl" (the same,
// compressed; only where libzip was found at build time), "jianpu" (jianpu
// text) and "txt" (plain-text gongche).
namespace InterchangeFile {

bool isFormat(const QString &format);
// The suffix of a file of the format: "musicxml", "jianpu.txt", "txt".
QString suffix(const QString &format);
// The format a file name asks for; empty when none.
QString formatOfName(const QString &fileName);
// Whether the format is made from the music (and needs a note in it).
bool needsMusic(const QString &format);

// The file's content; music is what MusicModel made of the texts. Empty
// when it could not be made (an archive that failed).
QByteArray bytes(const QString &format, const QString &lyric, const QString &score, const MusicScore &music,
                 int program);

// The two texts of a document back from its export entries.
void textsOf(const QList<ExportEntry> &entries, QString *lyric, QString *score);

} // namespace InterchangeFile

#endif // INTERCHANGEFILE_H
