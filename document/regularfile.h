#ifndef REGULARFILE_H
#define REGULARFILE_H

#include <QIODevice>
#include <QString>

class QFile;

// Opens only plain files for reading. A FIFO named like a score would block
// the program until something writes into it, and a device or a folder never
// ends: such paths are refused before they are opened.
class RegularFile
{
public:
    // True when path is a regular file, or a link to one, or a file of the
    // program's resources.
    static bool isRegular(const QString &path);

    // path when a reader that opens files itself (QSettings) may be given
    // it: a regular file, or nothing yet. A FIFO, a device or a folder gives
    // an empty path, which such a reader takes as no file at all.
    static QString readablePath(const QString &path);

    // Opens file (whose name is set) for reading when it is a regular file.
    static bool open(QFile &file, QIODevice::OpenMode mode = QIODevice::ReadOnly);
};

#endif // REGULARFILE_H
