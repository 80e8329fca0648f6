// The renderer fed arbitrary document text, any character a user can paste:
// control and format characters, lone surrogates, private-use and
// supplementary characters, every line end. Every page it makes is XML.
#include "exportconfig.h"
#include "exportentry.h"
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

    QL_GenerateSVG renderer(*config);
    renderer.reset();
    renderer.generate(entries, data[0] % 4 == 3);
    for (const QByteArray &page : renderer.pages()) {
        QXmlStreamReader xml(page);
        while (!xml.atEnd())
            xml.readNext();
        FuzzEnvironment::require(!xml.hasError(), "every page is XML");
    }
    return 0;
}
