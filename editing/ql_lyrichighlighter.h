#ifndef QL_LYRICHIGHLIGHTER_H
#define QL_LYRICHIGHLIGHTER_H

#include <QList>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class EditorConfig;

// Colours the lyric text by its grammar: punctuation, sung characters, then
// each kind of structural line, a later rule winning where two overlap.
// What no rule matches keeps the editor's text colour, the error colour; so
// does a whole line that starts with a marker but is no marked line.
class QL_LyricHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit QL_LyricHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    struct Rule
    {
        QRegularExpression pattern;
        const QTextCharFormat *format;
    };

    void buildRules();

    EditorConfig *config;
    QList<Rule> rules;
    QTextCharFormat biaoDianFormat;
    QTextCharFormat lyricFormat;
    QTextCharFormat titleFormat;
    QTextCharFormat jiaBaiFormat;
    QTextCharFormat lianBaiFormat;
    QTextCharFormat quPaiFormat;
    QTextCharFormat commentFormat;
    QTextCharFormat breakSymbolFormat;
    QTextCharFormat errorFormat;
};

#endif // QL_LYRICHIGHLIGHTER_H
