#include "ql_lyrichighlighter.h"

#include "editorconfig.h"
#include "linegrammar.h"

#include <QSignalBlocker>

QL_LyricHighlighter::QL_LyricHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
    , config(&EditorConfig::instance())
{
    buildRules();
    connect(config, &EditorConfig::configChanged, this, [this] {
        buildRules();
        // New colours change formats only. A re-highlight still reports the
        // whole text as changed, which the document's editor would take for
        // an edit and mark the document modified; the layout is told apart
        // from the signals and repaints all the same.
        const QSignalBlocker quiet(this->document());
        rehighlight();
    });
}

void QL_LyricHighlighter::buildRules()
{
    rules.clear();
    biaoDianFormat.setForeground(config->biaoDianColor());
    lyricFormat.setForeground(config->lyricColor());
    titleFormat.setForeground(config->titleColor());
    titleFormat.setFontWeight(700);
    jiaBaiFormat.setForeground(config->jiaBaiColor());
    lianBaiFormat.setForeground(config->lianBaiColor());
    quPaiFormat.setForeground(config->quPaiColor());
    commentFormat.setForeground(config->commentColor());
    breakSymbolFormat.setForeground(config->breakSymbolColor());
    errorFormat.setForeground(config->errorColor());

    static const QRegularExpression breaks(QStringLiteral("(%1)|(%2)")
                                               .arg(lineTypePatterns(LineType::LineBreak))
                                               .arg(lineTypePatterns(LineType::PageBreak)));
    rules = {
        {lineTypeRegex(LineType::BiaoDian), &biaoDianFormat},
        {lineTypeRegex(LineType::Lyric), &lyricFormat},
        {lineTypeRegex(LineType::Title), &titleFormat},
        {lineTypeRegex(LineType::JiaBai), &jiaBaiFormat},
        {lineTypeRegex(LineType::LianBai), &lianBaiFormat},
        {lineTypeRegex(LineType::QuPai), &quPaiFormat},
        {lineTypeRegex(LineType::Comment), &commentFormat},
        {breaks, &breakSymbolFormat},
    };
}

void QL_LyricHighlighter::highlightBlock(const QString &text)
{
    if (isMalformedStructuralLine(text)) {
        setFormat(0, int(text.size()), errorFormat);
        return;
    }
    const QString subject = withValidSurrogates(text);
    for (const Rule &rule : qAsConst(rules)) {
        QRegularExpressionMatchIterator matches = rule.pattern.globalMatch(subject);
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            setFormat(match.capturedStart(), match.capturedLength(), *rule.format);
        }
    }
}
