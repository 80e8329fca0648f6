#include "fluidsynthlibrary.h"

#ifdef QELUN_FLUIDSYNTH_SONAME
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

const FluidSynthLibrary *FluidSynthLibrary::instance()
{
    static FluidSynthLibrary library;
    // Opened once, by whichever thread asks first.
    static const bool resolved = library.resolve(&openingError());
    return resolved ? &library : nullptr;
}

QString FluidSynthLibrary::loadError()
{
    instance();
    return openingError();
}

bool FluidSynthLibrary::resolve(QString *error)
{
#ifdef QELUN_FLUIDSYNTH_SONAME
    // Never unloaded: the synthesisers made from it live to the program's end.
    QLibrary library(QStringLiteral(QELUN_FLUIDSYNTH_SONAME));
    if (!library.load()) {
        *error = library.errorString();
        return false;
    }
#define QELUN_FLUIDSYNTH_RESOLVE(name)                                                                       \
    name = reinterpret_cast<decltype(name)>(library.resolve(#name));                                       \
    if (!name) {                                                                                             \
        *error = library.errorString();                                                                      \
        return false;                                                                                        \
    }
    QELUN_FLUIDSYNTH_FUNCTIONS(QELUN_FLUIDSYNTH_RESOLVE)
#undef QELUN_FLUIDSYNTH_RESOLVE
#else
    Q_UNUSED(error);
#define QELUN_FLUIDSYNTH_TAKE(name) name = &::name;
    QELUN_FLUIDSYNTH_FUNCTIONS(QELUN_FLUIDSYNTH_TAKE)
#undef QELUN_FLUIDSYNTH_TAKE
#endif
    return true;
}
