#ifndef PARENTCONSOLE_H
#define PARENTCONSOLE_H

// The command line's output on Windows, where a program built for the
// window system starts without a console: --help, --version and --export
// write to the console of the shell that started them. Elsewhere the
// standard streams are the terminal's already, and nothing is done.
namespace ParentConsole {

void attach();

// Whether standard error is a terminal (a progress line rewrites itself).
bool stderrIsTerminal();

} // namespace ParentConsole

#endif // PARENTCONSOLE_H
