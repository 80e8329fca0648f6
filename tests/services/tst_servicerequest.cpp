// The program's requests against a server that does not play fair: it
// redirects elsewhere, floods, stalls and serves pages that name local files.
#include "loopbackhttpserver.h"
#include "serverpagebrowser.h"
#include "servicerequest.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <functional>

#include <sys/stat.h>

using Reply = LoopbackHttpServer::Reply;
Q_DECLARE_METATYPE(LoopbackHttpServer::Reply)

namespace {

const qint64 limit = 64 * 1024;
const int shortTimeout = 400;

// The share of the pixels of html, laid out in browser, that pass test.
double share(ServerPageBrowser &browser, const QString &html, const std::function<bool(QColor)> &test)
{
    browser.setHtml(html);
    browser.document()->setTextWidth(300);
    QImage page(300, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    browser.document()->drawContents(&painter);
    painter.end();
    qint64 count = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            count += test(page.pixelColor(x, y));
    }
    return double(count) / (qint64(page.width()) * page.height());
}

bool isRed(QColor c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

} // namespace

class TestServiceRequest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostileServer_data();
    void hostileServer();
    void pageLoadsOnlyOwnResources_data();
    void pageLoadsOnlyOwnResources();

private:
    LoopbackHttpServer server;
    QNetworkAccessManager network;
    QTemporaryDir dir;
};

void TestServiceRequest::initTestCase()
{
    QVERIFY(server.listenOnLoopback());
    ServiceRequest::setTimeoutMs(shortTimeout);
}

void TestServiceRequest::hostileServer_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("ok");
    const QByteArray base = server.baseUrl();
    const QByteArray otherHost = "http://localhost:" + QByteArray::number(server.serverPort());
    QTest::addRow("plain answer") << Reply{200, "application/json", "{\"version\":\"9\"}"} << true;
    QTest::addRow("answer of exactly the limit") << Reply{200, "text/html", QByteArray(limit, 'a')} << true;
    QTest::addRow("redirect on the same host") << Reply{302, "text/plain", "", base + "/target"} << true;
    QTest::addRow("relative redirect") << Reply{302, "text/plain", "", "/target"} << true;
    QTest::addRow("redirect to another host") << Reply{302, "text/plain", "", otherHost + "/target"} << false;
    QTest::addRow("redirect to another scheme") << Reply{302, "text/plain", "", "ftp://127.0.0.1/target"} << false;
    QTest::addRow("length past the limit") << Reply{200, "text/html", QByteArray(limit + 1, 'a')} << false;
    QTest::addRow("flood without a length")
        << Reply{200, "application/json", QByteArray(8 * limit, '['), QByteArray(), true} << false;
    QTest::addRow("stalls") << Reply{200, "text/html", "", QByteArray(), false, true} << false;
}

void TestServiceRequest::hostileServer()
{
    QFETCH(Reply, reply);
    QFETCH(bool, ok);
    server.requests.clear();
    server.replies.insert("/doc", reply);
    server.replies.insert("/target", Reply{200, "text/plain", "the target"});

    ServiceRequest *request = ServiceRequest::get(&network, QNetworkRequest(QUrl(server.baseUrl() + "/doc")), limit);
    QSignalSpy finished(request, &ServiceRequest::finished);
    QVERIFY(finished.wait(10 * shortTimeout));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().at(0).toBool(), ok);
    const QByteArray body = finished.first().at(1).toByteArray();
    if (ok) {
        QCOMPARE(body, reply.status == 302 ? QByteArray("the target") : reply.body);
    } else {
        QVERIFY(body.isEmpty());
        QVERIFY(!finished.first().at(2).toString().isEmpty());
    }
    // A redirect elsewhere is never followed, even to the same machine.
    for (const LoopbackHttpServer::Request &seen : std::as_const(server.requests))
        QVERIFY(seen.path == "/doc" || (ok && seen.path == "/target"));
}

void TestServiceRequest::pageLoadsOnlyOwnResources_data()
{
    // A picture of red on this machine: shown, it would colour the page.
    const QString picture = dir.filePath(QStringLiteral("red.png"));
    QImage red(200, 200, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.save(picture);
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    const QString fileUrl = QUrl::fromLocalFile(picture).toString();

    QTest::addColumn<QString>("html");
    QTest::addRow("file URL of a picture") << QStringLiteral("<img src=\"%1\">").arg(fileUrl);
    QTest::addRow("local path of a picture") << QStringLiteral("<img src=\"%1\">").arg(picture);
    // Read, either would hang the window or fill its memory.
    QTest::addRow("FIFO") << QStringLiteral("<img src=\"%1\">").arg(QUrl::fromLocalFile(fifo).toString());
    QTest::addRow("FIFO by its path") << QStringLiteral("<img src=\"%1\">").arg(fifo);
    QTest::addRow("endless device") << QStringLiteral("<img src=\"file:///dev/zero\">");
}

void TestServiceRequest::pageLoadsOnlyOwnResources()
{
    QFETCH(QString, html);
    ServerPageBrowser browser;
    QCOMPARE(share(browser, html, isRed), 0.0);
    // The program's own pictures are shown.
    QVERIFY(share(browser, QStringLiteral("<img src=\"qrc:/icons/resources/icons/about.png\">"),
                  [](QColor c) { return c != Qt::white; })
            > 0.001);
}

QTEST_MAIN(TestServiceRequest)
#include "tst_servicerequest.moc"
