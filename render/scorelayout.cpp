#include "scorelayout.h"

#include "exportconfig.h"
#include "linegrammar.h"
#include "notation.h"
#include "verticaltext.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <climits>

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
        : metrics(font)
        , ascent(metrics.ascent())
        , lineHeight(metrics.ascent() + metrics.descent())
    {
    }

    const Glyph &glyph(const QString &text) const
    {
        auto found = glyphs.constFind(text);
        if (found == glyphs.constEnd())
            found = glyphs.insert(text, {metrics.tightBoundingRect(text), metrics.horizontalAdvance(text)});
        return *found;
    }

    QFontMetricsF metrics;
    qreal ascent;
    qreal lineHeight;
    mutable QHash<QString, Glyph> glyphs;
};

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
    QTransform frame;
};

ScoreLayout::ScoreLayout(const ExportConfig &config)
    : m_config(&config)
{
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

void ScoreLayout::start(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle)
{
    // The options may have changed since the last layout.
    m_ink = std::make_unique<InkMetrics>(*m_config);
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
    m_cursorY = 0;
    m_cursorX -= m_config->colWidth();
    const int contentWidth = contentSize().width();
    if (m_cursorX >= -contentWidth)
        return;
    // A column as wide as the content could never fit a page: it runs past
    // the left margin instead of starting page after page.
    if (m_config->colWidth() >= contentWidth)
        return;

    newPage();
    newColumn();
    // The drawer that crossed the page goes on in its font.
    const FontInk *metrics = m_runMetrics;
    beginRun(m_font, metrics);
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

void ScoreLayout::place(const QRect &cell, int alignment, const QString &text, const QColor &color,
                        ItemSource::Kind kind, int offset, int glyph)
{
    PageItem item;
    item.text = text;
    item.color = color;
    item.cell = cell;
    item.alignment = alignment;
    item.source.kind = kind;
    item.source.entry = m_entry;
    item.source.offset = offset;
    item.source.glyph = glyph;
    if (m_runMetrics && m_ink) {
        // The painter sets one line of text in the cell: centred or at the
        // foot by its line height, centred by its advance.
        const FontInk::Glyph &glyph = m_runMetrics->glyph(text);
        const qreal width = glyph.advance;
        const qreal height = m_runMetrics->lineHeight;
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
        const QRectF ink = glyph.tight.translated(x, y + m_runMetrics->ascent);
        item.ink = m_ink->frame.mapRect(ink);
    }
    m_pages.last().runs.last().items.append(item);
}

// ---------------------------------------------------------------------------
// Titles, tune names and spoken passages

void ScoreLayout::renderTitle(const QString &text)
{
    if (text.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    beginRun(c.titleFont(), m_ink ? &m_ink->title : nullptr);

    const QString title = text.mid(1).trimmed();
    const int first = passageStart(text);
    const int n = int(title.size());
    const int h = c.titleFontMetrics().height();
    const int contentHeight = contentSize().height();

    if (m_cursorY > 0)
        newColumn();
    switch (c.titlePos()) {
    case 1:
        m_cursorY = (contentHeight - h * n) / 2;
        break;
    case 2:
        m_cursorY = contentHeight - h * n;
        break;
    default:
        m_cursorY = 0;
        break;
    }
    for (int i = 0; i < n; ++i) {
        place(QRect(m_cursorX, m_cursorY, c.colWidth(), h), Qt::AlignCenter,
              QString(VerticalText::verticalForm(title.at(i))), c.titleColor(), ItemSource::Kind::Title,
              first + i);
        m_cursorY += h;
    }
    newColumn();
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

    const QFontMetrics qm = c.quPaiFontMetrics();
    const QFontMetrics dm = c.diaoMingFontMetrics();
    const auto unitHeight = [](const QFontMetrics &fm, QChar ch) {
        return VerticalText::isPunctuation(ch) ? fm.boundingRect(ch).height() : fm.height();
    };
    int qH = 0;
    for (QChar ch : quPai)
        qH += unitHeight(qm, ch);
    int dH = 0;
    for (QChar ch : diaoMing)
        dH += unitHeight(dm, ch);

    const int contentHeight = contentSize().height();
    int y0 = m_cursorY;
    if (y0 + qH > contentHeight || y0 + dH > contentHeight) {
        newColumn();
        y0 = m_cursorY;
    }
    const int x0 = m_cursorX;

    beginRun(c.quPaiFont(), m_ink ? &m_ink->quPai : nullptr);
    for (int i = 0; i < quPai.size(); ++i) {
        const int u = unitHeight(qm, quPai.at(i));
        place(QRect(m_cursorX, m_cursorY, qm.maxWidth(), u), Qt::AlignCenter, QString(quPai.at(i)),
              c.quPaiColor(), ItemSource::Kind::TuneName, quPaiStart + i);
        m_cursorY += u;
    }

    // A shorter key is centred against the tune name; a longer one starts
    // level with it.
    const int d = qH - dH;
    m_cursorY = d > 1 ? y0 + d / 2 : y0;
    m_cursorX += qm.maxWidth();

    beginRun(c.diaoMingFont(), m_ink ? &m_ink->diaoMing : nullptr);
    for (int i = 0; i < diaoMing.size(); ++i) {
        const int u = unitHeight(dm, diaoMing.at(i));
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

    m_cursorY += c.lyricSpace();
    beginRun(c.jiaBaiFont(), m_ink ? &m_ink->jiaBai : nullptr);
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = VerticalText::verticalForm(passage.at(i));
        const int h = VerticalText::isPunctuation(v) ? fm.boundingRect(v).height() : fm.height();
        if (m_cursorY + h > contentHeight)
            newColumn();
        if (VerticalText::isHangingPunctuation(v)) {
            const int w = fm.boundingRect(v).width();
            place(QRect(m_cursorX + maxW / 2, m_cursorY, w, h), Qt::AlignBottom, QString(v), c.jiaBaiColor(),
                  ItemSource::Kind::JiaBai, first + i);
        } else {
            place(QRect(m_cursorX, m_cursorY, maxW, h), Qt::AlignCenter, QString(v), c.jiaBaiColor(),
                  ItemSource::Kind::JiaBai, first + i);
        }
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
        const int h = VerticalText::isPunctuation(ch) ? fm.tightBoundingRect(QString(ch)).height()
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

    m_cursorY += c.lyricSpace();
    if (m_cursorY + fm.height() > contentHeight)
        newColumn();

    // A sub-column width below 1 (0 included) or wider than the column gives
    // one sub-column; a width below 1 sets it as wide as the font's glyphs.
    const int mColWidth = c.mColWidth();
    const int k = mColWidth >= 1 ? qMax(1, c.colWidth() / mColWidth) : 1;
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

    beginRun(c.lianBaiFont(), m_ink ? &m_ink->lianBai : nullptr);
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = VerticalText::verticalForm(passage.at(i));
        const QRect tight = fm.tightBoundingRect(QString(v));
        const int h = VerticalText::isPunctuation(v) ? tight.height() : fm.height();
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

    beginRun(c.lyricFont(), m_ink ? &m_ink->lyric : nullptr);
    for (int i = 0; i < text.size(); ++i) {
        const QChar v = VerticalText::verticalForm(text.at(i));
        const bool hanging = VerticalText::isHangingPunctuation(v);
        if (!hanging)
            m_cursorY += c.lyricSpace();
        const QRect tight = fm.tightBoundingRect(QString(v));
        const int h = VerticalText::isPunctuation(v) ? tight.height() : fm.height();
        const QString notation = scores.value(i);
        // Laid out once: its extent decides the column, its glyphs are drawn.
        const ScoreRun run = layoutScore(notation);

        if (c.isLineBreakScoreOverflow() && m_cursorY + run.extent > contentHeight)
            newColumn();
        else if (m_cursorY + h > contentHeight)
            newColumn();

        if (hanging) {
            place(QRect(m_cursorX + lw / 2, m_cursorY, tight.width(), h), Qt::AlignBottom, QString(v),
                  c.lyricColor(), ItemSource::Kind::Lyric, i);
        } else {
            place(QRect(m_cursorX, m_cursorY, lw, h), Qt::AlignCenter, QString(VerticalText::verticalForm(v)),
                  c.lyricColor(), ItemSource::Kind::Lyric, i);
        }
        if (isLyricChar(v))
            drawScore(run, i);
        m_cursorY += h;
    }
}

void ScoreLayout::drawScore(const ScoreRun &run, int offset)
{
    if (run.glyphs.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const QFontMetrics sm = c.scoreFontMetrics();
    const int lw = c.lyricFontMetrics().maxWidth();
    const QFont lineFont = m_font;
    const FontInk *lineMetrics = m_runMetrics;

    // The run starts at the right edge of the character's cell, half a glyph
    // to the left and one notation line down, and turns by the score angle.
    const QPoint origin(m_cursorX + lw - sm.maxWidth() / 2 + c.lyricScoreSpace(), m_cursorY + sm.height());
    beginRotatedRun(c.scoreFont(), m_ink ? &m_ink->score : nullptr, origin, c.scoreAngle());
    for (int n = 0; n < run.glyphs.size(); ++n) {
        const ScoreGlyph &g = run.glyphs.at(n);
        place(g.cell, Qt::AlignCenter, g.glyph, g.color, ItemSource::Kind::Notation, offset, n);
    }
    // The sung line goes on in its own font, as after a painter's restore.
    PageRun line;
    line.font = lineFont;
    line.resumed = true;
    m_pages.last().runs.append(line);
    m_runMetrics = lineMetrics;
    if (m_ink)
        m_ink->frame = QTransform::fromTranslate(m_pages.last().contentOrigin.x(),
                                                 m_pages.last().contentOrigin.y());
}

ScoreLayout::ScoreRun ScoreLayout::layoutScore(const QString &notation) const
{
    ScoreRun run;
    if (notation.isEmpty())
        return run;
    const ExportConfig &c = *m_config;
    const QFontMetrics sm = c.scoreFontMetrics();
    const int sw = sm.maxWidth();
    const int sh = sm.height();

    const int count = Notation::pieceCount(notation);
    run.glyphs.reserve(count);
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
        const QRect r = sm.tightBoundingRect(g.glyph);
        const int gw = r.width();
        const int gh = r.height();
        if (Notation::isBeatMark(code)) {
            // Marks stand in their lane at 0.7 of their height; directly after
            // a note, the dropping ones start one mark height lower.
            const int mh = int(gh * 0.7);
            if (Notation::dropsAfterNote(code) && !prevMark)
                off += mh;
            g.cell = QRect(sw + c.scoreBanYanSpace(), y + off, gw, mh);
            off += mh + c.banYanSpace();
            prevMark = true;
        } else {
            // Marks that reached below this point push the note down.
            if (off > 0)
                y += off;
            g.cell = Notation::isFlushRightNote(code) ? QRect(sw - gw, y, gw, gh) : QRect(0, y, sw, gh);
            y += gh + c.scoreSpace();
            // The marks that follow are measured from this note's top.
            off = -(gh + c.scoreSpace());
            prevMark = false;
        }
        run.glyphs.append(g);
    }
    // The run's length along its slant: to the end of its last mark or one
    // notation line past the top of its next note, whichever is further.
    const int length = qMax(y + off - c.banYanSpace(), y + sh);
    run.extent = sh + int(length * std::cos(qDegreesToRadians(double(c.scoreAngle()))));
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
    resume->oldEnd = {m_nextEntry, 0, m_cursorX, m_cursorY, m_documentTitle, QString(), m_font};
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
                    && was.pageTitle == now.pageTitle && was.font == now.font) {
                    // Pages that one entry filled share the start before them.
                    while (m_pageStarts.size() < page)
                        m_pageStarts.append(m_pageStarts.last());
                    spliceOldPages(std::move(r.oldPages), r.oldStarts, q, r.delta);
                    m_cursorX = r.oldEnd.cursorX;
                    m_cursorY = r.oldEnd.cursorY;
                    m_documentTitle = r.oldEnd.documentTitle;
                    m_font = r.oldEnd.font;
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
