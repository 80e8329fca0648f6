#ifndef EXPORTENTRYCACHE_H
#define EXPORTENTRYCACHE_H

#include "exportentry.h"

#include <QList>
#include <QMetaObject>

class ScoreDocument;
class QTextDocument;

// The export entries of a document kept in step with its edits: a change
// rebuilds only the entries of the lyric lines it touched and of the lines
// whose sung characters own the score lines it touched, so that bringing
// them up to date after a keystroke costs the same in a short scene and in
// a whole play.
//
// The documents say where they changed (contentsChange); a document that
// cannot say so (one without a layout) has every entry rebuilt.
class ExportEntryCache
{
public:
    // Which entries an update replaced: the old entries first .. oldEnd - 1
    // became the new entries first .. end - 1; those before first and from
    // oldEnd (now end) on are as they were. first == end == oldEnd when
    // nothing changed.
    struct Change
    {
        int first = 0;
        int end = 0;
        int oldEnd = 0;

        bool isEmpty() const { return first == end && end == oldEnd; }
        // How many entries at the end are as they were.
        int unchangedTail(int size) const { return size - end; }
    };

    // The document must outlive the cache. The entries are built at the
    // first update.
    explicit ExportEntryCache(const ScoreDocument *document);
    ~ExportEntryCache();

    ExportEntryCache(const ExportEntryCache &) = delete;
    ExportEntryCache &operator=(const ExportEntryCache &) = delete;

    // Brings the entries up to date with the document. Not to be called
    // while an edit block of either text is open.
    Change update();
    const QList<ExportEntry> &entries() const { return m_entries; }

private:
    // Lines of one text changed since the last update, as a range of lines
    // as they are now; every line after it is an old line moved by the
    // change in the text's line count.
    struct Dirty
    {
        const QTextDocument *text = nullptr;
        QMetaObject::Connection change;
        QMetaObject::Connection changed;
        bool reported = false;
        bool whole = false;
        int first = -1;
        int end = -1;
        // The line count when the last change was recorded.
        int lines = 0;
        // The line count at the last update.
        int linesAtUpdate = 0;

        bool isEmpty() const { return first < 0; }
        void connect(const QTextDocument *document);
        void disconnect();
        void record(int position, int charsAdded);
        void reset();
    };

    Change rebuildAll();

    const ScoreDocument *m_document;
    Dirty m_lyric;
    Dirty m_score;
    bool m_built = false;
    // The sung characters at the last update.
    int m_sungAtUpdate = 0;
    QList<ExportEntry> m_entries;
};

#endif // EXPORTENTRYCACHE_H
