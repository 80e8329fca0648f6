#ifndef MUSICSCORE_H
#define MUSICSCORE_H

#include <QList>
#include <QString>

// The music of a score: what the model makes of it and the MIDI writer
// writes. Times are in ticks, 480 to the quarter note (one beat).

// Where in the document something comes from.
struct MusicSource
{
    int lyricChar = -1;   // the sung character, counted from 0 (= its score line)
    int lyricLine = -1;   // the lyric line it stands on
    int lyricColumn = -1; // its offset in that line
    int scoreOffset = -1; // offset of the symbol in the character's score line
};

struct NoteEvent
{
    int key = 0;       // MIDI key
    qint64 start = 0;
    qint64 length = 0; // how long it sounds
    qint64 slot = 0;   // from its start to the next note's start
    int velocity = 0;
    QString character; // the sung character
    bool firstOfCharacter = false;
    MusicSource source;
    // What a score-interchange file keeps besides the sound.
    bool small = false;       // a small (passing) note
    bool breathAfter = false; // a breath (气口) is taken after it
    bool inferred = true;     // start or end not fixed by a beat mark
    QList<char32_t> marksBefore; // beat marks written before it
    QList<char32_t> marksAfter;  // beat marks written after it
    QList<char32_t> ornaments;   // ornaments standing by it
};

// A spoken passage (念白, 夹白): it takes no time and stands before the note
// at its tick.
struct MusicText
{
    qint64 tick = 0;
    QString text;
    int lyricLine = -1;
};

// One 曲牌 section: from a tune-name line to the next.
struct MusicSection
{
    qint64 start = 0;     // tick of its first note
    qint64 barOrigin = 0; // tick of a bar line (the first 板)
    qint64 end = 0;       // tick after its last note
    int beatsPerBar = 0;  // 8, 4, 2, 1, or 0 for 散板
    double tempo = 60;    // quarter notes a minute
    int shangKey = 74;    // MIDI key of 上
    int keySignature = 0; // sharps (+) or flats (-)
    bool keyNamed = false;// false: the default key was taken
    QString keyName;
    QString name;         // the tune name, 【】 included
    int lyricLine = -1;   // the line of the tune name
};

struct MusicProblem
{
    MusicSource source;
    QString reason;
};

struct MusicScore
{
    static constexpr int ticksPerBeat = 480;
    QList<NoteEvent> notes;
    QList<MusicSection> sections;
    QList<MusicProblem> problems; // what could not be placed, and why
    QList<MusicSource> silentCharacters; // sung characters without notation
    bool defaultKeyUsed = false;
    QString title;        // the first title line, without its '#'
    QList<MusicText> spoken;
};

#endif // MUSICSCORE_H
