#include "ql_lyricedit.h"

#include "editorconfig.h"
#include "linegrammar.h"
#include "pairinghighlight.h"
#include "scoredocument.h"
#include "ql_lyrichighlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QCoreApplication>

QL_LyricEdit::QL_LyricEdit(QWidget *parent)
    : GutteredEdit(parent)
    , config(&EditorConfig::instance())
    , m_ownIndex(std::make_unique<LyricCharIndex>(document()))
    , m_index(m_ownIndex.get())
{
    setUpGutter();
    setUpZoom(EditorZoom::Editor::Lyric);
    connect(config, &EditorConfig::configChanged, this, &QL_LyricEdit::applyConfig);
    applyConfig();
    highlighter = new QL_LyricHighlighter(document());
}

void QL_LyricEdit::showDocument(ScoreDocument *document)
{
    // The editor's own document goes with setDocument(), and the highlighter
    // that lives in it; the new text gets a highlighter of its own.
    delete highlighter;
    m_index = &document->lyricIndex();
    showText(document->lyric());
    m_ownIndex.reset();
    highlighter = new QL_LyricHighlighter(document->lyric());
}

int QL_LyricEdit::gutterWidth() const
{
    return zoomed(2 * config->lyricLineNumberFontMetrics().maxWidth()) + 20;
}

void QL_LyricEdit::applyConfig()
{
    QPalette colours = palette();
    colours.setBrush(QPalette::All, QPalette::Text, config->errorColor());
    colours.setBrush(QPalette::All, QPalette::Base, config->lyricBgColor());
    setPalette(colours);
    setFont(zoomed(config->lyricFont()));
    // A new gutter font may need a wider gutter.
    refitGutter();
}

namespace {

QString typeLabel(const std::optional<LineType> &type)
{
    if (!type)
        return QString();
    switch (*type) {
    case LineType::Title:
        return QCoreApplication::translate("QL_LyricEdit", "标题");
    case LineType::Comment:
        return QCoreApplication::translate("QL_LyricEdit", "注释");
    case LineType::JiaBai:
        return QCoreApplication::translate("QL_LyricEdit", "夹白");
    case LineType::LianBai:
        return QCoreApplication::translate("QL_LyricEdit", "念白");
    case LineType::QuPai:
        return QCoreApplication::translate("QL_LyricEdit", "曲牌");
    case LineType::LineBreak:
        return QCoreApplication::translate("QL_LyricEdit", "换行");
    case LineType::PageBreak:
        return QCoreApplication::translate("QL_LyricEdit", "分页");
    case LineType::Lyric:
        return QCoreApplication::translate("QL_LyricEdit", "唱");
    default:
        return QString();
    }
}

// Why a line that starts with a marker is none of the marked lines.
QString malformedLineHint(const QString &text)
{
    if (text.startsWith(u'【'))
        return QCoreApplication::translate("QL_LyricEdit", "这一行以“【”开头，却不是完整的曲牌行。\n"
                              "曲牌行写作“【曲牌名】”或“【曲牌名】(调名)”，\n"
                              "“】”与括号之间不留空格，其后不跟别的文字。\n"
                              "行中的字不配曲谱。");
    return QCoreApplication::translate("QL_LyricEdit", "这一行以“@”开头，却不是“@换行符”或“@分页符”。\n行中的字不配曲谱。");
}

} // namespace

QL_LyricEdit::GutterLabel QL_LyricEdit::gutterLabel(const QTextBlock &block) const
{
    const QString text = block.text();
    const QString label = typeLabel(classifyLine(text));
    // The line keeps its type, but the user sees that its characters get no
    // notation, and why.
    if (isMalformedStructuralLine(text))
        return {label.isEmpty() ? QCoreApplication::translate("QL_LyricEdit", "？") : label, true, malformedLineHint(text)};
    return {label};
}

GutteredEdit::GutterStyle QL_LyricEdit::gutterStyle() const
{
    return {zoomed(config->lyricLineNumberFont()), config->lyricLineNumberColor(), config->lyricLineNumberBgColor(),
            config->errorColor()};
}

void QL_LyricEdit::setLineTints(const QList<QTextEdit::ExtraSelection> &tints)
{
    m_findMarksShown = false;
    setExtraSelections(tints);
}

void QL_LyricEdit::highlightLine(int position)
{
    setLineTints({PairingHighlight::lineSelection(this, position)});
}

void QL_LyricEdit::highlightChar(int position)
{
    const int start = position > 0 ? position - 1 : 0;
    const int end = qMin(start + 1, document()->characterCount() - 1);
    setLineTints({PairingHighlight::charSelection(this, start, end)});
}

void QL_LyricEdit::clearFindMarks()
{
    if (m_findMarksShown)
        highlightLine(textCursor().position());
    m_findMatch = QTextCursor();
}

QTextCursor QL_LyricEdit::currentMatch(const QString &text) const
{
    if (!m_findMarksShown || m_findMatch.isNull() || !m_findMatch.hasSelection() || text.isEmpty())
        return QTextCursor();
    const int position = textCursor().position();
    if (textCursor().hasSelection()
        || (position != m_findMatch.selectionStart() && position != m_findMatch.selectionEnd()))
        return QTextCursor();
    // An edit inside the match (an undo, a replacement) leaves a cursor over
    // other text.
    if (m_findMatch.selectedText().compare(text, Qt::CaseInsensitive) != 0)
        return QTextCursor();
    return m_findMatch;
}

QPair<int, int> QL_LyricEdit::findNext(const QString &text)
{
    return find(text, true);
}

QPair<int, int> QL_LyricEdit::findPrevious(const QString &text)
{
    return find(text, false);
}

QPair<int, int> QL_LyricEdit::find(const QString &text, bool forward)
{
    if (text.isEmpty())
        return {0, 0};
    // The matches in document order, each search going on from the end of
    // the last match: both directions count the same matches, none of which
    // overlap.
    QList<QTextEdit::ExtraSelection> matches;
    QTextCursor found(document());
    while (!found.atEnd()) {
        found = document()->find(text, found.selectionEnd());
        if (found.isNull())
            break;
        matches.append({found, QTextCharFormat()});
    }
    if (matches.isEmpty()) {
        setLineTints({});
        m_findMatch = QTextCursor();
        return {0, 0};
    }

    QTextCursor cursor = textCursor();
    const int origin = cursor.position();
    qsizetype current = -1;
    // Stepping on from the current match: the cursor at its end after a step
    // forward must not make it current again on a step back, nor the
    // cursor at its start after a step back on a step forward.
    const QTextCursor last = currentMatch(text);
    qsizetype lastIndex = -1;
    for (qsizetype i = 0; !last.isNull() && i < matches.size() && lastIndex < 0; ++i) {
        if (matches.at(i).cursor.selectionStart() == last.selectionStart()
            && matches.at(i).cursor.selectionEnd() == last.selectionEnd())
            lastIndex = i;
    }
    if (lastIndex >= 0) {
        current = (lastIndex + (forward ? 1 : -1) + matches.size()) % matches.size();
    } else if (forward) {
        for (qsizetype i = 0; i < matches.size() && current < 0; ++i) {
            if (origin < matches.at(i).cursor.selectionEnd())
                current = i;
        }
        if (current < 0)
            current = 0;
    } else {
        for (qsizetype i = matches.size() - 1; i >= 0 && current < 0; --i) {
            if (matches.at(i).cursor.selectionEnd() <= origin)
                current = i;
        }
        if (current < 0)
            current = matches.size() - 1;
    }

    for (qsizetype i = 0; i < matches.size(); ++i)
        matches[i].format.setBackground(i == current ? QColor(255, 150, 50) : QColor(255, 255, 0));
    const QTextCursor &match = matches.at(current).cursor;
    cursor.setPosition(forward ? match.selectionEnd() : match.selectionStart());
    // Moving the cursor re-pairs the score and tints the current line;
    // the search's own marks replace that tint afterwards.
    setTextCursor(cursor);
    ensureCursorVisible();
    setExtraSelections(matches);
    m_findMatch = match;
    m_findMarksShown = true;
    return {int(current) + 1, int(matches.size())};
}
