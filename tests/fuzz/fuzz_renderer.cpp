// The renderer fed arbitrary document text, any character a user can paste:
// control and format characters, lone surrogates, private-use and
// supplementary characters, every line end. Every page it makes is XML, and
// the page number, rules and frame (switched by the first byte) stay off the
// score's ink.
#include "exportconfig.h"
#include "exportentry.h"
#include "pagemodel.h"
#include "ql_generatesvg.h"

#include <QXmlStreamReader>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzzenvironment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || size > 16384)
        return 0;
    QTemporaryDir &scratch = FuzzEnvironment::scratch();
    static std::unique_ptr<ExportConfig> config =
        std::make_unique<ExportConfig>(scratch.filePath(QStringLiteral("renderer.ini")));

    // The first byte picks how the rest is read: as UTF-8 (what a file or the
    // clipboard gives) or as raw UTF-16 (what the editors hold, lone
    // surrogates and all); the second where the score text begins.
    const char *rest = reinterpret_cast<const char *>(data + 2);
    const qsizetype length = qsizetype(size - 2);
    const QString text = data[0] % 2 == 0
                             ? QString::fromUtf8(rest, length)
                             : QString(reinterpret_cast<const QChar *>(rest), length / 2);
    const qsizetype split = text.size() * data[1] / 256;
    const QList<ExportEntry> entries = buildExportEntries(text.left(split), text.mid(split));

    config->setIsPageNumber(data[0] & 0x04);
    config->setIsColumnRule(data[0] & 0x08);
    config->setIsFrame(data[0] & 0x10);

    QL_GenerateSVG renderer(*config);
    renderer.reset();
    renderer.generate(entries, data[0] % 4 == 3);
    for (const QByteArray &page : renderer.pages()) {
        QXmlStreamReader xml(page);
        while (!xml.atEnd())
            xml.readNext();
        FuzzEnvironment::require(!xml.hasError(), "every page is XML");
    }
    for (const ScorePage &page : renderer.pageModels()) {
        const PageDecoration &d = page.decoration;
        QList<QRectF> painted;
        for (const QLineF &line : d.frame)
            painted.append(QRectF(line.p1(), line.p2()).normalized().adjusted(-d.frameWidth / 2, -d.frameWidth / 2,
                                                                              d.frameWidth / 2, d.frameWidth / 2));
        for (const QLineF &line : d.rules)
            painted.append(QRectF(line.p1(), line.p2()).normalized().adjusted(-d.ruleWidth / 2, 0, d.ruleWidth / 2, 0));
        if (!d.number.text.isEmpty())
            painted.append(d.number.ink);
        for (const PageRun &run : page.runs) {
            for (const PageItem &item : run.items) {
                if (item.ink.isEmpty())
                    continue;
                for (const QRectF &part : std::as_const(painted))
                    FuzzEnvironment::require(!part.intersects(item.ink), "no decoration on the score's ink");
            }
        }
    }
    return 0;
}
