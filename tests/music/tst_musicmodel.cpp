#include "flutekey.h"
#include "musicmodel.h"
#include "notation.h"

#include <QtTest>

namespace {

// The note names in code-point order and their steps above 上 (上 = do).
const QList<int> noteSteps = {-5, -3, -1, 0, 2, 4, 5, 7, 9, 11}; // 合 四 一 上 尺 工 凡 六 五 乙
// The pitch class of 上 in each key of the 曲笛.
const QList<QPair<QString, int>> keys = {
    {u"小工调"_qs, 2}, {u"凡字调"_qs, 3}, {u"六字调"_qs, 5}, {u"正工调"_qs, 7},
    {u"乙字调"_qs, 9}, {u"上字调"_qs, 10}, {u"尺字调"_qs, 0}};

// A compact notation for phrases: per sung character its symbols, the
// characters apart by '|'. S 上, C 尺, G 工, s small 上, q 上 with breath;
// b 头板, y 头眼, z 中眼, Z 赠板, Y 腰头眼, d 底板.
QString notation(QChar letter)
{
    switch (letter.unicode()) {
    case 'S': return Notation::symbol(0xF002A);
    case 'C': return Notation::symbol(0xF002B);
    case 'G': return Notation::symbol(0xF002C);
    case 's': return Notation::symbol(0xF0068);
    case 'q': return Notation::symbol(0xF0049);
    case 'b': return Notation::symbol(Notation::touBan);
    case 'y': return Notation::symbol(Notation::touYan);
    case 'z': return Notation::symbol(Notation::zhongYan);
    case 'Z': return Notation::symbol(Notation::zengBan);
    case 'Y': return Notation::symbol(Notation::yaoTouYan);
    case 'd': return Notation::symbol(Notation::diBan);
    default: return QString(letter);
    }
}

// A one-section document: its lyric (a character per group) and score.
QPair<QString, QString> phrase(const QString &groups, const QString &key = u"小工调"_qs)
{
    QString lyric = u"【皂罗袍】("_qs + key + u")\n"_qs, score;
    const QStringList parts = groups.split(QLatin1Char('|'));
    for (int i = 0; i < parts.size(); ++i) {
        lyric += QChar(0x4E00 + i);
        for (QChar c : parts[i])
            score += notation(c);
        if (i + 1 < parts.size())
            score += QLatin1Char('\n');
    }
    return {lyric, score};
}

} // namespace

class TestMusicModel : public QObject
{
    Q_OBJECT
private slots:
    void notePitch_data();
    void notePitch();
    void nonNotes_data();
    void nonNotes();
    void keyParse_data();
    void keyParse();
    void rhythm_data();
    void rhythm();
};

void TestMusicModel::notePitch_data()
{
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("steps");
    // The blocks of note forms: low 合…凡, plain 合…乙, high and double high
    // 上…乙; the breath, small and breath-small sets repeat the layout.
    const struct { int from, count, octave; } blocks[] = {{0, 7, -12}, {0, 10, 0}, {3, 7, 12}, {3, 7, 24}};
    char32_t c = Notation::firstNote;
    for (int set = 0; set < 4; ++set) {
        for (const auto &block : blocks) {
            for (int i = 0; i < block.count; ++i, ++c) {
                for (int k = 0; k < keys.size(); ++k)
                    QTest::addRow("U+%X %s", uint(c), qPrintable(keys[k].first))
                        << uint(c) << k << noteSteps[block.from + i] + block.octave;
            }
        }
    }
    QCOMPARE(c, Notation::lastNote + 1);
}

void TestMusicModel::notePitch()
{
    QFETCH(uint, codePoint);
    QFETCH(int, key);
    QFETCH(int, steps);
    // 上 first, then the note: the interval and the pitch class of 上.
    const QString lyric = u"【皂罗袍】("_qs + keys[key].first + u")\n一二"_qs;
    const QString score = Notation::symbol(0xF002A) + u"\n"_qs + Notation::symbol(codePoint);
    const MusicScore music = MusicModel::build(lyric, score);
    QVERIFY(music.problems.isEmpty());
    QCOMPARE(music.notes.size(), 2);
    QCOMPARE(music.notes[0].key % 12, keys[key].second);
    QCOMPARE(music.notes[1].key - music.notes[0].key, steps);
    QVERIFY(!music.defaultKeyUsed);
    if (key == 0)
        QCOMPARE(music.notes[0].key, 74); // the flute's 上 in 小工调 is D5
}

void TestMusicModel::nonNotes_data()
{
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<int>("notes");    // besides the 上 before it
    QTest::addColumn<bool>("problem");
    QTest::newRow("叠腔 repeats") << 0xF0008u << 1 << false;
    QTest::newRow("叠腔气口 repeats") << 0xF0009u << 1 << false;
    QTest::newRow("豁腔 silent") << 0xF000Cu << 0 << false;
    QTest::newRow("gap before notes") << 0xF001Fu << 0 << true;
    QTest::newRow("after the last note") << 0xF009Cu << 0 << true;
    QTest::newRow("Han 上 typed by IME") << uint(U'上') << 0 << true;
    QTest::newRow("outside BMP emoji") << 0x1F600u << 0 << true;
}

void TestMusicModel::nonNotes()
{
    QFETCH(uint, codePoint);
    QFETCH(int, notes);
    QFETCH(bool, problem);
    const QString lyric = u"【皂罗袍】\n一"_qs;
    const QString score = Notation::symbol(0xF002A) + Notation::symbol(codePoint);
    const MusicScore music = MusicModel::build(lyric, score);
    QCOMPARE(music.notes.size(), 1 + notes);
    QCOMPARE(!music.problems.isEmpty(), problem);
    for (const NoteEvent &e : music.notes)
        QCOMPARE(e.key, music.notes[0].key);
    if (problem)
        QCOMPARE(music.problems[0].source.scoreOffset, 2);
}

void TestMusicModel::keyParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key"); // -1: none
    QTest::newRow("full") << u"(小工调)"_qs << int(FluteKey::XiaoGong);
    QTest::newRow("short") << u"（小工）"_qs << int(FluteKey::XiaoGong);
    QTest::newRow("traditional") << u"(凡字調)"_qs << int(FluteKey::Fan);
    QTest::newRow("凡调") << u"(凡调)"_qs << int(FluteKey::Fan);
    QTest::newRow("正宫调 is 正工调") << u"(正宫调)"_qs << int(FluteKey::ZhengGong);
    QTest::newRow("五字调") << u"(五字调)"_qs << int(FluteKey::ZhengGong);
    QTest::newRow("after 宫调, dot") << u"(仙吕·小工调)"_qs << int(FluteKey::XiaoGong);
    QTest::newRow("after 宫调, space") << u"(仙吕 尺字调)"_qs << int(FluteKey::Chi);
    QTest::newRow("宫调 alone") << u"(仙吕)"_qs << -1;
    QTest::newRow("宫调 正宫 alone") << u"(正宫)"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestMusicModel::keyParse()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    const auto parsed = FluteKeys::parse(text);
    QCOMPARE(parsed ? int(*parsed) : -1, key);
}

void TestMusicModel::rhythm_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<int>("beatsPerBar");
    QTest::addColumn<QList<qint64>>("starts"); // ticks from the first note
    QTest::addColumn<int>("problems");
    QTest::newRow("一板三眼") << u"Sb|Cy|Gz|Sy|Cb"_qs << 4 << QList<qint64>{0, 480, 960, 1440, 1920} << 0;
    QTest::newRow("一板一眼") << u"Sb|Cy|Gb|Sy"_qs << 2 << QList<qint64>{0, 480, 960, 1440} << 0;
    QTest::newRow("流水板") << u"Sb|Cb|Gb"_qs << 1 << QList<qint64>{0, 480, 960} << 0;
    QTest::newRow("赠板") << u"Sb|Cy|Gz|Sy|CZ|Gy|Sz|Cy|Sb"_qs << 8
                          << QList<qint64>{0, 480, 960, 1440, 1920, 2400, 2880, 3360, 3840} << 0;
    QTest::newRow("散板") << u"S|C|G"_qs << 0 << QList<qint64>{0, 480, 960} << 0;
    QTest::newRow("腰眼") << u"Sb|CY|Gz|Sy"_qs << 4 << QList<qint64>{0, 240, 960, 1440} << 0;
    QTest::newRow("底板") << u"Sb|Cy|Gz|Sy|CGd|S"_qs << 4 << QList<qint64>{0, 480, 960, 1440, 1600, 1760, 1920} << 0;
    QTest::newRow("between anchors, small") << u"Sb|CsGy|Sb|Cy"_qs << 2
                                            << QList<qint64>{0, 192, 384, 480, 960, 1440} << 0;
    QTest::newRow("mark before the note") << u"bS|yC|bG|yS"_qs << 2 << QList<qint64>{0, 480, 960, 1440} << 0;
    QTest::newRow("pickup") << u"S|Cb|Gy"_qs << 2 << QList<qint64>{0, 480, 960} << 0;
    QTest::newRow("mark with no note") << u"y|Sb|Cy"_qs << 2 << QList<qint64>{0, 480} << 1;
    QTest::newRow("two beats on one note") << u"Sby|Cb"_qs << 2 << QList<qint64>{0, 960} << 1;
    QTest::newRow("breath") << u"Sb|qy"_qs << 2 << QList<qint64>{0, 480} << 0;
}

void TestMusicModel::rhythm()
{
    QFETCH(QString, groups);
    QFETCH(int, beatsPerBar);
    QFETCH(QList<qint64>, starts);
    QFETCH(int, problems);
    const auto [lyric, score] = phrase(groups);
    const MusicScore music = MusicModel::build(lyric, score);
    QCOMPARE(music.problems.size(), problems);
    QCOMPARE(music.sections.size(), 1);
    const MusicSection &section = music.sections[0];
    QCOMPARE(section.beatsPerBar, beatsPerBar);
    QList<qint64> got;
    for (const NoteEvent &e : music.notes) {
        got.append(e.start - music.notes[0].start);
        QVERIFY(e.length > 0 && e.length <= e.slot);
    }
    QCOMPARE(got, starts);
    QCOMPARE(music.notes.first().start, section.start);
    QCOMPARE(music.notes.last().start + music.notes.last().slot, section.end);
    if (beatsPerBar == 0)
        return;
    // Every bar between the first bar line and the end is filled exactly.
    const qint64 bar = qint64(beatsPerBar) * MusicScore::ticksPerBeat;
    QCOMPARE((section.end - section.barOrigin) % bar, 0);
    for (qint64 from = section.barOrigin; from < section.end; from += bar) {
        qint64 filled = 0;
        for (const NoteEvent &e : music.notes)
            filled += std::max<qint64>(0, std::min(e.start + e.slot, from + bar) - std::max(e.start, from));
        QCOMPARE(filled, bar);
    }
}

QTEST_GUILESS_MAIN(TestMusicModel)
#include "tst_musicmodel.moc"
