#include "serverpagebrowser.h"

#include <QByteArray>
#include <QImage>
#include <QTextDocument>
#include <QUrl>

QVariant ServerPageBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == QLatin1String("qrc"))
        return QTextBrowser::loadResource(type, name);
    // Never a null variant nor an empty picture: the document would then
    // read the file itself, and a picture by its bare path too.
    if (type == QTextDocument::ImageResource) {
        QImage nothing(1, 1, QImage::Format_ARGB32);
        nothing.fill(Qt::transparent);
        return nothing;
    }
    return QVariant(QByteArray());
}
