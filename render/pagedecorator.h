#ifndef PAGEDECORATOR_H
#define PAGEDECORATOR_H

#include <QList>
#include <QString>

class ExportConfig;
struct ScorePage;

// Fills in what the export options add around the score of a laid-out page:
// a frame around the content area, rules between its columns and the page's
// number at its foot. Every path that shows pages (the SVG pages and the
// writers built on them, the printer, the live view) decorates the layout's
// pages with it, so that all of them show the same page. Nothing it adds
// touches the ink of the score: a line that would cross ink breaks around
// it, and a number that finds no room is left out.
class PageDecorator
{
public:
    // Decorates every page, numbered from 1.
    static void decorate(QList<ScorePage> &pages, const ExportConfig &config);
    // Decorates page `index` (from 0) of a score, replacing what it had.
    static void decorate(ScorePage &page, int index, const ExportConfig &config);
    static ScorePage decorated(const ScorePage &page, int index, const ExportConfig &config);

    // The text that numbers a page.
    static QString numberText(int number);

    // The widths of the frame and of the rules, in points.
    static const double frameWidth;
    static const double ruleWidth;
    // The least room every part keeps from ink, in points.
    static const double clearance;
    // How far left of a column boundary its rule stands.
    static double ruleInset(const ExportConfig &config);
};

#endif // PAGEDECORATOR_H
