// The dictionary loader fed an arbitrary "wordsdict.csv": loading, searching
// and splitting never crash, however deep or odd the codes, and the split
// segments always put the typed letters back together.
#include "filelocations.h"
#include "scoretree.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

#include "fuzzenvironment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir &scratch = FuzzEnvironment::scratch();
    const QString app = scratch.filePath(QStringLiteral("app"));
    QDir().mkpath(app);
    QFile file(QDir(app).filePath(QStringLiteral("wordsdict.csv")));
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    const FileLocations locations(app, scratch.filePath(QStringLiteral("config")),
                                  scratch.filePath(QStringLiteral("data")));
    const ScoreTree tree(QStringLiteral("wordsdict.csv"), locations);

    // The letters typed: a few real codes and the input's own first bytes.
    QStringList codes = {QString(), QStringLiteral("a"), QStringLiteral("s"), QStringLiteral("tb"),
                         QStringLiteral("yuuqx")};
    codes.append(QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(qMin<size_t>(size, 48))));
    for (const QString &code : codes) {
        tree.search(code, false);
        tree.search(code, true);
        QString joined;
        for (const Segment &segment : tree.segment(code))
            joined += segment.text;
        FuzzEnvironment::require(joined == code, "segments put the code back together");
    }
    return 0;
}
