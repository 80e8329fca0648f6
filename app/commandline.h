#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

class QTextStream;

// The program's command line, one parser for both of its modes:
//
//   qelun [FILE…]                      the window, with each FILE opened
//   qelun --export TARGET … SCORE      the export, without any window
//   qelun --help | --version           printed, without a display
//
// Qt's own options (-platform, -style, …) are left for the application
// object to take.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Mode { Window, Export, Help, Version, Error };

    // The status of a command line that cannot be run: the usage on
    // standard error.
    static constexpr int usageError = 1;

    CommandLine();

    // Parses the arguments (the program name first) and tells what to run.
    Mode parse(const QStringList &arguments);
    Mode mode() const { return m_mode; }

    // Whether the mode needs the window system (a QApplication); the others
    // run on a plain QCoreApplication, with no display at all.
    static bool needsGui(Mode mode) { return mode == Mode::Window || mode == Mode::Export; }

    // For Help, Version and Error: prints the help, the version, or the error
    // and the usage, and returns the exit status.
    int answer(QTextStream &out, QTextStream &err) const;

    // The documents to open in the window, in the order given. A name that
    // is no readable score stays in the list: the window says why it could
    // not open it.
    QStringList documentPaths() const;

    // The parsed command line, for the export to read its options from.
    const QCommandLineParser &parser() const { return m_parser; }

private:
    // The unknown options that are not Qt's own.
    QStringList unknownOwnOptions() const;

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    Mode m_mode = Mode::Error;
};

#endif // COMMANDLINE_H
