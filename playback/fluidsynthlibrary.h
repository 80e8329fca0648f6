#ifndef FLUIDSYNTHLIBRARY_H
#define FLUIDSYNTHLIBRARY_H

#include "runtimelibrary.h"

#include <QString>

#include <fluidsynth.h>

// The FluidSynth functions the synthesiser calls, reached through one table.
//
// In the Linux build the library is opened by its soname at the first sound
// (QELUN_FLUIDSYNTH_SONAME): linked in, it and the forty libraries of audio
// drivers and codecs it needs would be loaded and relocated at every start,
// some 5 ms before the window could begin, for a synthesiser that runs only
// when music is played or exported. Elsewhere the program is linked with it,
// where the ports' packaging finds and ships it.
//
// Only musicsynth.cpp includes this header.
#define QELUN_FLUIDSYNTH_FUNCTIONS(F)                                                                        \
    F(new_fluid_settings)                                                                                    \
    F(delete_fluid_settings)                                                                                 \
    F(fluid_settings_setnum)                                                                                 \
    F(fluid_settings_setint)                                                                                 \
    F(new_fluid_synth)                                                                                       \
    F(delete_fluid_synth)                                                                                    \
    F(fluid_is_soundfont)                                                                                    \
    F(fluid_set_log_function)                                                                                \
    F(fluid_synth_sfload)                                                                                    \
    F(fluid_synth_all_sounds_off)                                                                            \
    F(fluid_synth_system_reset)                                                                              \
    F(fluid_synth_program_change)                                                                            \
    F(fluid_synth_noteon)                                                                                    \
    F(fluid_synth_noteoff)                                                                                   \
    F(fluid_synth_write_s16)

class FluidSynthLibrary : public RuntimeLibrary<FluidSynthLibrary>
{
public:
#define QELUN_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
    QELUN_FLUIDSYNTH_FUNCTIONS(QELUN_FLUIDSYNTH_POINTER)
#undef QELUN_FLUIDSYNTH_POINTER

private:
    friend class RuntimeLibrary<FluidSynthLibrary>;
    FluidSynthLibrary() = default;
    // False, with the reason, unless every function was found.
    bool open(QString *error);
};

#endif // FLUIDSYNTHLIBRARY_H
