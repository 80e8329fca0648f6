#ifndef FAULTYWRITE_H
#define FAULTYWRITE_H

#include <QString>

// A disk that runs full in the middle of a write, as a real one does: the
// write() calls of the process on files under one folder are counted, the
// chosen one is taken in part (half its bytes) and every later one is
// refused with ENOSPC. The calls are those the program itself makes, through
// Qt, libpng and libjpeg, so a test sees what the user would. Link the
// library qelun_faultywrite and give the test executable ENABLE_EXPORTS, so
// that the libraries' write() resolves to this one.
class FaultyWrite
{
public:
    // Watches writes under folder; the write numbered failAt (from 0) is cut
    // short. A negative failAt only counts.
    FaultyWrite(const QString &folder, int failAt);
    ~FaultyWrite();
    FaultyWrite(const FaultyWrite &) = delete;
    FaultyWrite &operator=(const FaultyWrite &) = delete;

    // The writes counted so far.
    int count() const;
    // Whether the cut came (the write numbered failAt was made).
    bool struck() const;
};

#endif // FAULTYWRITE_H
