#ifndef ATOMICFILE_H
#define ATOMICFILE_H

#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
#include <QString>

#include <memory>

// Writes a file whole or not at all. Every file the program writes goes
// through here: the content is written to a temporary file beside the target
// through a device that takes every byte or fails for good, the temporary
// file is flushed and synced to the disk, and only then renamed over the
// target, whose folder is synced after. A full disk, a read-only folder, a
// killed process or a power cut therefore leaves the previous file as it was.
//
// A target that exists and is no regular file (a device, a FIFO, a socket,
// or a link to one) is refused: renaming over it would replace the node.
// A link to a regular file is written through, and stays a link.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Opens the temporary file. A folder in which no temporary file can be
    // made is a failure: writing the target in place instead would damage
    // it if the write stopped halfway.
    bool open();
    // Where the content goes, once open. A write that the file takes only
    // in part is retried for the rest; a write the file refuses fails this
    // device for good, so that a writer that does not look at what its
    // writes return (the PDF writer) cannot end in a false success.
    QIODevice *device();
    // Puts the temporary file in the target's place when every byte written
    // reached it; otherwise removes it and leaves the target as it was.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    QString fileName() const { return m_path; }
    // Why the file could not be written, in words for the user; empty while
    // nothing failed.
    QString errorString() const;

    // Writes data to path; false, with path untouched, on any failure, and
    // why in *why when given.
    static bool write(const QString &path, const QByteArray &data, QString *why = nullptr);

    // Writes data to an open device, checking that every byte was taken.
    static bool writeAll(QIODevice &device, const QByteArray &data);

    // False when path exists and is not a regular file or a link to one:
    // such a target is never replaced nor opened.
    static bool isReplaceable(const QString &path);
    // The words for a target that isReplaceable() refuses.
    static QString notAFileReason();

private:
    class Sink;

    bool fail(const QString &why);
    // Why the temporary file failed: from the system's error number when
    // one is known, else from the file's own error.
    QString fileFailure(int systemError) const;

    QString m_path;
    QSaveFile m_file;
    std::unique_ptr<Sink> m_sink;
    QString m_error;
};

#endif // ATOMICFILE_H
