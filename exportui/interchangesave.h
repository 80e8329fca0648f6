#ifndef INTERCHANGESAVE_H
#define INTERCHANGESAVE_H

#include <QList>
#include <QString>

struct ExportEntry;
class QWidget;

// The export dialog's files for other programs (MusicXML, jianpu text,
// plain-text gongche): asks where, writes the file whole or not at all, and
// says in a box what went wrong. The pages and their options play no part.
class InterchangeSave
{
public:
    // The file written; empty when the user cancelled or nothing was written
    // (and a box said why).
    static QString run(QWidget *parent, const QString &format, const QList<ExportEntry> &entries,
                       const QString &suggestedPath);
};

#endif // INTERCHANGESAVE_H
