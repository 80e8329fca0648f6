#include "scorehighlighter.h"

#include "editorconfig.h"
#include "notation.h"

#include <QSignalBlocker>

ScoreHighlighter::ScoreHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
    , config(&EditorConfig::instance())
{
    buildFormat();
    connect(config, &EditorConfig::configChanged, this, [this] {
        buildFormat();
        // Formats only: a re-highlight reports the whole text as changed,
        // which the editor would take for an edit of the document.
        const QSignalBlocker quiet(this->document());
        rehighlight();
    });
}

void ScoreHighlighter::buildFormat()
{
    foreign = QTextCharFormat();
    foreign.setForeground(config->errorColor());
    foreign.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    foreign.setUnderlineColor(config->errorColor());
}

void ScoreHighlighter::highlightBlock(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        if (Notation::isForeign(c))
            setFormat(int(i), pair ? 2 : 1, foreign);
        i += pair;
    }
}
