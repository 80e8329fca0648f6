#ifndef ATOMICFILE_H
#define ATOMICFILE_H

#include <QByteArray>
#include <QString>

class QIODevice;
class QSaveFile;

// Writes a file whole or not at all. Every file the program writes goes
// through here: the content is written to a temporary file beside the target,
// every write and the final flush are checked, and only then is the temporary
// file renamed over the target. A full disk, a read-only folder or a killed
// process therefore leaves the previous file as it was.
class AtomicFile
{
public:
    // Writes data to path; false, with path untouched, on any failure.
    static bool write(const QString &path, const QByteArray &data);

    // Opens file for a whole-or-nothing write. A folder in which no temporary
    // file can be made is a failure: writing the target in place instead
    // would damage it if the write stopped halfway.
    static bool open(QSaveFile &file);

    // Writes data to an open device, checking that every byte was taken.
    static bool writeAll(QIODevice &device, const QByteArray &data);

    // True when everything written to file is in its temporary file: the
    // buffer is flushed, no write failed and the file is as long as written.
    // QSaveFile::commit() alone renames a file whose last buffer could not be
    // flushed, so this is asked before every commit.
    static bool isComplete(QSaveFile &file);

    // Renames the temporary file over the target when it is complete; on
    // failure the temporary file is removed.
    static bool commit(QSaveFile &file);
};

#endif // ATOMICFILE_H
