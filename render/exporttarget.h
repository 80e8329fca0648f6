#ifndef EXPORTTARGET_H
#define EXPORTTARGET_H

#include "exportfailure.h"

#include <QString>

// Whether an export can be written where the user asked, found out before
// the score is laid out: a long score must not be typeset only to learn that
// its folder is read-only. The check leaves nothing behind.
class ExportTarget
{
public:
    enum class Kind {
        File,   // a file, replaced if it exists (a PDF, a single image)
        Folder, // a folder, made if need be, that receives new files
    };

    // Empty when the target can be written; otherwise why not, as the
    // writers would have said it.
    static ExportFailure check(const QString &path, Kind kind);
};

#endif // EXPORTTARGET_H
