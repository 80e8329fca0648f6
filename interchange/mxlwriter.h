#ifndef MXLWRITER_H
#define MXLWRITER_H

#include <QByteArray>
#include <QString>

// A compressed MusicXML file (.mxl): a zip archive whose first entry is the
// stored "mimetype", then "META-INF/container.xml" naming the score, then
// the score itself, deflated. Built only where libzip is found.
class MxlWriter
{
public:
    static constexpr const char *scoreName = "score.musicxml";
    // The archive around the MusicXML text; empty on failure, with why in
    // error.
    static QByteArray bytes(const QByteArray &musicXml, QString *error = nullptr);
};

#endif // MXLWRITER_H
