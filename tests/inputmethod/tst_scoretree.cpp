#include "filelocations.h"
#include "scoretree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <sys/stat.h>

#include "smalldisk.h"

Q_DECLARE_METATYPE(QList<Segment>)

namespace {

QString sym(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

QStringList symbols(std::initializer_list<char32_t> codePoints)
{
    QStringList list;
    for (const char32_t c : codePoints)
        list.append(sym(c));
    return list;
}

QStringList textsOf(const ScoredTexts &scored)
{
    QStringList texts;
    for (const ScoredText &entry : scored)
        texts.append(entry.first);
    return texts;
}

QByteArray resourceBytes()
{
    QFile file(ScoreTree::resourcePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

const QByteArray header = "unicode\xE7\xBC\x96\xE7\xA0\x81 \xE6\x8B\xBC\xE9\x9F\xB3 "
                          "\xE6\x9D\x83\xE9\x87\x8D \xE6\xB3\xA8\xE9\x87\x8A\r\n";

} // namespace

class TestScoreTree : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void search_data();
    void search();
    void descendantsFallWithDistance();
    void weightsOrderCandidates_data();
    void weightsOrderCandidates();
    void segment_data();
    void segment();
    void alternatives_data();
    void alternatives();

    void loadingSkipsMalformedLines_data();
    void loadingSkipsMalformedLines();

    void existingCopyBesideExecutableIsUsed();
    void missingCopyIsWrittenFromResource();
    void perUserCopyIsUsedWhenNoneBesideExecutable();
    void copyGoesPerUserWhenExecutableFolderIsMissing();
    void resourceIsReadWhenNoCopyCanBeWritten();
    void overlongCodesAreSkipped_data();
    void overlongCodesAreSkipped();
    void deepestCodeIsFoundAndFreed();
    void fullDiskLeavesNoCutCopy();
    void oddFileOfThatNameIsNeitherReadNorReplaced_data();
    void oddFileOfThatNameIsNeitherReadNorReplaced();

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScoreTree> shipped;

    FileLocations locations() const
    {
        return FileLocations(dir->filePath("app"), dir->filePath("config"), dir->filePath("data"));
    }
    std::unique_ptr<ScoreTree> treeOf(const QByteArray &lines)
    {
        writeFile(dir->filePath("app/wordsdict.csv"), header + lines);
        return std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv"), locations());
    }
};

void TestScoreTree::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QDir().mkpath(dir->filePath("app"));
    // A portable program folder, where the dictionary copy goes.
    QVERIFY(writeFile(dir->filePath("app/portable.ini"), QByteArray()));
    shipped = std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv"), locations());
}

void TestScoreTree::search_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("withDescendants");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<float>("score");

    QTest::addRow("s exact: 四 and 上 in file order")
        << "s" << false << symbols({0xF0028, 0xF002A}) << 0.6f;
    QTest::addRow("tb exact") << "tb" << false << symbols({0xF0000}) << 0.6f;
    QTest::addRow("t exact: no code is t") << "t" << false << QStringList() << 0.f;
    QTest::addRow("t with descendants: 头板 and 头眼")
        << "t" << true << symbols({0xF0000, 0xF0001}) << 0.5f;
    QTest::addRow("k exact") << "k" << false << QStringList() << 0.f;
    QTest::addRow("k with descendants") << "k" << true << QStringList() << 0.f;
    QTest::addRow("y exact: two 眼, 一 and 乙")
        << "y" << false << symbols({0xF0001, 0xF0002, 0xF0029, 0xF0030}) << 0.6f;
    QTest::addRow("dq: 疊腔 and 带腔撮腔") << "dq" << false << symbols({0xF0008, 0xF000B}) << 0.6f;
    QTest::addRow("suqx") << "suqx" << false << symbols({0xF008E}) << 0.6f;
    QTest::addRow("yuuqx, the last note") << "yuuqx" << false << symbols({0xF009B}) << 0.6f;
    QTest::addRow("yuuqx with descendants: nothing longer")
        << "yuuqx" << true << symbols({0xF009B}) << 0.6f;
    QTest::addRow("hd") << "hd" << false << symbols({0xF0020}) << 0.6f;
    QTest::addRow("dqqk") << "dqqk" << false << symbols({0xF0009}) << 0.6f;
    QTest::addRow("beyond a code") << "sqq" << true << QStringList() << 0.f;
    QTest::addRow("upper case is another code") << "S" << false << QStringList() << 0.f;
}

void TestScoreTree::search()
{
    QFETCH(QString, code);
    QFETCH(bool, withDescendants);
    QFETCH(QStringList, texts);
    QFETCH(float, score);

    const ScoredTexts result = shipped->search(code, withDescendants);
    QStringList found = textsOf(result);
    if (withDescendants) {
        // Equal scores come in no promised order.
        found.sort();
        texts.sort();
    }
    QCOMPARE(found, texts);
    for (const ScoredText &entry : result)
        QCOMPARE(entry.second, score);
}

void TestScoreTree::weightsOrderCandidates_data()
{
    QTest::addColumn<bool>("withDescendants");
    QTest::addColumn<QStringList>("texts");
    // A raised weight comes first; equal weights keep the file's order.
    QTest::addRow("exact") << false << symbols({0xF002A, 0xF0028, 0xF0029});
    QTest::addRow("with descendants") << true << symbols({0xF002A, 0xF0028, 0xF0029, 0xF002B});
}

void TestScoreTree::weightsOrderCandidates()
{
    QFETCH(bool, withDescendants);
    QFETCH(QStringList, texts);
    const auto tree = treeOf("U000F0028 s 0.6 a\r\n"
                             "U000F002A s 0.9 b\r\n"
                             "U000F0029 s 0.6 c\r\n"
                             "U000F002B sx 0.6 d\r\n");
    QCOMPARE(textsOf(tree->search(QStringLiteral("s"), withDescendants)), texts);
}

void TestScoreTree::descendantsFallWithDistance()
{
    // Every code of the shipped file that begins with s, grouped by the
    // number of letters after the s.
    const QList<int> perDistance = {2, 8, 9, 5, 1};
    const ScoredTexts result = shipped->search(QStringLiteral("s"), true);
    QCOMPARE(result.size(), 25);

    qsizetype index = 0;
    for (int distance = 0; distance < perDistance.size(); ++distance) {
        const float expected = float(0.6 / std::pow(1.2, distance));
        for (int k = 0; k < perDistance.at(distance); ++k, ++index)
            QCOMPARE(result.at(index).second, expected);
    }
    QVERIFY(qAbs(result.at(2).second - 0.5f) < 1e-6f);
    QVERIFY(qAbs(result.at(10).second - 0.41667f) < 1e-4f);
    QVERIFY(qAbs(result.at(19).second - 0.34722f) < 1e-4f);

    QStringList exact = textsOf(result.mid(0, 2));
    exact.sort();
    QCOMPARE(exact, symbols({0xF0028, 0xF002A}));
    QStringList oneLonger = textsOf(result.mid(2, 8));
    oneLonger.sort();
    // sd, su, sq (with 擻腔), sx
    QCOMPARE(oneLonger, symbols({0xF000D, 0xF0021, 0xF0023, 0xF0031, 0xF0047, 0xF0049, 0xF0066,
                                 0xF0068}));
}

void TestScoreTree::segment_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<Segment>>("segments");

    QTest::addRow("four notes") << "hsyc"
                                << QList<Segment>{{"h", true}, {"s", true}, {"y", true}, {"c", true}};
    QTest::addRow("sx stays one code") << "sx" << QList<Segment>{{"sx", true}};
    QTest::addRow("trailing t continues") << "t" << QList<Segment>{{"t", true}};
    QTest::addRow("tbh") << "tbh" << QList<Segment>{{"tb", true}, {"h", true}};
    QTest::addRow("kh") << "kh" << QList<Segment>{{"k", false}, {"h", true}};
    QTest::addRow("yk") << "yk" << QList<Segment>{{"y", true}, {"k", false}};
    QTest::addRow("t cut short before k") << "tk" << QList<Segment>{{"t", false}, {"k", false}};
    QTest::addRow("longest code first") << "suqxh" << QList<Segment>{{"suqx", true}, {"h", true}};
    QTest::addRow("no backtracking: dqq") << "dqq" << QList<Segment>{{"dqq", true}};
    QTest::addRow("two unknown letters") << "kk" << QList<Segment>{{"k", false}, {"k", false}};
    QTest::addRow("empty") << "" << QList<Segment>{};
}

void TestScoreTree::segment()
{
    QFETCH(QString, code);
    QFETCH(QList<Segment>, segments);
    QCOMPARE(shipped->segment(code), segments);
}

void TestScoreTree::alternatives_data()
{
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QStringList>("firstEight");

    QTest::addRow("头板") << sym(0xF0000)
        << symbols({0xF0000, 0xF0006, 0xF0003, 0xF0007, 0xF0001, 0xF0002, 0xF0004, 0xF0005});
    QTest::addRow("头眼") << sym(0xF0001)
        << symbols({0xF0001, 0xF0004, 0xF0002, 0xF0005, 0xF0000, 0xF0006, 0xF0003, 0xF0007});
    QTest::addRow("中眼") << sym(0xF0002)
        << symbols({0xF0002, 0xF0005, 0xF0001, 0xF0004, 0xF0000, 0xF0006, 0xF0003, 0xF0007});
    QTest::addRow("赠板") << sym(0xF0003)
        << symbols({0xF0003, 0xF0007, 0xF0000, 0xF0006, 0xF0001, 0xF0002, 0xF0004, 0xF0005});
    QTest::addRow("腰头眼") << sym(0xF0004)
        << symbols({0xF0004, 0xF0001, 0xF0002, 0xF0005, 0xF0000, 0xF0006, 0xF0003, 0xF0007});
    QTest::addRow("腰中眼") << sym(0xF0005)
        << symbols({0xF0005, 0xF0002, 0xF0001, 0xF0004, 0xF0000, 0xF0006, 0xF0003, 0xF0007});
    QTest::addRow("底板") << sym(0xF0006)
        << symbols({0xF0006, 0xF0000, 0xF0003, 0xF0007, 0xF0001, 0xF0002, 0xF0004, 0xF0005});
    QTest::addRow("腰赠板") << sym(0xF0007)
        << symbols({0xF0007, 0xF0003, 0xF0000, 0xF0006, 0xF0001, 0xF0002, 0xF0004, 0xF0005});
    QTest::addRow("an ornament is no key") << sym(0xF0008) << QStringList();
    QTest::addRow("a note is no key") << sym(0xF002A) << QStringList();
    QTest::addRow("a code is no key") << "tb" << QStringList();
    QTest::addRow("empty") << "" << QStringList();
}

void TestScoreTree::alternatives()
{
    QFETCH(QString, mark);
    QFETCH(QStringList, firstEight);

    const QStringList list = shipped->alternatives(mark);
    if (firstEight.isEmpty()) {
        QVERIFY(list.isEmpty());
        return;
    }
    QCOMPARE(list.size(), 14);
    QCOMPARE(list.mid(0, 8), firstEight);
    QCOMPARE(list.mid(8), symbols({0xF000C, 0xF000D, 0xF0008, 0xF0009, 0xF000A, 0xF000B}));
}

void TestScoreTree::loadingSkipsMalformedLines_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<float>("weight");

    QTest::addRow("well formed") << QByteArray("U000F0027 h 0.6 he\r\n") << "h"
                                 << symbols({0xF0027}) << 0.6f;
    QTest::addRow("LF line ends") << QByteArray("U000F0027 h 0.6 he\nU000F0028 h 0.3 si\n") << "h"
                                  << symbols({0xF0027, 0xF0028}) << -1.f;
    QTest::addRow("no comment field") << QByteArray("U000F0027 h 0.6\r\n") << "h"
                                      << symbols({0xF0027}) << 0.6f;
    QTest::addRow("two fields are skipped") << QByteArray("U000F0027 h\r\n") << "h"
                                            << QStringList() << 0.f;
    QTest::addRow("weight not a number loads as 0") << QByteArray("U000F0027 h heavy he\r\n") << "h"
                                                    << symbols({0xF0027}) << 0.f;
    QTest::addRow("weight nan loads as 0") << QByteArray("U000F0027 h nan he\r\n") << "h"
                                           << symbols({0xF0027}) << 0.f;
    QTest::addRow("weight inf loads as 0") << QByteArray("U000F0027 h inf he\r\n") << "h"
                                           << symbols({0xF0027}) << 0.f;
    QTest::addRow("code point not hexadecimal") << QByteArray("U000G0027 h 0.6 he\r\n") << "h"
                                                << QStringList() << 0.f;
    QTest::addRow("lower-case u is not removed") << QByteArray("u000F0027 h 0.6 he\r\n") << "h"
                                                 << QStringList() << 0.f;
    QTest::addRow("code point without U") << QByteArray("F0027 h 0.6 he\r\n") << "h"
                                          << symbols({0xF0027}) << 0.6f;
    QTest::addRow("beyond Unicode") << QByteArray("U00110000 h 0.6 he\r\n") << "h"
                                    << QStringList() << 0.f;
    QTest::addRow("lone surrogate") << QByteArray("U0000D800 h 0.6 he\r\n") << "h"
                                    << QStringList() << 0.f;
    QTest::addRow("double space shifts the fields") << QByteArray("U000F0027  h 0.6\r\n") << "h"
                                                    << QStringList() << 0.f;
    QTest::addRow("a bad line does not stop loading")
        << QByteArray("U000F0027\r\nxyz h 0.6\r\nU000F0029 h 0.6 yi\r\n") << "h"
        << symbols({0xF0029}) << 0.6f;
    QTest::addRow("same code keeps file order")
        << QByteArray("U000F0030 y 0.6 a\r\nU000F0029 y 0.6 b\r\nU000F0001 y 0.6 c\r\n") << "y"
        << symbols({0xF0030, 0xF0029, 0xF0001}) << 0.6f;
    QTest::addRow("a code of ideographs")
        << QByteArray("U000F0027 \xE5\x90\x88 0.6 he\r\n") << QString::fromUtf8("\xE5\x90\x88")
        << symbols({0xF0027}) << 0.6f;
    QTest::addRow("no ideograph shares its node")
        << QByteArray("U000F0027 \xE5\x90\x88 0.6 he\r\n") << QString::fromUtf8("\xE5\x9B\x9B")
        << QStringList() << 0.f;
}

void TestScoreTree::loadingSkipsMalformedLines()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, code);
    QFETCH(QStringList, texts);
    QFETCH(float, weight);

    const auto tree = treeOf(lines);
    const ScoredTexts result = tree->search(code, false);
    QCOMPARE(textsOf(result), texts);
    if (weight >= 0) {
        for (const ScoredText &entry : result)
            QCOMPARE(entry.second, weight);
    }
}

void TestScoreTree::existingCopyBesideExecutableIsUsed()
{
    const QString copy = dir->filePath("app/wordsdict.csv");
    const QByteArray own = header + "U000F002C s 0.9 gong\r\n";
    QVERIFY(writeFile(copy, own));

    const ScoreTree tree(QStringLiteral("wordsdict.csv"), locations());
    QCOMPARE(tree.path(), copy);
    QCOMPARE(textsOf(tree.search(QStringLiteral("s"), false)), symbols({0xF002C}));
    QVERIFY(tree.search(QStringLiteral("h"), true).isEmpty());

    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), own);
}

void TestScoreTree::missingCopyIsWrittenFromResource()
{
    // init() built the shipped tree on an empty program folder.
    const QString copy = dir->filePath("app/wordsdict.csv");
    QCOMPARE(shipped->path(), copy);
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content.size(), 5222);
    QCOMPARE(content, resourceBytes());
    // The user edits the copy: it has to be writable.
    QVERIFY(QFileInfo(copy).isWritable());
    QVERIFY(!QFileInfo::exists(dir->filePath("data/wordsdict.csv")));
}

void TestScoreTree::perUserCopyIsUsedWhenNoneBesideExecutable()
{
    QVERIFY(QFile::remove(dir->filePath("app/wordsdict.csv")));
    QVERIFY(QFile::remove(dir->filePath("app/portable.ini")));
    const QString own = dir->filePath("data/wordsdict.csv");
    QVERIFY(writeFile(own, header + "U000F002C g 0.6 gong\r\n"));

    const ScoreTree tree(QStringLiteral("wordsdict.csv"), locations());
    QCOMPARE(tree.path(), own);
    QCOMPARE(textsOf(tree.search(QStringLiteral("g"), false)), symbols({0xF002C}));
    QVERIFY(!QFileInfo::exists(dir->filePath("app/wordsdict.csv")));
}

void TestScoreTree::copyGoesPerUserWhenExecutableFolderIsMissing()
{
    const FileLocations elsewhere(dir->filePath("no-such-folder"), dir->filePath("config"),
                                  dir->filePath("user-data"));
    const ScoreTree tree(QStringLiteral("wordsdict.csv"), elsewhere);
    QCOMPARE(tree.path(), dir->filePath("user-data/wordsdict.csv"));
    QCOMPARE(QFileInfo(tree.path()).size(), 5222);
    QCOMPARE(tree.search(QStringLiteral("s"), false).size(), 2);
}

void TestScoreTree::resourceIsReadWhenNoCopyCanBeWritten()
{
    // A per-user folder below a plain file can never be made.
    QVERIFY(writeFile(dir->filePath("plain"), "x"));
    const FileLocations nowhere(dir->filePath("no-such-folder"), dir->filePath("plain/config"),
                                dir->filePath("plain/data"));
    const ScoreTree tree(QStringLiteral("wordsdict.csv"), nowhere);
    QCOMPARE(tree.path(), ScoreTree::resourcePath);
    QCOMPARE(textsOf(tree.search(QStringLiteral("tb"), false)), symbols({0xF0000}));
}

void TestScoreTree::overlongCodesAreSkipped_data()
{
    QTest::addColumn<int>("letters");
    // A million letters crashed the program on quit; a hundred thousand
    // overflowed the stack at the first search.
    QTest::addRow("one letter past the limit") << ScoreTree::maxCodeLength + 1;
    QTest::addRow("100,000 letters") << 100000;
    QTest::addRow("a million letters") << 1000000;
}

void TestScoreTree::overlongCodesAreSkipped()
{
    QFETCH(int, letters);
    const QByteArray deep = "U000F0027 " + QByteArray(letters, 'a') + " 0.6 deep\r\n";
    auto tree = treeOf(deep + "U000F0028 as 0.6 si\r\n");
    QCOMPARE(textsOf(tree->search(QStringLiteral("a"), true)), symbols({0xF0028}));
    tree->insert(QString(letters, QLatin1Char('a')), sym(0xF0027), 0.6f);
    QCOMPARE(tree->search(QStringLiteral("a"), true).size(), 1);
    tree.reset();
}

void TestScoreTree::deepestCodeIsFoundAndFreed()
{
    const QString longest(ScoreTree::maxCodeLength, QLatin1Char('z'));
    auto tree = treeOf("U000F0027 " + longest.toLatin1() + " 0.6 deep\r\nU000F0028 zz 0.6 zz\r\n");
    const ScoredTexts found = tree->search(QStringLiteral("z"), true);
    QCOMPARE(textsOf(found), symbols({0xF0028, 0xF0027}));
    QCOMPARE(found.at(1).second, float(0.6 / std::pow(1.2, ScoreTree::maxCodeLength - 1)));
    QCOMPARE(textsOf(tree->search(longest, false)), symbols({0xF0027}));
    tree.reset();
}

void TestScoreTree::fullDiskLeavesNoCutCopy()
{
    SmallDisk::Disk disk;
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    QVERIFY(writeFile(disk.filePath(QStringLiteral("portable.ini")), QByteArray()));
    QVERIFY(disk.fill(2048));
    // A copy cut short would be taken for the user's dictionary at every
    // later start; the built-in one is read instead, and no copy is left.
    const FileLocations full(disk.path(), disk.filePath(QStringLiteral("config")),
                             disk.filePath(QStringLiteral("data")));
    const ScoreTree tree(QStringLiteral("wordsdict.csv"), full);
    QCOMPARE(tree.path(), ScoreTree::resourcePath);
    QCOMPARE(textsOf(tree.search(QStringLiteral("tb"), false)), symbols({0xF0000}));
    QVERIFY(!QFileInfo::exists(disk.filePath(QStringLiteral("wordsdict.csv"))));

    // With room again the copy is made, whole.
    disk.empty();
    const ScoreTree later(QStringLiteral("wordsdict.csv"), full);
    QCOMPARE(later.path(), disk.filePath(QStringLiteral("wordsdict.csv")));
    QCOMPARE(QFileInfo(later.path()).size(), 5222);
}

void TestScoreTree::oddFileOfThatNameIsNeitherReadNorReplaced_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addRow("FIFO") << true;
    QTest::addRow("folder") << false;
}

void TestScoreTree::oddFileOfThatNameIsNeitherReadNorReplaced()
{
    QFETCH(bool, fifo);
    const QString path = dir->filePath("app/wordsdict.csv");
    QFile::remove(path);
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(path));

    // Reading a FIFO would wait for a writer forever.
    const ScoreTree tree(QStringLiteral("wordsdict.csv"), locations());
    QCOMPARE(tree.path(), ScoreTree::resourcePath);
    QCOMPARE(textsOf(tree.search(QStringLiteral("tb"), false)), symbols({0xF0000}));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(!QFileInfo::exists(dir->filePath("data/wordsdict.csv")));
}

QTEST_GUILESS_MAIN(TestScoreTree)
#include "tst_scoretree.moc"
