#ifndef ZIPLIBRARY_H
#define ZIPLIBRARY_H

#include "runtimelibrary.h"

#include <QString>

#include <zip.h>

// The libzip functions the .mxl export calls, reached through one table.
//
// In the Linux build the library is opened by its soname at the first .mxl
// export (QELUN_LIBZIP_SONAME): linked in, it and the cryptography library it
// needs would be loaded and relocated at every start of the window. Elsewhere
// the program is linked with it.
//
// Only mxlwriter.cpp includes this header.
#define QELUN_LIBZIP_FUNCTIONS(F)                                                                            \
    F(zip_error_init)                                                                                        \
    F(zip_error_fini)                                                                                        \
    F(zip_source_buffer_create)                                                                              \
    F(zip_source_buffer)                                                                                     \
    F(zip_source_keep)                                                                                       \
    F(zip_source_free)                                                                                       \
    F(zip_source_stat)                                                                                       \
    F(zip_source_open)                                                                                       \
    F(zip_source_read)                                                                                       \
    F(zip_source_close)                                                                                      \
    F(zip_stat_init)                                                                                         \
    F(zip_open_from_source)                                                                                  \
    F(zip_file_add)                                                                                          \
    F(zip_set_file_compression)                                                                              \
    F(zip_close)                                                                                             \
    F(zip_discard)

class ZipLibrary : public RuntimeLibrary<ZipLibrary>
{
public:
#define QELUN_LIBZIP_POINTER(name) decltype(&::name) name = nullptr;
    QELUN_LIBZIP_FUNCTIONS(QELUN_LIBZIP_POINTER)
#undef QELUN_LIBZIP_POINTER

private:
    friend class RuntimeLibrary<ZipLibrary>;
    ZipLibrary() = default;
    // False, with the reason, unless every function was found.
    bool open(QString *error);
};

#endif // ZIPLIBRARY_H
