#include "inputmethod.h"

#include "fontmanager.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

InputMethod *theInstance = nullptr;

void destroyInstance()
{
    delete theInstance;
}

QStringList textsOf(const ScoredTexts &scored)
{
    QStringList texts;
    texts.reserve(scored.size());
    for (const ScoredText &entry : scored)
        texts.append(entry.first);
    return texts;
}

// The marker of the beat-mark mode in place of typed codes.
const QString alternativesMarker = QStringLiteral("*");

} // namespace

InputMethod *InputMethod::instance()
{
    if (!theInstance) {
        theInstance = new InputMethod(6);
        // A widget has to go while the application object is still whole,
        // never from a static destructor after it: on the way out of the
        // event loop, or at the latest when the application object starts
        // to go (programs and tests that never run the loop).
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, destroyInstance);
        qAddPostRoutine(destroyInstance);
    }
    return theInstance;
}

InputMethod::InputMethod(int pageSize)
    : InputMethod(pageSize, std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv")))
{
}

InputMethod::InputMethod(int pageSize, std::unique_ptr<ScoreTree> tree)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
    , tree(std::move(tree))
    , pageSize(qMax(1, pageSize))
{
    // The score editor keeps the focus while the popup is open.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(tr("曲谱输入法"));

    // Registering the program's fonts also maps "console" onto an installed
    // monospace family.
    candidateFont = QFont(FontManager::instance().notationFamily(), 16);
    codeFont = QFont(QStringLiteral("console"), 12);
    codeFont.setStyleHint(QFont::TypeWriter);
    pageFont = QFont(QStringLiteral("console"), 8);
    pageFont.setStyleHint(QFont::TypeWriter);

    resize(preferredWidth(), preferredHeight());
}

InputMethod::~InputMethod()
{
    if (theInstance == this)
        theInstance = nullptr;
}

void InputMethod::setEditor(QPlainTextEdit *editor)
{
    this->editor = editor;
}

void InputMethod::clearComposition()
{
    candidates.clear();
    code.clear();
    page = 0;
    selected = 0;
}

void InputMethod::reset()
{
    clearComposition();
    segments.clear();
    exactStack.clear();
    prefixStack.clear();
    hide();
    announceSelection();
}

void InputMethod::appendCode(const QString &letter)
{
    if (letter.size() > 1) {
        for (const QChar c : letter)
            appendCode(QString(c));
        return;
    }
    if (letter.isEmpty() || segments.size() >= maxSegments)
        return;
    if (!segments.isEmpty() && segments.first().text == alternativesMarker)
        return;

    clearComposition();

    // A letter either extends the last code or starts a new one after it.
    QString text = letter;
    if (!segments.isEmpty())
        text.prepend(segments.takeLast().text);
    const QList<Segment> fresh = tree->segment(text);
    segments.append(fresh);

    if (!exactStack.isEmpty())
        exactStack.removeLast();
    if (!prefixStack.isEmpty())
        prefixStack.removeLast();
    for (const Segment &segment : fresh)
        pushSearches(segment.text);

    rebuildCodeAndCandidates();
    refit();
    announceSelection();
    update();
    if (isHidden())
        show();
}

void InputMethod::pushSearches(const QString &segmentText, ScoredTexts *prefixResult)
{
    const ScoredTexts exact = tree->search(segmentText, false);
    const ScoredTexts prefix = tree->search(segmentText, true);
    if (prefixResult)
        *prefixResult = prefix;
    if (!exactStack.isEmpty() && !prefixStack.isEmpty()) {
        // The codes before this one count only with their exact symbols.
        const ScoredTexts previous = exactStack.last();
        exactStack.append(combine(previous, exact));
        prefixStack.append(combine(previous, prefix));
    } else {
        exactStack.append(exact);
        prefixStack.append(prefix);
    }
}

void InputMethod::rebuildCodeAndCandidates()
{
    QStringList texts;
    for (const Segment &segment : qAsConst(segments))
        texts.append(segment.text);
    code = texts.join(QLatin1Char('\''));

    if (!prefixStack.isEmpty() && !prefixStack.last().isEmpty())
        candidates = textsOf(prefixStack.last());
    else
        candidates = QStringList{QString()}; // shows the row with nothing to choose
}

void InputMethod::backspace()
{
    if (segments.isEmpty())
        return;

    clearComposition();
    if (!exactStack.isEmpty())
        exactStack.removeLast();
    if (!prefixStack.isEmpty())
        prefixStack.removeLast();

    Segment &last = segments.last();
    last.text.chop(1);
    if (!last.text.isEmpty()) {
        ScoredTexts prefix;
        pushSearches(last.text, &prefix);
        last.valid = !prefix.isEmpty();
    } else {
        segments.removeLast();
        if (segments.isEmpty()) {
            reset();
            return;
        }
        // The code before it was cut short by the removed letter; as the
        // last code it is valid again when longer codes continue it.
        Segment &previous = segments.last();
        previous.valid = !tree->search(previous.text, true).isEmpty();
    }

    rebuildCodeAndCandidates();
    refit();
    announceSelection();
    update();
}

void InputMethod::handleKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Comma:
    case Qt::Key_Up:
        previousPage();
        break;
    case Qt::Key_Period:
    case Qt::Key_Down:
        nextPage();
        break;
    case Qt::Key_Escape:
        reset();
        break;
    case Qt::Key_Backspace:
        backspace();
        break;
    case Qt::Key_Left:
        previousCandidate();
        break;
    case Qt::Key_Right:
        nextCandidate();
        break;
    default:
        break;
    }
}

QString InputMethod::commitSelected()
{
    const qsizetype index = qsizetype(page) * pageSize + selected;
    if (index < 0 || index >= candidates.size())
        return QString();
    const QString text = candidates.at(index);
    reset();
    return text;
}

QString InputMethod::commitNumber(int n)
{
    const int count = int(candidates.size());
    const int last = page == count / pageSize ? qMax(count % pageSize - 1, 0) : pageSize - 1;
    if (n - 1 < 0 || n - 1 > last)
        return QString();
    if (qsizetype(page) * pageSize + n - 1 >= count)
        return QString(); // nothing to choose: the popup stays as it is
    selected = n - 1;
    return commitSelected();
}

void InputMethod::showAlternatives(const QString &mark)
{
    clearComposition();
    exactStack.clear();
    prefixStack.clear();
    candidates = tree->alternatives(mark);
    segments = {Segment{alternativesMarker, true}};
    code = mark;
    refit();
    announceSelection();
    update();
    if (isHidden())
        show();
}

int InputMethod::lastPage() const
{
    return qMax((int(candidates.size()) - 1) / pageSize, 0);
}

int InputMethod::lastIndex() const
{
    return qMax((int(candidates.size()) - 1) % pageSize, 0);
}

void InputMethod::nextCandidate()
{
    if (page == lastPage()) {
        selected = qMin(selected + 1, lastIndex());
    } else if (++selected >= pageSize) {
        selected = 0;
        ++page;
        refit();
    }
    announceSelection();
    update();
}

void InputMethod::previousCandidate()
{
    if (--selected < 0) {
        if (page > 0) {
            --page;
            selected = pageSize - 1;
            refit();
        } else {
            selected = 0;
        }
    }
    announceSelection();
    update();
}

void InputMethod::nextPage()
{
    page = qMin(page + 1, lastPage());
    selected = qMin(selected, page == lastPage() ? lastIndex() : pageSize - 1);
    refit();
    announceSelection();
    update();
}

void InputMethod::previousPage()
{
    page = qMax(page - 1, 0);
    refit();
    announceSelection();
    update();
}

QStringList InputMethod::pageCandidates(int page) const
{
    const qsizetype start = qsizetype(page) * pageSize;
    if (page < 0 || start >= candidates.size())
        return {};
    return candidates.mid(start, pageSize);
}

ScoredTexts InputMethod::combine(const ScoredTexts &previous, const ScoredTexts &next) const
{
    if (previous.isEmpty())
        return next;
    if (next.isEmpty())
        return previous;

    ScoredTexts result;
    result.reserve(qMin<qsizetype>(maxCombinations, previous.size() * next.size()));
    for (const ScoredText &b : next) {
        for (const ScoredText &a : previous) {
            if (result.size() >= maxCombinations)
                break;
            result.append({a.first + b.first, a.second + b.second});
        }
    }
    if (result.size() > 1) {
        std::stable_sort(result.begin(), result.end(), [](const ScoredText &a, const ScoredText &b) {
            return a.second > b.second;
        });
    }
    return result;
}

int InputMethod::preferredHeight() const
{
    return QFontMetrics(codeFont, this).height() + insetTop + rowSpacing
           + QFontMetrics(candidateFont, this).height() + insetBottom;
}

int InputMethod::preferredWidth() const
{
    const QFontMetrics codeMetrics(codeFont, this);
    const QFontMetrics candidateMetrics(candidateFont, this);
    const int codeWidth = codeMetrics.horizontalAdvance(code);

    const QStringList shown = pageCandidates(page);
    int rowWidth = (int(shown.size()) - 1) * candidateSpacing;
    const int labelWidth = codeMetrics.horizontalAdvance(QStringLiteral("0 "));
    for (const QString &candidate : shown)
        rowWidth += candidateMetrics.horizontalAdvance(candidate) + labelWidth;

    return qMax(qMax(codeWidth, rowWidth) + insetRight + insetLeft, minWidth);
}

void InputMethod::moveToCursor(int width, int height)
{
    if (width <= 0)
        width = preferredWidth();
    if (height <= 0)
        height = preferredHeight();
    move(placement(width, height));
}

QPoint InputMethod::placement(int width, int height) const
{
    QPoint anchor = QCursor::pos();
    if (editor)
        anchor = editor->viewport()->mapToGlobal(editor->cursorRect().bottomLeft());

    // The screen the text cursor is on, which on a desktop of several screens
    // need not start at the origin.
    const QScreen *area = QGuiApplication::screenAt(anchor);
    if (!area)
        area = screen();
    const QRect bounds = area ? area->geometry() : QRect(anchor, QSize(width + 10, height + 20));

    int x = anchor.x();
    int y = anchor.y() + 10;
    if (x + width > bounds.x() + bounds.width() - 10)
        x = bounds.x() + bounds.width() - width - 10;
    if (y + height > bounds.y() + bounds.height())
        y = bounds.y() + bounds.height() - height - 10;
    return QPoint(x, y);
}

void InputMethod::refit()
{
    // Size and place in one step, so that a window system never shows the
    // popup resized at its old place.
    const QSize size(preferredWidth(), preferredHeight());
    setGeometry(QRect(placement(size.width(), size.height()), size));
}

void InputMethod::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0x89, 0xb8, 0xd0));
    painter.setBrush(Qt::white);
    // Half a pixel in, so that the whole one-pixel frame lands on the widget.
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3, Qt::AbsoluteSize);

    const QPen normal(QColor(0x00, 0x70, 0xdf));
    const QPen highlight(QColor(0xff, 0x2a, 0x00));
    painter.save();
    painter.setPen(normal);
    painter.setFont(codeFont);
    painter.translate(insetLeft, insetTop);
    const QFontMetrics codeMetrics(codeFont, this);
    const int h1 = codeMetrics.height();

    int x = 0;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const Segment &segment = segments.at(i);
        painter.setPen(segment.valid ? normal : highlight);
        QString text = segment.text;
        if (i + 1 < segments.size())
            text += QLatin1Char('\'');
        painter.drawText(x, h1, text);
        x += codeMetrics.horizontalAdvance(text);
    }

    const int count = int(candidates.size());
    const QString pageText = QStringLiteral("%1/%2").arg(page + 1).arg((count - 1) / pageSize + 1);
    painter.setFont(pageFont);
    painter.setPen(QColor(0x78, 0x78, 0x78));
    painter.drawText(width() - QFontMetrics(pageFont, this).horizontalAdvance(pageText) - 2 * insetRight,
                     h1, pageText);

    painter.translate(0, h1 + rowSpacing);
    const QFontMetrics candidateMetrics(candidateFont, this);
    const int h2 = candidateMetrics.height();
    x = 0;
    const QStringList shown = pageCandidates(page);
    for (qsizetype j = 0; j < shown.size(); ++j) {
        painter.setPen(j == selected ? highlight : normal);
        const QString label = QString::number(j + 1) + QLatin1Char(' ');
        painter.setFont(codeFont);
        painter.drawText(x, (h1 + h2) / 2, label);
        x += codeMetrics.horizontalAdvance(label);
        painter.setFont(candidateFont);
        painter.drawText(x, h2, shown.at(j));
        x += candidateMetrics.horizontalAdvance(shown.at(j)) + candidateSpacing;
    }
    painter.restore();
}

QString InputMethod::selectionText() const
{
    const qsizetype index = qsizetype(page) * pageSize + selected;
    if (code.isEmpty() || index < 0 || index >= candidates.size())
        return QString();
    // The symbols are private-use characters that no speech engine can say:
    // their names are read instead.
    QStringList names;
    const QString candidate = candidates.at(index);
    for (qsizetype i = 0; i < candidate.size(); ++i) {
        const qsizetype length = candidate.at(i).isHighSurrogate() && i + 1 < candidate.size() ? 2 : 1;
        const QString symbol = candidate.mid(i, length);
        const QString name = tree->nameOf(symbol);
        names.append(name.isEmpty() ? symbol : name);
        i += length - 1;
    }
    return tr("%1：第 %2 个，共 %3 个：%4")
        .arg(code)
        .arg(index + 1)
        .arg(candidates.size())
        .arg(names.join(QLatin1Char(' ')));
}

void InputMethod::announceSelection()
{
    // The editor keeps the focus: a change of the popup's name is what a
    // screen reader is told of.
    const QString text = selectionText();
    const QString name = text.isEmpty() ? tr("曲谱输入法") : tr("曲谱输入法 %1").arg(text);
    if (name == accessibleName())
        return;
    setAccessibleName(name);
    if (isVisible()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}
