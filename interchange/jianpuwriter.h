#ifndef JIANPUWRITER_H
#define JIANPUWRITER_H

#include "musicscore.h"

#include <QString>

// A score's music as jianpu (numbered notation) text in a subset of the
// input of jianpu-ly (the README lists it): per section a comment with the
// tune name, the key as "1=D" (the pitch of 上), the time ("4/4", none for
// 散板), the notes with their octave marks and lengths, "|" at every bar
// line, and "H:" with the sung characters. Lengths are rounded to
// thirty-second notes.
class JianpuWriter
{
public:
    static QString text(const MusicScore &music);
};

#endif // JIANPUWRITER_H
