#include "ql_scoreedit.h"

#include "editorconfig.h"
#include "inputmethod.h"
#include "notation.h"
#include "pairinghighlight.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"

#include <QTextBlock>

QL_ScoreEdit::QL_ScoreEdit(QWidget *parent)
    : GutteredEdit(parent)
    , config(&EditorConfig::instance())
    , m_inputMethod(InputMethod::instance())
{
    setInputMethodHints(Qt::ImhHiddenText | Qt::ImhNoPredictiveText);
    setUpGutter();
    connect(config, &EditorConfig::configChanged, this, &QL_ScoreEdit::applyConfig);
    applyConfig();
}

int QL_ScoreEdit::gutterWidth() const
{
    return config->scoreLineNumberFontMetrics().maxWidth() + 20;
}

void QL_ScoreEdit::applyConfig()
{
    QPalette colours = palette();
    colours.setBrush(QPalette::All, QPalette::Base, config->scoreBgColor());
    colours.setBrush(QPalette::All, QPalette::Text, config->scoreColor());
    setPalette(colours);
    setFont(config->scoreFont());
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
    return {config->scoreLineNumberFont(), config->scoreLineNumberColor(), config->scoreLineNumberBgColor(),
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
    showText(document->score());
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

QString QL_ScoreEdit::nextBeatMark() const
{
    // The marks before the cursor, nearest first, at most one measure of
    // eight beats. The walk goes back line by line, so that a long score
    // costs only the lines it reads.
    QList<char32_t> marks;
    const QTextCursor cursor = textCursor();
    QTextBlock block = cursor.block();
    QString text = block.text().left(cursor.positionInBlock());
    while (marks.size() < 8) {
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
        block = block.previous();
        if (!block.isValid())
            break;
        text = block.text();
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

void QL_ScoreEdit::suggestBeatMark()
{
    m_inputMethod->showAlternatives(nextBeatMark());
}
