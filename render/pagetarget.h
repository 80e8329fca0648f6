#ifndef PAGETARGET_H
#define PAGETARGET_H

class QPainter;

// A paint device that takes the pages of a rendering one after another in
// place of the renderer's own SVG pages: the PDF writer paints the score
// straight onto its pages this way, so that the text stays text.
class PageTarget
{
public:
    virtual ~PageTarget() = default;

    // Makes page index (from 0) current and the painter active on it, with
    // one unit per point; false when the page cannot be had.
    virtual bool beginPage(QPainter &painter, int index) = 0;
    // The page is painted.
    virtual void endPage(QPainter &painter, int index) = 0;
    // The last page is painted; the painter is to be ended.
    virtual bool finish(QPainter &painter) = 0;
};

#endif // PAGETARGET_H
