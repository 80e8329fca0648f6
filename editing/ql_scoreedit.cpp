#include "ql_scoreedit.h"

#include "editorconfig.h"
#include "inputmethod.h"
#include "notation.h"
#include "pairinghighlight.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"
#include "scorehighlighter.h"

#include <QHelpEvent>
#include <QToolTip>

#include <QTextBlock>

QL_ScoreEdit::QL_ScoreEdit(QWidget *parent)
    : GutteredEdit(parent)
    , config(&EditorConfig::instance())
    , m_inputMethod(InputMethod::instance())
{
    setInputMethodHints(Qt::ImhHiddenText | Qt::ImhNoPredictiveText);
    setUpGutter();
    setUpZoom(EditorZoom::Editor::Score);
    connect(config, &EditorConfig::configChanged, this, &QL_ScoreEdit::applyConfig);
    applyConfig();
}

int QL_ScoreEdit::gutterWidth() const
{
    return zoomed(config->scoreLineNumberFontMetrics().maxWidth()) + 20;
}

void QL_ScoreEdit::applyConfig()
{
    QPalette colours = palette();
    colours.setBrush(QPalette::All, QPalette::Base, config->scoreBgColor());
    colours.setBrush(QPalette::All, QPalette::Text, config->scoreColor());
    setPalette(colours);
    setFont(zoomed(config->scoreFont()));
    // A new gutter font may need a wider gutter.
    refitGutter();
}

QL_ScoreEdit::GutterLabel QL_ScoreEdit::gutterLabel(const QTextBlock &block) const
{
    if (!m_lyricEdit)
        return {};
    const int line = block.blockNumber();
    const int sungChars = m_lyricEdit->lyricCharCount();
    if (line < sungChars)
        return {m_lyricEdit->lyricCharAt(line + 1)};
    // The empty line of a score without sung characters waits for the first.
    if (line == 0 && block.text().isEmpty())
        return {};
    return {QStringLiteral("×"), true,
            tr("这一行曲谱没有对应的唱字，导出时不会输出。")};
}

void QL_ScoreEdit::setLyricEdit(const QL_LyricEdit *lyricEdit)
{
    m_lyricEdit = lyricEdit;
    lineNumberArea()->update();
}

GutteredEdit::GutterStyle QL_ScoreEdit::gutterStyle() const
{
    return {zoomed(config->scoreLineNumberFont()), config->scoreLineNumberColor(), config->scoreLineNumberBgColor(),
            config->errorColor()};
}

void QL_ScoreEdit::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    m_inputMethod->reset();
}

void QL_ScoreEdit::highlightLine(int position)
{
    setExtraSelections({PairingHighlight::lineSelection(this, position)});
}

void QL_ScoreEdit::showDocument(ScoreDocument *document)
{
    delete m_highlighter;
    showText(document->score());
    m_highlighter = new ScoreHighlighter(document->score());
}

const LineTally &QL_ScoreEdit::foreignCharacters() const
{
    if (!m_foreign || m_foreign->document() != document() || m_foreignDocument != document())
        m_foreign = std::make_unique<LineTally>(document(), [](const QString &line) {
            return Notation::foreignCount(line);
        });
    m_foreignDocument = document();
    return *m_foreign;
}

int QL_ScoreEdit::foreignCharacterCount() const
{
    return foreignCharacters().total();
}

int QL_ScoreEdit::firstForeignLine() const
{
    return foreignCharacters().lineReaching(1);
}

bool QL_ScoreEdit::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return GutteredEdit::viewportEvent(event);
    auto *help = static_cast<QHelpEvent *>(event);
    // The character under the mouse: after the nearest cursor position, or
    // before it when the mouse is left of that position.
    QTextCursor cursor = cursorForPosition(help->pos());
    const QString line = cursor.block().text();
    int at = cursor.positionInBlock();
    if (help->pos().x() < cursorRect(cursor).left() && at > 0)
        at -= at >= 2 && line.at(at - 1).isLowSurrogate() && line.at(at - 2).isHighSurrogate() ? 2 : 1;
    const bool pair = at + 1 < line.size() && line.at(at).isHighSurrogate() && line.at(at + 1).isLowSurrogate();
    const QString character = line.mid(at, pair ? 2 : 1);
    if (!character.isEmpty() && Notation::isForeign(Notation::codePoint(character)))
        QToolTip::showText(help->globalPos(),
                           tr("“%1”不是曲谱符号，导出时按普通文字排印。\n曲谱符号请用曲谱输入法或符号表输入。")
                               .arg(character),
                           viewport());
    else
        QToolTip::hideText();
    return true;
}

void QL_ScoreEdit::insertScoreLines(int at, int count)
{
    ScoreDocument::insertScoreLines(document(), at, count);
}

void QL_ScoreEdit::deleteScoreLines(int at, int count)
{
    ScoreDocument::deleteScoreLines(document(), at, count);
}

void QL_ScoreEdit::clearFirstScoreLines(int count)
{
    ScoreDocument::clearFirstScoreLines(document(), count);
}

namespace {

// The beat marks of text, nearest the end first, appended to marks until it
// holds eight.
void takeBeatMarks(const QString &text, QList<char32_t> &marks)
{
    for (int i = text.size(); i > 0 && marks.size() < 8;) {
        char32_t c = text.at(i - 1).unicode();
        if (text.at(i - 1).isLowSurrogate() && i >= 2 && text.at(i - 2).isHighSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i - 2), text.at(i - 1));
            i -= 2;
        } else {
            --i;
        }
        if (Notation::isBeatMark(c))
            marks.append(c);
    }
}

int countBeatMarks(const QString &text)
{
    int count = 0;
    for (int i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (Notation::isBeatMark(c))
            ++count;
    }
    return count;
}

} // namespace

const LineTally &QL_ScoreEdit::beatMarks() const
{
    // Kept per document: the editor may be shown another one.
    if (!m_beatMarks || m_beatMarks->document() != document() || m_beatMarkDocument != document())
        m_beatMarks = std::make_unique<LineTally>(document(), countBeatMarks);
    m_beatMarkDocument = document();
    return *m_beatMarks;
}

QString QL_ScoreEdit::nextBeatMark() const
{
    // The marks before the cursor, nearest first, at most one measure of
    // eight beats. The lines between them are skipped by the kept count of
    // marks per line, so that Space costs the same in a score with few marks
    // as in one with many.
    QList<char32_t> marks;
    const QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    takeBeatMarks(block.text().left(cursor.positionInBlock()), marks);
    const LineTally &tally = beatMarks();
    // The marks on the lines before the cursor's.
    int before = tally.countThrough(block.blockNumber() - 1);
    while (marks.size() < 8 && before > 0) {
        const int line = tally.lineReaching(before);
        if (line < 0)
            break;
        takeBeatMarks(document()->findBlockByNumber(line).text(), marks);
        before -= tally.countOf(line);
    }

    char32_t reference = Notation::touBan;
    if (marks.size() == 8) {
        // A measure with 赠板 has eight beats; otherwise four.
        const bool eightBeats = marks.contains(Notation::zengBan) || marks.contains(Notation::yaoZengBan);
        reference = marks.at(eightBeats ? 7 : 3);
    } else if (marks.size() == 1) {
        reference = marks.at(0);
    } else if (marks.size() >= 2 && marks.size() <= 3) {
        reference = marks.at(1);
    } else if (marks.size() >= 4) {
        reference = marks.at(3);
    }
    return QString::fromUcs4(&reference, 1);
}

QString QL_ScoreEdit::characterAtCursor() const
{
    const QTextCursor cursor = textCursor();
    const QString line = cursor.block().text();
    int at = cursor.positionInBlock();
    if (at > 0) {
        at -= at >= 2 && line.at(at - 1).isLowSurrogate() && line.at(at - 2).isHighSurrogate() ? 2 : 1;
    } else if (line.isEmpty()) {
        return QString();
    }
    const bool pair = at + 1 < line.size() && line.at(at).isHighSurrogate() && line.at(at + 1).isLowSurrogate();
    return line.mid(at, pair ? 2 : 1);
}

void QL_ScoreEdit::suggestBeatMark()
{
    m_inputMethod->showAlternatives(nextBeatMark());
}
