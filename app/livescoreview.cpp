#include "livescoreview.h"

#include "exportentrycache.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"
#include "scorelayout.h"
#include "pagedecorator.h"
#include "pagemetrics.h"
#include "pagepainter.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtMath>

#include <climits>
#include <cmath>

namespace {

// Room around the page on the canvas, in device-independent pixels.
const int canvasMargin = 8;
// One frame at sixty frames a second.
const int frameMs = 16;
const double minScale = 0.1;
const double maxScale = 8.0;
// A soft yellow, multiplied into the page so that the ink stays black.
const QColor markColor(255, 232, 160);
// Posted below the priority of a repaint request, so that it is delivered
// after the editors have painted the keystroke.
const QEvent::Type deferredUpdate = QEvent::Type(QEvent::User + 20);

} // namespace

LiveScoreView::LiveScoreView(const ExportConfig &config, QWidget *parent)
    : QWidget(parent)
    , m_config(config)
    , m_layout(std::make_unique<ScoreLayout>(config))
    , m_scroll(new QScrollArea(this))
    , m_canvas(new QWidget)
    , m_pageLabel(new QLabel(this))
    , m_previous(new QToolButton(this))
    , m_next(new QToolButton(this))
{
    setAccessibleName(tr("曲谱预览"));
    setObjectName(QStringLiteral("liveScoreView"));
    m_canvas->setObjectName(QStringLiteral("liveScoreCanvas"));
    m_canvas->installEventFilter(this);
    // The canvas paints all of itself: the page and the room around it.
    m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas->setCursor(Qt::PointingHandCursor);
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->viewport()->installEventFilter(this);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);

    m_previous->setText(tr("上一页"));
    m_previous->setToolTip(tr("上一页 PgUp"));
    m_next->setText(tr("下一页"));
    m_next->setToolTip(tr("下一页 PgDown"));
    m_previous->setObjectName(QStringLiteral("previousPageButton"));
    m_next->setObjectName(QStringLiteral("nextPageButton"));
    auto *fitWidthButton = new QToolButton(this);
    fitWidthButton->setObjectName(QStringLiteral("fitWidthButton"));
    fitWidthButton->setText(tr("适合宽度"));
    auto *fitPageButton = new QToolButton(this);
    fitPageButton->setObjectName(QStringLiteral("fitPageButton"));
    fitPageButton->setText(tr("适合页面"));
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_previous);
    bar->addWidget(m_pageLabel);
    bar->addWidget(m_next);
    bar->addStretch();
    bar->addWidget(fitWidthButton);
    bar->addWidget(fitPageButton);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(bar);
    column->addWidget(m_scroll, 1);

    connect(m_previous, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(fitWidthButton, &QToolButton::clicked, this, &LiveScoreView::fitWidth);
    connect(fitPageButton, &QToolButton::clicked, this, &LiveScoreView::fitPage);

    m_frame.setSingleShot(true);
    connect(&m_frame, &QTimer::timeout, this, &LiveScoreView::update);
    m_background.setSingleShot(true);
    connect(&m_background, &QTimer::timeout, this, &LiveScoreView::layOutInBackground);
    m_sinceUpdate.start();
    updatePageLabel();
    resizeCanvas();
}

LiveScoreView::~LiveScoreView() = default;

void LiveScoreView::setDocument(QL_Edit *document)
{
    if (document == m_document)
        return;
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_document = document;
    m_laidOut = false;
    m_layout = std::make_unique<ScoreLayout>(m_config);
    m_entries.reset(document ? new ExportEntryCache(document->document()) : nullptr);
    m_background.stop();
    m_completeCount = 0;
    m_page = 0;
    m_marks.clear();
    m_markPage = -1;
    m_pixmapStale = true;
    if (document) {
        const auto changed = [this] {
            m_layoutDirty = true;
            schedule();
        };
        ScoreDocument *core = document->document();
        m_connections << connect(core->lyric(), &QTextDocument::contentsChanged, this, changed);
        m_connections << connect(core->score(), &QTextDocument::contentsChanged, this, changed);
        m_connections << connect(document->lyricEdit(), &QPlainTextEdit::cursorPositionChanged, this, [this] {
            m_cursorDirty = true;
            schedule();
        });
        m_layoutDirty = true;
        m_cursorDirty = true;
        update();
    }
    updatePageLabel();
    resizeCanvas();
    m_canvas->update();
}

void LiveScoreView::reloadOptions()
{
    m_laidOut = false;
    m_layoutDirty = true;
    m_cursorDirty = true;
    m_pixmapStale = true;
    schedule();
}

void LiveScoreView::flush()
{
    m_frame.stop();
    update();
}

int LiveScoreView::pageCount() const
{
    return m_document ? int(m_layout->pages().size()) : 0;
}

const QList<ScorePage> &LiveScoreView::pages() const
{
    return m_layout->pages();
}

void LiveScoreView::schedule()
{
    if (m_frame.isActive() || m_deferred)
        return;
    m_deferred = true;
    QCoreApplication::postEvent(this, new QEvent(deferredUpdate), Qt::LowEventPriority - 1);
}

bool LiveScoreView::event(QEvent *event)
{
    if (event->type() != deferredUpdate)
        return QWidget::event(event);
    m_deferred = false;
    // The first change after a quiet frame is shown at once; those that
    // follow it within the frame wait for its end and go together.
    const int wait = frameMs - int(m_sinceUpdate.elapsed());
    if (wait <= 0) {
        m_frame.stop();
        update();
    } else if (!m_frame.isActive()) {
        m_frame.start(wait);
    }
    return true;
}

void LiveScoreView::update()
{
    // A hidden view costs the editors nothing: it catches up when shown.
    if (!m_document || !isVisible())
        return;
    m_sinceUpdate.restart();
    if (m_layoutDirty || !m_laidOut) {
        const ExportEntryCache::Change change = m_entries->update();
        const QList<ExportEntry> &entries = m_entries->entries();
        const int before = int(m_layout->pages().size());
        // The pages up to the cursor's are laid out now, the rest later.
        const int cursorEntry = m_document->lyricEdit()->textCursor().blockNumber();
        if (!m_laidOut) {
            m_layout->start(entries, false, QString());
            m_layout->continueLayout(0);
            m_laidOut = true;
            m_pixmapStale = true;
        } else if (!change.isEmpty()) {
            // A page is complete once the next has begun.
            const int until = m_layout->pageOfEntry(cursorEntry);
            const QPair<int, int> changed
                = m_layout->relayout(entries, {change.first, change.unchangedTail(int(entries.size()))}, until);
            // Pages after the new ones move when the count changes.
            const bool moved = int(m_layout->pages().size()) != before && m_page >= changed.first;
            if (moved || (m_page >= changed.first && m_page < changed.second))
                m_pixmapStale = true;
        }
        // Each round completes the page under way, no more: the cursor's
        // line may have moved onto the next page.
        while (!m_layout->isComplete() && m_layout->entriesDone() <= cursorEntry + 1)
            m_layout->continueLayout(int(m_layout->pages().size()) - 1);
        m_layoutDirty = false;
        m_cursorDirty = true;
        if (m_page >= pageCount()) {
            m_page = qMax(0, pageCount() - 1);
            m_pixmapStale = true;
        }
    }
    if (m_cursorDirty) {
        m_cursorDirty = false;
        followCursor();
    }
    layOutThrough(m_page);
    if (!m_layout->isComplete())
        m_background.start(0);
    updatePageLabel();
    resizeCanvas();
    // The page image is brought up to date now, so that only the part of
    // the canvas it changed is painted again: after a keystroke that is the
    // rest of a column or two, not the page.
    if (pageCount() == 0)
        m_canvas->update();
    else
        m_canvas->update(refreshPageImage());
}

bool LiveScoreView::isLaidOut() const
{
    return !m_document || (m_laidOut && m_layout->isComplete() && !m_layoutDirty);
}

void LiveScoreView::finishLayout()
{
    flush();
    layOutThrough(INT_MAX - 1);
    updatePageLabel();
}

void LiveScoreView::layOutThrough(int page)
{
    // A page is complete once the next one has begun.
    while (!m_layout->isComplete() && m_layout->pages().size() <= page + 1)
        m_layout->continueLayout(page);
    if (m_layout->isComplete()) {
        m_background.stop();
        m_completeCount = int(m_layout->pages().size());
    }
}

void LiveScoreView::layOutInBackground()
{
    if (!m_document || !m_laidOut)
        return;
    // A slice short enough to leave the next keystroke its frame.
    QElapsedTimer slice;
    slice.start();
    while (!m_layout->isComplete() && slice.elapsed() < 4)
        m_layout->continueLayout(int(m_layout->pages().size()));
    if (m_layout->isComplete())
        m_completeCount = int(m_layout->pages().size());
    else
        m_background.start(0);
    updatePageLabel();
}

void LiveScoreView::followCursor()
{
    const QList<QRectF> oldMarks = m_marks;
    const int oldMarkPage = m_markPage;
    m_marks.clear();
    m_markPage = -1;
    const QTextCursor cursor = m_document->lyricEdit()->textCursor();
    const QTextBlock block = cursor.block();
    const int entry = block.blockNumber();
    const QString text = block.text();
    // The character before the cursor; at the start of a line, the first.
    int offset = cursor.positionInBlock() - 1;
    if (offset > 0 && text.at(offset).isLowSurrogate())
        --offset;
    offset = qMax(0, offset);

    const QList<ScorePage> &all = m_layout->pages();
    int target = qMin(m_layout->pageOfEntry(entry), int(all.size()) - 1);
    // The line may go on over the pages after the one it starts on: the
    // character is on the last page that shows a character of the line at
    // or before it; a marker or mark before the first drawn character goes
    // with that character.
    int foundPage = -1;
    int foundOffset = -1;
    int firstOffset = INT_MAX;
    int firstPage = -1;
    for (int p = qMax(0, target); p < all.size(); ++p) {
        bool past = false;
        bool onPage = false;
        for (const PageRun &run : all.at(p).runs) {
            for (const PageItem &item : run.items) {
                const ItemSource &s = item.source;
                if (s.entry > entry)
                    past = true;
                if (s.entry != entry || s.kind == ItemSource::Kind::Notation)
                    continue;
                onPage = true;
                if (s.offset <= offset && s.offset >= foundOffset) {
                    foundOffset = s.offset;
                    foundPage = p;
                }
                if (s.offset < firstOffset) {
                    firstOffset = s.offset;
                    firstPage = p;
                }
            }
        }
        if (past || (!onPage && p > target))
            break;
    }
    if (foundPage < 0) {
        foundPage = firstPage;
        foundOffset = firstOffset;
    }
    if (foundPage >= 0) {
        QRectF character;
        QRectF notation;
        for (const PageRun &run : all.at(foundPage).runs) {
            for (const PageItem &item : run.items) {
                if (item.source.entry != entry || item.source.offset != foundOffset)
                    continue;
                if (item.source.kind == ItemSource::Kind::Notation)
                    notation |= item.ink;
                else
                    character |= item.ink;
            }
        }
        for (const QRectF &r : {character, notation}) {
            if (!r.isEmpty())
                m_marks.append(r.adjusted(-1.5, -1.5, 1.5, 1.5));
        }
        m_markPage = foundPage;
        target = foundPage;
    }
    if (target >= 0 && target != m_page) {
        m_page = target;
        m_pixmapStale = true;
    }
    if (m_marks != oldMarks || m_markPage != oldMarkPage)
        m_canvas->update(marksOnCanvas(oldMarks) | marksOnCanvas(m_marks));
}

void LiveScoreView::showPage(int index)
{
    if (pageCount() == 0)
        return;
    layOutThrough(index);
    index = qBound(0, index, pageCount() - 1);
    if (index == m_page)
        return;
    m_page = index;
    m_pixmapStale = true;
    updatePageLabel();
    m_canvas->update();
}

void LiveScoreView::setScale(double scale)
{
    scale = qBound(minScale, scale, maxScale);
    m_fit = Fit::None;
    if (qFuzzyCompare(scale, m_scale))
        return;
    m_scale = scale;
    m_pixmapStale = true;
    resizeCanvas();
    m_canvas->update();
}

void LiveScoreView::setScaleAbout(double scale, const QPoint &viewportPoint)
{
    QWidget *viewport = m_scroll->viewport();
    const QPointF pagePoint =
        QPointF(m_canvas->mapFrom(viewport, viewportPoint) - QPoint(canvasMargin, canvasMargin)) / m_scale;
    setScale(scale);
    // The scroll area learns the canvas's new size from its resize event,
    // which a hidden canvas gets only when shown.
    QCoreApplication::sendPostedEvents(m_canvas, QEvent::Resize);
    const QPoint after = canvasPoint(pagePoint);
    // While the canvas is larger than the viewport it stands at minus the
    // scroll values; a smaller one is centred and does not scroll.
    m_scroll->horizontalScrollBar()->setValue(after.x() - viewportPoint.x());
    m_scroll->verticalScrollBar()->setValue(after.y() - viewportPoint.y());
}

void LiveScoreView::fitWidth()
{
    m_fit = Fit::Width;
    applyFit();
}

void LiveScoreView::fitPage()
{
    m_fit = Fit::Page;
    applyFit();
}

void LiveScoreView::applyFit()
{
    const QSize pageSize = pageCount() > 0 ? pages().at(m_page).size : m_layout->pageSize();
    if (m_fit == Fit::None || pageSize.isEmpty())
        return;
    const QSize room = m_scroll->viewport()->size() - QSize(2 * canvasMargin, 2 * canvasMargin);
    double scale = double(room.width()) / pageSize.width();
    if (m_fit == Fit::Page)
        scale = qMin(scale, double(room.height()) / pageSize.height());
    const Fit fit = m_fit;
    setScale(scale);
    m_fit = fit;
}

QRect LiveScoreView::pageRectOnCanvas() const
{
    const QSize pageSize = pageCount() > 0 ? pages().at(m_page).size : m_layout->pageSize();
    // Rounded up to whole pixels, but not for the last bit of a product
    // that should be whole: a page fitted to the viewport would overflow it
    // by a pixel and bring up a scroll bar.
    const auto pixels = [this](int points) { return qCeil(points * m_scale - 1e-6); };
    return QRect(QPoint(canvasMargin, canvasMargin), QSize(pixels(pageSize.width()), pixels(pageSize.height())));
}

QPoint LiveScoreView::canvasPoint(const QPointF &pagePoint) const
{
    return (pagePoint * m_scale).toPoint() + QPoint(canvasMargin, canvasMargin);
}

void LiveScoreView::resizeCanvas()
{
    const QRect page = pageRectOnCanvas();
    m_canvas->setFixedSize(page.width() + 2 * canvasMargin, page.height() + 2 * canvasMargin);
}

void LiveScoreView::updatePageLabel()
{
    const int laidOut = pageCount();
    // While the pages after the cursor's are being laid out, the count of
    // the last whole layout stands for theirs.
    const int count = m_layout->isComplete() ? laidOut : qMax(laidOut, m_completeCount);
    m_pageLabel->setText(laidOut > 0 ? tr("第 %1 / %2 页").arg(m_page + 1).arg(count) : QString());
    m_previous->setEnabled(count > 0 && m_page > 0);
    m_next->setEnabled(laidOut > 0 && (m_page < laidOut - 1 || !m_layout->isComplete()));
}

QRect LiveScoreView::refreshPageImage()
{
    const QRect target = pageRectOnCanvas();
    const qreal ratio = m_canvas->devicePixelRatioF();
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (!m_pixmapStale && m_repainter.image().size() == pixels
        && qFuzzyCompare(m_repainter.image().devicePixelRatio(), ratio))
        return QRect();
    // Painted at this scale and resolution as it changes (only where it
    // changed); scrolling and the moving mark only copy it. Decorated as it
    // is painted: its number is that of the page it is now, whatever pages
    // a relayout put before it.
    m_repainter.paint(PageDecorator::decorated(pages().at(m_page), m_page, m_config), m_scale, pixels, ratio);
    m_pixmapStale = false;
    const QRect changed = m_repainter.paintedPixels();
    return QRectF(QPointF(changed.topLeft()) / ratio, QSizeF(changed.size()) / ratio)
        .toAlignedRect()
        .translated(target.topLeft());
}

QRect LiveScoreView::marksOnCanvas(const QList<QRectF> &marks) const
{
    QRectF area;
    for (const QRectF &mark : marks)
        area |= mark;
    if (area.isEmpty())
        return QRect();
    const QRectF scaled(area.topLeft() * m_scale, area.bottomRight() * m_scale);
    return scaled.toAlignedRect().adjusted(-1, -1, 1, 1).translated(pageRectOnCanvas().topLeft());
}

void LiveScoreView::paintCanvas(const QRect &exposed)
{
    QPainter painter(m_canvas);
    if (pageCount() == 0) {
        painter.fillRect(exposed, palette().dark());
        return;
    }
    const QRect target = pageRectOnCanvas();
    refreshPageImage();
    // Only what is exposed: after a keystroke the rest of a column or two.
    for (const QRect &room : QRegion(exposed).subtracted(target))
        painter.fillRect(room, palette().dark());
    const QRect shown = exposed & target;
    if (!shown.isEmpty()) {
        const QImage &image = m_repainter.image();
        const qreal ratio = image.devicePixelRatio();
        const QRectF source(QPointF(shown.topLeft() - target.topLeft()) * ratio, QSizeF(shown.size()) * ratio);
        painter.drawImage(QRectF(shown), image, source);
    }
    if (m_markPage == m_page && !m_marks.isEmpty()) {
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.translate(target.topLeft());
        painter.scale(m_scale, m_scale);
        for (const QRectF &mark : std::as_const(m_marks))
            painter.fillRect(mark, markColor);
    }
    emit pagePainted();
}

void LiveScoreView::clickAt(const QPoint &canvasPoint)
{
    if (!m_document || pageCount() == 0)
        return;
    const QPointF point = QPointF(canvasPoint - QPoint(canvasMargin, canvasMargin)) / m_scale;
    // The item whose ink holds the point, or failing that the nearest within
    // a little slack, for the thin strokes of notation. Where inks overlap
    // (a mark of punctuation tucked under its character), the smaller one
    // is the one aimed at.
    const ItemSource *hit = nullptr;
    double best = 4.0;
    double bestArea = 0;
    for (const PageRun &run : pages().at(m_page).runs) {
        for (const PageItem &item : run.items) {
            if (item.source.entry < 0 || item.source.offset < 0)
                continue;
            const QRectF ink = item.ink;
            const double dx = qMax(0.0, qMax(ink.left() - point.x(), point.x() - ink.right()));
            const double dy = qMax(0.0, qMax(ink.top() - point.y(), point.y() - ink.bottom()));
            const double distance = qMax(dx, dy);
            const double area = ink.width() * ink.height();
            if (distance < best || (hit && distance == best && area < bestArea)) {
                best = distance;
                bestArea = area;
                hit = &item.source;
            }
        }
    }
    if (!hit)
        return;
    QPlainTextEdit *edit = m_document->lyricEdit();
    const QTextBlock block = edit->document()->findBlockByNumber(hit->entry);
    if (!block.isValid())
        return;
    const QString text = block.text();
    int offset = qMin(hit->offset, int(text.size()));
    // The cursor goes after the character, where the pairing reads it.
    if (offset < text.size())
        offset += text.at(offset).isHighSurrogate() && offset + 1 < text.size() ? 2 : 1;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset);
    edit->setTextCursor(cursor);
    edit->ensureCursorVisible();
    edit->setFocus(Qt::MouseFocusReason);
    flush();
}

bool LiveScoreView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_canvas) {
        switch (event->type()) {
        case QEvent::Paint:
            paintCanvas(static_cast<QPaintEvent *>(event)->rect());
            return true;
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                clickAt(mouse->position().toPoint());
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    if (event->type() == QEvent::Wheel && (watched == m_canvas || watched == m_scroll->viewport())) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const double steps = wheel->angleDelta().y() / 120.0;
            if (steps != 0) {
                const QPoint at = watched == m_canvas
                                      ? m_canvas->mapTo(m_scroll->viewport(), wheel->position().toPoint())
                                      : wheel->position().toPoint();
                setScaleAbout(m_scale * std::pow(1.15, steps), at);
            }
            return true;
        }
    }
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_fit != Fit::None)
        QTimer::singleShot(0, this, &LiveScoreView::applyFit);
    return QWidget::eventFilter(watched, event);
}

void LiveScoreView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Changes made while hidden are laid out now.
    if (m_document)
        schedule();
}

void LiveScoreView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageUp)
        showPage(m_page - 1);
    else if (event->key() == Qt::Key_PageDown)
        showPage(m_page + 1);
    else
        QWidget::keyPressEvent(event);
}
