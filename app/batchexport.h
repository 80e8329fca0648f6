#ifndef BATCHEXPORT_H
#define BATCHEXPORT_H

#include <QStringList>

class QCommandLineParser;
class QTextStream;

// The export from the command line, run without any window:
//
//   qelun --export TARGET [--format pdf|png|jpg|svg|mid|wav|musicxml|jianpu|txt]
//         [--dpi 96|160|300|600]
//         [--settings FILE] SCORE.gcp
//
// The format is --format or else TARGET's suffix. A PDF goes to the file
// TARGET. Images go to the file TARGET for a one-page score and to
// NAME_0.EXT, NAME_1.EXT, … beside it for a longer one; a TARGET without the
// image suffix is a folder that receives a new folder as the export dialog
// writes it. A MIDI file (mid) or a WAV file (wav) goes to the file TARGET. SVG pages always go
// to a new folder inside the folder TARGET.
// The options are those of the program's settings, or of the INI file named
// by --settings; either is only read, never written. Progress goes to
// standard error, a failure too, with a non-zero exit status; the success
// message to standard output. Notation on score lines that no sung character
// owns is not exported; a warning line on standard error says how many lines
// of it there are, and the export still succeeds.
class BatchExport
{
public:
    enum ExitCode {
        Success = 0,
        UsageError = 1,    // unknown option, missing argument, bad --dpi
        InputError = 2,    // the score cannot be read, is damaged or is empty
        OutputError = 3,   // the target cannot be written
        Interrupted = 130, // stopped with Ctrl+C; nothing was left half written
    };

    // More pages than this are announced with a warning.
    static constexpr qint64 manyPages = 10000;

    // True when the arguments ask for a batch export.
    static bool isRequested(const QStringList &arguments);
    static bool isRequested(int argc, char **argv);

    // Before the application object exists: with no display to talk to, the
    // export runs on the offscreen platform.
    static void prepareEnvironment();

    // errIsTerminal: progress rewrites one line on err instead of writing
    // a line per change.
    BatchExport(QTextStream &out, QTextStream &err, bool errIsTerminal = false);

    // Adds the export's options to the program's command-line parser.
    static void addOptions(QCommandLineParser &parser);

    // Runs the export the arguments describe (the program name first), with
    // a parser of its own.
    int run(const QStringList &arguments);
    // Runs the export that a parser holding addOptions() has parsed; its one
    // positional argument is the score.
    int run(const QCommandLineParser &parser);

private:
    int exportScore(const QString &scorePath, const QString &target, const QString &format,
                    int dpi, const QString &settingsPath);
    // A MIDI or WAV file of the score's music, with the music settings of
    // the configuration file.
    int exportMusic(const QString &lyric, const QString &score, const QString &target,
                    const QString &format, const QString &configPath);

    QTextStream &m_out;
    QTextStream &m_err;
    const bool m_errIsTerminal;
};

#endif // BATCHEXPORT_H
