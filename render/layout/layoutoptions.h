#ifndef LAYOUTOPTIONS_H
#define LAYOUTOPTIONS_H

#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QTransform>

class ExportConfig;

// The export options as a layout uses them: read once when it starts, and
// clamped where the page cannot honour them, with a warning for each that
// the export passes on to the user.
struct LayoutOptions
{
    // Page width and height in points, swapped for landscape, and the page
    // less its margins.
    QSize pageSize;
    QSize contentSize;

    int columnWidth = 0;
    // The angle of the notation runs, and the turn it makes.
    int angle = 0;
    QTransform turn;
    QTransform turnBack;
    int scoreSpace = 0;
    int banYanSpace = 0;
    int lyricScoreSpace = 0;
    int scoreBanYanSpace = 0;
    // Where a notation run starts from its character's top-left corner.
    QPoint scoreOrigin;

    QStringList warnings;

    static LayoutOptions resolve(const ExportConfig &config);

private:
    void resolveAngle(const ExportConfig &config);
    void resolveSpacings(const ExportConfig &config);
    void resolveColumn(const ExportConfig &config);
};

#endif // LAYOUTOPTIONS_H
