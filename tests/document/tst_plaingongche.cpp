#include "gcpfile.h"
#include "notation.h"
#include "plaingongche.h"
#include "plainscoretext.h"

#include <QSet>
#include <QtTest>

namespace {

QString sym(char32_t c)
{
    return Notation::symbol(c);
}

} // namespace

// Notation symbols as ordinary characters and back, and the plain-text
// score layout that 复制为文字谱, the .txt export and 导入文字谱 share.
class TestPlainGongche : public QObject
{
    Q_OBJECT
private slots:
    void everySymbolRoundTrips();
    void spellings_data();
    void spellings();
    void examplesRoundTrip();
    void badLayouts_data();
    void badLayouts();
};

// Every symbol has a spelling of its own, without private-use characters,
// that reads back as the symbol alone.
void TestPlainGongche::everySymbolRoundTrips()
{
    QSet<QString> seen;
    for (char32_t c = Notation::touBan; c <= Notation::lastNote; ++c) {
        if (!Notation::isSymbol(c))
            continue;
        const QString plain = PlainGongche::text(c);
        QVERIFY2(!plain.isEmpty(), qPrintable(QString::number(c, 16)));
        QCOMPARE(Notation::foreignCount(plain), plain.size());
        QVERIFY2(!seen.contains(plain), qPrintable(plain));
        seen.insert(plain);
        const PlainGongche::Conversion back = PlainGongche::fromPlain(plain);
        QCOMPARE(back.text, sym(c));
        QCOMPARE(back.converted, 1);
        QCOMPARE(PlainGongche::toPlain(sym(c)), plain);
    }
}

void TestPlainGongche::spellings_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("symbols");
    QTest::addColumn<int>("converted");
    QTest::newRow("notes") << u"合四一上尺工凡六五乙"_qs
                           << sym(0xF0027) + sym(0xF0028) + sym(0xF0029) + sym(0xF002A) + sym(0xF002B)
                                  + sym(0xF002C) + sym(0xF002D) + sym(0xF002E) + sym(0xF002F) + sym(0xF0030)
                           << 10;
    QTest::newRow("encoded high octave") << u"仩伬仜伍亿"_qs
                                         << sym(0xF0031) + sym(0xF0032) + sym(0xF0033) + sym(0xF0036) + sym(0xF0037)
                                         << 5;
    QTest::newRow("亻 for every high note") << u"亻上亻凡亻六"_qs << sym(0xF0031) + sym(0xF0034) + sym(0xF0035) << 3;
    QTest::newRow("double high, low") << u"彳上合丿凡丿"_qs << sym(0xF0038) + sym(0xF0020) + sym(0xF0026) << 3;
    QTest::newRow("breath, small, both") << u"ㄑ上小上ㄑ小上"_qs << sym(0xF0049) + sym(0xF0068) + sym(0xF0087) << 3;
    QTest::newRow("marks and ornaments") << u"、●○×▲△—乂〃ㄑ〃ㄥ～"_qs
                                         << sym(0xF0000) + sym(0xF0001) + sym(0xF0002) + sym(0xF0003) + sym(0xF0004)
                                                + sym(0xF0005) + sym(0xF0006) + sym(0xF0007) + sym(0xF0008)
                                                + sym(0xF0009) + sym(0xF000C) + sym(0xF000D)
                                         << 12;
    QTest::newRow("other text stays") << u"原 上x丿小ㄑ"_qs << u"原 "_qs + sym(0xF002A) + u"x丿小ㄑ"_qs << 1;
    QTest::newRow("symbols stay") << sym(0xF002A) + u"尺"_qs << sym(0xF002A) + sym(0xF002B) << 1;
    QTest::newRow("outside the BMP") << u"𠀀上"_qs << u"𠀀"_qs + sym(0xF002A) << 1;
}

void TestPlainGongche::spellings()
{
    QFETCH(QString, plain);
    QFETCH(QString, symbols);
    QFETCH(int, converted);
    const PlainGongche::Conversion result = PlainGongche::fromPlain(plain);
    QCOMPARE(result.text, symbols);
    QCOMPARE(result.converted, converted);
}

// Written out and read back, a score comes back as it was.
void TestPlainGongche::examplesRoundTrip()
{
    for (const char *name : {"youyuan-zaoluopao", "slow-aria"}) {
        GcpFile::Texts texts;
        QCOMPARE(GcpFile::load(QStringLiteral(PROJECT_SOURCE_DIR "/examples/") + QLatin1String(name)
                                   + QStringLiteral(".gcp"), &texts),
                 GcpFile::LoadResult::Loaded);
        const PlainScoreText::Reading reading = PlainScoreText::read(PlainScoreText::write(texts.lyric, texts.score));
        QVERIFY(reading.ok);
        QVERIFY(reading.problems.isEmpty());
        QCOMPARE(reading.lyric, texts.lyric);
        QCOMPARE(reading.score, texts.score);
    }
}

void TestPlainGongche::badLayouts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("problemLine");
    QTest::addColumn<QString>("score");
    QTest::newRow("one score line too many") << u"原来\n原\t上\n来\t尺\n来\t工\n"_qs << false << 4 << QString();
    QTest::newRow("one score line too few") << u"原来\n原\t上\n【尾声】\n"_qs << false << 3 << QString();
    QTest::newRow("file ends early") << u"原来\n原\t上"_qs << false << 3 << QString();
    QTest::newRow("unknown characters kept") << u"原来\r\n原\t上X\r\n来\t尺"_qs << true << 2
                                             << sym(0xF002A) + u"X\n"_qs + sym(0xF002B);
    QTest::newRow("spaces for the tab, none at all") << u"原来\n原 上\n来"_qs << true << 0
                                                     << sym(0xF002A) + u"\n"_qs;
}

// A broken layout is refused with the line that breaks it; characters that
// are no notation are kept and reported.
void TestPlainGongche::badLayouts()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, problemLine);
    QFETCH(QString, score);
    const PlainScoreText::Reading reading = PlainScoreText::read(text);
    QCOMPARE(reading.ok, ok);
    QCOMPARE(reading.problems.isEmpty() ? 0 : reading.problems.first().line, problemLine);
    if (ok)
        QCOMPARE(reading.score, score);
}

QTEST_GUILESS_MAIN(TestPlainGongche)
#include "tst_plaingongche.moc"
