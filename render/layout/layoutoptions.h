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
    // The step from one column to the next: the columns a page holds share
    // out the content's width, so that no strip is left empty at its left.
    int columnPitch = 0;
    // The clear space kept at the right of each column, so that the
    // notation of one column never runs up against the characters of the
    // next, and a rule between them stands unbroken: a quarter of a
    // character at least.
    int gutter = 0;
    // A run turned further from the upright than this lies on its side and
    // leans into the next character.
    static constexpr int steepestAngle = 60;
    // The angle of the notation runs, and the turn it makes.
    int angle = 0;
    QTransform turn;
    QTransform turnBack;
    // The space above each sung or spoken character: never below zero,
    // which would lay characters on one another and hang runs beside the
    // wrong character.
    int lyricSpace = 0;
    int scoreSpace = 0;
    int banYanSpace = 0;
    int lyricScoreSpace = 0;
    int scoreBanYanSpace = 0;
    // The width of a lianbai sub-column, 0 for one sub-column as wide as the
    // font's glyphs; never narrower than them.
    int subColumnWidth = 0;
    // Where a notation run starts from its character's top-left corner.
    QPoint scoreOrigin;

    QStringList warnings;

    static LayoutOptions resolve(const ExportConfig &config);
    // Why the options cannot be laid out at all (margins that leave the page
    // no room for a character), or an empty string. Every page would hold a
    // sliver of one glyph, so the export is refused instead.
    static QString refusal(const ExportConfig &config);

private:
    static LayoutOptions resolveSize(const ExportConfig &config);
    void resolveAngle(const ExportConfig &config);
    void resolveSpacings(const ExportConfig &config);
    void resolveColumn(const ExportConfig &config);
};

#endif // LAYOUTOPTIONS_H
