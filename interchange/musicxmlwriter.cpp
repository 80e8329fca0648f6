#include "musicxmlwriter.h"

#include "atomicfile.h"
#include "notevalue.h"
#include "plaingongche.h"

#include <QHash>
#include <QSet>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 beat = MusicScore::ticksPerBeat;

QString partName(int program)
{
    switch (program) {
    case 52:
        return QStringLiteral(u"人声");
    case 72:
        return QStringLiteral(u"梆笛");
    case 77:
        return QStringLiteral(u"尺八");
    default:
        return QStringLiteral(u"曲笛");
    }
}

struct Spelling
{
    char step;
    int alter;
};

// The pitch class spelt as the key signature spells it: with sharps in a
// sharp key, with flats in a flat one.
Spelling spell(int pitchClass, bool flats)
{
    static const Spelling sharp[12] = {{'C', 0}, {'C', 1}, {'D', 0}, {'D', 1}, {'E', 0}, {'F', 0},
                                       {'F', 1}, {'G', 0}, {'G', 1}, {'A', 0}, {'A', 1}, {'B', 0}};
    static const Spelling flat[12] = {{'C', 0}, {'D', -1}, {'D', 0}, {'E', -1}, {'E', 0}, {'F', 0},
                                      {'G', -1}, {'G', 0}, {'A', -1}, {'A', 0}, {'B', -1}, {'B', 0}};
    return flats ? flat[pitchClass] : sharp[pitchClass];
}

class Writer
{
public:
    Writer(const MusicScore &music, int program, QByteArray *out)
        : m_music(music)
        , m_program(program)
        , m_xml(out)
    {
        for (const NoteEvent &n : music.notes) {
            if (n.slot > 0)
                m_notes.append(n);
        }
        for (int i = 0; i < m_notes.size(); ++i)
            m_notesOfCharacter[m_notes[i].source.lyricChar] += 1;
    }

    void write()
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
        m_xml.writeStartDocument();
        m_xml.writeDTD(QStringLiteral("<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
                                      "\"http://www.musicxml.org/dtds/partwise.dtd\">"));
        m_xml.writeStartElement(QStringLiteral("score-partwise"));
        m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
        if (!m_music.title.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("work"));
            m_xml.writeTextElement(QStringLiteral("work-title"), m_music.title);
            m_xml.writeEndElement();
        }
        m_xml.writeStartElement(QStringLiteral("identification"));
        m_xml.writeStartElement(QStringLiteral("encoding"));
        m_xml.writeTextElement(QStringLiteral("software"), QStringLiteral(u"Qelun工尺谱"));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("miscellaneous"));
        m_xml.writeStartElement(QStringLiteral("miscellaneous-field"));
        m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("inferred-duration"));
        m_xml.writeCharacters(QStringLiteral(
            "A note with a hidden other-notation inferred-duration has a length that the program inferred "
            "from the beat marks (板眼); gongche notation does not write lengths."));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();

        m_xml.writeStartElement(QStringLiteral("part-list"));
        m_xml.writeStartElement(QStringLiteral("score-part"));
        m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1"));
        m_xml.writeTextElement(QStringLiteral("part-name"), partName(m_program));
        m_xml.writeStartElement(QStringLiteral("score-instrument"));
        m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1-I1"));
        m_xml.writeTextElement(QStringLiteral("instrument-name"), partName(m_program));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("midi-instrument"));
        m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1-I1"));
        m_xml.writeTextElement(QStringLiteral("midi-channel"), QStringLiteral("1"));
        m_xml.writeTextElement(QStringLiteral("midi-program"), QString::number(std::clamp(m_program, 0, 127) + 1));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();

        m_xml.writeStartElement(QStringLiteral("part"));
        m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1"));
        for (int s = 0; s < m_music.sections.size(); ++s)
            writeSection(s);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
    }

private:
    // The bar lines of a section: every bar from its first 板 on, and for
    // 散板, which has none, the start of every lyric line.
    QList<qint64> measureBounds(const MusicSection &section) const
    {
        QList<qint64> bounds{section.start};
        if (section.beatsPerBar > 0) {
            const qint64 bar = section.beatsPerBar * beat;
            qint64 rel = section.start - section.barOrigin;
            qint64 next = section.barOrigin + (rel >= 0 ? (rel / bar + 1) * bar : -((-rel) / bar) * bar);
            if (next == section.start)
                next += bar;
            for (; next < section.end; next += bar)
                bounds.append(next);
        } else {
            int line = -1;
            for (const NoteEvent &n : m_notes) {
                if (n.start < section.start || n.start >= section.end)
                    continue;
                if (line >= 0 && n.source.lyricLine != line && n.start > bounds.last())
                    bounds.append(n.start);
                line = n.source.lyricLine;
            }
        }
        bounds.append(section.end);
        return bounds;
    }

    void writeSection(int index)
    {
        const MusicSection &section = m_music.sections[index];
        if (section.end <= section.start)
            return;
        const QList<qint64> bounds = measureBounds(section);
        const bool lastSection = index + 1 == m_music.sections.size();
        for (int m = 0; m + 1 < bounds.size(); ++m) {
            const qint64 from = bounds[m], to = bounds[m + 1];
            m_xml.writeStartElement(QStringLiteral("measure"));
            m_xml.writeAttribute(QStringLiteral("number"), QString::number(++m_measure));
            if (section.beatsPerBar > 0 && to - from != section.beatsPerBar * beat)
                m_xml.writeAttribute(QStringLiteral("implicit"), QStringLiteral("yes"));
            if (m == 0) {
                // Spoken lines above the tune name come before it.
                writeSpoken(from, from, true, section.lyricLine);
                writeSectionHead(section);
            }
            const bool lastMeasure = lastSection && m + 2 == bounds.size();
            writeMeasure(section, from, to, lastMeasure);
            m_xml.writeEndElement();
        }
    }

    void writeSectionHead(const MusicSection &section)
    {
        m_xml.writeStartElement(QStringLiteral("attributes"));
        if (m_measure == 1)
            m_xml.writeTextElement(QStringLiteral("divisions"), QString::number(beat));
        m_xml.writeStartElement(QStringLiteral("key"));
        m_xml.writeTextElement(QStringLiteral("fifths"), QString::number(section.keySignature));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("time"));
        if (section.beatsPerBar > 0) {
            m_xml.writeTextElement(QStringLiteral("beats"), QString::number(section.beatsPerBar));
            m_xml.writeTextElement(QStringLiteral("beat-type"), QStringLiteral("4"));
        } else {
            m_xml.writeEmptyElement(QStringLiteral("senza-misura"));
        }
        m_xml.writeEndElement();
        if (m_measure == 1) {
            m_xml.writeStartElement(QStringLiteral("clef"));
            m_xml.writeTextElement(QStringLiteral("sign"), QStringLiteral("G"));
            m_xml.writeTextElement(QStringLiteral("line"), QStringLiteral("2"));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();

        m_xml.writeStartElement(QStringLiteral("direction"));
        m_xml.writeAttribute(QStringLiteral("placement"), QStringLiteral("above"));
        m_xml.writeStartElement(QStringLiteral("direction-type"));
        m_xml.writeStartElement(QStringLiteral("words"));
        m_xml.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
        QString heading = section.name;
        if (section.keyNamed)
            heading += QStringLiteral(u"（") + section.keyName + QStringLiteral(u"）");
        m_xml.writeCharacters(heading.isEmpty() ? section.keyName : heading);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEmptyElement(QStringLiteral("sound"));
        m_xml.writeAttribute(QStringLiteral("tempo"), QString::number(section.tempo, 'g', 6));
        m_xml.writeEndElement();
    }

    void writeSpoken(qint64 from, qint64 to, bool includeEnd, int beforeLine = -1)
    {
        for (const MusicText &text : m_music.spoken) {
            if (m_spokenWritten.contains(&text - m_music.spoken.constData()))
                continue;
            if (text.tick < from || text.tick > to || (text.tick == to && !includeEnd))
                continue;
            if (beforeLine >= 0 && text.lyricLine >= beforeLine)
                continue;
            m_spokenWritten.insert(&text - m_music.spoken.constData());
            m_xml.writeStartElement(QStringLiteral("direction"));
            m_xml.writeAttribute(QStringLiteral("placement"), QStringLiteral("above"));
            m_xml.writeStartElement(QStringLiteral("direction-type"));
            m_xml.writeTextElement(QStringLiteral("words"), text.text);
            m_xml.writeEndElement();
            m_xml.writeEndElement();
        }
    }

    void writeMeasure(const MusicSection &section, qint64 from, qint64 to, bool lastMeasure)
    {
        qint64 t = from;
        for (const NoteEvent &n : m_notes) {
            const qint64 end = n.start + n.slot;
            if (end <= from || n.start >= to)
                continue;
            const qint64 a = std::max(n.start, from), b = std::min(end, to);
            if (a > t) {
                writeSpoken(t, a, false);
                writeRest(a - t);
                t = a;
            }
            if (a < t)
                continue; // overlapping notes cannot be written in one voice
            writeSpoken(a, a, true);
            writeNote(section, n, a, b);
            t = b;
        }
        writeSpoken(t, to, lastMeasure);
        if (t < to)
            writeRest(to - t);
    }

    void writeRest(qint64 ticks)
    {
        for (const NoteValue &v : NoteValues::split(ticks)) {
            m_xml.writeStartElement(QStringLiteral("note"));
            m_xml.writeEmptyElement(QStringLiteral("rest"));
            m_xml.writeTextElement(QStringLiteral("duration"), QString::number(v.ticks));
            m_xml.writeTextElement(QStringLiteral("voice"), QStringLiteral("1"));
            writeValue(v, false);
            m_xml.writeEndElement();
        }
    }

    void writeValue(const NoteValue &v, bool small)
    {
        m_xml.writeStartElement(QStringLiteral("type"));
        if (small)
            m_xml.writeAttribute(QStringLiteral("size"), QStringLiteral("cue"));
        m_xml.writeCharacters(v.type);
        m_xml.writeEndElement();
        for (int d = 0; d < v.dots; ++d)
            m_xml.writeEmptyElement(QStringLiteral("dot"));
        if (v.actual != v.normal) {
            m_xml.writeStartElement(QStringLiteral("time-modification"));
            m_xml.writeTextElement(QStringLiteral("actual-notes"), QString::number(v.actual));
            m_xml.writeTextElement(QStringLiteral("normal-notes"), QString::number(v.normal));
            m_xml.writeEndElement();
        }
    }

    void writeMark(const QString &element, char32_t mark, const QString &placement)
    {
        m_xml.writeStartElement(element);
        if (element == QLatin1String("other-notation"))
            m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("single"));
        m_xml.writeAttribute(QStringLiteral("placement"), placement);
        m_xml.writeCharacters(PlainGongche::markName(mark));
        m_xml.writeEndElement();
    }

    // The part of note n from a to b, in one measure.
    void writeNote(const MusicSection &section, const NoteEvent &n, qint64 a, qint64 b)
    {
        const QList<NoteValue> values = NoteValues::split(b - a);
        const Spelling spelling = spell(n.key % 12, section.keySignature < 0);
        for (int i = 0; i < values.size(); ++i) {
            const NoteValue &v = values[i];
            const bool first = a == n.start && i == 0;
            const bool last = b == n.start + n.slot && i + 1 == values.size();
            m_xml.writeStartElement(QStringLiteral("note"));
            m_xml.writeStartElement(QStringLiteral("pitch"));
            m_xml.writeTextElement(QStringLiteral("step"), QString(QLatin1Char(spelling.step)));
            if (spelling.alter)
                m_xml.writeTextElement(QStringLiteral("alter"), QString::number(spelling.alter));
            m_xml.writeTextElement(QStringLiteral("octave"), QString::number(n.key / 12 - 1));
            m_xml.writeEndElement();
            m_xml.writeTextElement(QStringLiteral("duration"), QString::number(v.ticks));
            if (!first) {
                m_xml.writeEmptyElement(QStringLiteral("tie"));
                m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("stop"));
            }
            if (!last) {
                m_xml.writeEmptyElement(QStringLiteral("tie"));
                m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("start"));
            }
            m_xml.writeTextElement(QStringLiteral("voice"), QStringLiteral("1"));
            writeValue(v, n.small);

            const bool hasOrnaments = first && !n.ornaments.isEmpty();
            const bool hasMarks = first && (!n.marksBefore.isEmpty() || !n.marksAfter.isEmpty() || n.inferred);
            const bool breath = last && n.breathAfter;
            if (!first || !last || hasOrnaments || hasMarks || breath) {
                m_xml.writeStartElement(QStringLiteral("notations"));
                if (!first) {
                    m_xml.writeEmptyElement(QStringLiteral("tied"));
                    m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("stop"));
                }
                if (!last) {
                    m_xml.writeEmptyElement(QStringLiteral("tied"));
                    m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("start"));
                }
                if (hasOrnaments) {
                    m_xml.writeStartElement(QStringLiteral("ornaments"));
                    for (char32_t o : n.ornaments)
                        writeMark(QStringLiteral("other-ornament"), o, QStringLiteral("above"));
                    m_xml.writeEndElement();
                }
                if (breath) {
                    m_xml.writeStartElement(QStringLiteral("articulations"));
                    m_xml.writeEmptyElement(QStringLiteral("breath-mark"));
                    m_xml.writeEndElement();
                }
                if (first) {
                    // Read down the column, a mark written before the note
                    // stands above it, one written after it below.
                    for (char32_t mark : n.marksBefore)
                        writeMark(QStringLiteral("other-notation"), mark, QStringLiteral("above"));
                    for (char32_t mark : n.marksAfter)
                        writeMark(QStringLiteral("other-notation"), mark, QStringLiteral("below"));
                    if (n.inferred) {
                        m_xml.writeStartElement(QStringLiteral("other-notation"));
                        m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("single"));
                        m_xml.writeAttribute(QStringLiteral("print-object"), QStringLiteral("no"));
                        m_xml.writeCharacters(QStringLiteral("inferred-duration"));
                        m_xml.writeEndElement();
                    }
                }
                m_xml.writeEndElement();
            }
            // The character's lyric goes with its first note written.
            if (first && n.source.lyricChar != m_lastLyricChar) {
                m_lastLyricChar = n.source.lyricChar;
                m_xml.writeStartElement(QStringLiteral("lyric"));
                m_xml.writeAttribute(QStringLiteral("number"), QStringLiteral("1"));
                m_xml.writeTextElement(QStringLiteral("syllabic"), QStringLiteral("single"));
                m_xml.writeTextElement(QStringLiteral("text"), n.character);
                if (m_notesOfCharacter.value(n.source.lyricChar) > 1) {
                    m_xml.writeEmptyElement(QStringLiteral("extend"));
                    m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("start"));
                }
                m_xml.writeEndElement();
            }
            m_xml.writeEndElement();
        }
    }

    const MusicScore &m_music;
    const int m_program;
    QXmlStreamWriter m_xml;
    QList<NoteEvent> m_notes;
    QHash<int, int> m_notesOfCharacter;
    QSet<qsizetype> m_spokenWritten;
    int m_measure = 0;
    int m_lastLyricChar = -1;
};

} // namespace

QByteArray MusicXmlWriter::bytes(const MusicScore &music, int program)
{
    QByteArray out;
    Writer(music, program, &out).write();
    return out;
}

bool MusicXmlWriter::write(const QString &path, const MusicScore &music, int program, QString *error)
{
    return AtomicFile::write(path, bytes(music, program), error);
}
