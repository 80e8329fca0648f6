#include "fluidsynthlibrary.h"

bool FluidSynthLibrary::open(QString *error)
{
#ifdef QELUN_FLUIDSYNTH_SONAME
    QLibrary library(QStringLiteral(QELUN_FLUIDSYNTH_SONAME));
    if (!load(library, error))
        return false;
#define QELUN_FLUIDSYNTH_RESOLVE(name)                                                                       \
    if (!resolve(library, #name, name, error))                                                               \
        return false;
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
