// The .gcp reader fed arbitrary bytes: it never crashes, and whatever it
// accepts writes back and reads again as the same two texts.
#include "gcpfile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

#include "fuzzenvironment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    GcpFile::Texts texts;
    if (!GcpFile::read(&buffer, &texts))
        return 0;

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    FuzzEnvironment::require(GcpFile::write(&out, texts), "an accepted document writes");
    out.close();
    out.open(QIODevice::ReadOnly);
    GcpFile::Texts again;
    FuzzEnvironment::require(GcpFile::read(&out, &again), "a written document reads");
    FuzzEnvironment::require(again.lyric == texts.lyric && again.score == texts.score,
                             "a document reads back as written");
    return 0;
}
