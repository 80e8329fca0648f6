#ifndef PAGECOMPARE_H
#define PAGECOMPARE_H

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

// Helpers for comparing exported pages: the poppler and librsvg tools, and
// a comparison of two pictures of one page.

// Runs a program of the poppler or librsvg tools; its standard output.
inline QByteArray runTool(const QString &program, const QStringList &arguments, int *exitCode = nullptr,
                          const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return QByteArray();
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

// The largest difference of grey between two pictures of one page, compared
// in blocks of six pixels so that the two rasterisers' antialiasing and a
// pixel of rounding do not count, a missing mark does.
inline int largestBlockDifference(const QImage &a, const QImage &b)
{
    const QSize blocks(a.width() / 6, a.height() / 6);
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8).scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.convertToFormat(QImage::Format_Grayscale8).scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int largest = 0;
    for (int row = 0; row < blocks.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (int col = 0; col < blocks.width(); ++col)
            largest = qMax(largest, qAbs(int(p[col]) - int(q[col])));
    }
    return largest;
}

// The bounding box of the ink.
inline QRect inkBox(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    QRect box;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            if (line[x] < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

#endif // PAGECOMPARE_H
