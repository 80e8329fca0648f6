#include "midiwriter.h"

#include <QtTest>

namespace {

NoteEvent note(int key, qint64 start, qint64 length, int velocity, const QString &character)
{
    NoteEvent e;
    e.key = key;
    e.start = start;
    e.length = e.slot = length;
    e.velocity = velocity;
    e.character = character;
    e.firstOfCharacter = !character.isEmpty();
    return e;
}

MusicSection section(int beatsPerBar, double tempo, int keySignature)
{
    MusicSection s{0, 0, 0, beatsPerBar, tempo};
    s.keySignature = keySignature;
    return s;
}

} // namespace

class TestMidiWriter : public QObject
{
    Q_OBJECT
private slots:
    void variableLength_data();
    void variableLength();
    void golden_data();
    void golden();
};

void TestMidiWriter::variableLength_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("0") << 0u << QByteArray::fromHex("00");
    QTest::newRow("127") << 127u << QByteArray::fromHex("7f");
    QTest::newRow("128") << 128u << QByteArray::fromHex("8100");
    QTest::newRow("16383") << 16383u << QByteArray::fromHex("ff7f");
    QTest::newRow("16384") << 16384u << QByteArray::fromHex("818000");
    QTest::newRow("largest") << 0x0FFFFFFFu << QByteArray::fromHex("ffffff7f");
}

void TestMidiWriter::variableLength()
{
    QFETCH(quint32, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(MidiWriter::variableLength(value).toHex(' '), bytes.toHex(' '));
}

void TestMidiWriter::golden_data()
{
    QTest::addColumn<MusicScore>("music");
    QTest::addColumn<int>("program");
    QTest::addColumn<QByteArray>("file");

    // 2/4 at ♩=60 in D; notes of 127 ticks and 16383 ticks, 128 apart.
    MusicScore a;
    a.sections = {section(2, 60, 2)};
    a.notes = {note(74, 0, 127, 100, u"一"_qs), note(76, 255, 16383, 100, u"二"_qs)};
    QTest::newRow("127/128, 16383") << a << 73
        << QByteArray::fromHex("4d546864 00000006 0000 0001 01e0 4d54726b 0000003c"
                               "00ff51030f4240 00ff580402021808 00ff59020200 00c049"
                               "00ff0503e4b880 00904a64 7f804a40"
                               "8100ff0503e4ba8c 00904c64 ff7f804c40 00ff2f00");

    // 散板 (written as 4/4) at ♩=100 in E♭; a note of 16384 ticks that
    // carries no lyric.
    MusicScore b;
    b.sections = {section(0, 100, -3)};
    // A note of no length is left out rather than left hanging.
    b.notes = {note(60, 0, 16384, 88, QString()), note(61, 16384, 0, 88, QString())};
    QTest::newRow("16384, 散板, empty note") << b << 0
        << QByteArray::fromHex("4d546864 00000006 0000 0001 01e0 4d54726b 00000026"
                               "00ff510309 27c0 00ff580404021808 00ff5902fd00 00c000"
                               "00903c58 818000803c40 00ff2f00");
}

void TestMidiWriter::golden()
{
    QFETCH(MusicScore, music);
    QFETCH(int, program);
    QFETCH(QByteArray, file);
    QCOMPARE(MidiWriter::bytes(music, program).toHex(' '), file.toHex(' '));
}

QTEST_GUILESS_MAIN(TestMidiWriter)
#include "tst_midiwriter.moc"
