#ifndef FUZZENVIRONMENT_H
#define FUZZENVIRONMENT_H

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// What every harness needs once per process: an application object on the
// offscreen platform (fonts and the resources work only with one) and a
// scratch folder. Built on the first input, kept until the process ends.
namespace FuzzEnvironment {

inline QTemporaryDir &scratch()
{
    static QTemporaryDir *dir = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qelun-fuzz";
        static char *argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
        return new QTemporaryDir;
    }();
    return *dir;
}

// Stops the run at a broken invariant, so that the fuzzer keeps the input.
inline void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace FuzzEnvironment

#endif // FUZZENVIRONMENT_H
