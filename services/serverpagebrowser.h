#ifndef SERVERPAGEBROWSER_H
#define SERVERPAGEBROWSER_H

#include <QTextBrowser>

// Shows a page that came from the server. Nothing the page refers to is
// loaded except the program's own resources (qrc): a picture or a style
// sheet named by a local path would be read on the window's thread, and a
// FIFO or a device there would hang the program or exhaust its memory.
class ServerPageBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl &name) override;
};

#endif // SERVERPAGEBROWSER_H
