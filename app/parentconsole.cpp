#include "parentconsole.h"

#include <QtGlobal>

#include <cstdio>

#if defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

void ParentConsole::attach()
{
#if defined(Q_OS_WIN)
    // Started from a shell: its console takes the output. Started from the
    // desktop there is none, and the streams stay as they are.
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        FILE *stream = nullptr;
        if (::_fileno(stdout) < 0)
            ::freopen_s(&stream, "CONOUT$", "w", stdout);
        if (::_fileno(stderr) < 0)
            ::freopen_s(&stream, "CONOUT$", "w", stderr);
    }
#endif
}

bool ParentConsole::stderrIsTerminal()
{
#if defined(Q_OS_WIN)
    return ::_isatty(::_fileno(stderr)) != 0;
#else
    return ::isatty(::fileno(stderr)) == 1;
#endif
}
