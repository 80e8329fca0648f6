#ifndef INTERCHANGEEXPORT_H
#define INTERCHANGEEXPORT_H

#include <QString>

class QTextStream;

// The command-line export of a score for other programs: MusicXML
// ("musicxml"), jianpu text ("jianpu") and plain-text gongche ("txt"), each
// one file written whole or not at all. What the music leaves out is warned
// about, as for MIDI.
class InterchangeExport
{
public:
    InterchangeExport(QTextStream &out, QTextStream &err);

    static bool handles(const QString &format);
    // The format a target's name asks for ("x.musicxml", "x.jianpu.txt",
    // "x.txt"); empty when it asks for none of these.
    static QString formatOfName(const QString &target);

    // The exit status of BatchExport.
    int run(const QString &format, const QString &lyric, const QString &score, const QString &target);

private:
    QTextStream &m_out;
    QTextStream &m_err;
};

#endif // INTERCHANGEEXPORT_H
