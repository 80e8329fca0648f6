#include "jianpuwriter.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 beat = MusicScore::ticksPerBeat;
constexpr qint64 unit = beat / 8; // a thirty-second note

QString keyName(int midiKey, int signature)
{
    static const char *const sharps[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    static const char *const flats[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    const int pc = ((midiKey % 12) + 12) % 12;
    return QString::fromLatin1(signature < 0 ? flats[pc] : sharps[pc]);
}

// The degree of a note above 上 with its octave marks.
QString pitchText(int semitones)
{
    static const char *const degrees[12] = {"1", "#1", "2", "#2", "3", "4", "#4", "5", "#5", "6", "#6", "7"};
    const int octave = int(std::floor(semitones / 12.0));
    QString text = QString::fromLatin1(degrees[semitones - octave * 12]);
    text += QString(std::abs(octave), octave > 0 ? QLatin1Char('\'') : QLatin1Char(','));
    return text;
}

// One note (or rest) of units thirty-seconds, as tokens tied with "~":
// whole beats are the digit and a "-" per further beat, a beat and a half
// is dotted, what is left is q (eighth), s (sixteenth) or d (thirty-second),
// dotted where that fits.
QStringList lengthTokens(const QString &pitch, qint64 units, bool rest)
{
    QStringList pieces;
    auto piece = [&](const QString &prefix, const QString &suffix) {
        pieces.append(prefix + pitch + suffix);
    };
    if (units == 12) {
        piece(QString(), QStringLiteral("."));
        units = 0;
    } else if (units >= 8) {
        QString held = QString();
        for (qint64 b = 1; b < units / 8; ++b)
            held += QStringLiteral(" -");
        piece(QString(), held);
        units %= 8;
    }
    static const struct { qint64 units; const char *prefix; const char *suffix; } parts[] = {
        {6, "q", "."}, {4, "q", ""}, {3, "s", "."}, {2, "s", ""}, {1, "d", ""}};
    for (const auto &p : parts) {
        if (units >= p.units) {
            piece(QString::fromLatin1(p.prefix), QString::fromLatin1(p.suffix));
            units -= p.units;
        }
    }
    // A rest is not tied: its pieces follow one another.
    return rest ? pieces : QStringList{pieces.join(QStringLiteral(" ~ "))};
}

QString sectionHead(const MusicSection &section, qint64 pickup)
{
    QString head;
    QString name = section.name;
    if (section.keyNamed)
        name += QStringLiteral(u"（") + section.keyName + QStringLiteral(u"）");
    if (!name.isEmpty())
        head += QStringLiteral("% ") + name + QLatin1Char('\n');
    head += QStringLiteral("1=") + keyName(section.shangKey, section.keySignature) + QLatin1Char('\n');
    if (section.beatsPerBar > 0) {
        head += QString::number(section.beatsPerBar) + QStringLiteral("/4");
        // A pickup of a plain note value is announced, as "4/4,8" for an eighth.
        for (int value : {1, 2, 4, 8, 16, 32}) {
            if (pickup > 0 && pickup * value == 4 * beat) {
                head += QLatin1Char(',') + QString::number(value);
                break;
            }
        }
        head += QLatin1Char('\n');
    }
    return head;
}

} // namespace

QString JianpuWriter::text(const MusicScore &music)
{
    QString out;
    if (!music.title.isEmpty())
        out += QStringLiteral("title=") + music.title + QLatin1Char('\n');
    QList<NoteEvent> notes;
    for (const NoteEvent &n : music.notes) {
        if (n.slot > 0)
            notes.append(n);
    }
    for (const MusicSection &section : music.sections) {
        const qint64 bar = section.beatsPerBar * beat;
        auto grid = [&](qint64 tick) { return (tick - section.start + unit / 2) / unit; };
        QList<int> inSection;
        for (int i = 0; i < notes.size(); ++i) {
            if (notes[i].start >= section.start && notes[i].start < section.end)
                inSection.append(i);
        }
        if (inSection.isEmpty())
            continue;
        const qint64 pickup = bar > 0 && section.barOrigin > section.start ? section.barOrigin - section.start : 0;
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += sectionHead(section, pickup);

        // The bar lines, in thirty-seconds from the section's start.
        QList<qint64> bars;
        if (bar > 0) {
            for (qint64 t = section.barOrigin; t <= section.end; t += bar) {
                if (t > section.start)
                    bars.append(grid(t));
            }
        }
        QStringList tokens;
        QString lyric;
        qint64 at = 0; // units written
        auto place = [&](const QString &pitch, qint64 from, qint64 to, bool rest, const QString &after) {
            // Split at every bar line between from and to, tied across it.
            QStringList written;
            while (from < to) {
                qint64 stop = to;
                for (qint64 b : bars) {
                    if (b > from) {
                        stop = std::min(stop, b);
                        break;
                    }
                }
                written += lengthTokens(pitch, stop - from, rest);
                if (bars.contains(stop)) {
                    if (!rest && stop < to)
                        written.last() += QStringLiteral(" ~");
                    written.append(QStringLiteral("|"));
                }
                from = stop;
            }
            if (!written.isEmpty() && !after.isEmpty()) {
                int last = int(written.size()) - 1;
                if (written[last] == QLatin1String("|") && last > 0)
                    --last;
                written[last] += after;
            }
            tokens += written;
        };
        for (int k = 0; k < inSection.size(); ++k) {
            const NoteEvent &n = notes[inSection[k]];
            qint64 from = std::max(at, grid(n.start));
            qint64 to = grid(n.start + n.slot);
            // A note too short for the grid still takes a thirty-second.
            to = std::max(to, from + 1);
            if (from > at)
                place(QStringLiteral("0"), at, from, true, QString());
            const bool first = n.firstOfCharacter || k == 0 || notes[inSection[k - 1]].source.lyricChar != n.source.lyricChar;
            const bool last = k + 1 == inSection.size() || notes[inSection[k + 1]].source.lyricChar != n.source.lyricChar;
            if (first)
                lyric += n.character;
            // The notes of one sung character are slurred, so that the
            // character stays under its first note.
            QString after;
            if (first && !last)
                after = QStringLiteral(" (");
            else if (!first && last)
                after = QStringLiteral(" )");
            place(pitchText(n.key - section.shangKey), from, to, false, after);
            if (last && bar == 0 && k + 1 < inSection.size()
                && notes[inSection[k + 1]].source.lyricLine != n.source.lyricLine)
                tokens.append(QStringLiteral("|"));
            at = to;
        }
        const qint64 end = std::max(at, grid(section.end));
        if (end > at)
            place(QStringLiteral("0"), at, end, true, QString());
        if (tokens.isEmpty() || tokens.last() != QLatin1String("|"))
            tokens.append(QStringLiteral("|"));
        out += tokens.join(QLatin1Char(' ')) + QLatin1Char('\n');
        out += QStringLiteral("H: ") + lyric + QLatin1Char('\n');
    }
    return out;
}
