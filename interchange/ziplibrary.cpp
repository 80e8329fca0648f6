#include "ziplibrary.h"

#ifdef QELUN_LIBZIP_SONAME
#include <QLibrary>
#endif

namespace {

// What the system said when the library could not be opened.
QString &openingError()
{
    static QString error;
    return error;
}

} // namespace

const ZipLibrary *ZipLibrary::instance()
{
    static ZipLibrary library;
    // Opened once, by whichever thread asks first.
    static const bool resolved = library.resolve(&openingError());
    return resolved ? &library : nullptr;
}

QString ZipLibrary::loadError()
{
    instance();
    return openingError();
}

bool ZipLibrary::resolve(QString *error)
{
#ifdef QELUN_LIBZIP_SONAME
    // Never unloaded: what it made may live to the program's end.
    QLibrary library(QStringLiteral(QELUN_LIBZIP_SONAME));
    if (!library.load()) {
        *error = library.errorString();
        return false;
    }
#define QELUN_LIBZIP_RESOLVE(name)                                                                       \
    name = reinterpret_cast<decltype(name)>(library.resolve(#name));                                       \
    if (!name) {                                                                                             \
        *error = library.errorString();                                                                      \
        return false;                                                                                        \
    }
    QELUN_LIBZIP_FUNCTIONS(QELUN_LIBZIP_RESOLVE)
#undef QELUN_LIBZIP_RESOLVE
#else
    Q_UNUSED(error);
#define QELUN_LIBZIP_TAKE(name) name = &::name;
    QELUN_LIBZIP_FUNCTIONS(QELUN_LIBZIP_TAKE)
#undef QELUN_LIBZIP_TAKE
#endif
    return true;
}
