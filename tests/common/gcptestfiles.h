#ifndef GCPTESTFILES_H
#define GCPTESTFILES_H

#include "gcpfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>

// Small helpers for tests that read and write document files.
namespace GcpTestFiles {

// The bytes a correct writer produces for the two texts.
inline QByteArray encoded(const QString &lyric, const QString &score)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    GcpFile::write(&buffer, {lyric, score});
    return buffer.data();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace GcpTestFiles

#endif // GCPTESTFILES_H
