#include "inkmetrics.h"

#include "exportconfig.h"

QRect InkMetrics::TightBoxes::operator()(const QFontMetrics &metrics, const QString &text) const
{
    const quint64 key = FontInk::unitKey(text);
    if (key == 0)
        return metrics.tightBoundingRect(text);
    auto found = m_boxes.constFind(key);
    if (found == m_boxes.constEnd())
        found = m_boxes.insert(key, metrics.tightBoundingRect(text));
    return *found;
}

InkMetrics::InkMetrics(const ExportConfig &c)
    : title(c.titleFont())
    , lyric(c.lyricFont())
    , score(c.scoreFont())
    , quPai(c.quPaiFont())
    , diaoMing(c.diaoMingFont())
    , lianBai(c.lianBaiFont())
    , jiaBai(c.jiaBaiFont())
{
}

const FontInk &InkMetrics::fontInk(const QFont &font) const
{
    const QString key = font.key();
    auto found = m_others.constFind(key);
    if (found == m_others.constEnd())
        found = m_others.insert(key, std::make_shared<FontInk>(font));
    return **found;
}
