#include "linegrammar.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <QTest>

Q_DECLARE_METATYPE(std::optional<LineType>)

class TestLineGrammar : public QObject
{
    Q_OBJECT

private slots:
    void structural_data();
    void structural();
    void classify_data();
    void classify();
    void lyricCharMatchesPattern();
    void countLyricChars_data();
    void countLyricChars();
    void boundary_data();
    void boundary();
    void quPaiPattern_data();
    void quPaiPattern();
    void punctuationClass();
    void lineEnds_data();
    void lineEnds();
};

void TestLineGrammar::structural_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("structural");
    // Structural, yet none of the marked line types.
    QTest::addColumn<bool>("malformed");
    QTest::addRow("title marker") << QStringLiteral("# 标题") << true << false;
    QTest::addRow("comment") << QStringLiteral("; 注") << true << false;
    QTest::addRow("jiabai") << QStringLiteral("> 白") << true << false;
    QTest::addRow("lianbai") << QStringLiteral("= 白") << true << false;
    QTest::addRow("tune name") << QStringLiteral("【步步娇】(小工调)") << true << false;
    QTest::addRow("line break") << QStringLiteral("@换行符") << true << false;
    QTest::addRow("bracket without close") << QStringLiteral("【皂罗袍") << true << true;
    QTest::addRow("space before the key") << QStringLiteral("【步步娇】 (小工调)") << true << true;
    QTest::addRow("bracket without sung characters") << QStringLiteral("【abc") << true << true;
    QTest::addRow("at with latin") << QStringLiteral("@abc") << true << true;
    QTest::addRow("empty") << QString() << false << false;
    QTest::addRow("lyric") << QStringLiteral("原来姹紫") << false << false;
    QTest::addRow("marker not first") << QStringLiteral(" #标题") << false << false;
    QTest::addRow("full-width semicolon") << QStringLiteral("；注") << false << false;
}

void TestLineGrammar::structural()
{
    QFETCH(QString, text);
    QFETCH(bool, structural);
    QFETCH(bool, malformed);
    QCOMPARE(isStructuralLine(text), structural);
    // The same answer as the marker pattern itself.
    QCOMPARE(QRegularExpression(QStringLiteral(u"^[#;>=【@]")).match(text).hasMatch(), structural);
    QCOMPARE(isMalformedStructuralLine(text), malformed);
}

void TestLineGrammar::classify_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<LineType>>("type");
    QTest::addRow("only hash") << QStringLiteral("#") << std::optional(LineType::Title);
    QTest::addRow("title with ideographs") << QStringLiteral("# 游园") << std::optional(LineType::Title);
    QTest::addRow("comment") << QStringLiteral(";注释") << std::optional(LineType::Comment);
    QTest::addRow("jiabai") << QStringLiteral("> ") << std::optional(LineType::JiaBai);
    QTest::addRow("lianbai") << QStringLiteral("=念") << std::optional(LineType::LianBai);
    QTest::addRow("qupai with key") << QStringLiteral("【皂罗袍】(仙吕)") << std::optional(LineType::QuPai);
    QTest::addRow("qupai alone") << QStringLiteral("【越调】") << std::optional(LineType::QuPai);
    QTest::addRow("qupai space before key")
        << QStringLiteral("【皂罗袍】 (仙吕)") << std::optional(LineType::Lyric);
    QTest::addRow("line break with text")
        << QStringLiteral("@换行符abc") << std::optional(LineType::LineBreak);
    QTest::addRow("page break") << QStringLiteral("@分页符") << std::optional(LineType::PageBreak);
    QTest::addRow("bracket without close")
        << QStringLiteral("【皂罗袍") << std::optional(LineType::Lyric);
    QTest::addRow("at with latin") << QStringLiteral("@abc") << std::optional<LineType>();
    QTest::addRow("latin words") << QStringLiteral("hello, world") << std::optional(LineType::Lyric);
    QTest::addRow("latin only") << QStringLiteral("abc") << std::optional<LineType>();
    QTest::addRow("empty") << QString() << std::optional<LineType>();
    QTest::addRow("full-width space") << QStringLiteral(u"\u3000") << std::optional<LineType>();
    QTest::addRow("extension ideograph") << QStringLiteral(u"\U00020000") << std::optional<LineType>();
    // A broken character (half of a pair, from a pasted text) does not hide
    // the sung characters of its line.
    QTest::addRow("sung line with a lone high surrogate")
        << QStringLiteral("你") + QChar(0xD800) + QStringLiteral("好") << std::optional(LineType::Lyric);
    QTest::addRow("tune name with a lone low surrogate")
        << QStringLiteral("【曲") + QChar(0xDC00) + QStringLiteral("牌】") << std::optional(LineType::QuPai);
    QTest::addRow("sung line ending in a lone high surrogate")
        << QStringLiteral("你") + QChar(0xDBFF) << std::optional(LineType::Lyric);
}

void TestLineGrammar::classify()
{
    QFETCH(QString, text);
    QFETCH(std::optional<LineType>, type);
    QCOMPARE(classifyLine(text), type);
    QCOMPARE(exportLineType(text), static_cast<int>(type.value_or(LineType::Any)));
}

void TestLineGrammar::lyricCharMatchesPattern()
{
    // The fast character test must agree with the lyric pattern on every
    // UTF-16 code unit.
    const QRegularExpression single(QStringLiteral(u"^[一-龥 ]$"));
    for (int u = 0; u <= 0xFFFF; ++u) {
        const QChar c(static_cast<char16_t>(u));
        if (c.isSurrogate())
            continue;
        if (isLyricChar(c) != single.match(QString(c)).hasMatch())
            QFAIL(qPrintable(QStringLiteral("disagree at U+%1").arg(u, 4, 16, QLatin1Char('0'))));
    }
}

void TestLineGrammar::countLyricChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addRow("empty") << QString() << 0;
    QTest::addRow("ideographs and space") << QStringLiteral("你 好") << 3;
    QTest::addRow("punctuation not counted") << QStringLiteral("你好，世界。") << 4;
    QTest::addRow("latin and digits") << QStringLiteral("ab12") << 0;
    QTest::addRow("structural text counted") << QStringLiteral("# 标题") << 3;
    QTest::addRow("last of range") << QStringLiteral(u"\u9FA5\u9FA6") << 1;
}

void TestLineGrammar::countLyricChars()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(::countLyricChars(text), count);
    int matched = 0;
    auto it = lineTypeRegex(LineType::Lyric).globalMatch(text);
    while (it.hasNext())
        matched += it.next().capturedLength();
    QCOMPARE(matched, count);
}

void TestLineGrammar::boundary_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("offset");
    const QString mixed = QStringLiteral("你好，世界");
    QTest::addRow("comma goes with later char") << mixed << 2 << 2;
    QTest::addRow("k zero: after last") << mixed << 0 << 5;
    QTest::addRow("k = n: first lyric char") << mixed << 4 << 0;
    QTest::addRow("k above n clamps") << mixed << 9 << 0;
    QTest::addRow("negative k is zero") << mixed << -3 << 5;
    QTest::addRow("k = 1") << mixed << 1 << 4;
    QTest::addRow("no lyric chars") << QStringLiteral("abc") << 1 << 0;
    QTest::addRow("leading latin") << QStringLiteral("ab你c好d") << 2 << 2;
    QTest::addRow("trailing latin after last") << QStringLiteral("ab你c好d") << 0 << 5;
}

void TestLineGrammar::boundary()
{
    QFETCH(QString, text);
    QFETCH(int, k);
    QFETCH(int, offset);
    QCOMPARE(lyricCharBoundary(text, k), offset);
}

void TestLineGrammar::quPaiPattern_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isQuPai");
    QTest::addRow("ascii parens") << QStringLiteral("【曲牌名】(调名)") << true;
    QTest::addRow("full-width parens") << QStringLiteral("【曲牌名】（调名）") << true;
    QTest::addRow("mixed parens 1") << QStringLiteral("【曲牌名】（调名)") << true;
    QTest::addRow("mixed parens 2") << QStringLiteral("【曲牌名】(调名）") << true;
    QTest::addRow("no key") << QStringLiteral("【曲牌名】") << true;
    QTest::addRow("key without parens") << QStringLiteral("【曲牌名】调名") << false;
    QTest::addRow("trailing space") << QStringLiteral("【曲牌名】(调名) ") << false;
    QTest::addRow("empty name") << QStringLiteral("【】") << false;
}

void TestLineGrammar::quPaiPattern()
{
    QFETCH(QString, text);
    QFETCH(bool, isQuPai);
    QCOMPARE(lineTypeRegex(LineType::QuPai).match(text).hasMatch(), isQuPai);
}

void TestLineGrammar::punctuationClass()
{
    const QString members = QStringLiteral(
        u"。，,、；;：:？?！!‘’“”（）()《》【】［］[]—︹︺︽︾﹁﹂﹃﹄︻︼︗︘︵︶|｜~");
    QCOMPARE(members.size(), 46);
    const QRegularExpression &biaoDian = lineTypeRegex(LineType::BiaoDian);
    QVERIFY(biaoDian.isValid());
    for (QChar c : members)
        QVERIFY2(biaoDian.match(QString(c)).hasMatch(), qPrintable(QString(c)));
    for (const QString &other : {QStringLiteral("a"), QStringLiteral("你"), QStringLiteral("-"),
                                 QStringLiteral(u"\u3000"), QStringLiteral("\\")})
        QVERIFY2(!biaoDian.match(other).hasMatch(), qPrintable(other));
}

void TestLineGrammar::lineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines");
    QTest::addRow("windows") << QStringLiteral("你\r\n好") << QStringLiteral("你\n好");
    QTest::addRow("old mac") << QStringLiteral("你\r好") << QStringLiteral("你\n好");
    QTest::addRow("line separator") << QStringLiteral(u"你\u2028好") << QStringLiteral("你\n好");
    QTest::addRow("paragraph separator") << QStringLiteral(u"你\u2029好") << QStringLiteral("你\n好");
    QTest::addRow("frame markers") << QStringLiteral(u"你\uFDD0好\uFDD1") << QStringLiteral("你\n好\n");
    QTest::addRow("carriage returns in a row") << QStringLiteral("\r\r\n") << QStringLiteral("\n\n");
    QTest::addRow("next line and vertical tab stay") << QStringLiteral(u"你\u0085\v好")
                                                     << QStringLiteral(u"你\u0085\v好");
}

void TestLineGrammar::lineEnds()
{
    QFETCH(QString, text);
    QFETCH(QString, lines);
    QCOMPARE(withLineFeeds(text), lines);
    // A document splits the result into the same lines as the text itself,
    // except that it keeps a line separator inside its line.
    QTextDocument original(QString(text).replace(QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)));
    QTextDocument plain(lines);
    QCOMPARE(plain.blockCount(), original.blockCount());
}

QTEST_APPLESS_MAIN(TestLineGrammar)
#include "tst_linegrammar.moc"
