#include "jianpuwriter.h"
#include "musicmodel.h"
#include "plaingongche.h"

#include <QtTest>

// Three phrases and the jianpu-ly text they give, checked by hand once:
// shared beats rounded to thirty-seconds, octave marks, slurred melismas,
// bar lines with ties across them, a pickup, 散板 without a time line.
class TestJianpuWriter : public QObject
{
    Q_OBJECT
private slots:
    void phrases_data();
    void phrases();
};

void TestJianpuWriter::phrases_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score"); // plain-text gongche, one line per sung character
    QTest::addColumn<QString>("jianpu");
    QTest::newRow("一板三眼, a beat shared by three")
        << u"【皂罗袍】(小工调)\n原来姹紫"_qs << u"尺、工\n六○工\n尺、上\n尺工○"_qs
        << u"% 【皂罗袍】（小工调）\n1=D\n4/4\nq2 ( q3 ) q5 ( q3 ) s2. ( s1 ) s2. ( 3 ) |\nH: 原来姹紫\n"_qs;
    QTest::newRow("散板, octaves and a small note")
        << u"【引子】(凡字调)\n原来\n姹"_qs << u"合丿小四一\n上\n仩亻六"_qs
        << u"% 【引子】（凡字调）\n1=Eb\n5,, ( q6, 7, ) 1 - - | 1' ( 5' - - ) |\nH: 原来姹\n"_qs;
    QTest::newRow("一板一眼, pickup and a tie over the bar line")
        << u"#尾声示例\n【尾声】(六字调)\n姹紫嫣红"_qs << u"合丿四、\n工●尺▲上\n\n仩、"_qs
        << u"title=尾声示例\n\n% 【尾声】（六字调）\n1=F\n2/4,4\n5,, ( | 6, ) q3 ( q2 ~ | s2 q1. ) 1' |\nH: 姹紫红\n"_qs;
}

void TestJianpuWriter::phrases()
{
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    QFETCH(QString, jianpu);
    const MusicScore music = MusicModel::build(lyric, PlainGongche::fromPlain(score).text);
    QCOMPARE(JianpuWriter::text(music), jianpu);
}

QTEST_GUILESS_MAIN(TestJianpuWriter)
#include "tst_jianpuwriter.moc"
