#include "midiwriter.h"

#include "atomicfile.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

struct Event
{
    qint64 tick;
    int order; // at one tick: settings, then note ends, lyrics, note starts
    QByteArray data;
};

QByteArray meta(quint8 type, const QByteArray &payload)
{
    QByteArray b;
    b.append(char(0xFF)).append(char(type));
    b.append(MidiWriter::variableLength(quint32(payload.size())));
    b.append(payload);
    return b;
}

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray b;
    for (int i = bytes - 1; i >= 0; --i)
        b.append(char((value >> (8 * i)) & 0xFF));
    return b;
}

} // namespace

QByteArray MidiWriter::variableLength(quint32 value)
{
    QByteArray b;
    b.prepend(char(value & 0x7F));
    while (value >>= 7)
        b.prepend(char((value & 0x7F) | 0x80));
    return b;
}

QByteArray MidiWriter::bytes(const MusicScore &music, int program)
{
    QList<Event> events;
    events.append({0, 1, QByteArray().append(char(0xC0)).append(char(program & 0x7F))});
    for (const MusicSection &s : music.sections) {
        const quint32 microseconds = quint32(std::lround(60000000.0 / std::max(1.0, s.tempo)));
        events.append({s.start, 0, meta(0x51, bigEndian(microseconds, 3))});
        // 散板 has no metre; it is written as 4/4.
        const int beats = s.beatsPerBar > 0 ? s.beatsPerBar : 4;
        events.append({s.start, 0, meta(0x58, QByteArray().append(char(beats)).append(char(2)).append(char(24)).append(char(8)))});
        events.append({s.start, 0, meta(0x59, QByteArray().append(char(qint8(s.keySignature))).append(char(0)))});
    }
    qint64 end = 0;
    for (const NoteEvent &n : music.notes) {
        // A note of no length would end before it starts, and hang.
        if (n.length <= 0)
            continue;
        if (n.firstOfCharacter)
            events.append({n.start, 3, meta(0x05, n.character.toUtf8())});
        events.append({n.start, 4, QByteArray().append(char(0x90)).append(char(n.key)).append(char(n.velocity))});
        events.append({n.start + n.length, 2, QByteArray().append(char(0x80)).append(char(n.key)).append(char(0x40))});
        end = std::max(end, n.start + n.length);
    }
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    QByteArray track;
    qint64 last = 0;
    for (const Event &e : events) {
        track.append(variableLength(quint32(std::max<qint64>(0, e.tick - last))));
        track.append(e.data);
        last = std::max(last, e.tick);
    }
    track.append(variableLength(quint32(std::max<qint64>(0, end - last))));
    track.append(meta(0x2F, QByteArray()));

    QByteArray file("MThd");
    file.append(bigEndian(6, 4)).append(bigEndian(0, 2)).append(bigEndian(1, 2));
    file.append(bigEndian(MusicScore::ticksPerBeat, 2));
    file.append("MTrk").append(bigEndian(quint32(track.size()), 4)).append(track);
    return file;
}

bool MidiWriter::write(const QString &path, const MusicScore &music, int program, QString *error)
{
    return AtomicFile::write(path, bytes(music, program), error);
}
