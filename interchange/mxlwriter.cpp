#include "mxlwriter.h"

#include "ziplibrary.h"

#include <QCoreApplication>

#include <memory>

namespace {

const QByteArray mimeType = QByteArrayLiteral("application/vnd.recordare.musicxml");

QByteArray container()
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<container>\n"
                             "  <rootfiles>\n"
                             "    <rootfile full-path=\"") + MxlWriter::scoreName
           + QByteArrayLiteral("\" media-type=\"application/vnd.recordare.musicxml+xml\"/>\n"
                               "  </rootfiles>\n"
                               "</container>\n");
}

// Adds data as name; zip_close() reads it, so it must live until then.
bool add(const ZipLibrary *library, zip_t *archive, const char *name, const QByteArray &data, bool store)
{
    zip_source_t *source = library->zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
    if (!source)
        return false;
    const zip_int64_t index = library->zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        library->zip_source_free(source);
        return false;
    }
    return library->zip_set_file_compression(archive, zip_uint64_t(index), store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0;
}

} // namespace

QByteArray MxlWriter::bytes(const QByteArray &musicXml, QString *error)
{
    auto fail = [error](const char *why) {
        if (error)
            *error = QString::fromUtf8(why);
        return QByteArray();
    };
    const ZipLibrary *library = ZipLibrary::instance();
    if (!library) {
        if (error)
            *error = QCoreApplication::translate("MxlWriter", "无法载入 libzip 库：%1").arg(ZipLibrary::loadError());
        return QByteArray();
    }
    zip_error_t zipError;
    library->zip_error_init(&zipError);
    zip_source_t *memory = library->zip_source_buffer_create(nullptr, 0, 0, &zipError);
    library->zip_error_fini(&zipError);
    if (!memory)
        return fail("zip_source_buffer_create");
    library->zip_source_keep(memory); // read back after the archive closes
    const std::unique_ptr<zip_source_t, void (*)(zip_source_t *)> keep(memory, library->zip_source_free);

    library->zip_error_init(&zipError);
    zip_t *archive = library->zip_open_from_source(memory, ZIP_TRUNCATE, &zipError);
    library->zip_error_fini(&zipError);
    if (!archive)
        return fail("zip_open_from_source");
    // The buffers must live until zip_close(), which reads them.
    const QByteArray containerXml = container();
    if (!add(library, archive, "mimetype", mimeType, true) || !add(library, archive, "META-INF/container.xml", containerXml, false)
        || !add(library, archive, scoreName, musicXml, false)) {
        library->zip_discard(archive);
        return fail("zip_file_add");
    }
    if (library->zip_close(archive) != 0) {
        library->zip_discard(archive);
        return fail("zip_close");
    }

    QByteArray out;
    zip_stat_t stat;
    library->zip_stat_init(&stat);
    if (library->zip_source_stat(memory, &stat) != 0 || library->zip_source_open(memory) != 0)
        return fail("zip_source_stat");
    out.resize(qsizetype(stat.size));
    const zip_int64_t read = library->zip_source_read(memory, out.data(), stat.size);
    library->zip_source_close(memory);
    if (read != zip_int64_t(stat.size))
        return fail("zip_source_read");
    return out;
}
