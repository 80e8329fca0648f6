#include "rhythmrules.h"

#include "musicscore.h"
#include "notation.h"

#include <QCoreApplication>
#include <QMap>
#include <limits>
#include <optional>

namespace {

constexpr qint64 beat = MusicScore::ticksPerBeat;

QString tr(const char *text)
{
    return QCoreApplication::translate("RhythmRules", text);
}

// Rule: a note's share of the span it stands in. A small note is a passing
// note and takes half the share of a full-size one.
int weightOf(const RhythmRules::Note &note)
{
    return note.small ? 1 : 2;
}

// Rule: without a neighbouring mark a note lasts one beat, a small one half a
// beat.
qint64 freeLength(const RhythmRules::Note &note)
{
    return note.small ? beat / 2 : beat;
}

bool isYao(char32_t mark)
{
    return mark == Notation::yaoTouYan || mark == Notation::yaoZhongYan
           || mark == Notation::yaoZengBan;
}

qint64 ceilToBar(qint64 tick, qint64 origin, qint64 bar)
{
    const qint64 rel = tick - origin;
    const qint64 bars = rel >= 0 ? (rel + bar - 1) / bar : -((-rel) / bar);
    return origin + bars * bar;
}

} // namespace

// Rule: the metre of a section follows from the marks in it. 赠板 → 8/4 (two
// bars of 一板三眼 as one); 中眼 → 4/4 (一板三眼); a 板 with 头眼/末眼 → 2/4
// (一板一眼); 板 alone → 1/4 (流水板); no marks at all → 散板 (0).
int RhythmRules::beatsPerBar(const QList<Mark> &marks)
{
    bool zeng = false, zhong = false, yan = false, ban = false;
    for (const Mark &m : marks) {
        zeng = zeng || m.mark == Notation::zengBan || m.mark == Notation::yaoZengBan;
        zhong = zhong || Notation::markKind(m.mark) == Notation::MarkKind::ZhongYan;
        yan = yan || Notation::markKind(m.mark) == Notation::MarkKind::XiaoYan;
        ban = ban || Notation::markKind(m.mark) == Notation::MarkKind::Ban;
    }
    if (zeng)
        return 8;
    if (zhong)
        return 4;
    if (yan)
        return 2;
    return ban ? 1 : 0;
}

RhythmRules::Plan RhythmRules::place(const QList<Note> &notes, const QList<Mark> &marks)
{
    Plan plan;
    plan.beatsPerBar = beatsPerBar(marks);
    const int n = int(notes.size());
    plan.strengths = QList<int>(n, 0);
    plan.anchored = QList<bool>(n, false);
    if (n == 0)
        return plan;

    if (plan.beatsPerBar == 0) {
        // Rule (散板): one beat a note, half a beat a small note; the last
        // note of a phrase (lyric line) is held for three beats.
        qint64 t = 0;
        for (const Note &note : notes) {
            plan.starts.append(t);
            const qint64 length = note.phraseEnd && !note.small ? 3 * beat : freeLength(note);
            plan.spans.append(length);
            t += length;
        }
        plan.end = t;
        return plan;
    }

    const qint64 bar = plan.beatsPerBar * beat;
    QMap<int, qint64> anchors; // note index → start tick
    std::optional<qint64> endAnchor;
    bool originFound = false;
    qint64 lastAnchor = std::numeric_limits<qint64>::min();
    int lastAnchored = -1;
    auto anchor = [&](int markIndex, int note, qint64 tick, int strength) {
        // A beat must fall later than the one before it, on a later note.
        if (note <= lastAnchored || tick <= lastAnchor) {
            plan.rejected.append({markIndex, tr("板眼落在已定拍的音上")});
            return;
        }
        lastAnchored = note;
        lastAnchor = tick;
        if (note >= n) {
            endAnchor = tick;
            return;
        }
        anchors.insert(note, tick);
        plan.strengths[note] = strength;
    };

    for (int i = 0; i < marks.size(); ++i) {
        const Mark &m = marks[i];
        // Rule: every 板 or 眼 is one beat, counted in the order written.
        const qint64 tick = i * beat;
        const int strength = Notation::markKind(m.mark) == Notation::MarkKind::Ban ? 2 : 1;
        // Rule: the bar line falls on the first 板 of the section; a 赠板
        // stands in the middle of its 8/4 bar.
        if (!originFound && strength == 2) {
            originFound = true;
            const bool middle = plan.beatsPerBar == 8
                                && (m.mark == Notation::zengBan || m.mark == Notation::yaoZengBan);
            plan.barOrigin = middle ? tick - 4 * beat : tick;
        }
        if (m.mark == Notation::diBan) {
            // Rule (底板): the note before the mark ends on the beat, so the
            // next note starts on it.
            if (m.previousNote < 0)
                plan.rejected.append({i, tr("板眼前没有音")});
            else
                anchor(i, m.previousNote + 1, tick, strength);
        } else if (isYao(m.mark)) {
            // Rule (腰板, 腰眼): the beat falls inside the note before the
            // mark, which starts half a beat earlier.
            if (m.previousNote < 0)
                plan.rejected.append({i, tr("板眼前没有音")});
            else
                anchor(i, m.previousNote, tick - beat / 2, 0);
        } else if (m.firstNote >= 0) {
            // Rule: a mark written before a character's first note puts that
            // note on the beat.
            anchor(i, m.firstNote, tick, strength);
        } else if (m.previousNote >= 0) {
            // Rule: a mark after a note puts that note's start on the beat.
            anchor(i, m.previousNote, tick, strength);
        } else {
            plan.rejected.append({i, tr("板眼前没有音")});
        }
    }

    plan.starts = QList<qint64>(n, 0);
    for (auto it = anchors.cbegin(); it != anchors.cend(); ++it)
        plan.anchored[it.key()] = true;
    if (anchors.isEmpty()) {
        // Only marks that could not be used: one beat a note.
        anchors.insert(0, 0);
    }
    // Rule: notes before the first beat are a pickup of one beat each (half
    // for a small note), ending on it.
    const int first = anchors.firstKey();
    qint64 t = anchors.first();
    plan.starts[first] = t;
    for (int k = first - 1; k >= 0; --k) {
        t -= freeLength(notes[k]);
        plan.starts[k] = t;
    }
    // Rule: the notes between two beats share the span between them in
    // proportion to their weights.
    const QList<int> keys = anchors.keys();
    for (int a = 0; a + 1 < keys.size(); ++a) {
        const int from = keys[a], to = keys[a + 1];
        const qint64 t0 = anchors[from], span = anchors[to] - t0;
        int total = 0;
        for (int k = from; k < to; ++k)
            total += weightOf(notes[k]);
        int before = 0;
        for (int k = from; k < to; ++k) {
            plan.starts[k] = t0 + span * before / total;
            before += weightOf(notes[k]);
        }
        plan.starts[to] = anchors[to];
    }
    // Rule: after the last beat a note lasts one beat (half if small), or the
    // notes share the span up to a 底板 that closes them; the last note is
    // held to the end of its bar.
    plan.endAnchored = endAnchor.has_value();
    const int last = keys.last();
    qint64 end;
    if (endAnchor) {
        int total = 0;
        for (int k = last; k < n; ++k)
            total += weightOf(notes[k]);
        int before = 0;
        const qint64 t0 = anchors[last];
        for (int k = last; k < n; ++k) {
            plan.starts[k] = t0 + (*endAnchor - t0) * before / total;
            before += weightOf(notes[k]);
        }
        end = *endAnchor;
    } else {
        t = anchors[last];
        for (int k = last; k < n; ++k) {
            plan.starts[k] = t;
            t += freeLength(notes[k]);
        }
        end = t;
    }
    plan.end = ceilToBar(end, plan.barOrigin, bar);
    plan.spans = QList<qint64>(n, 0);
    for (int k = 0; k < n; ++k)
        plan.spans[k] = (k + 1 < n ? plan.starts[k + 1] : plan.end) - plan.starts[k];
    return plan;
}
