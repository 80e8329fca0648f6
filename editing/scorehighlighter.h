#ifndef SCOREHIGHLIGHTER_H
#define SCOREHIGHLIGHTER_H

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class EditorConfig;

// Marks the characters of a score that are not notation symbols (上 or 尺
// typed through another input method): in the error colour, underlined, so
// that they do not pass for notation, which they would only resemble on the
// page.
class ScoreHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit ScoreHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    void buildFormat();

    EditorConfig *config;
    QTextCharFormat foreign;
};

#endif // SCOREHIGHLIGHTER_H
