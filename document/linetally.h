#ifndef LINETALLY_H
#define LINETALLY_H

#include <QMetaObject>
#include <QVector>

#include <functional>
#include <vector>

class QString;
class QTextDocument;

// Keeps, for every line of a text document, how many things of one kind it
// holds (lyric characters, beat marks), and answers running totals over the
// lines: how many stand up to a line, and on which line the n-th stands.
//
// A change of the document recounts only the lines it touched. The counts
// are kept in runs of a few hundred lines, each with its sum, so that a line
// inserted or removed moves the counts of one run only, and a running total
// adds up run sums: a keystroke, even one that adds a line, costs about the
// same in a short scene and in a whole play.
//
// A document reports changes only when its outermost edit block closes. A
// question asked inside an open block finds the document's size changed and
// recounts every line, and the change reported when the block closes then
// recounts every line again; callers must not ask from inside an open edit
// block that replaced text by text of the same length.
class LineTally
{
public:
    using Counter = std::function<int(const QString &line)>;

    LineTally(const QTextDocument *document, Counter counter);
    ~LineTally();

    LineTally(const LineTally &) = delete;
    LineTally &operator=(const LineTally &) = delete;

    const QTextDocument *document() const { return m_document; }

    // The count over the whole document.
    int total() const;
    // The count of one line; 0 outside the document.
    int countOf(int line) const;
    // The count over lines 0 .. line; 0 for line < 0.
    int countThrough(int line) const;
    // The first line whose running total reaches n (n >= 1); -1 if none.
    int lineReaching(int n) const;

private:
    void ensureCounts() const;
    void recountAll() const;
    void contentsChanged(int position, int charsAdded);
    // Recounts lines first .. last - 1, which stood as first .. oldLast - 1.
    void recountLines(int first, int last, int oldLast) const;

    // Consecutive lines' counts, with their sum.
    struct Run
    {
        QVector<int> counts;
        int sum = 0;
    };
    // Where a line stands: its run (m_runs.size() past the last line), its
    // place in that run, and the lines and the count before the run.
    struct Place
    {
        int run = 0;
        int offset = 0;
        int linesBefore = 0;
        int countBefore = 0;
    };
    Place place(int line) const;
    void eraseLines(int first, int count) const;
    void insertLines(int first, const QVector<int> &counts) const;

    const QTextDocument *m_document;
    Counter m_counter;
    QMetaObject::Connection m_changeConnection;
    QMetaObject::Connection m_changedConnection;
    // Where the last change was is known: set by contentsChange, which
    // comes just before contentsChanged when the document has a layout.
    bool m_changeReported = false;

    // Empty while stale; never holds an empty run.
    mutable std::vector<Run> m_runs;
    mutable int m_total = 0;
    mutable int m_blockCount = -1;
    mutable int m_characterCount = -1;
    // Counted from the document while an edit block was open: the change it
    // reports when it closes is no longer relative to the kept counts.
    mutable bool m_countedInsideEdit = false;
};

#endif // LINETALLY_H
