// A page handed to the PNG encoder in a more compact pixel format must read
// back as exactly the pixels painted: every colour, every alpha, whatever
// format was chosen.

#include "compactpixels.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTest>

namespace {

// Black ink on a clear page: the text's edges are black at every alpha.
QImage inkOnClear()
{
    QImage page(300, 120, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(QFont(QStringLiteral("Sans"), 28));
    painter.drawText(page.rect(), Qt::AlignCenter, QStringLiteral("工尺 Ag"));
    painter.drawEllipse(QRectF(10.3, 10.7, 50, 30));
    painter.end();
    return page.convertToFormat(QImage::Format_ARGB32);
}

// Ink of two colours on white: more than 256 colours at the blended edges.
QImage inksOnWhite(bool opaque)
{
    QImage page(300, 120, QImage::Format_ARGB32_Premultiplied);
    page.fill(opaque ? QColor(Qt::white) : QColor(Qt::transparent));
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(QFont(QStringLiteral("Sans"), 28));
    painter.drawText(page.rect(), Qt::AlignLeft, QStringLiteral("工尺 Ag"));
    painter.setPen(QPen(QColor(0xff, 0x4c, 0x00), 3));
    painter.setBrush(QColor(40, 90, 200, 128));
    for (int i = 0; i < 12; ++i)
        painter.drawEllipse(QRectF(5.3 + i * 23.1, 40.7, 21.5, 60.2));
    painter.end();
    return page.convertToFormat(QImage::Format_ARGB32);
}

// An opaque page in greys: black ink on white.
QImage greyPage()
{
    QImage page(300, 120, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(QFont(QStringLiteral("Sans"), 28));
    painter.drawText(page.rect(), Qt::AlignCenter, QStringLiteral("工尺 Ag"));
    painter.end();
    return page.convertToFormat(QImage::Format_ARGB32);
}

// Exactly `count` colours, each a different alpha of a different red.
QImage colours(int count)
{
    QImage image(count, 3, QImage::Format_ARGB32);
    for (int x = 0; x < count; ++x) {
        for (int y = 0; y < 3; ++y)
            image.setPixel(x, y, qRgba(x % 256, x / 256, 7, 255 - x % 256));
    }
    return image;
}

// An opaque page stored as RGB32 whose unused byte is not 0xff.
QImage rgb32WithStrayBytes()
{
    QImage image = inksOnWhite(true).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = (row[x] & 0x00ffffffu) | (uint((x * 7 + y) & 0xff) << 24);
    }
    return image;
}

// Opaque greys but for one pixel whose channel or alpha is a step off.
QImage offGrey(QRgb odd, int x = 7)
{
    QImage image(9, 2, QImage::Format_ARGB32);
    for (int x = 0; x < 9; ++x) {
        image.setPixel(x, 0, qRgb(x * 30, x * 30, x * 30));
        image.setPixel(x, 1, qRgb(255 - x, 255 - x, 255 - x));
    }
    image.setPixel(x, 1, odd);
    return image;
}

QImage pngRoundTrip(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(31);
    if (!writer.write(image))
        return QImage();
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "png").read();
}

} // namespace

class TestCompactPixels : public QObject
{
    Q_OBJECT

private slots:
    void samePixelsReadBack_data();
    void samePixelsReadBack();
    void othersLeftAlone();
    void opaqueOnlyWithoutAClearPixel();
    void packedInPlaceForTheSameJpeg_data();
    void packedInPlaceForTheSameJpeg();
};

void TestCompactPixels::samePixelsReadBack_data()
{
    QTest::addColumn<QImage>("page");
    QTest::addColumn<QImage::Format>("format");
    QTest::addRow("black ink on a clear page") << inkOnClear() << QImage::Format_Indexed8;
    QTest::addRow("grey opaque page") << greyPage() << QImage::Format_Grayscale8;
    QTest::addRow("coloured opaque page") << inksOnWhite(true) << QImage::Format_RGB32;
    QTest::addRow("coloured clear page") << inksOnWhite(false) << QImage::Format_ARGB32;
    QTest::addRow("256 colours") << colours(256) << QImage::Format_Indexed8;
    QTest::addRow("257 colours") << colours(257) << QImage::Format_ARGB32;
    QTest::addRow("one pixel") << colours(1) << QImage::Format_Indexed8;
    QImage clear(40, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QTest::addRow("nothing painted") << clear << QImage::Format_Indexed8;
    QImage white(40, 40, QImage::Format_ARGB32);
    white.fill(Qt::white);
    QTest::addRow("white page") << white << QImage::Format_Grayscale8;
    QTest::addRow("greys but one pixel's red") << offGrey(qRgb(129, 128, 128)) << QImage::Format_Indexed8;
    QTest::addRow("greys but one pixel's green") << offGrey(qRgb(128, 129, 128)) << QImage::Format_Indexed8;
    QTest::addRow("greys but one pixel's blue") << offGrey(qRgb(128, 128, 129)) << QImage::Format_Indexed8;
    QTest::addRow("greys but the last pixel's blue") << offGrey(qRgb(128, 128, 129), 8) << QImage::Format_Indexed8;
    QTest::addRow("greys but the first pixel's red") << offGrey(qRgb(129, 128, 128), 0) << QImage::Format_Indexed8;
    QTest::addRow("greys but the last pixel not opaque") << offGrey(qRgba(128, 128, 128, 254), 8) << QImage::Format_Indexed8;
    QTest::addRow("RGB32 with stray unused bytes") << rgb32WithStrayBytes() << QImage::Format_RGB32;
    // An opaque page with paper comes marked RGB32.
    QTest::addRow("grey page in RGB32") << greyPage().convertToFormat(QImage::Format_RGB32) << QImage::Format_Grayscale8;
    QTest::addRow("RGB32 greys but the last pixel's blue")
        << offGrey(qRgb(128, 128, 129), 8).convertToFormat(QImage::Format_RGB32) << QImage::Format_Indexed8;
}

void TestCompactPixels::samePixelsReadBack()
{
    QFETCH(QImage, page);
    QFETCH(QImage::Format, format);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    const QImage compacted = CompactPixels::compact(page);
    QCOMPARE(compacted.format(), format);
    QCOMPARE(compacted.size(), page.size());
    QCOMPARE(compacted.dotsPerMeterX(), 11811);

    // RGB32 leaves its top byte undefined: what it shows is opaque.
    const QImage shown = page.format() == QImage::Format_RGB32 ? page.convertToFormat(QImage::Format_ARGB32) : page;
    QCOMPARE(compacted.convertToFormat(QImage::Format_ARGB32), shown);
    const QImage read = pngRoundTrip(compacted);
    QVERIFY(!read.isNull());
    QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), shown);
}

void TestCompactPixels::othersLeftAlone()
{
    // Formats the writer never hands over are passed through untouched.
    QImage premultiplied(10, 10, QImage::Format_ARGB32_Premultiplied);
    premultiplied.fill(Qt::white);
    QCOMPARE(CompactPixels::compact(premultiplied).format(), QImage::Format_ARGB32_Premultiplied);
    QVERIFY(CompactPixels::compact(QImage()).isNull());
}

void TestCompactPixels::opaqueOnlyWithoutAClearPixel()
{
    // One pixel a step short of opaque, wherever it is in rows of any
    // length, makes the image not opaque, premultiplied or not.
    for (const QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (int width = 1; width <= 9; ++width) {
            QImage image(width, 2, format);
            image.fill(QColor(200, 100, 50));
            QVERIFY(CompactPixels::isOpaque(image));
            for (int x = 0; x < width; ++x) {
                QImage odd = image;
                odd.setPixelColor(x, 1, QColor(200, 100, 50, 254));
                QVERIFY2(!CompactPixels::isOpaque(odd), qPrintable(QStringLiteral("width %1, x %2").arg(width).arg(x)));
            }
        }
    }
    QVERIFY(CompactPixels::isOpaque(QImage(3, 3, QImage::Format_RGB32)));
    QVERIFY(!CompactPixels::isOpaque(QImage(3, 3, QImage::Format_RGBA8888)));
}

void TestCompactPixels::packedInPlaceForTheSameJpeg_data()
{
    QTest::addColumn<QImage>("page");
    QTest::addRow("premultiplied page with paper") << inksOnWhite(true).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QTest::addRow("clear page") << inksOnWhite(false);
    QTest::addRow("RGB32 with stray unused bytes") << rgb32WithStrayBytes();
    // Rows of one to three pixels past the last whole four.
    for (const int width : {1, 2, 3, 5, 7, 297})
        QTest::addRow("%d wide", width) << inksOnWhite(true).copy(3, 0, width, 120);
}

// Qt's JPEG writer makes the same file of the packed page as of the page.
void TestCompactPixels::packedInPlaceForTheSameJpeg()
{
    QFETCH(QImage, page);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    const auto jpeg = [](const QImage &image) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpg");
        writer.setQuality(100);
        return writer.write(image) ? buffer.data() : QByteArray();
    };
    const QByteArray expected = jpeg(page);
    QVERIFY(!expected.isEmpty());
    QImage canvas = page.copy();
    const QImage packed = CompactPixels::rgbInPlace(canvas);
    QCOMPARE(packed.format(), QImage::Format_RGB888);
    QCOMPARE(packed.constBits(), canvas.constBits());
    QCOMPARE(packed.dotsPerMeterX(), 11811);
    QCOMPARE(jpeg(packed), expected);
}

QTEST_MAIN(TestCompactPixels)
#include "tst_compactpixels.moc"
