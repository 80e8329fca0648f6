#include "about.h"
#include "filelocations.h"
#include "fontmanager.h"
#include "help.h"
#include "scoretree.h"

#include <QFontMetrics>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextTable>

namespace {

bool isNotationSymbol(char32_t c)
{
    return c >= 0xF0000 && c <= 0xFFFFD;
}

// A piece of a table cell: its text and the font family it is drawn in.
struct Run
{
    QString text;
    QString family;
};

QList<Run> cellRuns(QTextTableCell cell)
{
    QList<Run> runs;
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        for (QTextBlock::iterator f = block.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragment = f.fragment();
            if (fragment.isValid()) {
                const QStringList families = fragment.charFormat().fontFamilies().toStringList();
                runs.append({fragment.text(), families.value(0)});
            }
        }
    }
    return runs;
}

QString cellText(QTextTableCell cell)
{
    QString text;
    for (const Run &run : cellRuns(cell))
        text += run.text;
    return text.trimmed();
}

// The notation symbols of a cell, in order.
QList<QString> cellSymbols(QTextTableCell cell)
{
    QList<QString> symbols;
    for (const Run &run : cellRuns(cell)) {
        for (char32_t c : run.text.toUcs4()) {
            if (isNotationSymbol(c))
                symbols.append(QString::fromUcs4(&c, 1));
        }
    }
    return symbols;
}

QList<QTextTable *> tables(QTextDocument &document)
{
    QList<QTextTable *> found;
    const QList<QTextFrame *> frames = document.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            found.append(table);
    }
    return found;
}

QStringList symbolTexts(const ScoredTexts &entries)
{
    QStringList texts;
    for (const ScoredText &entry : entries)
        texts.append(entry.first);
    return texts;
}

} // namespace

class TestHelpAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void codeTableAgreesWithTheDictionary();
    void examplesAgreeWithTheDictionary();
    void symbolsAreDrawnInTheNotationFont();
    void dialogsShowTheirPages();

private:
    QTemporaryDir dir;
    std::unique_ptr<ScoreTree> tree;
    QTextDocument helpPage;
};

void TestHelpAbout::initTestCase()
{
    QVERIFY(!FontManager::instance().notationFamily().isEmpty());
    // The dictionary as shipped: copied from the program into an empty folder.
    QVERIFY(dir.isValid());
    tree = std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv"),
                                       FileLocations(dir.path(), dir.path(), dir.path()));
    QVERIFY(!tree->path().isEmpty());
    helpPage.setHtml(Help::pageHtml());
    QCOMPARE(tables(helpPage).size(), 2);
}

void TestHelpAbout::codeTableAgreesWithTheDictionary()
{
    QTextTable *table = tables(helpPage).at(0);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(cellText(table->cellAt(0, 0)), QStringLiteral("拼音"));
    QCOMPARE(cellText(table->cellAt(0, 1)), QStringLiteral("曲谱符号"));
    QCOMPARE(table->rows(), 24);

    for (int row = 1; row < table->rows(); ++row) {
        const QString codes = cellText(table->cellAt(row, 0));
        const QList<QString> symbols = cellSymbols(table->cellAt(row, 1));
        // Every row shows the one symbol that all of its codes type.
        QVERIFY2(symbols.size() == 1, qPrintable(codes));
        const QStringList alternatives = codes.split(QLatin1Char('/'));
        const QString names = cellText(table->cellAt(row, 1)).remove(symbols.first()).trimmed();
        QCOMPARE(names.split(QLatin1Char('/')).size(), alternatives.size());
        for (const QString &code : alternatives) {
            QVERIFY2(symbolTexts(tree->search(code, false)).contains(symbols.first()),
                     qPrintable(QStringLiteral("%1 does not type U+%2")
                                    .arg(code)
                                    .arg(symbols.first().toUcs4().first(), 0, 16)));
        }
    }
}

void TestHelpAbout::examplesAgreeWithTheDictionary()
{
    QTextTable *table = tables(helpPage).at(1);
    QCOMPARE(table->rows(), 4);
    QStringList inputs;
    for (int row = 1; row < table->rows(); ++row) {
        const QString input = cellText(table->cellAt(row, 0));
        inputs.append(input);
        const QList<QString> symbols = cellSymbols(table->cellAt(row, 1));
        QVERIFY2(!symbols.isEmpty(), qPrintable(input));
        // The symbols shown are what the typed codes give, code by code.
        const QList<Segment> segments = tree->segment(input);
        QVERIFY(segments.size() >= symbols.size());
        for (int i = 0; i < symbols.size(); ++i) {
            QVERIFY2(segments.at(i).valid, qPrintable(input));
            QVERIFY2(symbolTexts(tree->search(segments.at(i).text, false)).contains(symbols.at(i)),
                     qPrintable(input));
        }
    }
    QCOMPARE(inputs, QStringList({"suqx", "gud", "hqx"}));
}

void TestHelpAbout::symbolsAreDrawnInTheNotationFont()
{
    const QString family = FontManager::instance().notationFamily();
    const QRawFont notationFont = QRawFont::fromFont(QFont(family));
    int symbols = 0;
    for (QTextBlock block = helpPage.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator f = block.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragment = f.fragment();
            for (char32_t c : fragment.text().toUcs4()) {
                if (!isNotationSymbol(c))
                    continue;
                ++symbols;
                QCOMPARE(fragment.charFormat().fontFamilies().toStringList().value(0), family);
                QVERIFY(notationFont.supportsCharacter(c));
            }
        }
    }
    QCOMPARE(symbols, 23 + 3);
}

void TestHelpAbout::dialogsShowTheirPages()
{
    Help help(nullptr);
    const QString helpText = help.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))->toPlainText();
    for (const char *section : {"曲谱输入法使用教程", "简介", "输入法拼音字符对应表", "规则", "示例"})
        QVERIFY2(helpText.contains(QString::fromUtf8(section)), section);
    // No placeholder is left unfilled.
    QVERIFY(!Help::pageHtml().contains(QStringLiteral("{{")));

    About about(nullptr);
    const QString aboutText = about.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))->toPlainText();
    QVERIFY(aboutText.contains(QStringLiteral("关于Qelun工尺谱")));
    QVERIFY(aboutText.contains(QStringLiteral("当前软件版本：2.0")));
    QVERIFY(!About::pageHtml().contains(QStringLiteral("{{")));
}

QTEST_MAIN(TestHelpAbout)
#include "tst_helpabout.moc"
