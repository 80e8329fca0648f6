#ifndef PAGETEXT_H
#define PAGETEXT_H

#include <QHash>
#include <QString>

// The rich-text pages of the help and about dialogs, carried inside the
// program, with their few values filled in where the page marks them as
// "{{name}}": the notation font, the program version, the web addresses.
namespace PageText {

// The page at that resource path, translated in the dialog's context and with
// every "{{name}}" replaced by its value; an unknown name stays as it is.
QString load(const QString &resourcePath, const char *context, const QHash<QString, QString> &values);

// A link to the address, or the note that the product has no site yet.
QString linkOrNone(const QString &address);

} // namespace PageText

#endif // PAGETEXT_H
