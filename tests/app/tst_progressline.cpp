#include "progressline.h"

#include <QTest>
#include <QTextStream>

// One report of the renderer's progressUpdate signal.
struct Report
{
    int status;
    int value;
    int maxValue;
    QString tip;
};
Q_DECLARE_METATYPE(QList<Report>)

class TestProgressLine : public QObject
{
    Q_OBJECT

private slots:
    void output_data();
    void output();
    void endBeforeAMessage();
};

void TestProgressLine::output_data()
{
    QTest::addColumn<QList<Report>>("reports");
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("expected");

    const QList<Report> render = {{0, 0, 3, "正在绘制曲谱···"}, {1, 1, 3, {}}, {1, 2, 3, {}}, {2, 3, 3, {}}};
    QTest::addRow("rendering, terminal") << render << true
                                         << "\r正在绘制曲谱··· 0/3\r正在绘制曲谱··· 1/3\r正在绘制曲谱··· 2/3"
                                            "\r正在绘制曲谱··· 3/3\n";
    QTest::addRow("rendering, pipe") << render << false
                                     << "正在绘制曲谱··· 0/3\n正在绘制曲谱··· 1/3\n正在绘制曲谱··· 2/3\n"
                                        "正在绘制曲谱··· 3/3\n";

    // The writers report the last page and then the end with the same figures.
    const QList<Report> writer = {{0, 0, 2, "正在导出PDF文件···"}, {1, 1, 2, {}}, {1, 2, 2, {}}, {2, 2, 2, {}}, {2, 2, 2, {}}};
    QTest::addRow("repeated end, pipe") << writer << false
                                        << "正在导出PDF文件··· 0/2\n正在导出PDF文件··· 1/2\n正在导出PDF文件··· 2/2\n";
    QTest::addRow("repeated end, terminal")
        << writer << true
        << "\r正在导出PDF文件··· 0/2\r正在导出PDF文件··· 1/2\r正在导出PDF文件··· 2/2\r正在导出PDF文件··· 2/2\n";

    // A step that starts before the last one ended closes its line first.
    const QList<Report> twoSteps = {{0, 0, 1, "A"}, {1, 1, 1, {}}, {0, 0, 10, "B"}, {1, 10, 10, {}}, {2, 10, 10, {}}};
    QTest::addRow("unfinished step, terminal") << twoSteps << true << "\rA 0/1\rA 1/1\rA 1/1\n\rB 0/10\rB 10/10\rB 10/10\n";
    QTest::addRow("unfinished step, pipe") << twoSteps << false << "A 0/1\nA 1/1\nB 0/10\nB 10/10\n";

    QTest::addRow("nothing to count") << QList<Report>{{0, 0, 0, "正在生成预览···"}, {2, 0, 0, {}}} << false
                                      << "正在生成预览···\n";
}

void TestProgressLine::output()
{
    QFETCH(QList<Report>, reports);
    QFETCH(bool, terminal);
    QFETCH(QString, expected);
    QString text;
    QTextStream stream(&text);
    ProgressLine line(stream, terminal);
    for (const Report &report : reports)
        line.update(report.status, report.value, report.maxValue, report.tip);
    QCOMPARE(text, expected);
}

void TestProgressLine::endBeforeAMessage()
{
    QString text;
    QTextStream stream(&text);
    ProgressLine line(stream, true);
    line.update(0, 0, 4, QStringLiteral("正在导出png文件···"));
    line.update(1, 1, 4, QString());
    line.end();
    line.end();
    stream << QStringLiteral("错误：无法写入");
    stream.flush();
    QCOMPARE(text, QStringLiteral("\r正在导出png文件··· 0/4\r正在导出png文件··· 1/4\r正在导出png文件··· 1/4\n错误：无法写入"));
}

QTEST_APPLESS_MAIN(TestProgressLine)
#include "tst_progressline.moc"
