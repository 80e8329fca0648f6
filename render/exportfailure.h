#ifndef EXPORTFAILURE_H
#define EXPORTFAILURE_H

#include <QString>

// Why an export failed, for whoever tells the user: the export dialog shows
// it as a warning box titled title (when there is a title), the command line
// prints text on standard error. The writers themselves never open a box.
struct ExportFailure
{
    // The box's title ("错误", "提示"); empty for a failure that the dialog
    // passes over in silence.
    QString title;
    // The message the user reads.
    QString text;
    // The file or folder concerned, for the command line; may be empty.
    QString path;
    // Why, when the system told: "磁盘空间不足", a target that is no file.
    QString reason;

    bool isEmpty() const { return text.isEmpty(); }
    // The text with its reason on a line of its own, for a box.
    QString message() const
    {
        return reason.isEmpty() ? text : text + QStringLiteral("\n原因：") + reason;
    }
};

#endif // EXPORTFAILURE_H
