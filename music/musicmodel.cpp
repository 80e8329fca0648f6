#include "musicmodel.h"

#include "flutekey.h"
#include "linegrammar.h"
#include "notation.h"
#include "notepitch.h"
#include "rhythmrules.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MusicModel", text);
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\u3000' || c == U'\u00A0';
}

// The notes and marks of one 曲牌 section while it is read.
struct Section
{
    QList<RhythmRules::Note> notes;
    QList<int> pitches; // semitones above 上
    QList<bool> breaths;
    QList<MusicSource> noteSources;
    QList<QString> characters;
    QList<bool> firstOfCharacter;
    QList<RhythmRules::Mark> marks;
    QList<MusicSource> markSources;
    QList<QList<char32_t>> marksBefore, marksAfter, ornaments; // per note
    QList<QPair<int, MusicText>> spoken; // before the note of that index
    std::optional<FluteKey> key;
    QString name;
    int line = -1;
};

class Builder
{
public:
    Builder(const MusicSettings &settings) : m_settings(settings) {}

    void readCharacter(const QString &character, const QString &notation, const MusicSource &where)
    {
        Section &s = m_section;
        const int firstMark = int(s.marks.size());
        const int firstNote = int(s.notes.size());
        const QStringView text(notation);
        for (int i = 0; i < text.size();) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            MusicSource at = where;
            at.scoreOffset = i;
            i += pair ? 2 : 1;
            if (isBlank(c))
                continue;
            if (const auto pitch = NotePitch::semitones(c)) {
                addNote(*pitch, NotePitch::isSmall(c), NotePitch::hasBreath(c), character, at);
            } else if (Notation::isBeatMark(c)) {
                s.marks.append({c, int(s.notes.size()) - 1, -1});
                s.markSources.append(at);
            } else if (c == 0xF0008 || c == 0xF0009) {
                // 疊腔 repeats the note before it; with 气口 a breath is
                // taken between the two.
                if (s.pitches.isEmpty()) {
                    m_music.problems.append({at, tr("叠腔前没有音")});
                    continue;
                }
                addNote(s.pitches.last(), s.notes.last().small, c == 0xF0009, character, at);
                s.ornaments.last().append(c);
            } else if (Notation::isOrnament(c)) {
                // The other ornaments colour the note they stand by and add
                // no note of their own.
                if (!s.ornaments.isEmpty())
                    s.ornaments.last().append(c);
            } else {
                m_music.problems.append({at, tr("未知符号")});
            }
        }
        // A mark written before the character's first note belongs to that
        // note, any other to the note it follows.
        for (int m = firstMark; m < s.marks.size(); ++m) {
            const RhythmRules::Mark &mark = s.marks[m];
            if (mark.previousNote < firstNote && firstNote < s.notes.size())
                s.marksBefore[firstNote].append(mark.mark);
            else if (mark.previousNote >= 0)
                s.marksAfter[mark.previousNote].append(mark.mark);
        }
        if (s.notes.size() == firstNote) {
            if (!character.trimmed().isEmpty())
                m_music.silentCharacters.append(where);
            return;
        }
        // Marks written before the character's first note put it on the beat.
        for (int m = firstMark; m < s.marks.size(); ++m) {
            if (s.marks[m].previousNote < firstNote)
                s.marks[m].firstNote = firstNote;
        }
        s.firstOfCharacter[firstNote] = true;
    }

    void endPhrase()
    {
        if (!m_section.notes.isEmpty())
            m_section.notes.last().phraseEnd = true;
    }

    void startSection(std::optional<FluteKey> key, const QString &name, int line)
    {
        flush();
        m_section = Section();
        m_section.key = key;
        m_section.name = name;
        m_section.line = line;
    }

    void addSpoken(const QString &text, int line)
    {
        m_section.spoken.append({int(m_section.notes.size()), MusicText{0, text, line}});
    }

    void setTitle(const QString &title)
    {
        if (m_music.title.isEmpty())
            m_music.title = title;
    }

    MusicScore finish()
    {
        flush();
        return std::move(m_music);
    }

private:
    void addNote(int pitch, bool small, bool breath, const QString &character, const MusicSource &at)
    {
        Section &s = m_section;
        s.notes.append({small, false});
        s.pitches.append(pitch);
        s.breaths.append(breath);
        s.noteSources.append(at);
        s.characters.append(character);
        s.firstOfCharacter.append(false);
        s.marksBefore.append(QList<char32_t>());
        s.marksAfter.append(QList<char32_t>());
        s.ornaments.append(QList<char32_t>());
    }

    void flush()
    {
        const Section &s = m_section;
        if (s.notes.isEmpty()) {
            for (const MusicSource &at : s.markSources)
                m_music.problems.append({at, tr("板眼前没有音")});
            for (auto [note, text] : s.spoken) {
                text.tick = m_cursor;
                m_music.spoken.append(text);
            }
            return;
        }
        const RhythmRules::Plan plan = RhythmRules::place(s.notes, s.marks);
        for (const auto &[mark, reason] : plan.rejected)
            m_music.problems.append({s.markSources[mark], reason});

        MusicSection section;
        const FluteKey key = s.key.value_or(m_settings.defaultKey);
        section.keyNamed = s.key.has_value();
        m_music.defaultKeyUsed = m_music.defaultKeyUsed || !section.keyNamed;
        section.keyName = FluteKeys::name(key);
        section.name = s.name;
        section.lyricLine = s.line;
        section.shangKey = m_settings.keyOf(key);
        section.keySignature = FluteKeys::signatureOf(section.shangKey);
        section.beatsPerBar = plan.beatsPerBar;
        section.tempo = m_settings.tempo(plan.beatsPerBar);
        const qint64 offset = m_cursor - plan.starts.first();
        section.start = m_cursor;
        section.barOrigin = offset + plan.barOrigin;
        section.end = offset + plan.end;
        m_cursor = section.end;
        m_music.sections.append(section);

        static const int velocities[3] = {76, 88, 100}; // between beats, on a 眼, on a 板
        for (int k = 0; k < s.notes.size(); ++k) {
            NoteEvent e;
            const int key = section.shangKey + s.pitches[k];
            if (key < 0 || key > 127) {
                m_music.problems.append({s.noteSources[k], tr("音高超出 MIDI 范围")});
                continue;
            }
            e.key = key;
            e.start = offset + plan.starts[k];
            e.slot = plan.spans[k];
            // A breath before the next note takes the last quarter of this one.
            const bool breathAfter = k + 1 < s.notes.size() && s.breaths[k + 1];
            e.length = breathAfter ? e.slot - e.slot / 4 : e.slot;
            e.velocity = velocities[plan.strengths[k]] - (s.notes[k].small ? 12 : 0);
            e.character = s.characters[k];
            e.firstOfCharacter = s.firstOfCharacter[k];
            e.source = s.noteSources[k];
            e.small = s.notes[k].small;
            e.breathAfter = breathAfter;
            // A duration is the model's guess unless a mark fixed both ends.
            const bool endFixed = k + 1 < s.notes.size() ? plan.anchored.value(k + 1) : plan.endAnchored;
            e.inferred = !(plan.anchored.value(k) && endFixed);
            e.marksBefore = s.marksBefore[k];
            e.marksAfter = s.marksAfter[k];
            e.ornaments = s.ornaments[k];
            m_music.notes.append(e);
        }
        for (auto [note, text] : s.spoken) {
            text.tick = note < s.notes.size() ? offset + plan.starts[note] : section.end;
            m_music.spoken.append(text);
        }
    }

    const MusicSettings &m_settings;
    MusicScore m_music;
    Section m_section;
    qint64 m_cursor = 0;
};

} // namespace

MusicScore MusicModel::build(const QString &lyric, const QString &score, const MusicSettings &settings)
{
    Builder builder(settings);
    // Lines as the document holds them: a line separator (U+2028) stays
    // inside its line, as it does for the pairing of characters and lines.
    const QStringList lyricLines = lyric.split(QLatin1Char('\n'));
    const QStringList scoreLines = score.split(QLatin1Char('\n'));
    int sung = 0;
    for (int line = 0; line < lyricLines.size(); ++line) {
        const QString text = withValidSurrogates(lyricLines[line]);
        if (isStructuralLine(text)) {
            // A tune-name line opens a section in the key it names; title,
            // spoken, comment and break lines sound nothing.
            const std::optional<LineType> type = classifyLine(text);
            if (type == LineType::QuPai)
                builder.startSection(FluteKeys::parse(tuneKey(text)), tuneName(text), line);
            else if (type == LineType::Title)
                builder.setTitle(text.mid(1).trimmed());
            else if (type == LineType::JiaBai || type == LineType::LianBai)
                builder.addSpoken(text.mid(1).trimmed(), line);
            continue;
        }
        for (int column = 0; column < text.size(); ++column) {
            if (!isLyricChar(text[column]))
                continue;
            MusicSource where;
            where.lyricChar = sung;
            where.lyricLine = line;
            where.lyricColumn = column;
            builder.readCharacter(text.mid(column, 1), scoreLines.value(sung), where);
            ++sung;
        }
        builder.endPhrase();
    }
    return builder.finish();
}

MusicScore MusicModel::excerpt(const MusicScore &music, int from, int to)
{
    MusicScore part;
    part.defaultKeyUsed = music.defaultKeyUsed;
    auto inside = [&](const MusicSource &s) { return s.lyricChar >= from && s.lyricChar <= to; };
    for (const NoteEvent &e : music.notes) {
        if (inside(e.source))
            part.notes.append(e);
    }
    for (const MusicProblem &p : music.problems) {
        if (inside(p.source))
            part.problems.append(p);
    }
    for (const MusicSource &s : music.silentCharacters) {
        if (inside(s))
            part.silentCharacters.append(s);
    }
    if (part.notes.isEmpty())
        return part;
    const qint64 start = part.notes.first().start;
    const qint64 end = part.notes.last().start + part.notes.last().slot;
    for (MusicSection section : music.sections) {
        if (section.end <= start || section.start >= end)
            continue;
        section.start = std::max(section.start, start) - start;
        section.end = std::min(section.end, end) - start;
        section.barOrigin -= start;
        part.sections.append(section);
    }
    for (NoteEvent &e : part.notes)
        e.start -= start;
    return part;
}
