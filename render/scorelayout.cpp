#include "scorelayout.h"

#include "exportconfig.h"
#include "linegrammar.h"
#include "notation.h"
#include "verticaltext.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QVarLengthArray>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <climits>
#include <limits>
#include <memory>

const QString ScoreLayout::defaultTitle = QStringLiteral("Qelun工尺谱导出曲谱");

namespace {

// A file-name-friendly title: the Chinese characters and spaces of a text,
// without the space that follows a line's marker.
QString titleFrom(QStringView text)
{
    QString chars;
    for (QChar c : text) {
        if (isLyricChar(c))
            chars.append(c);
    }
    return chars.trimmed();
}

// Where the text of a marker line starts: after the marker and the white
// space that trimming the rest would drop.
int passageStart(const QString &text)
{
    int start = 1;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    return start;
}

// The air kept between a glyph and ink set before it, down the column.
constexpr qreal inkGap = 1.0;
// Within a run, enough to keep glyphs apart once their cells are rounded.
constexpr qreal runGap = 0.75;
// The notation runs a layout keeps for the next time their notation comes:
// more than a long score holds different ones.
constexpr int maxKeptRuns = 8192;

qreal polygonArea(const QPolygonF &p)
{
    qreal a = 0;
    for (int i = 0; i + 1 < p.size(); ++i)
        a += p.at(i).x() * p.at(i + 1).y() - p.at(i + 1).x() * p.at(i).y();
    if (p.size() > 2 && p.first() != p.last())
        a += p.last().x() * p.first().y() - p.first().x() * p.last().y();
    return std::abs(a) / 2;
}

// The area two convex polygons share: the first clipped by each edge of the
// second in turn.
qreal convexOverlapArea(const QPolygonF &subject, const QPolygonF &clip)
{
    const auto corners = [](const QPolygonF &p) {
        int n = int(p.size());
        if (n > 1 && p.first() == p.last())
            --n;
        return n;
    };
    const int clipCount = corners(clip);
    if (clipCount < 3)
        return 0;
    qreal turn = 0;
    for (int i = 0; i < clipCount; ++i) {
        const QPointF a = clip.at(i);
        const QPointF b = clip.at((i + 1) % clipCount);
        turn += a.x() * b.y() - b.x() * a.y();
    }
    const qreal side = turn < 0 ? -1 : 1;
    QVarLengthArray<QPointF, 16> out(subject.constBegin(), subject.constBegin() + corners(subject));
    QVarLengthArray<QPointF, 16> in;
    for (int e = 0; e < clipCount && !out.isEmpty(); ++e) {
        const QPointF c1 = clip.at(e);
        const QPointF c2 = clip.at((e + 1) % clipCount);
        const QPointF edge = c2 - c1;
        const auto distance = [&](const QPointF &p) {
            return side * (edge.x() * (p.y() - c1.y()) - edge.y() * (p.x() - c1.x()));
        };
        in = out;
        out.clear();
        for (int i = 0; i < in.size(); ++i) {
            const QPointF cur = in.at(i);
            const QPointF prev = in.at((i + in.size() - 1) % in.size());
            const qreal dc = distance(cur);
            const qreal dp = distance(prev);
            if ((dc >= 0) != (dp >= 0))
                out.append(prev + (cur - prev) * (dp / (dp - dc)));
            if (dc >= 0)
                out.append(cur);
        }
    }
    if (out.size() < 3)
        return 0;
    qreal a = 0;
    for (int i = 0; i < out.size(); ++i) {
        const QPointF p = out.at(i);
        const QPointF q = out.at((i + 1) % out.size());
        a += p.x() * q.y() - q.x() * p.y();
    }
    return std::abs(a) / 2;
}

// A text of one or two UTF-16 units (a character, or a glyph of the
// notation font) as a number, the units and how many there are: hashing it
// costs far less than hashing the string. 0 for any longer text.
quint64 unitKey(QStringView text)
{
    switch (text.size()) {
    case 1:
        return (quint64(1) << 32) | text.at(0).unicode();
    case 2:
        return (quint64(2) << 32) | (quint32(text.at(0).unicode()) << 16) | text.at(1).unicode();
    default:
        return 0;
    }
}

} // namespace

// The ink of a font's characters in fractional points, measured once per
// character: a score repeats few characters many times.
struct ScoreLayout::FontInk
{
    struct Glyph
    {
        QRectF tight;
        qreal advance = 0;
    };

    explicit FontInk(const QFont &font)
        : metrics(ExportConfig::pageFontMetricsF(font))
        , ascent(metrics.ascent())
        , lineHeight(metrics.ascent() + metrics.descent())
    {
    }

    const Glyph &glyph(const QString &text) const
    {
        const quint64 key = unitKey(text);
        if (key == 0) {
            auto found = longer.constFind(text);
            if (found == longer.constEnd())
                found = longer.insert(text, measure(text));
            return *found;
        }
        auto found = glyphs.constFind(key);
        if (found == glyphs.constEnd())
            found = glyphs.insert(key, measure(text));
        return *found;
    }

    Glyph measure(const QString &text) const
    {
        return {metrics.tightBoundingRect(text), metrics.horizontalAdvance(text)};
    }

    QFontMetricsF metrics;
    qreal ascent;
    qreal lineHeight;
    mutable QHash<quint64, Glyph> glyphs;
    mutable QHash<QString, Glyph> longer;
};

namespace {

// The whole-point tight box of the characters of a font, as the cached
// metrics of the options give it, measured once per character.
class TightBoxes
{
public:
    QRect operator()(const QFontMetrics &metrics, const QString &text) const
    {
        const quint64 key = unitKey(text);
        if (key == 0)
            return metrics.tightBoundingRect(text);
        auto found = m_boxes.constFind(key);
        if (found == m_boxes.constEnd())
            found = m_boxes.insert(key, metrics.tightBoundingRect(text));
        return *found;
    }

private:
    mutable QHash<quint64, QRect> m_boxes;
};

} // namespace

// The ink measures of the configured fonts, and the frame of the current run.
struct ScoreLayout::InkMetrics
{
    explicit InkMetrics(const ExportConfig &c)
        : title(c.titleFont())
        , lyric(c.lyricFont())
        , score(c.scoreFont())
        , quPai(c.quPaiFont())
        , diaoMing(c.diaoMingFont())
        , lianBai(c.lianBaiFont())
        , jiaBai(c.jiaBaiFont())
    {
    }
    FontInk title, lyric, score, quPai, diaoMing, lianBai, jiaBai;
    // The whole-point boxes of the notation glyphs and of the sung
    // characters, which size their cells.
    TightBoxes scoreBoxes, lyricBoxes;
    // The notation runs laid out so far, by their notation.
    mutable QHash<QString, ScoreRun> runs;
    QTransform frame;

    // The ink of a font the options do not name (a title set smaller).
    const FontInk &fontInk(const QFont &font) const
    {
        const QString key = font.key();
        auto found = others.constFind(key);
        if (found == others.constEnd())
            found = others.insert(key, std::make_shared<FontInk>(font));
        return **found;
    }
    mutable QHash<QString, std::shared_ptr<FontInk>> others;
};

ScoreLayout::ScoreLayout(const ExportConfig &config)
    : m_config(&config)
{
    resolveOptions();
}

// What a relayout needs to know of the layout before it until it meets it.
struct ScoreLayout::Resume
{
    // The last complete layout: its entries, pages and page starts.
    QList<ExportEntry> oldEntries;
    QList<ScorePage> oldPages;
    QList<PageStart> oldStarts;
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

ScoreLayout::~ScoreLayout() = default;

QSize ScoreLayout::pageSize() const
{
    const int w = m_config->pageWidth();
    const int h = m_config->pageHeight();
    return m_config->isLandscape() ? QSize(h, w) : QSize(w, h);
}

QSize ScoreLayout::contentSize() const
{
    const QSize page = pageSize();
    return QSize(page.width() - m_config->marginLeft() - m_config->marginRight(),
                 page.height() - m_config->marginTop() - m_config->marginBottom());
}

const ScoreLayout::InkMetrics &ScoreLayout::ink() const
{
    if (!m_ink)
        m_ink = std::make_unique<InkMetrics>(*m_config);
    return *m_ink;
}

void ScoreLayout::start(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle)
{
    // The options may have changed since the last layout.
    m_ink = std::make_unique<InkMetrics>(*m_config);
    resolveOptions();
    m_column.clear();
    m_entries = entries;
    m_preview = preview;
    m_resume.reset();
    m_nextEntry = 0;
    m_entry = -1;
    m_pages.clear();
    m_pageStarts.clear();
    m_documentTitle = documentTitle;
    m_font = QFont();
    m_runMetrics = nullptr;
    newPage();
    m_pages.last().title = defaultTitle;
    newColumn();
}

void ScoreLayout::layout(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle)
{
    start(entries, preview, documentTitle);
    while (layoutNext()) {
    }
}

bool ScoreLayout::layoutNext()
{
    if (m_nextEntry >= m_entries.size())
        return false;
    if (m_preview && m_pages.size() > 1)
        return false;
    const int page = int(m_pages.size()) - 1;
    if (m_pageStarts.size() <= page) {
        // The first entry that starts on this page: its state is where a
        // layout can start again.
        const PageStart start = currentStart();
        // A page on which no entry starts (one entry filled it) shares the
        // start of the page before it.
        while (m_pageStarts.size() < page)
            m_pageStarts.append(m_pageStarts.isEmpty() ? start : m_pageStarts.last());
        m_pageStarts.append(start);
    }
    m_entry = m_nextEntry++;
    layoutEntry(m_entries.at(m_entry));
    if (m_nextEntry >= m_entries.size())
        trimTrailingPage();
    return true;
}

int ScoreLayout::pageOfEntry(int entry) const
{
    int page = 0;
    for (int p = 0; p < m_pageStarts.size(); ++p) {
        if (m_pageStarts.at(p).entry <= entry)
            page = p;
        else
            break;
    }
    return page;
}

void ScoreLayout::restartAtPage(const QList<ExportEntry> &entries, int page)
{
    m_resume.reset();
    if (m_pageStarts.isEmpty()) {
        start(entries, m_preview, m_documentTitle);
        return;
    }
    page = qBound(0, page, int(m_pageStarts.size()) - 1);
    // A page that shares the start of an earlier one starts there.
    while (page > 0 && m_pageStarts.at(page - 1).entry == m_pageStarts.at(page).entry)
        --page;
    const PageStart start = m_pageStarts.at(page);
    m_entries = entries;
    m_pages.erase(m_pages.begin() + page + 1, m_pages.end());
    m_pageStarts.erase(m_pageStarts.begin() + page, m_pageStarts.end());
    ScorePage &current = m_pages.last();
    current.runs.erase(current.runs.begin() + start.runs, current.runs.end());
    current.title = start.pageTitle;
    m_cursorX = start.cursorX;
    m_cursorY = start.cursorY;
    m_documentTitle = start.documentTitle;
    m_font = start.font;
    m_column = start.column;
    m_runMetrics = nullptr;
    m_nextEntry = start.entry;
    m_entry = -1;
}

void ScoreLayout::layoutEntry(const ExportEntry &entry)
{
    switch (static_cast<LineType>(entry.type)) {
    case LineType::Title:
        m_documentTitle = titleFrom(entry.text);
        setPageTitle(m_documentTitle);
        renderTitle(entry.text);
        break;
    case LineType::JiaBai:
        renderJiaBai(entry.text);
        break;
    case LineType::LianBai:
        renderLianBai(entry.text);
        break;
    case LineType::QuPai:
        if (m_documentTitle.isEmpty()) {
            m_documentTitle = titleFrom(tuneName(entry.text));
            setPageTitle(m_documentTitle);
        }
        renderQuPai(entry.text);
        break;
    case LineType::LineBreak:
        newColumn();
        break;
    case LineType::PageBreak:
        // A page that nothing was drawn on since a column filled the page
        // before it is the new page already (only a leading break asks for
        // an empty first page).
        if (m_pages.size() > 1 && currentPageIsBlank()) {
            m_cursorX = 0;
            m_column.clear();
            newColumn();
            break;
        }
        newPage();
        // A page begun by a break starts with the painter's own font.
        m_font = QFont();
        m_runMetrics = nullptr;
        newColumn();
        break;
    case LineType::Lyric:
        renderLyricLine(entry.text, entry.scores);
        break;
    default:
        break;
    }
}

void ScoreLayout::newPage()
{
    ScorePage page;
    page.size = pageSize();
    page.contentOrigin = QPoint(page.size.width() - m_config->marginRight(), m_config->marginTop());
    if (!m_config->isBgTransparent())
        page.background = m_config->backgroundColor();
    m_pages.append(page);
    m_column.clear();
    m_cursorX = 0;
    m_cursorY = 0;
}

void ScoreLayout::setPageTitle(const QString &title)
{
    if (!m_pages.isEmpty())
        m_pages.last().title = title;
}

void ScoreLayout::newColumn()
{
    m_column.clear();
    ++m_columnCount;
    m_cursorY = 0;
    m_cursorX -= m_columnWidth;
    const int contentWidth = contentSize().width();
    if (m_cursorX >= -contentWidth)
        return;
    // The first column of a page stays on it, even where the content is
    // narrower than a column: a further page would do no better. Nor is a
    // page left behind that nothing was drawn on.
    if (m_cursorX == -m_columnWidth)
        return;
    if (currentPageIsBlank()) {
        m_cursorX = -m_columnWidth;
        return;
    }

    newPage();
    newColumn();
    // The drawer that crossed the page goes on in its font.
    const FontInk *metrics = m_runMetrics;
    beginRun(m_font, metrics);
}

bool ScoreLayout::currentPageIsBlank() const
{
    if (m_pages.isEmpty())
        return false;
    for (const PageRun &run : m_pages.last().runs) {
        for (const PageItem &item : run.items) {
            if (!item.frameInk.isEmpty())
                return false;
        }
    }
    return true;
}

void ScoreLayout::trimTrailingPage()
{
    // A last column that filled its page, or a closing break, leaves a page
    // that nothing is drawn on.
    if (m_pages.size() > 1 && currentPageIsBlank()) {
        m_pages.removeLast();
        while (m_pageStarts.size() > m_pages.size())
            m_pageStarts.removeLast();
    }
}

void ScoreLayout::resolveOptions()
{
    const ExportConfig &c = *m_config;
    m_warnings.clear();
    const QSize content = contentSize();
    const QFontMetrics lm = c.lyricFontMetrics();
    const QFontMetrics sm = c.scoreFontMetrics();

    // A run turned past the upright would read upward.
    int angle = c.scoreAngle() % 360;
    if (angle > 180)
        angle -= 360;
    else if (angle <= -180)
        angle += 360;
    m_angle = qBound(-90, angle, 90);
    m_turn = QTransform().rotate(m_angle);
    m_turnBack = QTransform().rotate(-m_angle);
    if (m_angle != angle)
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "曲谱角度 %1° 会使工尺倒读，已按 %2° 排版").arg(c.scoreAngle()).arg(m_angle));

    // Spacings below zero would lay the glyphs of a run on one another.
    const auto notBelowZero = [this](int value, const QString &name) {
        if (value >= 0)
            return value;
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "%1 %2 会使工尺相互重叠，已按 0 排版").arg(name).arg(value));
        return 0;
    };
    m_scoreSpace = notBelowZero(c.scoreSpace(), QCoreApplication::translate("ScoreLayout", "工尺间距"));
    m_banYanSpace = notBelowZero(c.banYanSpace(), QCoreApplication::translate("ScoreLayout", "板眼间距"));
    m_scoreBanYanSpace = notBelowZero(c.scoreBanYanSpace(), QCoreApplication::translate("ScoreLayout", "工尺板眼间距"));
    // Marks stand beside their notes: a lane further out than a glyph's
    // width, or marks further apart than a notation line, would leave them
    // beside nothing.
    const auto notAbove = [this](int value, int most, const QString &name) {
        if (value <= most)
            return value;
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "%1 %2 会使板眼离开工尺，已按 %3 排版")
                              .arg(name)
                              .arg(value)
                              .arg(most));
        return most;
    };
    m_scoreBanYanSpace = notAbove(m_scoreBanYanSpace, sm.maxWidth(), QCoreApplication::translate("ScoreLayout", "工尺板眼间距"));
    m_banYanSpace = notAbove(m_banYanSpace, sm.height(), QCoreApplication::translate("ScoreLayout", "板眼间距"));
    m_lyricScoreSpace = c.lyricScoreSpace();
    // The notation starts in its own column, right of its character's left
    // edge (it moves clear of the character itself as it is set).
    const int leastShift = -(lm.maxWidth() - sm.maxWidth() / 2);
    if (m_lyricScoreSpace < leastShift) {
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "字与工尺间距 %1 使工尺越出本列，已按 %2 排版")
                              .arg(m_lyricScoreSpace)
                              .arg(leastShift));
        m_lyricScoreSpace = leastShift;
    }

    // A column holds a character with a note and its mark beside it, and
    // is no wider than the content.
    const int lw = lm.maxWidth();
    const int sw = sm.maxWidth();
    const int markWidth = sm.tightBoundingRect(QString::fromUcs4(U"\U000F0000")).width();
    int widest = qMax(c.quPaiFontMetrics().maxWidth() + c.diaoMingFontMetrics().maxWidth(),
                      c.titleFontMetrics().maxWidth());
    widest = qMax(widest, qMax(c.jiaBaiFontMetrics().maxWidth(), c.lianBaiFontMetrics().maxWidth()));
    const int lane = lw - sw / 2 + qMax(0, m_lyricScoreSpace) + sw + m_scoreBanYanSpace + markWidth;
    const int narrowest = qMin(content.width(), qMax(widest, lane));
    m_columnWidth = c.colWidth();
    if (m_columnWidth > content.width()) {
        m_columnWidth = qMax(1, content.width());
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "列宽 %1 超过版心宽度，已按 %2 排版").arg(c.colWidth()).arg(m_columnWidth));
    } else if (m_columnWidth < narrowest) {
        m_columnWidth = qMax(1, narrowest);
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "列宽 %1 容不下字与工尺，已按 %2 排版").arg(c.colWidth()).arg(m_columnWidth));
    }
    // The notation starts inside its column.
    const int maxShift = m_columnWidth - (lw - sw / 2 + sw + m_scoreBanYanSpace + markWidth);
    if (m_lyricScoreSpace > maxShift) {
        const int clamped = qMax(0, maxShift);
        m_warnings.append(QCoreApplication::translate("ScoreLayout", "字与工尺间距 %1 使工尺越出本列，已按 %2 排版").arg(m_lyricScoreSpace).arg(clamped));
        m_lyricScoreSpace = clamped;
    }
    // A run starts at the right edge of its character's cell, half a glyph
    // to the left and one notation line down.
    m_scoreOrigin = QPoint(lw - sw / 2 + m_lyricScoreSpace, sm.height());
}

void ScoreLayout::beginRun(const QFont &font, const FontInk *metrics)
{
    PageRun run;
    run.font = font;
    m_pages.last().runs.append(run);
    m_font = font;
    m_runMetrics = metrics;
    if (m_ink)
        m_ink->frame = QTransform::fromTranslate(m_pages.last().contentOrigin.x(),
                                                 m_pages.last().contentOrigin.y());
}

void ScoreLayout::beginRotatedRun(const QFont &font, const FontInk *metrics, QPoint origin,
                                  int rotation)
{
    PageRun run;
    run.font = font;
    run.rotated = true;
    run.origin = origin;
    run.rotation = rotation;
    m_pages.last().runs.append(run);
    // A notation run is drawn between a save and a restore: the font of the
    // sung line it stands in stays the current one.
    m_runMetrics = metrics;
    if (m_ink) {
        QTransform frame = QTransform::fromTranslate(m_pages.last().contentOrigin.x(),
                                                     m_pages.last().contentOrigin.y());
        frame.translate(origin.x(), origin.y());
        frame.rotate(rotation);
        m_ink->frame = frame;
    }
}

QRectF ScoreLayout::frameInkOf(const FontInk &metrics, const QRect &cell, int alignment, const QString &text)
{
    // The painter sets one line of text in the cell: centred or at the foot
    // by its line height, centred by its advance.
    const FontInk::Glyph &glyph = metrics.glyph(text);
    const qreal width = glyph.advance;
    const qreal height = metrics.lineHeight;
    qreal x = cell.x();
    if (alignment & Qt::AlignHCenter)
        x += (cell.width() - width) / 2;
    else if (alignment & Qt::AlignRight)
        x += cell.width() - width;
    qreal y = cell.y();
    if (alignment & Qt::AlignVCenter)
        y += (cell.height() - height) / 2;
    else if (alignment & Qt::AlignBottom)
        y += cell.height() - height;
    return glyph.tight.translated(x, y + metrics.ascent);
}

QTransform ScoreLayout::contentFrame() const
{
    const QPoint origin = m_pages.isEmpty() ? QPoint() : m_pages.last().contentOrigin;
    return QTransform::fromTranslate(origin.x(), origin.y());
}

QRect ScoreLayout::settledCell(const FontInk &metrics, const QRect &cell, int alignment, const QString &text)
{
    // A punctuation mark's cell is only as tall as its ink, but the painter
    // places the whole line box in it: the ink of an upright bracket, which
    // sits high or low in its box, would lie on the character beside it.
    // Such a cell is moved so that the ink itself is centred in it (or stands
    // on its foot, for hanging punctuation).
    if (text.size() != 1 || !VerticalText::isPunctuation(text.at(0)))
        return cell;
    const QRectF ink = frameInkOf(metrics, cell, alignment, text);
    const qreal dy = (alignment & Qt::AlignBottom) ? cell.bottom() + 1 - ink.bottom()
                                                   : QRectF(cell).center().y() - ink.center().y();
    return cell.translated(0, int(std::lround(dy)));
}

QPolygonF ScoreLayout::outlineOf(const FontInk &metrics, const QRect &cell, int alignment, const QString &text,
                                 const QTransform &frame) const
{
    return frame.map(QPolygonF(frameInkOf(metrics, settledCell(metrics, cell, alignment, text), alignment, text)));
}

void ScoreLayout::place(const QRect &cell, int alignment, const QString &text, const QColor &color,
                        ItemSource::Kind kind, int offset, int glyph)
{
    PageItem item;
    item.text = text;
    item.color = color;
    item.cell = m_runMetrics && kind != ItemSource::Kind::Notation ? settledCell(*m_runMetrics, cell, alignment, text)
                                                                   : cell;
    item.alignment = alignment;
    item.source.kind = kind;
    item.source.entry = m_entry;
    item.source.offset = offset;
    item.source.glyph = glyph;
    if (m_runMetrics && m_ink) {
        item.frameInk = frameInkOf(*m_runMetrics, item.cell, alignment, text);
        item.ink = m_ink->frame.mapRect(item.frameInk);
        // Notation is kept by the run's own layout as it is taken.
        if (kind != ItemSource::Kind::Notation && !text.trimmed().isEmpty())
            m_column.add(m_ink->frame.map(QPolygonF(item.frameInk)), m_tag);
    }
    m_pages.last().runs.last().items.append(item);
}

// ---------------------------------------------------------------------------
// Titles, tune names and spoken passages

void ScoreLayout::renderTitle(const QString &text)
{
    // A bare "#" draws nothing and takes no column.
    const QString title = text.mid(1).trimmed();
    if (title.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const int first = passageStart(text);
    const int n = int(title.size());
    const int contentHeight = contentSize().height();

    // A title longer than its column is set smaller, down to three fifths
    // of its size; a longer one still goes on in further columns.
    QFont font = c.titleFont();
    QFontMetrics fm = c.titleFontMetrics();
    if (fm.height() * n > contentHeight && contentHeight > 0) {
        const qreal size = font.pointSizeF();
        QFont smaller = font;
        smaller.setPointSizeF(size * contentHeight / (fm.height() * n));
        QFontMetrics sm = ExportConfig::pageFontMetrics(smaller);
        while (sm.height() * n > contentHeight && smaller.pointSizeF() > 1) {
            smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
            sm = ExportConfig::pageFontMetrics(smaller);
        }
        if (smaller.pointSizeF() >= size * 0.6) {
            font = smaller;
            fm = sm;
        }
    }
    const int h = qMax(1, fm.height());
    const int columns = qMax(1, (h * n + contentHeight - 1) / qMax(1, contentHeight));
    const int perColumn = (n + columns - 1) / columns;

    if (m_cursorY > 0 || !m_column.isEmpty())
        newColumn();
    beginRun(font, &ink().fontInk(font));
    for (int start = 0; start < n; start += perColumn) {
        if (start > 0)
            newColumn();
        const int count = qMin(perColumn, n - start);
        switch (c.titlePos()) {
        case 1:
            m_cursorY = qMax(0, (contentHeight - h * count) / 2);
            break;
        case 2:
            m_cursorY = qMax(0, contentHeight - h * count);
            break;
        default:
            m_cursorY = 0;
            break;
        }
        for (int i = start; i < start + count; ++i) {
            place(QRect(m_cursorX, m_cursorY, m_columnWidth, h), Qt::AlignCenter,
                  QString(VerticalText::verticalForm(title.at(i))), c.titleColor(), ItemSource::Kind::Title,
                  first + i);
            m_cursorY += h;
        }
    }
    newColumn();
}

int ScoreLayout::punctuationHeight(const QFont &font, QChar c, int height) const
{
    // At least as tall as its ink, with a point to spare for the rounding of
    // its cell: upright brackets of some faces are taller than their box.
    return qMax(height, int(std::ceil(ink().fontInk(font).glyph(QString(c)).tight.height())) + 1);
}

void ScoreLayout::clearBlock(int left, int right)
{
    if (m_column.isEmpty())
        return;
    const QPoint content = m_pages.last().contentOrigin;
    const qreal bottom = m_column.bottomBetween(content.x() + left, content.x() + right, content.y() + m_cursorY);
    if (bottom > content.y() + m_cursorY)
        m_cursorY = int(std::ceil(bottom - content.y() + inkGap));
}

void ScoreLayout::renderQuPai(const QString &text)
{
    const ExportConfig &c = *m_config;
    QString quPai = tuneName(text);
    QString diaoMing = tuneKey(text);
    const int quPaiStart = quPai.isEmpty() ? -1 : int(text.indexOf(quPai));
    const int diaoMingStart = diaoMing.isEmpty() ? -1 : int(text.indexOf(diaoMing));
    for (QChar &ch : quPai)
        ch = VerticalText::verticalForm(ch);
    for (QChar &ch : diaoMing)
        ch = VerticalText::verticalForm(ch);

    const auto unitHeight = [this](const QFont &font, const QFontMetrics &fm, QChar ch) {
        return VerticalText::isPunctuation(ch) ? punctuationHeight(font, ch, fm.boundingRect(ch).height())
                                               : fm.height();
    };
    const auto totalHeight = [&](const QFont &font, const QFontMetrics &fm, const QString &s) {
        int total = 0;
        for (QChar ch : s)
            total += unitHeight(font, fm, ch);
        return total;
    };
    // A tune name or key longer than a whole column is set smaller.
    const auto fitted = [&](QFont font, QFontMetrics &fm, const QString &s) {
        const int room = contentSize().height();
        for (int step = 0; step < 40 && room > 0 && totalHeight(font, fm, s) > room && font.pointSizeF() > 2; ++step) {
            font.setPointSizeF(qMax(2.0, font.pointSizeF() * qMin(0.95, qreal(room) / totalHeight(font, fm, s))));
            fm = ExportConfig::pageFontMetrics(font);
        }
        return font;
    };
    QFontMetrics qm = c.quPaiFontMetrics();
    QFontMetrics dm = c.diaoMingFontMetrics();
    const QFont quPaiFont = fitted(c.quPaiFont(), qm, quPai);
    const QFont diaoMingFont = fitted(c.diaoMingFont(), dm, diaoMing);
    const int qH = totalHeight(quPaiFont, qm, quPai);
    const int dH = totalHeight(diaoMingFont, dm, diaoMing);

    const int contentHeight = contentSize().height();
    // Below any notation that reaches down beside the tune name.
    clearBlock(m_cursorX, m_cursorX + qm.maxWidth() + dm.maxWidth());
    int y0 = m_cursorY;
    if (y0 + qH > contentHeight || y0 + dH > contentHeight) {
        newColumn();
        y0 = m_cursorY;
    }
    const int x0 = m_cursorX;

    beginRun(quPaiFont, &ink().fontInk(quPaiFont));
    for (int i = 0; i < quPai.size(); ++i) {
        const int u = unitHeight(quPaiFont, qm, quPai.at(i));
        place(QRect(m_cursorX, m_cursorY, qm.maxWidth(), u), Qt::AlignCenter, QString(quPai.at(i)),
              c.quPaiColor(), ItemSource::Kind::TuneName, quPaiStart + i);
        m_cursorY += u;
    }

    // A shorter key is centred against the tune name; a longer one starts
    // level with it.
    const int d = qH - dH;
    m_cursorY = d > 1 ? y0 + d / 2 : y0;
    m_cursorX += qm.maxWidth();

    beginRun(diaoMingFont, &ink().fontInk(diaoMingFont));
    for (int i = 0; i < diaoMing.size(); ++i) {
        const int u = unitHeight(diaoMingFont, dm, diaoMing.at(i));
        place(QRect(m_cursorX, m_cursorY, dm.maxWidth(), u), Qt::AlignCenter, QString(diaoMing.at(i)),
              c.diaoMingColor(), ItemSource::Kind::TuneKey, diaoMingStart + i);
        m_cursorY += u;
    }

    m_cursorX = x0;
    m_cursorY = y0 + qMax(qH, dH);
}

void ScoreLayout::renderJiaBai(const QString &text)
{
    const QString passage = text.mid(1).trimmed();
    if (passage.isEmpty())
        return;
    const int first = passageStart(text);
    const ExportConfig &c = *m_config;
    const QFontMetrics fm = c.jiaBaiFontMetrics();
    const int maxW = fm.maxWidth();
    const int contentHeight = contentSize().height();

    m_cursorY = qMax(0, m_cursorY + c.lyricSpace());
    const FontInk &metrics = ink().jiaBai;
    beginRun(c.jiaBaiFont(), &metrics);
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = VerticalText::verticalForm(passage.at(i));
        const int h = VerticalText::isPunctuation(v) ? punctuationHeight(c.jiaBaiFont(), v, fm.boundingRect(v).height())
                                                     : fm.height();
        const bool hanging = VerticalText::isHangingPunctuation(v);
        const bool closing = VerticalText::isClosingPunctuation(v);
        // What closes a phrase stays with it, hanging into the foot margin
        // if it must; an opening bracket keeps room for what it opens.
        const int foot = closing && m_cursorY > 0 ? contentHeight + m_config->marginBottom() : contentHeight;
        int need = h;
        if (VerticalText::isOpeningPunctuation(v) && i + 1 < passage.size())
            need += fm.height();
        if (m_cursorY + need > foot)
            newColumn();
        const auto cellAt = [&](int y) {
            return hanging ? QRect(m_cursorX + maxW / 2, y, fm.boundingRect(v).width(), h)
                           : QRect(m_cursorX, y, maxW, h);
        };
        const int alignment = hanging ? int(Qt::AlignBottom) : int(Qt::AlignCenter);
        if (!m_column.isEmpty()) {
            const int push = int(std::ceil(m_column.clearanceDown(
                {outlineOf(metrics, cellAt(m_cursorY), alignment, QString(v), contentFrame())}, inkGap)));
            if (m_cursorY + push + h > foot)
                newColumn();
            else
                m_cursorY += push;
        }
        ++m_tag;
        place(cellAt(m_cursorY), alignment, QString(v), c.jiaBaiColor(), ItemSource::Kind::JiaBai, first + i);
        m_cursorY += h;
    }
}

QPair<int, int> ScoreLayout::lianBaiBlockHeight(const QString &text, int cols) const
{
    const QFontMetrics fm = m_config->lianBaiFontMetrics();
    QList<int> heights;
    heights.reserve(text.size());
    int total = 0;
    for (QChar ch : text) {
        const int h = VerticalText::isPunctuation(ch)
                          ? punctuationHeight(m_config->lianBaiFont(), VerticalText::verticalForm(ch),
                                              fm.tightBoundingRect(QString(ch)).height())
                                                      : fm.height();
        heights.append(h);
        total += h;
    }
    if (cols <= 1)
        return {total, 1};

    const int share = total / cols;
    int counted = 0;
    int largest = 0;
    int sum = 0;
    for (int h : qAsConst(heights)) {
        sum += h;
        if (sum >= share) {
            ++counted;
            largest = qMax(largest, sum);
            sum = 0;
        }
    }
    if (sum > 0) {
        ++counted;
        largest = qMax(largest, sum);
    }
    return {largest, qMin(counted, cols)};
}

void ScoreLayout::renderLianBai(const QString &text)
{
    const QString passage = text.mid(1).trimmed();
    if (passage.isEmpty())
        return;
    const int first = passageStart(text);
    const ExportConfig &c = *m_config;
    const QFontMetrics fm = c.lianBaiFontMetrics();
    const int contentHeight = contentSize().height();

    m_cursorY = qMax(0, m_cursorY + c.lyricSpace());
    // The sub-columns span the column: below all ink set in it.
    clearBlock(m_cursorX, m_cursorX + m_columnWidth);
    if (m_cursorY + fm.height() > contentHeight)
        newColumn();

    // A sub-column width below 1 (0 included) or wider than the column gives
    // one sub-column; a width below 1 sets it as wide as the font's glyphs.
    const int mColWidth = c.mColWidth();
    const int k = mColWidth >= 1 ? qMax(1, m_columnWidth / mColWidth) : 1;
    const int subWidth = mColWidth >= 1 ? mColWidth : fm.maxWidth();

    int cols = int(qMin<qsizetype>(passage.size(), k));
    QPair<int, int> block = lianBaiBlockHeight(passage, cols);
    cols = block.second;
    int startY = m_cursorY;
    int baseX = m_cursorX;
    int bottom = qMin(contentHeight, startY + block.first);
    // The first sub-column is the rightmost one; they are counted, not
    // compared by position, so that no width can set one over another.
    int subColumn = 0;
    m_cursorX += subWidth * (cols - 1);

    beginRun(c.lianBaiFont(), &ink().lianBai);
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = VerticalText::verticalForm(passage.at(i));
        const QRect tight = fm.tightBoundingRect(QString(v));
        const int h = VerticalText::isPunctuation(v) ? punctuationHeight(c.lianBaiFont(), v, tight.height()) : fm.height();
        if (m_cursorY + h > bottom) {
            m_cursorX -= subWidth;
            m_cursorY = startY;
            if (++subColumn >= cols) {
                m_cursorX = baseX;
                newColumn();
                baseX = m_cursorX;
                startY = m_cursorY;
                const QString rest = passage.mid(i);
                cols = int(qMin<qsizetype>(rest.size(), k));
                block = lianBaiBlockHeight(rest, cols);
                cols = block.second;
                bottom = qMin(contentHeight, startY + block.first);
                subColumn = 0;
                m_cursorX += subWidth * (cols - 1);
            }
        }
        if (VerticalText::isHangingPunctuation(v)) {
            place(QRect(m_cursorX + subWidth / 2, m_cursorY, tight.width(), h), Qt::AlignBottom, QString(v),
                  c.lianBaiColor(), ItemSource::Kind::LianBai, first + i);
        } else {
            place(QRect(m_cursorX, m_cursorY, subWidth, h), Qt::AlignCenter, QString(v), c.lianBaiColor(),
                  ItemSource::Kind::LianBai, first + i);
        }
        m_cursorY += h;
    }
    m_cursorX = baseX;
    m_cursorY = bottom;
}

// ---------------------------------------------------------------------------
// Sung lines, notation and beat marks

void ScoreLayout::renderLyricLine(const QString &text, const QList<QString> &scores)
{
    if (text.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const QFontMetrics fm = c.lyricFontMetrics();
    const int lw = fm.maxWidth();
    const int contentHeight = contentSize().height();
    const FontInk &metrics = ink().lyric;

    beginRun(c.lyricFont(), &metrics);
    int dashTag = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar typed = text.at(i);
        // Two or more dashes in a row make one unbroken rule.
        const bool dashBefore = i > 0 && VerticalText::isDash(text.at(i - 1));
        const bool inDashRun = VerticalText::isDash(typed)
                               && (dashBefore || (i + 1 < text.size() && VerticalText::isDash(text.at(i + 1))));
        const QChar v = inDashRun ? VerticalText::joinedDash() : VerticalText::verticalForm(typed);
        const bool hanging = VerticalText::isHangingPunctuation(v);
        const bool closing = VerticalText::isClosingPunctuation(v);
        const bool joinsDash = inDashRun && dashBefore;
        if (!hanging && !joinsDash)
            m_cursorY += c.lyricSpace();
        // However tight the spacing, nothing is set above the column.
        m_cursorY = qMax(0, m_cursorY);
        const QRect tight = ink().lyricBoxes(fm, QString(v));
        int h = VerticalText::isPunctuation(v) ? punctuationHeight(c.lyricFont(), v, tight.height()) : fm.height();
        if (inDashRun)
            h = int(std::ceil(metrics.glyph(QString(v)).tight.height()));
        const QString notation = scores.value(i);
        const bool sung = isLyricChar(v);
        // Laid out once: its extent decides the column, its glyphs are drawn.
        const ScoreRun run = sung ? layoutScore(notation) : ScoreRun();

        // What closes a phrase stays with it, hanging into the foot margin
        // if it must; an opening bracket keeps room for what it opens.
        const int foot = closing && m_cursorY > 0 ? contentHeight + m_config->marginBottom() : contentHeight;
        int need = h;
        if (VerticalText::isOpeningPunctuation(v) && i + 1 < text.size())
            need += qMax(0, c.lyricSpace()) + fm.height();
        if (c.isLineBreakScoreOverflow() && !run.glyphs.isEmpty() && m_cursorY > 0
            && m_cursorY + run.extent > contentHeight && run.extent <= contentHeight)
            newColumn();
        else if (m_cursorY + need > foot)
            newColumn();

        const int alignment = hanging ? int(Qt::AlignBottom) : int(Qt::AlignCenter);
        const auto cellAt = [&](int y) {
            return hanging ? QRect(m_cursorX + lw / 2, y, tight.width(), h) : QRect(m_cursorX, y, lw, h);
        };
        // The character and the head of its notation go down the column
        // until they clear the ink above them: a long run pushes the next
        // character down. Where they no longer fit, a new column.
        const QTransform frame = contentFrame();
        // Both are asked for at the same place several times over: each is
        // worked out once per place.
        struct Placed
        {
            qsizetype page = -1;
            int x = 0;
            int y = 0;
            bool valid = false;
            QPolygonF character;
            QPoint origin;
            QList<QPolygonF> head;
        } placed;
        const QString vText(v);
        const auto at = [&]() -> const Placed & {
            if (placed.valid && placed.page == m_pages.size() && placed.x == m_cursorX && placed.y == m_cursorY)
                return placed;
            placed.page = m_pages.size();
            placed.x = m_cursorX;
            placed.y = m_cursorY;
            placed.valid = true;
            placed.character = outlineOf(metrics, cellAt(m_cursorY), alignment, vText, frame);
            placed.head.clear();
            if (!run.glyphs.isEmpty())
                placed.origin = runOrigin(run, m_cursorX, m_cursorY, placed.character, placed.head);
            return placed;
        };
        // A head that starts with marks turned up beside the first note may
        // reach above the column: the character comes down for it.
        if (!run.glyphs.isEmpty()) {
            qreal top = std::numeric_limits<qreal>::max();
            for (const QPolygonF &o : at().head)
                top = qMin(top, o.boundingRect().top());
            const qreal columnTop = m_pages.last().contentOrigin.y();
            if (top < columnTop)
                m_cursorY += int(std::ceil(columnTop - top));
        }
        if (!m_column.isEmpty()) {
            const QList<QPolygonF> moving = QList<QPolygonF>{at().character} + at().head;
            const int push = int(std::ceil(m_column.clearanceDown(moving, inkGap, joinsDash ? dashTag : -2)));
            if (m_cursorY + push + h > foot)
                newColumn();
            else
                m_cursorY += push;
        }
        if (m_cursorY > 0 && !run.glyphs.isEmpty() && !fitsColumn(at().head))
            newColumn();

        ++m_tag;
        if (inDashRun && !joinsDash)
            dashTag = m_tag;
        if (inDashRun)
            m_tag = dashTag;
        const int charTag = m_tag;
        const QPoint origin = run.glyphs.isEmpty() ? QPoint() : at().origin;
        const QList<QPolygonF> head = run.glyphs.isEmpty() ? QList<QPolygonF>() : at().head;
        place(cellAt(m_cursorY), alignment, vText, c.lyricColor(), ItemSource::Kind::Lyric, i);
        const int column = m_columnCount;
        if (!run.glyphs.isEmpty())
            drawScore(run, i, charTag, origin, head);
        if (m_columnCount != column) {
            // The notation went on at the head of a further column: the
            // line goes on below it there.
            m_cursorY = 0;
        } else {
            m_cursorY += h;
        }
    }
}

QPoint ScoreLayout::scoreOrigin(int columnX, int charTop) const
{
    return QPoint(columnX + m_scoreOrigin.x(), charTop + m_scoreOrigin.y());
}

QList<QPolygonF> ScoreLayout::groupOutlines(const ScoreRun &run, int first, int end, QPoint origin, int base) const
{
    const FontInk &metrics = ink().score;
    QTransform marks = contentFrame();
    marks.translate(origin.x(), origin.y());
    // Turn first, then move: the same as translate() and rotate() on the
    // frame, without working out the angle's sine for every glyph.
    const QTransform notes = m_turn * marks;
    QList<QPolygonF> outlines;
    for (int n = first; n < end; ++n) {
        const ScoreGlyph &g = run.glyphs.at(n);
        if (g.mark)
            outlines.append(marks.map(QPolygonF(frameInkOf(metrics, uprightMarkCell(g, base), Qt::AlignCenter, g.glyph))));
        else
            outlines.append(notes.map(QPolygonF(frameInkOf(metrics, g.cell.translated(0, -base), Qt::AlignCenter, g.glyph))));
    }
    return outlines;
}

QRect ScoreLayout::uprightMarkCell(const ScoreGlyph &g, int base) const
{
    // A beat mark keeps its place in the lane beside its note, but stands
    // upright whatever the run's angle: turned, 、 would read as 一.
    const QPointF centre = m_turn.map(QRectF(g.cell.translated(0, -base)).center());
    return QRect(int(std::lround(centre.x() - g.cell.width() / 2.0)),
                 int(std::lround(centre.y() - g.cell.height() / 2.0)), g.cell.width(), g.cell.height());
}

int ScoreLayout::groupEnd(const ScoreRun &run, int first) const
{
    // A note takes the marks after it along; marks before the first note go
    // with that note.
    int n = first;
    bool note = false;
    while (n < run.glyphs.size()) {
        if (!run.glyphs.at(n).mark) {
            if (note)
                break;
            note = true;
        }
        ++n;
    }
    return n;
}

QPoint ScoreLayout::runOrigin(const ScoreRun &run, int columnX, int charTop, const QPolygonF &character,
                              QList<QPolygonF> &outlines) const
{
    QPoint origin = scoreOrigin(columnX, charTop);
    const int end = groupEnd(run, 0);
    outlines = groupOutlines(run, 0, end, origin, 0);
    // A head that would reach past the column's right edge (a wide spacing
    // beside the character) moves back into it.
    qreal right = std::numeric_limits<qreal>::lowest();
    for (const QPolygonF &o : std::as_const(outlines))
        right = qMax(right, o.boundingRect().right());
    const qreal columnRight = (m_pages.isEmpty() ? 0 : m_pages.last().contentOrigin.x()) + columnX + m_columnWidth;
    if (right > columnRight) {
        origin.rx() -= int(std::ceil(right - columnRight));
        outlines = groupOutlines(run, 0, end, origin, 0);
    }
    // A run that would lie on its own character (a narrow face, a negative
    // spacing) moves right, clear of it; a touch is let be.
    if (character.size() < 3 || outlines.isEmpty())
        return origin;
    ColumnInk own;
    own.add(character);
    bool touches = false;
    for (const QPolygonF &o : std::as_const(outlines))
        touches = touches || own.collides(o);
    if (!touches)
        return origin;
    // Ink whose box lies apart from the character's shares no area with it.
    const QRectF characterBox = character.boundingRect();
    const auto overlapArea = [&](const auto &area) {
        qreal overlap = 0;
        for (const QPolygonF &o : std::as_const(outlines)) {
            const QRectF box = o.boundingRect();
            if (box.right() < characterBox.left() || box.left() > characterBox.right()
                || box.bottom() < characterBox.top() || box.top() > characterBox.bottom())
                continue;
            overlap += area(o);
        }
        return overlap;
    };
    // The painter path's clipping measures the overlap; clipping the convex
    // outlines directly agrees with it to some 1e-11 at a fraction of the
    // cost, so the painter path is asked only near the threshold.
    const qreal minOverlap = 0.5;
    qreal overlap = overlapArea([&](const QPolygonF &o) { return convexOverlapArea(o, character); });
    if (std::abs(overlap - minOverlap) < 1e-3)
        overlap = overlapArea([&](const QPolygonF &o) { return polygonArea(o.intersected(character)); });
    if (overlap < minOverlap)
        return origin;
    const int shift = int(std::ceil(own.clearanceRight(outlines, 0)));
    if (shift != 0) {
        origin.rx() += shift;
        outlines = groupOutlines(run, 0, end, origin, 0);
    }
    return origin;
}

bool ScoreLayout::fitsColumn(const QList<QPolygonF> &outlines) const
{
    // Exactly: ink past a column's edge could lie on the ink of the column
    // beside it, which this column's ink does not know.
    const QPoint content = m_pages.last().contentOrigin;
    const qreal slack = 0;
    const qreal left = content.x() + m_cursorX - slack;
    const qreal right = content.x() + m_cursorX + m_columnWidth + slack;
    const qreal top = content.y() - slack;
    const qreal bottom = content.y() + contentSize().height() + slack;
    for (const QPolygonF &o : outlines) {
        const QRectF box = o.boundingRect();
        if (box.left() < left || box.right() > right || box.top() < top || box.bottom() > bottom)
            return false;
    }
    return true;
}

void ScoreLayout::drawScore(const ScoreRun &run, int offset, int charTag, QPoint origin, const QList<QPolygonF> &head)
{
    if (run.glyphs.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const QFont lineFont = m_font;
    const FontInk *lineMetrics = m_runMetrics;
    ++m_tag;

    // The run is set in segments, each a straight stretch from its origin
    // that stays inside its column. Where the next note (with its marks)
    // would leave the column or fall on ink, the run folds back to its lane
    // further down, or goes on at the head of the next column.
    struct Segment
    {
        QPoint origin;
        int base = 0; // where along the run the segment starts
        int first = 0;
        int end = 0;
        bool isEmpty() const { return end <= first; }
    };
    const auto flush = [&](const Segment &seg) {
        if (seg.isEmpty())
            return;
        beginRotatedRun(c.scoreFont(), &ink().score, seg.origin, m_angle);
        m_pages.last().runs.last().items.reserve(seg.end - seg.first);
        bool marks = false;
        for (int n = seg.first; n < seg.end; ++n) {
            const ScoreGlyph &g = run.glyphs.at(n);
            marks = marks || g.mark;
            if (!g.mark)
                place(g.cell.translated(0, -seg.base), Qt::AlignCenter, g.glyph, g.color,
                      ItemSource::Kind::Notation, offset, n);
        }
        if (marks) {
            beginRotatedRun(c.scoreFont(), &ink().score, seg.origin, 0);
            for (int n = seg.first; n < seg.end; ++n) {
                const ScoreGlyph &g = run.glyphs.at(n);
                if (g.mark)
                    place(uprightMarkCell(g, seg.base), Qt::AlignCenter, g.glyph, g.color,
                          ItemSource::Kind::Notation, offset, n);
            }
        }
    };
    // Glyphs are kept in the column's ink as they are taken, so that the
    // rest of the run steers clear of them.
    const int laneX = origin.x() - m_cursorX;
    Segment segment;
    segment.origin = origin;
    int first = 0;
    int attempts = 0;
    bool freshColumn = false;
    while (first < run.glyphs.size()) {
        const int end = groupEnd(run, first);
        const QList<QPolygonF> outlines = first == 0 && segment.origin == origin && segment.base == 0
                                              ? head
                                              : groupOutlines(run, first, end, segment.origin, segment.base);
        // Within one segment the run's own arithmetic keeps its glyphs
        // apart; against the character, only the head may touch it.
        bool clear = fitsColumn(outlines);
        for (int k = 0; clear && k < outlines.size(); ++k)
            clear = !m_column.collides(outlines.at(k), m_tag, first == 0 ? charTag : -2);
        if (clear || attempts >= 2 || (segment.isEmpty() && freshColumn)) {
            // (After two moves that did not help, the note is set where it
            // stands rather than searched for without end.)
            for (const QPolygonF &o : outlines)
                m_column.add(o, m_tag);
            if (segment.isEmpty())
                segment.first = first;
            segment.end = end;
            first = end;
            attempts = 0;
            freshColumn = false;
            continue;
        }
        const int newBase = first == 0 ? 0 : run.glyphs.at(first).cell.y();
        // A group wider than the head (more marks beside its note) stands
        // further left, inside the column's right edge.
        const auto insideRight = [&](QPoint at) {
            qreal right = std::numeric_limits<qreal>::lowest();
            for (const QPolygonF &o : groupOutlines(run, first, end, at, newBase))
                right = qMax(right, o.boundingRect().right());
            const qreal columnRight = m_pages.last().contentOrigin.x() + m_cursorX + m_columnWidth;
            if (right > columnRight)
                at.rx() -= int(std::ceil(right - columnRight));
            return at;
        };
        QPoint next(m_cursorX + laneX, segment.origin.y());
        bool nextColumn = segment.isEmpty();
        if (!nextColumn) {
            flush(segment);
            // Fold: back to the lane, as high as clears what is set, with a
            // little more air between the lines of a folded run than between
            // glyphs, so that each mark reads with its own line.
            next = insideRight(next);
            next.ry() += int(std::ceil(m_column.clearanceDown(groupOutlines(run, first, end, next, newBase), 3 * inkGap)));
            nextColumn = !fitsColumn(groupOutlines(run, first, end, next, newBase));
        }
        if (nextColumn) {
            newColumn();
            freshColumn = true;
            next = insideRight(QPoint(m_cursorX + laneX, 0));
            qreal top = std::numeric_limits<qreal>::max();
            for (const QPolygonF &o : groupOutlines(run, first, end, next, newBase))
                top = qMin(top, o.boundingRect().top());
            next.ry() += int(std::ceil(m_pages.last().contentOrigin.y() - top));
        }
        // A new segment answers for its own glyphs only.
        ++m_tag;
        segment = Segment();
        segment.origin = next;
        segment.base = newBase;
        segment.first = segment.end = first;
        ++attempts;
    }
    flush(segment);

    // The sung line goes on in its own font, as after a painter's restore.
    PageRun line;
    line.font = lineFont;
    line.resumed = true;
    m_pages.last().runs.append(line);
    m_runMetrics = lineMetrics;
    if (m_ink)
        m_ink->frame = contentFrame();
}

ScoreLayout::ScoreRun ScoreLayout::layoutScore(const QString &notation) const
{
    if (notation.isEmpty())
        return ScoreRun();
    // A run depends on its notation and the options alone, and a score sets
    // the same short runs again and again.
    QHash<QString, ScoreRun> &runs = ink().runs;
    const auto found = runs.constFind(notation);
    if (found != runs.constEnd())
        return *found;
    const ScoreRun run = layoutNewScore(notation);
    if (runs.size() >= maxKeptRuns)
        runs.clear();
    runs.insert(notation, run);
    return run;
}

ScoreLayout::ScoreRun ScoreLayout::layoutNewScore(const QString &notation) const
{
    ScoreRun run;
    const ExportConfig &c = *m_config;
    const QFontMetrics sm = c.scoreFontMetrics();
    const int sw = sm.maxWidth();
    const int sh = sm.height();

    const int count = Notation::pieceCount(notation);
    run.glyphs.reserve(count);
    // The ink of the run so far, in its own frame, notes and marks apart.
    const FontInk &metrics = ink().score;
    const TightBoxes &boxes = ink().scoreBoxes;
    ColumnInk notes;
    ColumnInk marks;
    const auto markOutline = [&](const ScoreGlyph &g) {
        const QRect upright(-g.cell.width() / 2, -g.cell.height() / 2, g.cell.width(), g.cell.height());
        const QTransform t = m_turnBack * QTransform::fromTranslate(QRectF(g.cell).center().x(), QRectF(g.cell).center().y());
        // Its upright cell is rounded to whole points on the page: the
        // outline takes in what the rounding may move it by.
        return t.map(QPolygonF(frameInkOf(metrics, upright, Qt::AlignCenter, g.glyph).adjusted(-0.6, -0.6, 0.6, 0.6)));
    };
    // y: the top of the next note; off: where the next mark goes, from y.
    int y = 0;
    int off = 0;
    bool prevMark = false;
    for (int n = 0; n < count; ++n) {
        const QStringView piece = Notation::piece(notation, n);
        const char32_t code = Notation::codePoint(piece);
        ScoreGlyph g;
        g.glyph = piece.toString();
        switch (Notation::markKind(code)) {
        case Notation::MarkKind::Ban:
            g.color = c.banColor();
            break;
        case Notation::MarkKind::XiaoYan:
            g.color = c.xiaoYanColor();
            break;
        case Notation::MarkKind::ZhongYan:
            g.color = c.zhongYanColor();
            break;
        case Notation::MarkKind::None:
            g.color = Notation::takesOrnamentColor(piece) ? c.qiangGeColor() : c.scoreColor();
            break;
        }
        const QRect r = boxes(sm, g.glyph);
        const int gw = r.width();
        const int gh = r.height();
        if (Notation::isBeatMark(code)) {
            // Marks stand in their lane at 0.7 of their height; directly after
            // a note, the dropping ones start one mark height lower.
            const int mh = int(gh * 0.7);
            if (Notation::dropsAfterNote(code) && !prevMark)
                off += mh;
            g.cell = QRect(sw + m_scoreBanYanSpace, y + off, gw, mh);
            g.mark = true;
            // A mark stands upright, so it may reach further than its cell:
            // down its lane past the marks before it, then out of the way
            // of the notes.
            QPolygonF outline = markOutline(g);
            for (int settle = 0; settle < 4; ++settle) {
                const int down = int(std::ceil(marks.clearanceDown(outline, runGap)));
                if (down != 0) {
                    g.cell.translate(0, down);
                    off += down;
                    outline = markOutline(g);
                }
                const int right = int(std::ceil(notes.clearanceRight(outline, runGap)));
                if (right != 0) {
                    g.cell.translate(right, 0);
                    outline = markOutline(g);
                }
                if (down == 0 && right == 0)
                    break;
            }
            marks.add(outline);
            off += mh + m_banYanSpace;
            prevMark = true;
        } else {
            // Marks that reached below this point push the note down.
            if (off > 0)
                y += off;
            g.cell = Notation::isFlushRightNote(code) ? QRect(sw - gw, y, gw, gh) : QRect(0, y, sw, gh);
            // Clear of the marks beside the notes before it, and of the
            // note before it where glyph ink overhangs its cell.
            QPolygonF outline(frameInkOf(metrics, g.cell, Qt::AlignCenter, g.glyph));
            const int down = int(std::ceil(qMax(marks.clearanceDown(outline, runGap),
                                                notes.clearanceDown(outline, runGap))));
            if (down != 0) {
                g.cell.translate(0, down);
                y += down;
                outline = QPolygonF(frameInkOf(metrics, g.cell, Qt::AlignCenter, g.glyph));
            }
            notes.add(outline);
            y += gh + m_scoreSpace;
            // The marks that follow are measured from this note's top.
            off = -(gh + m_scoreSpace);
            prevMark = false;
        }
        run.glyphs.append(g);
    }
    // The run's length along its slant: to the end of its last mark or one
    // notation line past the top of its next note, whichever is further.
    const int length = qMax(y + off - m_banYanSpace, y + sh);
    run.extent = sh + int(length * std::cos(qDegreesToRadians(double(m_angle))));
    return run;
}

int ScoreLayout::scoreExtent(const QString &notation) const
{
    return layoutScore(notation).extent;
}

ScoreLayout::PageStart ScoreLayout::currentStart() const
{
    PageStart start;
    start.entry = m_nextEntry;
    start.runs = int(m_pages.last().runs.size());
    start.cursorX = m_cursorX;
    start.cursorY = m_cursorY;
    start.documentTitle = m_documentTitle;
    start.pageTitle = m_pages.last().title;
    start.font = m_font;
    start.column = m_column;
    return start;
}

QPair<int, int> ScoreLayout::relayout(const QList<ExportEntry> &entries, int untilPage)
{
    return relayoutFrom(entries, nullptr, untilPage);
}

QPair<int, int> ScoreLayout::relayout(const QList<ExportEntry> &entries, const EntryChange &change, int untilPage)
{
    return relayoutFrom(entries, &change, untilPage);
}

QPair<int, int> ScoreLayout::relayoutFrom(const QList<ExportEntry> &entries, const EntryChange *change, int untilPage)
{
    if (m_resume)
        return relayoutAgain(entries, change, untilPage);
    const QList<ExportEntry> oldEntries = m_entries;
    if (!m_pageStarts.isEmpty() && m_nextEntry < oldEntries.size() && !m_preview) {
        // A first layout under way: what it has laid out holds up to the
        // first changed entry, and it goes on from there.
        const int done = m_nextEntry;
        const int newSize = int(entries.size());
        int head = 0;
        if (change)
            head = qBound(0, change->first, qMin(done, newSize));
        else {
            while (head < done && head < newSize && oldEntries.at(head) == entries.at(head))
                ++head;
        }
        if (head < done)
            restartAtPage(entries, pageOfEntry(head));
        else
            m_entries = entries;
        return continueLayout(untilPage);
    }
    if (m_pageStarts.isEmpty() || m_nextEntry < oldEntries.size()) {
        // Nothing complete to go on from.
        layout(entries, false, m_documentTitle);
        return {0, int(m_pages.size())};
    }
    // The changed entries lie between a common head and a common tail.
    const int oldSize = int(oldEntries.size());
    const int newSize = int(entries.size());
    int head = 0;
    if (change)
        head = qBound(0, change->first, qMin(oldSize, newSize));
    else {
        while (head < oldSize && head < newSize && oldEntries.at(head) == entries.at(head))
            ++head;
    }
    if (head == oldSize && head == newSize)
        return {int(m_pages.size()), int(m_pages.size())};
    int tail = 0;
    if (change)
        tail = qBound(0, change->tail, qMin(oldSize, newSize) - head);
    else {
        while (tail < oldSize - head && tail < newSize - head
               && oldEntries.at(oldSize - 1 - tail) == entries.at(newSize - 1 - tail))
            ++tail;
    }

    auto resume = std::make_unique<Resume>();
    resume->oldEntries = oldEntries;
    resume->oldPages = m_pages;
    resume->oldStarts = m_pageStarts;
    resume->oldEnd = {m_nextEntry, 0, m_cursorX, m_cursorY, m_documentTitle, QString(), m_font, m_column};
    resume->delta = newSize - oldSize;
    resume->tailStart = newSize - tail;
    // The entries before the change are laid out as before, up to the
    // start of the page on which the first changed one began.
    resume->first = pageOfEntry(head);
    restartAtPage(entries, resume->first);
    resume->restartedAt = int(m_pages.size()) - 1;
    m_resume = std::move(resume);
    return continueLayout(untilPage);
}

QPair<int, int> ScoreLayout::relayoutAgain(const QList<ExportEntry> &entries, const EntryChange *change,
                                           int untilPage)
{
    // The pages laid out so far hold for the entries they came from up to
    // the first one that changed again; the pages to meet again are still
    // those of the last complete layout, so the unchanged tail is the one
    // these entries share with its entries.
    std::unique_ptr<Resume> resume = std::move(m_resume);
    const int newSize = int(entries.size());
    const int oldSize = int(resume->oldEntries.size());
    const int done = qMin(m_nextEntry, int(m_entries.size()));
    int head = 0;
    int tail = 0;
    if (change) {
        // The tail these entries share with the last complete layout is the
        // shorter of the one the relayout under way had and the new one.
        const int lastTail = int(m_entries.size()) - resume->tailStart;
        head = qBound(0, change->first, qMin(done, newSize));
        tail = qBound(0, qMin(change->tail, lastTail), qMin(oldSize, newSize));
    } else {
        while (head < done && head < newSize && m_entries.at(head) == entries.at(head))
            ++head;
        while (tail < oldSize && tail < newSize
               && resume->oldEntries.at(oldSize - 1 - tail) == entries.at(newSize - 1 - tail))
            ++tail;
    }
    resume->delta = newSize - oldSize;
    resume->tailStart = newSize - tail;
    const int page = pageOfEntry(head);
    restartAtPage(entries, page);
    resume->first = qMin(resume->first, page);
    resume->restartedAt = int(m_pages.size()) - 1;
    m_resume = std::move(resume);
    return continueLayout(untilPage);
}

QPair<int, int> ScoreLayout::continueLayout(int untilPage)
{
    const int first = m_resume ? m_resume->first : int(m_pages.size()) - 1;
    for (;;) {
        const int page = int(m_pages.size()) - 1;
        if (m_nextEntry >= m_entries.size() || page > untilPage)
            break;
        const int newSize = int(m_entries.size());
        if (m_resume && page > m_resume->restartedAt && m_pageStarts.size() <= page
            && m_nextEntry >= m_resume->tailStart) {
            // The next entry is the first on this page and lies in the
            // unchanged tail: where the old layout started a page with it in
            // the same state, the old pages from there on stand as they were.
            Resume &r = *m_resume;
            const int oldEntry = m_nextEntry - r.delta;
            const PageStart now = currentStart();
            for (int q = 0; q < r.oldStarts.size(); ++q) {
                const PageStart &was = r.oldStarts.at(q);
                if (was.entry < oldEntry)
                    continue;
                const bool ownStart = q == 0 || r.oldStarts.at(q - 1).entry != was.entry;
                if (was.entry == oldEntry && ownStart && was.runs == now.runs && was.cursorX == now.cursorX
                    && was.cursorY == now.cursorY && was.documentTitle == now.documentTitle
                    && was.pageTitle == now.pageTitle && was.font == now.font && was.column == now.column) {
                    // Pages that one entry filled share the start before them.
                    while (m_pageStarts.size() < page)
                        m_pageStarts.append(m_pageStarts.last());
                    spliceOldPages(std::move(r.oldPages), r.oldStarts, q, r.delta);
                    m_cursorX = r.oldEnd.cursorX;
                    m_cursorY = r.oldEnd.cursorY;
                    m_documentTitle = r.oldEnd.documentTitle;
                    m_font = r.oldEnd.font;
                    m_column = r.oldEnd.column;
                    m_runMetrics = nullptr;
                    m_nextEntry = newSize;
                    m_entry = newSize - 1;
                    m_resume.reset();
                    return {first, page + 1};
                }
                break;
            }
        }
        if (!layoutNext())
            break;
    }
    if (m_nextEntry >= m_entries.size())
        m_resume.reset();
    return {first, int(m_pages.size())};
}

void ScoreLayout::spliceOldPages(QList<ScorePage> &&oldPages, const QList<PageStart> &oldStarts, int from,
                                 int delta)
{
    // The old pages after the restart are no longer shared with the pages
    // laid out, so moving their entries changes them in place.
    const auto shift = [delta](PageRun &run) {
        for (PageItem &item : run.items)
            item.source.entry += delta;
    };
    // The current page keeps what the entry before the start left on it.
    const PageStart &start = oldStarts.at(from);
    QList<PageRun> rest = oldPages.at(from).runs.mid(start.runs);
    if (delta != 0)
        std::for_each(rest.begin(), rest.end(), shift);
    m_pages.last().runs.append(rest);
    for (int q = from + 1; q < oldPages.size(); ++q) {
        ScorePage &page = oldPages[q];
        if (delta != 0)
            std::for_each(page.runs.begin(), page.runs.end(), shift);
        m_pages.append(std::move(page));
    }
    for (int q = from; q < oldStarts.size(); ++q) {
        PageStart s = oldStarts.at(q);
        s.entry += delta;
        m_pageStarts.append(s);
    }
}
