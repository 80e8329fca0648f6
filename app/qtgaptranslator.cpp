#include "qtgaptranslator.h"

#include <cstring>

namespace {

struct Gap
{
    const char *context;
    const char *source;
    const char16_t *text;
};

// The file dialog's type column names folders, drives and links through
// QAbstractFileIconProvider, whose texts Qt's Chinese translation does not
// have (Qt 5 had them under QFileDialog).
const Gap gaps[] = {
    {"QAbstractFileIconProvider", "Folder", u"文件夹"},
    {"QAbstractFileIconProvider", "File Folder", u"文件夹"},
    {"QAbstractFileIconProvider", "Drive", u"驱动器"},
    {"QAbstractFileIconProvider", "Shortcut", u"快捷方式"},
    {"QAbstractFileIconProvider", "Alias", u"替身"},
    {"QAbstractFileIconProvider", "Unknown", u"未知"},
};

} // namespace

QString QtGapTranslator::translate(const char *context, const char *sourceText, const char *disambiguation,
                                   int n) const
{
    Q_UNUSED(disambiguation)
    Q_UNUSED(n)
    if (!context || !sourceText)
        return QString();
    for (const Gap &gap : gaps) {
        if (std::strcmp(context, gap.context) == 0 && std::strcmp(sourceText, gap.source) == 0)
            return QString::fromUtf16(gap.text);
    }
    return QString();
}
