#include "fluidsynthlibrary.h"

#ifdef QELUN_FLUIDSYNTH_SONAME
#include <QLibrary>
#endif

namespace {

struct Loaded
{
    const FluidSynthLibrary *library = nullptr;
    QString error;
};

Loaded &loaded()
{
    static Loaded once;
    return once;
}

} // namespace

const FluidSynthLibrary *FluidSynthLibrary::instance()
{
    // Opened once, by whichever thread asks first.
    static const bool opened = [] {
        static FluidSynthLibrary library;
        QString error;
        if (library.resolve(&error))
            loaded().library = &library;
        else
            loaded().error = error;
        return true;
    }();
    Q_UNUSED(opened);
    return loaded().library;
}

QString FluidSynthLibrary::loadError()
{
    instance();
    return loaded().error;
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
