#ifndef OPENFAILURE_H
#define OPENFAILURE_H

#include "gcpfile.h"

#include <QString>

// Why a document file could not be opened, in words for the user: the line
// the open error box adds below its message.
class OpenFailure
{
public:
    // The reason for a CannotOpen or Damaged result of GcpFile::load(path).
    static QString reason(const QString &path, GcpFile::LoadResult result);
};

#endif // OPENFAILURE_H
