#ifndef RELAYOUT_H
#define RELAYOUT_H

#include "exportentry.h"
#include "pagemodel.h"
#include "pagestart.h"
#include "scorelayout.h"

#include <QList>
#include <QPair>

#include <memory>

// Lays a score out again after its entries changed, from the page on which
// the first changed entry began, and takes over the old pages from the first
// later page that starts with an unchanged entry in the same state as the
// last layout started it. A relayout can stop once a given page is complete
// and go on later, and a second change can come while one is under way.
class Relayout
{
public:
    explicit Relayout(ScoreLayout &layout);
    ~Relayout();

    // See ScoreLayout::relayout(); change may be null. previousCount is the
    // number of entries of the last call: with a change, the layout's own
    // entries may be the ones passed, already brought up to date in place.
    QPair<int, int> from(const QList<ExportEntry> &entries, const ScoreLayout::EntryChange *change, int untilPage,
                         int previousCount);
    QPair<int, int> continueLayout(int untilPage);
    bool isUnderWay() const { return bool(m_resume); }
    void cancel() { m_resume.reset(); }

private:
    // What a relayout needs to know of the layout before it until it
    // meets it.
    struct Resume
    {
        // The last complete layout: how many entries it had, and its pages
        // and page starts from the page the relayout started again on.
        int oldCount = 0;
        ScoreLayout::OldPages old;
        // The state after the last entry.
        PageStart oldEnd;
        // How many entries the change added (or, negative, removed).
        int delta = 0;
        // The first entry of the unchanged tail.
        int tailStart = 0;
        // The first new page, and the page the layout started again on.
        int first = 0;
        int restartedAt = 0;
    };

    // A change while a first layout is still under way.
    QPair<int, int> duringFirstLayout(const QList<ExportEntry> &entries, const ScoreLayout::EntryChange *change,
                                      int untilPage);
    // A relayout while another one is under way.
    QPair<int, int> again(const QList<ExportEntry> &entries, const ScoreLayout::EntryChange *change, int untilPage,
                          int previousCount);
    // Where the old pages from `page` on can be taken over: the index of
    // the old page start that matches the state now, or -1.
    int matchingOldStart() const;
    // Appends the pages of a last layout from page `from` on, whose start
    // matches the state now; their entries move by delta. The old pages are
    // taken over, not copied.
    void spliceOldPages(ScoreLayout::OldPages &&old, int from, int delta);

    ScoreLayout &m_layout;
    std::unique_ptr<Resume> m_resume;
};

#endif // RELAYOUT_H
