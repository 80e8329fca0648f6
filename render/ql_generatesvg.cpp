#include "ql_generatesvg.h"

#include "stoprequest.h"

#include "exportconfig.h"
#include "jiabailayout.h"
#include "lianbailayout.h"
#include "notationrun.h"
#include "pagedecorator.h"
#include "pagepainter.h"
#include "pagetarget.h"
#include "sunglinelayout.h"
#include "titlelayout.h"
#include "tunenamelayout.h"
#include "verticaltext.h"
#include "xmltext.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

const QString &QL_GenerateSVG::defaultTitle = ScoreLayout::defaultTitle;

QL_GenerateSVG::QL_GenerateSVG(QObject *parent)
    : QL_GenerateSVG(ExportConfig::instance(), parent)
{
}

QL_GenerateSVG::QL_GenerateSVG(const ExportConfig &config, QObject *parent)
    : QObject(parent)
    , m_config(&config)
    , m_layout(config)
{
}

QL_GenerateSVG::~QL_GenerateSVG() = default;

QChar QL_GenerateSVG::verticalForm(QChar c)
{
    return VerticalText::verticalForm(c);
}

bool QL_GenerateSVG::isStopRequested() const
{
    return m_stop && m_stop->isRequested();
}

void QL_GenerateSVG::renderTitle(const QString &text)
{
    TitleLayout::layout(m_layout.context(), text);
}

void QL_GenerateSVG::renderQuPai(const QString &text)
{
    TuneNameLayout::layout(m_layout.context(), text);
}

void QL_GenerateSVG::renderJiaBai(const QString &text)
{
    JiaBaiLayout::layout(m_layout.context(), text);
}

void QL_GenerateSVG::renderLianBai(const QString &text)
{
    LianBaiLayout::layout(m_layout.context(), text);
}

void QL_GenerateSVG::renderLyricLine(const QString &text, const QList<QString> &scores)
{
    SungLineLayout::layout(m_layout.context(), text, scores);
}

QList<ScoreGlyph> QL_GenerateSVG::layoutScore(const QString &notation) const
{
    return NotationRun::layout(LayoutContext(*m_config), notation).glyphs;
}

int QL_GenerateSVG::scoreExtent(const QString &notation) const
{
    return NotationRun::extent(LayoutContext(*m_config), notation);
}

QPair<int, int> QL_GenerateSVG::lianBaiBlockHeight(const QString &text, int cols) const
{
    return LianBaiLayout::blockHeight(m_layout.context(), text, cols);
}

void QL_GenerateSVG::reset()
{
    m_pages.clear();
    m_svgBase = 0;
    m_pageModels.clear();
}

void QL_GenerateSVG::startPageModel()
{
    // A rendering without a reset() keeps the SVG pages of the one before
    // ahead of its own, as they were when made.
    pages();
    m_svgBase = m_pages.size();
    m_pageModels.clear();
    const ExportConfig &c = *m_config;
    m_fontFamilies = {c.titleFont().family(), c.lyricFont().family(), c.scoreFont().family(),
                      c.quPaiFont().family(), c.diaoMingFont().family(), c.lianBaiFont().family(),
                      c.jiaBaiFont().family()};
}

void QL_GenerateSVG::beginRendering()
{
    startPageModel();
    m_layout.start({}, false, m_documentTitle);
}

void QL_GenerateSVG::finishRendering()
{
    takeFinishedPages(true);
    m_documentTitle = m_layout.documentTitle();
}

void QL_GenerateSVG::generate(const QList<ExportEntry> &entries, bool preview)
{
    const int maxValue = preview ? 0 : int(entries.size());
    if (preview)
        emit progressUpdate(0, 0, maxValue, tr("生成预览"), tr("正在生成预览···"));
    else
        emit progressUpdate(0, 0, maxValue, tr("绘制曲谱"), tr("正在绘制曲谱···"));

    startPageModel();
    // The layout drops the characters an SVG page cannot carry, so that
    // every painter shows the same page.
    m_layout.start(entries, preview, m_documentTitle);
    while (!isStopRequested() && m_layout.layoutNext()) {
        // A page is decorated as soon as the layout has left it.
        takeFinishedPages(false);
        emit progressUpdate(1, m_layout.entriesDone() - 1, maxValue, QString(), QString());
    }
    finishRendering();
    emit progressUpdate(2, m_layout.entriesDone(), maxValue, QString(), QString());
}

void QL_GenerateSVG::takeFinishedPages(bool includingLast)
{
    const QList<ScorePage> &laidOut = m_layout.pages();
    const int complete = includingLast ? int(laidOut.size()) : int(laidOut.size()) - 1;
    for (int i = int(m_pageModels.size()); i < complete; ++i)
        m_pageModels.append(PageDecorator::decorated(laidOut.at(i), i, *m_config));
}

const QList<QByteArray> &QL_GenerateSVG::pages() const
{
    for (qsizetype i = m_pages.size() - m_svgBase; i < m_pageModels.size(); ++i)
        m_pages.append(svgPage(int(i)));
    return m_pages;
}

QByteArray QL_GenerateSVG::svgPage(int index) const
{
    if (index < 0 || index >= m_pageModels.size())
        return QByteArray();
    const ScorePage &page = m_pageModels.at(index);
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setSize(page.size);
        generator.setViewBox(QRect(QPoint(0, 0), page.size));
        generator.setOutputDevice(&buffer);
        // The generator writes a title and a description only when it has
        // them as painting begins: the first page always names itself.
        const QString described = index == 0 ? defaultTitle : QString();
        generator.setTitle(described.toHtmlEscaped());
        generator.setDescription(described.toHtmlEscaped());
        QPainter painter(&generator);
        PagePainter::paint(painter, page);
    }
    buffer.close();

    // The title the page ended with: a title line or a tune name found on it.
    const QByteArray title = page.title.toHtmlEscaped().toUtf8();
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
    return XmlText::escapeFontFamilies(svg, m_fontFamilies);
}

bool QL_GenerateSVG::paintPages(PageTarget &target)
{
    QPainter painter;
    bool painted = true;
    const QList<ScorePage> &pages = m_pageModels;
    for (int i = 0; i < pages.size(); ++i) {
        if (isStopRequested() || !target.beginPage(painter, i)) {
            painted = false;
            break;
        }
        PagePainter::paint(painter, pages.at(i));
        target.endPage(painter, i);
    }
    if (painted && !target.finish(painter))
        painted = false;
    if (painter.isActive())
        painter.end();
    return painted;
}
