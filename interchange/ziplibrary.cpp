#include "ziplibrary.h"

bool ZipLibrary::open(QString *error)
{
#ifdef QELUN_LIBZIP_SONAME
    QLibrary library(QStringLiteral(QELUN_LIBZIP_SONAME));
    if (!load(library, error))
        return false;
#define QELUN_LIBZIP_RESOLVE(name)                                                                           \
    if (!resolve(library, #name, name, error))                                                               \
        return false;
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
