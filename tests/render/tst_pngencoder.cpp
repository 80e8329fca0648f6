// The PNG encoder of the image export: whatever pixel format, row filter and
// zlib setting, the file read back by Qt holds exactly the pixels, the
// resolution and the texts of the image; a device that fails is a failure
// reported, never a crash or a success.

#include "pngencoder.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QPainter>
#include <QTest>
#include <QtEndian>

namespace {

// Ink in several colours and alphas, with antialiased edges: more than 256
// colours, and rows that no filter turns into zeros alone.
QImage inks(int width, int height)
{
    QImage page(width, height, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(QFont(QStringLiteral("Sans"), 20));
    painter.drawText(page.rect(), Qt::AlignCenter, QStringLiteral("工尺 Ag"));
    painter.setPen(QPen(QColor(0xff, 0x4c, 0x00, 200), 3));
    painter.setBrush(QColor(40, 90, 200, 128));
    for (int i = 0; i < 6; ++i)
        painter.drawEllipse(QRectF(3.3 + i * 19.1, 10.7, 17.5, 30.2));
    painter.end();
    return page.convertToFormat(QImage::Format_ARGB32);
}

QImage opaque(const QImage &image)
{
    QImage page(image.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(0, 0, image);
    return page;
}

// RGB32 whose unused byte holds anything: it must not reach the file.
QImage strayBytes(QImage image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = (row[x] & 0x00ffffffu) | (uint((x * 7 + y) & 0xff) << 24);
    }
    return image;
}

// A palette of a few colours, some of them partly or wholly clear.
QImage palette(bool clear, int colours, QSize size = QSize(37, 11))
{
    QImage image(size, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgba(i * 37 % 256, i * 11 % 256, 200, clear && i % 3 == 0 ? i * 5 % 256 : 255));
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.scanLine(y)[x] = uchar((x / 3 + y) % colours);
    }
    return image;
}

// Pixels no compressor can shrink: more than one IDAT chunk's worth, and
// more than the first buffer the compressed page is given.
QImage noise()
{
    QImage image(600, 450, QImage::Format_ARGB32);
    quint32 state = 2463534242u;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            row[x] = state;
        }
    }
    return image;
}

int chunkCount(const QByteArray &png, const QByteArray &type)
{
    int count = 0;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        count += png.mid(at + 4, 4) == type;
        at += 12 + qsizetype(length);
    }
    return count;
}

QImage greys(QSize size = QSize(61, 23))
{
    return opaque(inks(size.width(), size.height())).convertToFormat(QImage::Format_Grayscale8);
}

// The colour type in the PNG header: 0 grey, 2 RGB, 3 palette, 6 RGBA.
int colourType(const QByteArray &png)
{
    return png.size() > 25 ? uchar(png.at(25)) : -1;
}

QByteArray encode(const QImage &image, PngEncoder &encoder)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!encoder.write(image, &buffer))
        return QByteArray();
    return buffer.data();
}

QImage decode(const QByteArray &png)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    return reader.read();
}

// Takes the first `room` bytes, then refuses every write.
class ShortDevice : public QIODevice
{
public:
    explicit ShortDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        if (length > m_room)
            return -1;
        m_room -= length;
        return length;
    }

private:
    qint64 m_room;
};

} // namespace

class TestPngEncoder : public QObject
{
    Q_OBJECT

private slots:
    void samePixelsInEveryFormat_data();
    void samePixelsInEveryFormat();
    void resolutionAndTexts();
    void severalDataChunks();
    void textKeysMended_data();
    void textKeysMended();
    void failingDevices_data();
    void failingDevices();
};

void TestPngEncoder::samePixelsInEveryFormat_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("type");
    QTest::addRow("grey") << greys() << 0;
    QTest::addRow("grey, one pixel") << greys().copy(0, 0, 1, 1) << 0;
    QTest::addRow("palette, opaque") << palette(false, 5) << 3;
    QTest::addRow("palette, some colours clear") << palette(true, 256) << 3;
    QTest::addRow("palette of one colour") << palette(true, 1) << 3;
    QTest::addRow("RGB") << opaque(inks(61, 23)) << 2;
    QTest::addRow("RGB, stray unused bytes") << strayBytes(opaque(inks(61, 23))) << 2;
    QTest::addRow("RGBA") << inks(61, 23) << 6;
    QTest::addRow("RGBA noise") << noise() << 6;
    QTest::addRow("RGB noise") << noise().convertToFormat(QImage::Format_RGB32) << 2;
    QTest::addRow("RGBA, one column") << inks(61, 23).copy(30, 0, 1, 23) << 6;
    QTest::addRow("premultiplied: written as RGBA") << inks(61, 23).convertToFormat(QImage::Format_ARGB32_Premultiplied) << 6;
    QTest::addRow("RGB888: written as RGBA") << opaque(inks(61, 23)).convertToFormat(QImage::Format_RGB888) << 6;
    // Rows of over 16 KB without a filter the encoder compresses itself.
    QTest::addRow("grey, large") << greys(QSize(203, 90)) << 0;
    QTest::addRow("palette, large") << palette(true, 256, QSize(370, 50)) << 3;
    QTest::addRow("RGB noise, width not a multiple of 4")
        << strayBytes(noise().convertToFormat(QImage::Format_RGB32).copy(0, 0, 597, 40)) << 2;
    QTest::addRow("premultiplied, large") << inks(203, 90).convertToFormat(QImage::Format_ARGB32_Premultiplied) << 6;
}

void TestPngEncoder::samePixelsInEveryFormat()
{
    QFETCH(QImage, image);
    QFETCH(int, type);
    // What Qt shows of the image: RGB32's unused byte reads as opaque.
    const QImage shown = image.convertToFormat(QImage::Format_ARGB32);
    using Filter = PngEncoder::RowFilter;
    using Strategy = PngEncoder::Strategy;
    for (const Filter filter : {Filter::None, Filter::Sub, Filter::Up, Filter::Paeth, Filter::Adaptive}) {
        for (const int level : {0, 1, 3, 9}) {
            for (const Strategy strategy : {Strategy::Default, Strategy::Filtered, Strategy::Rle}) {
                PngEncoder encoder;
                encoder.setRowFilter(filter);
                encoder.setLevel(level);
                encoder.setStrategy(strategy);
                const QByteArray png = encode(image, encoder);
                const QString setting = QStringLiteral("filter %1, level %2, strategy %3")
                                            .arg(int(filter))
                                            .arg(level)
                                            .arg(int(strategy));
                QVERIFY2(!png.isEmpty(), qPrintable(setting + QLatin1String(": ") + encoder.error()));
                QCOMPARE(colourType(png), type);
                const QImage read = decode(png);
                QVERIFY2(!read.isNull(), qPrintable(setting));
                QVERIFY2(read.convertToFormat(QImage::Format_ARGB32) == shown, qPrintable(setting));
            }
        }
    }
}

void TestPngEncoder::resolutionAndTexts()
{
    QImage image = greys();
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(6299);
    image.setText(QStringLiteral("Title"), QStringLiteral("Page 1"));
    image.setText(QStringLiteral("Description"), QStringLiteral("游园 【皂罗袍】 𠀀"));
    PngEncoder encoder;
    const QImage read = decode(encode(image, encoder));
    QCOMPARE(read.dotsPerMeterX(), 11811);
    QCOMPARE(read.dotsPerMeterY(), 6299);
    QCOMPARE(read.text(QStringLiteral("Title")), QStringLiteral("Page 1"));
    QCOMPARE(read.text(QStringLiteral("Description")), QStringLiteral("游园 【皂罗袍】 𠀀"));

    // A colour space goes with the pixels that can carry it; a grey page
    // cannot carry an RGB one and is written without it, not refused.
    QImage rgb = opaque(inks(61, 23));
    rgb.setColorSpace(QColorSpace::DisplayP3);
    QCOMPARE(decode(encode(rgb, encoder)).colorSpace(), QColorSpace(QColorSpace::DisplayP3));
    QImage grey = greys();
    grey.setColorSpace(QColorSpace::SRgb);
    const QImage greyRead = decode(encode(grey, encoder));
    QVERIFY2(!greyRead.isNull(), qPrintable(encoder.error()));
    QCOMPARE(greyRead.convertToFormat(QImage::Format_ARGB32), greys().convertToFormat(QImage::Format_ARGB32));
}

// Pixels that do not shrink go into several IDAT chunks, which Qt reads back
// as one picture.
void TestPngEncoder::severalDataChunks()
{
    const QImage image = noise();
    for (const int level : {0, 1}) {
        PngEncoder encoder;
        encoder.setLevel(level);
        const QByteArray png = encode(image, encoder);
        QVERIFY2(chunkCount(png, "IDAT") > 1, qPrintable(QString::number(level)));
        QCOMPARE(chunkCount(png, "IEND"), 1);
        QCOMPARE(decode(png), image);
    }
}

void TestPngEncoder::textKeysMended_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("keyRead");
    QTest::addColumn<QString>("valueRead");
    QTest::addRow("plain") << QStringLiteral("Author") << QStringLiteral("x") << QStringLiteral("Author") << QStringLiteral("x");
    QTest::addRow("spaces around and doubled") << QStringLiteral("  Two  words ") << QStringLiteral("x")
                                               << QStringLiteral("Two words") << QStringLiteral("x");
    QTest::addRow("longer than 79") << QString(100, QLatin1Char('k')) << QStringLiteral("x")
                                    << QString(79, QLatin1Char('k')) << QStringLiteral("x");
    QTest::addRow("NUL in the text") << QStringLiteral("Comment") << QStringLiteral("a") + QChar(0) + QStringLiteral("b")
                                     << QStringLiteral("Comment") << QStringLiteral("ab");
    QTest::addRow("NUL in UTF-8 text") << QStringLiteral("Comment") << QStringLiteral("工") + QChar(0) + QStringLiteral("尺")
                                       << QStringLiteral("Comment") << QStringLiteral("工尺");
}

// A text key PNG would refuse costs the key its odd characters, never the
// page; a NUL, which would end the text for every reader, is left out.
void TestPngEncoder::textKeysMended()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, keyRead);
    QFETCH(QString, valueRead);
    QImage image = greys();
    image.setText(key, value);
    PngEncoder encoder;
    const QImage read = decode(encode(image, encoder));
    QVERIFY2(!read.isNull(), qPrintable(encoder.error()));
    QCOMPARE(read.textKeys(), keyRead.isEmpty() ? QStringList() : QStringList{keyRead});
    if (!keyRead.isEmpty())
        QCOMPARE(read.text(keyRead), valueRead);
}

void TestPngEncoder::failingDevices_data()
{
    QTest::addColumn<qint64>("room");
    QTest::addRow("nothing taken") << qint64(0);
    QTest::addRow("the header taken") << qint64(40);
    QTest::addRow("all but the end") << qint64(-1);
}

void TestPngEncoder::failingDevices()
{
    QFETCH(qint64, room);
    const QImage image = inks(200, 90);
    PngEncoder encoder;
    const QByteArray whole = encode(image, encoder);
    QVERIFY(!whole.isEmpty());
    ShortDevice device(room < 0 ? whole.size() - 1 : room);
    QVERIFY(!encoder.write(image, &device));
    QVERIFY(!encoder.error().isEmpty());

    // The encoder works again after a failure.
    QCOMPARE(encode(image, encoder), whole);
    QVERIFY(encoder.error().isEmpty());

    QBuffer closed;
    QVERIFY(!encoder.write(image, &closed));
    QVERIFY(!encoder.write(QImage(), &device));
}

QTEST_MAIN(TestPngEncoder)
#include "tst_pngencoder.moc"
