// The scheme loader fed an arbitrary JSON file: whatever it takes, every
// option stays in the range the export dialog allows, and a score laid out
// with it gives pages that are XML.
#include "exportconfig.h"
#include "exportentry.h"
#include "ql_generatesvg.h"

#include <QFile>
#include <QXmlStreamReader>

#include <cstddef>
#include <cstdint>

#include "fuzzenvironment.h"

namespace {

bool isXml(const QByteArray &page)
{
    QXmlStreamReader xml(page);
    while (!xml.atEnd())
        xml.readNext();
    return !xml.hasError();
}

bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir &scratch = FuzzEnvironment::scratch();
    const QString settings = scratch.filePath(QStringLiteral("settings.ini"));
    const QString scheme = scratch.filePath(QStringLiteral("scheme.json"));
    QFile::remove(settings);
    QFile file(scheme);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    ExportConfig config(settings);
    if (!config.loadScheme(scheme))
        return 0;
    FuzzEnvironment::require(within(config.pageWidth(), 10, 10000) && within(config.pageHeight(), 10, 10000)
                                 && within(config.marginTop(), 0, 10000) && within(config.marginLeft(), 0, 10000)
                                 && within(config.lyricFontSize(), 5, 300) && within(config.colWidth(), 10, 10000)
                                 && within(config.scoreAngle(), -360, 360) && within(config.mColWidth(), -200, 200)
                                 && within(config.titlePos(), 0, 2),
                             "loaded options lie in their ranges");

    // Small pages with large fonts can need a page per character: the score
    // is kept short.
    const char32_t gong = 0xF002C;
    const QString notes = QString::fromUcs4(&gong, 1);
    const QList<ExportEntry> entries = buildExportEntries(
        QStringLiteral("# 游园\n【皂罗袍】(仙吕)\n原来姹紫\n>白\n"), notes + "\n" + notes + "\n\n" + notes);
    QL_GenerateSVG renderer(config);
    renderer.reset();
    renderer.generate(entries, false);
    for (const QByteArray &page : renderer.pages())
        FuzzEnvironment::require(isXml(page), "every page is XML");
    return 0;
}
