#include "ql_generatesvg.h"

#include "exportconfig.h"
#include "linegrammar.h"
#include "notationglyph.h"
#include "pagetarget.h"
#include "verticaltext.h"
#include "xmltext.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cmath>

const QString QL_GenerateSVG::defaultTitle = QStringLiteral("Qelun工尺谱导出曲谱");

namespace {

// The Chinese characters and spaces of a text, in order.
QString lyricCharsOf(QStringView text)
{
    QString chars;
    for (QChar c : text) {
        if (isLyricChar(c))
            chars.append(c);
    }
    return chars;
}

// A file-name-friendly title: the characters themselves, without the space
// that follows a line's marker.
QString titleFrom(QStringView text)
{
    return lyricCharsOf(text).trimmed();
}

} // namespace

QL_GenerateSVG::QL_GenerateSVG(QObject *parent)
    : QL_GenerateSVG(ExportConfig::instance(), parent)
{
}

QL_GenerateSVG::QL_GenerateSVG(const ExportConfig &config, QObject *parent)
    : QObject(parent)
    , m_config(&config)
{
}

QL_GenerateSVG::~QL_GenerateSVG()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    delete m_painter;
    delete m_generator;
    if (m_buffer.isOpen())
        m_buffer.close();
}

QChar QL_GenerateSVG::verticalForm(QChar c)
{
    return VerticalText::verticalForm(c);
}

QSize QL_GenerateSVG::pageSize() const
{
    const int w = m_config->pageWidth();
    const int h = m_config->pageHeight();
    return m_config->isLandscape() ? QSize(h, w) : QSize(w, h);
}

QSize QL_GenerateSVG::contentSize() const
{
    const QSize page = pageSize();
    return QSize(page.width() - m_config->marginLeft() - m_config->marginRight(),
                 page.height() - m_config->marginTop() - m_config->marginBottom());
}

void QL_GenerateSVG::reset()
{
    if (m_buffer.isOpen())
        m_buffer.close();
    m_pages.clear();
}

void QL_GenerateSVG::newPage()
{
    newPage(QString(), QString());
}

void QL_GenerateSVG::newPage(const QString &title, const QString &description)
{
    const QSize page = pageSize();
    if (!m_painter)
        m_painter = new QPainter;
    m_pageTitle = title;
    if (m_target) {
        if (!m_target->beginPage(*m_painter, m_targetPage)) {
            m_targetFailed = true;
            return;
        }
    } else {
        // The buffer points into the page list; let go of it before the list
        // grows and may move its elements.
        if (m_buffer.isOpen())
            m_buffer.close();
        m_pages.append(QByteArray());
        m_buffer.setBuffer(&m_pages.last());
        m_buffer.open(QIODevice::WriteOnly);

        m_generator = new QSvgGenerator;
        m_generator->setSize(page);
        m_generator->setViewBox(QRect(QPoint(0, 0), page));
        m_generator->setOutputDevice(&m_buffer);
        // The generator writes its title and description when painting
        // begins; a title found later on the page is put in by endPage().
        m_generator->setTitle(title.toHtmlEscaped());
        m_generator->setDescription(description.toHtmlEscaped());
        m_painter->begin(m_generator);
    }

    if (!m_config->isBgTransparent())
        m_painter->fillRect(QRect(QPoint(0, 0), page), m_config->backgroundColor());
    m_painter->translate(page.width() - m_config->marginRight(), m_config->marginTop());
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_cursorX = 0;
    m_cursorY = 0;
}

void QL_GenerateSVG::endPage()
{
    if (m_target) {
        if (!m_targetFailed)
            m_target->endPage(*m_painter, m_targetPage);
        ++m_targetPage;
        return;
    }
    if (m_painter && m_painter->isActive())
        m_painter->end();
    delete m_generator;
    m_generator = nullptr;
    if (m_buffer.isOpen())
        m_buffer.close();
    if (m_pages.isEmpty())
        return;

    // The generator wrote the title the page had when painting began, or no
    // title element at all when it had none.
    QByteArray &svg = m_pages.last();
    const QByteArray title = m_pageTitle.toHtmlEscaped().toUtf8();
    const int open = svg.indexOf("<title>");
    const int close = open >= 0 ? svg.indexOf("</title>", open) : -1;
    if (close > open) {
        const int start = open + int(qstrlen("<title>"));
        svg.replace(start, close - start, title);
    } else if (!title.isEmpty()) {
        const int svgTag = svg.indexOf("<svg");
        const int tagEnd = svgTag >= 0 ? svg.indexOf('>', svgTag) : -1;
        if (tagEnd >= 0)
            svg.insert(tagEnd + 1, "\n<title>" + title + "</title>");
    }
}

void QL_GenerateSVG::setPageTitle(const QString &title)
{
    m_pageTitle = title;
    if (m_generator)
        m_generator->setTitle(title.toHtmlEscaped());
}

void QL_GenerateSVG::drawCell(const QRect &cell, int alignment, const QString &text)
{
    // Cells are measured by the ink of their glyphs, which the line box of
    // the text overhangs. Never clipped, so that every device shows the
    // glyph whole, as the SVG pages (which know no clipping) do.
    m_painter->drawText(cell, alignment | Qt::TextDontClip, text);
}

void QL_GenerateSVG::newColumn()
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

    const QFont font = m_painter->font();
    const QPen pen = m_painter->pen();
    const QBrush brush = m_painter->brush();
    endPage();
    newPage();
    newColumn();
    m_painter->setFont(font);
    m_painter->setPen(pen);
    m_painter->setBrush(brush);
}

void QL_GenerateSVG::beginRendering()
{
    if (m_buffer.isOpen())
        m_buffer.close();
    newPage(defaultTitle, defaultTitle);
    newColumn();
}

void QL_GenerateSVG::finishRendering()
{
    endPage();
    if (m_target && !m_targetFailed && !m_target->finish(*m_painter))
        m_targetFailed = true;
}

bool QL_GenerateSVG::paintPages(PageTarget &target)
{
    m_target = &target;
    m_targetPage = 0;
    m_targetFailed = false;
    beginRendering();
    if (!m_targetFailed)
        drawEntries(m_lastEntries, m_lastPreview, false);
    finishRendering();
    m_target = nullptr;
    if (m_painter && m_painter->isActive())
        m_painter->end();
    return !m_targetFailed;
}

void QL_GenerateSVG::generate(const QList<ExportEntry> &entries, bool preview)
{
    const int maxValue = preview ? 0 : int(entries.size());
    if (preview)
        emit progressUpdate(0, 0, maxValue, QStringLiteral("生成预览"), QStringLiteral("正在生成预览···"));
    else
        emit progressUpdate(0, 0, maxValue, QStringLiteral("绘制曲谱"), QStringLiteral("正在绘制曲谱···"));

    // Kept, so that a writer can paint the same pages again.
    m_lastEntries = XmlText::clean(entries);
    m_lastPreview = preview;
    beginRendering();
    const int drawn = drawEntries(m_lastEntries, preview, true);
    finishRendering();
    if (m_buffer.isOpen())
        m_buffer.close();
    const ExportConfig &c = *m_config;
    const QStringList families = {c.titleFont().family(), c.lyricFont().family(), c.scoreFont().family(),
                                  c.quPaiFont().family(), c.diaoMingFont().family(), c.lianBaiFont().family(),
                                  c.jiaBaiFont().family()};
    for (QByteArray &page : m_pages)
        page = XmlText::escapeFontFamilies(page, families);
    emit progressUpdate(2, drawn, maxValue, QString(), QString());
}

int QL_GenerateSVG::drawEntries(const QList<ExportEntry> &entries, bool preview, bool reportProgress)
{
    const int maxValue = preview ? 0 : int(entries.size());
    int drawn = 0;
    for (int i = 0; i < entries.size(); ++i) {
        // The pages started so far: SVG pages, or the target's.
        const qsizetype started = m_target ? m_targetPage + 1 : m_pages.size();
        if (preview && started > 1)
            break;
        if (m_targetFailed)
            break;
        const ExportEntry &entry = entries.at(i);
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
                static const QRegularExpression name(QStringLiteral("【.+?】"));
                m_documentTitle = titleFrom(name.match(entry.text).captured());
                setPageTitle(m_documentTitle);
            }
            renderQuPai(entry.text);
            break;
        case LineType::LineBreak:
            newColumn();
            break;
        case LineType::PageBreak:
            endPage();
            newPage();
            newColumn();
            break;
        case LineType::Lyric:
            renderLyricLine(entry.text, entry.scores);
            break;
        default:
            break;
        }
        drawn = i + 1;
        if (reportProgress)
            emit progressUpdate(1, i, maxValue, QString(), QString());
    }
    return drawn;
}

// ---------------------------------------------------------------------------
// Titles, tune names and spoken passages

void QL_GenerateSVG::renderTitle(const QString &text)
{
    if (text.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    m_painter->setFont(c.titleFont());
    m_painter->setPen(c.titleColor());

    const QString title = text.mid(1).trimmed();
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
    for (QChar ch : title) {
        drawCell(QRect(m_cursorX, m_cursorY, c.colWidth(), h), Qt::AlignCenter,
                            QString(verticalForm(ch)));
        m_cursorY += h;
    }
    newColumn();
}

void QL_GenerateSVG::renderQuPai(const QString &text)
{
    const ExportConfig &c = *m_config;
    static const QRegularExpression namePattern(QStringLiteral("【.+?】"));
    static const QRegularExpression keyPattern(QStringLiteral("[（(].+?[)）]"));
    QString quPai = namePattern.match(text).captured();
    QString diaoMing = keyPattern.match(text).captured();
    for (QChar &ch : quPai)
        ch = verticalForm(ch);
    for (QChar &ch : diaoMing)
        ch = verticalForm(ch);

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

    m_painter->setFont(c.quPaiFont());
    m_painter->setPen(c.quPaiColor());
    for (QChar ch : quPai) {
        const int u = unitHeight(qm, ch);
        drawCell(QRect(m_cursorX, m_cursorY, qm.maxWidth(), u), Qt::AlignCenter, QString(ch));
        m_cursorY += u;
    }

    // A shorter key is centred against the tune name; a longer one starts
    // level with it.
    const int d = qH - dH;
    m_cursorY = d > 1 ? y0 + d / 2 : y0;
    m_cursorX += qm.maxWidth();

    m_painter->setFont(c.diaoMingFont());
    m_painter->setPen(c.diaoMingColor());
    for (QChar ch : diaoMing) {
        const int u = unitHeight(dm, ch);
        drawCell(QRect(m_cursorX, m_cursorY, dm.maxWidth(), u), Qt::AlignCenter, QString(ch));
        m_cursorY += u;
    }

    m_cursorX = x0;
    m_cursorY = y0 + qMax(qH, dH);
}

void QL_GenerateSVG::renderJiaBai(const QString &text)
{
    const QString passage = text.mid(1).trimmed();
    if (passage.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const QFontMetrics fm = c.jiaBaiFontMetrics();
    const int maxW = fm.maxWidth();
    const int contentHeight = contentSize().height();

    m_cursorY += c.lyricSpace();
    m_painter->setFont(c.jiaBaiFont());
    m_painter->setPen(c.jiaBaiColor());
    for (QChar ch : passage) {
        const QChar v = verticalForm(ch);
        const int h = VerticalText::isPunctuation(v) ? fm.boundingRect(v).height() : fm.height();
        if (m_cursorY + h > contentHeight)
            newColumn();
        if (VerticalText::isHangingPunctuation(v)) {
            const int w = fm.boundingRect(v).width();
            drawCell(QRect(m_cursorX + maxW / 2, m_cursorY, w, h), Qt::AlignBottom, QString(v));
        } else {
            drawCell(QRect(m_cursorX, m_cursorY, maxW, h), Qt::AlignCenter, QString(v));
        }
        m_cursorY += h;
    }
}

QPair<int, int> QL_GenerateSVG::lianBaiBlockHeight(const QString &text, int cols) const
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

void QL_GenerateSVG::renderLianBai(const QString &text)
{
    const QString passage = text.mid(1).trimmed();
    if (passage.isEmpty())
        return;
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

    m_painter->setFont(c.lianBaiFont());
    m_painter->setPen(c.lianBaiColor());
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = verticalForm(passage.at(i));
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
            drawCell(QRect(m_cursorX + subWidth / 2, m_cursorY, tight.width(), h),
                                Qt::AlignBottom, QString(v));
        } else {
            drawCell(QRect(m_cursorX, m_cursorY, subWidth, h), Qt::AlignCenter, QString(v));
        }
        m_cursorY += h;
    }
    m_cursorX = baseX;
    m_cursorY = bottom;
}

// ---------------------------------------------------------------------------
// Sung lines, notation and beat marks

void QL_GenerateSVG::renderLyricLine(const QString &text, const QList<QString> &scores)
{
    if (text.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const QFontMetrics fm = c.lyricFontMetrics();
    const int lw = fm.maxWidth();
    const int contentHeight = contentSize().height();

    m_painter->setFont(c.lyricFont());
    m_painter->setPen(c.lyricColor());
    for (int i = 0; i < text.size(); ++i) {
        const QChar v = verticalForm(text.at(i));
        const bool hanging = VerticalText::isHangingPunctuation(v);
        if (!hanging)
            m_cursorY += c.lyricSpace();
        const QRect tight = fm.tightBoundingRect(QString(v));
        const int h = VerticalText::isPunctuation(v) ? tight.height() : fm.height();
        const QString notation = scores.value(i);

        if (c.isLineBreakScoreOverflow() && m_cursorY + scoreExtent(notation) > contentHeight)
            newColumn();
        else if (m_cursorY + h > contentHeight)
            newColumn();

        if (hanging)
            drawCell(QRect(m_cursorX + lw / 2, m_cursorY, tight.width(), h), Qt::AlignBottom, QString(v));
        else
            drawCell(QRect(m_cursorX, m_cursorY, lw, h), Qt::AlignCenter, QString(verticalForm(v)));
        if (isLyricChar(v))
            renderScore(notation);
        m_cursorY += h;
    }
}

void QL_GenerateSVG::renderScore(const QString &notation)
{
    if (notation.isEmpty())
        return;
    const ExportConfig &c = *m_config;
    const QFontMetrics sm = c.scoreFontMetrics();
    const int lw = c.lyricFontMetrics().maxWidth();

    m_painter->save();
    m_painter->setFont(c.scoreFont());
    // The run starts at the right edge of the character's cell, half a glyph
    // to the left and one notation line down, and turns by the score angle.
    m_painter->translate(m_cursorX + lw - sm.maxWidth() / 2 + c.lyricScoreSpace(), m_cursorY + sm.height());
    m_painter->rotate(c.scoreAngle());
    const QList<ScoreGlyph> glyphs = layoutScore(notation);
    for (const ScoreGlyph &g : glyphs) {
        m_painter->setPen(g.color);
        drawCell(g.cell, Qt::AlignCenter, g.glyph);
    }
    m_painter->restore();
}

QList<QL_GenerateSVG::ScoreGlyph> QL_GenerateSVG::layoutScore(const QString &notation) const
{
    const ExportConfig &c = *m_config;
    const QFontMetrics sm = c.scoreFontMetrics();
    const int sw = sm.maxWidth();

    QList<ScoreGlyph> glyphs;
    const int count = NotationGlyph::pieceCount(notation);
    glyphs.reserve(count);
    // y: the top of the next note; off: where the next mark goes, from y.
    int y = 0;
    int off = 0;
    bool prevMark = false;
    for (int n = 0; n < count; ++n) {
        const QStringView piece = NotationGlyph::piece(notation, n);
        ScoreGlyph g;
        g.glyph = piece.toString();
        switch (NotationGlyph::kind(piece)) {
        case NotationGlyph::Kind::Ban:
            g.color = c.banColor();
            break;
        case NotationGlyph::Kind::XiaoYan:
            g.color = c.xiaoYanColor();
            break;
        case NotationGlyph::Kind::ZhongYan:
            g.color = c.zhongYanColor();
            break;
        case NotationGlyph::Kind::Other:
            g.color = NotationGlyph::takesQiangGeColor(piece) ? c.qiangGeColor() : c.scoreColor();
            break;
        }
        const QRect r = sm.tightBoundingRect(g.glyph);
        const int gw = r.width();
        const int gh = r.height();
        if (NotationGlyph::isBeatMark(piece)) {
            // Marks stand in their lane at 0.7 of their height; directly after
            // a note, the dropping ones start one mark height lower.
            const int mh = int(gh * 0.7);
            if (NotationGlyph::dropsAfterNote(piece) && !prevMark)
                off += mh;
            g.cell = QRect(sw + c.scoreBanYanSpace(), y + off, gw, mh);
            off += mh + c.banYanSpace();
            prevMark = true;
        } else {
            // Marks that reached below this point push the note down.
            if (off > 0)
                y += off;
            g.cell = NotationGlyph::isFlushRight(piece) ? QRect(sw - gw, y, gw, gh) : QRect(0, y, sw, gh);
            y += gh + c.scoreSpace();
            // The marks that follow are measured from this note's top.
            off = -(gh + c.scoreSpace());
            prevMark = false;
        }
        glyphs.append(g);
    }
    return glyphs;
}

int QL_GenerateSVG::scoreExtent(const QString &notation) const
{
    if (notation.isEmpty())
        return 0;
    const ExportConfig &c = *m_config;
    const QFontMetrics sm = c.scoreFontMetrics();
    const int sh = sm.height();

    int sum = 0;
    int off = 0;
    bool prevMark = false;
    const int count = NotationGlyph::pieceCount(notation);
    for (int n = 0; n < count; ++n) {
        const QStringView piece = NotationGlyph::piece(notation, n);
        const int gh = sm.tightBoundingRect(piece.toString()).height();
        if (NotationGlyph::isBeatMark(piece)) {
            const int mh = int(gh * 0.7);
            if (NotationGlyph::dropsAfterNote(piece) && !prevMark)
                off += mh;
            off += c.banYanSpace() + mh;
            prevMark = true;
        } else {
            if (off > 0)
                sum += off;
            sum += c.scoreSpace() + gh;
            off = -(c.scoreSpace() + gh);
            prevMark = false;
        }
    }
    const int length = qMax(sum + off - c.banYanSpace(), sum + sh);
    return sh + int(length * std::cos(qDegreesToRadians(double(c.scoreAngle()))));
}
