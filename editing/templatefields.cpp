#include "templatefields.h"

bool TemplateFields::isTemplateLine(const QString &line)
{
    return line.startsWith(u'【');
}

QList<TemplateFields::Field> TemplateFields::fields(const QString &line)
{
    QList<Field> result;
    if (!isTemplateLine(line))
        return result;
    const qsizetype nameEnd = line.indexOf(u'】', 1);
    result.append({1, int(nameEnd < 0 ? line.size() : nameEnd)});
    if (nameEnd < 0)
        return result;
    // The key may stand in half- or full-width brackets.
    qsizetype open = nameEnd + 1;
    while (open < line.size() && line.at(open) != u'(' && line.at(open) != u'（')
        ++open;
    if (open >= line.size())
        return result;
    qsizetype close = open + 1;
    while (close < line.size() && line.at(close) != u')' && line.at(close) != u'）')
        ++close;
    result.append({int(open + 1), int(close)});
    return result;
}

TemplateFields::Field TemplateFields::step(const QString &line, int selectionStart, int selectionEnd,
                                           bool forward)
{
    const QList<Field> all = fields(line);
    if (forward) {
        for (const Field &field : all) {
            if (field.start > selectionStart || (field.start == selectionStart && field.end > selectionEnd))
                return field;
        }
        return {int(line.size()), int(line.size())};
    }
    for (auto field = all.crbegin(); field != all.crend(); ++field) {
        if (field->start < selectionStart)
            return *field;
    }
    return {0, 0};
}
