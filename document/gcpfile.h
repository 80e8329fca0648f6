#ifndef GCPFILE_H
#define GCPFILE_H

#include <QString>

class QIODevice;

// The .gcp document file: a Qt data stream of the lyric text and the score
// text, each preceded by its length in UTF-16 code units. Reading and writing
// live here, free of widgets, so that the document tab and the command-line
// export share one codec; the callers turn the results into messages.
class GcpFile
{
public:
    // The two texts of one document.
    struct Texts
    {
        QString lyric;
        QString score;
    };

    enum class LoadResult {
        Loaded,
        CannotOpen,   // the file could not be opened for reading
        WrongType,    // readable, but the name does not end with ".gcp"
        Damaged,      // shorter than its fields, or a string runs past the end
    };

    // True when the path ends with ".gcp" in any letter case.
    static bool hasGcpSuffix(const QString &path);

    // Writes the four values of a document to the device. False when the
    // stream reports a failed write.
    static bool write(QIODevice *device, const Texts &texts);

    // Reads the four values from the device. The two length fields are read
    // and ignored; false when the stream is not intact after the four reads.
    static bool read(QIODevice *device, Texts *texts);

    // Saves the texts to a file whole or not at all: a full disk, a folder
    // without room for a temporary file or a kill halfway leave the previous
    // content of the file untouched.
    static bool save(const QString &path, const Texts &texts, QString *why = nullptr);

    // Why a stream that read() refused cannot be read: it ends before its
    // texts do (a copy cut short), or it is no document of this kind at all.
    enum class Damage { Truncated, NotADocument };
    static Damage damageOf(QIODevice *device);

    // Opens the file, checks its name and reads it. An empty file (a new file
    // made outside the program) is a document with two empty texts. Only a regular file is
    // opened: a FIFO, a device or a folder cannot be opened. The file is opened before
    // its name is checked, so an unreadable file is reported as such whatever
    // its name. texts is changed only on Loaded.
    static LoadResult load(const QString &path, Texts *texts);
};

#endif // GCPFILE_H
