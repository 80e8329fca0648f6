#ifndef BAREEDITOR_H
#define BAREEDITOR_H

#include <QApplication>
#include <QFont>
#include <QPlainTextEdit>
#include <QSize>
#include <QString>
#include <QSyntaxHighlighter>
#include <QTest>

// The floor the keystroke benchmarks measure against: a bare editor of the
// same size, font and text as the program's. It carries a highlighter that
// does nothing, since Qt repaints the whole view on each key once any
// highlighter is attached, as the program's editors have one.
class TrivialHighlighter : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString &) override {}
};

// Shows the bare editor with the text and gives it the focus.
inline void showBareEditor(QPlainTextEdit &bare, const QString &text, const QFont &font, const QSize &size)
{
    bare.setFont(font);
    bare.resize(size);
    bare.setPlainText(text);
    new TrivialHighlighter(bare.document());
    bare.show();
    if (!QTest::qWaitForWindowExposed(&bare))
        qFatal("The bare editor is never shown");
    bare.activateWindow();
    bare.setFocus();
    QApplication::processEvents();
}

#endif // BAREEDITOR_H
