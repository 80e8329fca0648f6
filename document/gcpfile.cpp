#include "gcpfile.h"

#include "atomicfile.h"
#include "regularfile.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>

bool GcpFile::hasGcpSuffix(const QString &path)
{
    return path.endsWith(QLatin1String(".gcp"), Qt::CaseInsensitive);
}

bool GcpFile::write(QIODevice *device, const Texts &texts)
{
    // A null QString would be written as the null marker 0xFFFFFFFF; an empty
    // text is always a byte count of 0.
    const QString lyric = texts.lyric.isNull() ? QLatin1String("") : texts.lyric;
    const QString score = texts.score.isNull() ? QLatin1String("") : texts.score;
    QDataStream stream(device);
    stream << qint32(lyric.size()) << lyric << qint32(score.size()) << score;
    return stream.status() == QDataStream::Ok;
}

bool GcpFile::read(QIODevice *device, Texts *texts)
{
    QDataStream stream(device);
    qint32 lyricLength = 0;
    qint32 scoreLength = 0;
    Texts result;
    // Stored files may carry lengths that disagree with their strings; the
    // lengths were never used, so only the strings themselves must be intact.
    stream >> lyricLength >> result.lyric >> scoreLength >> result.score;
    if (stream.status() != QDataStream::Ok)
        return false;
    // A null string in the stream is an empty text to the editors.
    if (result.lyric.isNull())
        result.lyric = QLatin1String("");
    if (result.score.isNull())
        result.score = QLatin1String("");
    *texts = result;
    return true;
}

bool GcpFile::save(const QString &path, const Texts &texts, QString *why)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(&buffer, texts))
        return false;
    buffer.close();
    return AtomicFile::write(path, bytes, why);
}

GcpFile::LoadResult GcpFile::load(const QString &path, Texts *texts)
{
    QFile file(path);
    if (!RegularFile::open(file))
        return LoadResult::CannotOpen;
    if (!hasGcpSuffix(path))
        return LoadResult::WrongType;
    if (file.size() == 0) {
        *texts = {QLatin1String(""), QLatin1String("")};
        return LoadResult::Loaded;
    }
    return read(&file, texts) ? LoadResult::Loaded : LoadResult::Damaged;
}

GcpFile::Damage GcpFile::damageOf(QIODevice *device)
{
    // Walks the two (length, text) pairs as this program writes them: the
    // length in code units, then the text's byte count, twice that. A stream
    // that keeps to this as far as it goes and then stops was cut short;
    // anything else was never such a document.
    device->seek(0);
    QDataStream stream(device);
    for (int text = 0; text < 2; ++text) {
        qint32 length = 0;
        quint32 bytes = 0;
        if (device->bytesAvailable() < 4)
            return Damage::Truncated;
        stream >> length;
        if (device->bytesAvailable() < 4)
            return Damage::Truncated;
        stream >> bytes;
        if (bytes == 0xFFFFFFFF)
            continue;
        if (length < 0 || bytes % 2 != 0 || bytes != 2 * quint32(length))
            return Damage::NotADocument;
        if (device->bytesAvailable() < qint64(bytes))
            return Damage::Truncated;
        device->skip(bytes);
    }
    return Damage::NotADocument;
}
