#ifndef STARTPAGE_H
#define STARTPAGE_H

#include <QCoreApplication>
#include <QString>
#include <QUrl>

// The program's own start page, shown while no document is open and no
// server page has replaced it: what the program is, how to begin, the example
// score and where the help is. Its links name the window's commands.
class StartPage
{
    Q_DECLARE_TR_FUNCTIONS(StartPage)

public:
    enum class Command { None, New, Open, Example, Help };

    // The bundled example score beside the executable; empty when the
    // program was installed without it.
    static QString examplePath();

    // The page, with a link to the example score when there is one.
    static QString html(const QString &examplePath);

    // The window command that a link of the page stands for.
    static Command command(const QUrl &link);
};

#endif // STARTPAGE_H
