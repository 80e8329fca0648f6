#include "pagetext.h"

#include <QCoreApplication>
#include <QFile>

QString PageText::load(const QString &resourcePath, const char *context,
                       const QHash<QString, QString> &values)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray source = file.readAll();
    QString page = QCoreApplication::translate(context, source.constData());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        page.replace(QStringLiteral("{{") + it.key() + QStringLiteral("}}"), it.value());
    return page;
}

QString PageText::linkOrNone(const QString &address)
{
    if (address.isEmpty())
        return QCoreApplication::translate("PageText", "（尚未开通）");
    const QString escaped = address.toHtmlEscaped();
    return QStringLiteral("<a href=\"%1\">%1</a>").arg(escaped);
}
