#include "layoutoptions.h"

#include "exportconfig.h"
#include "notation.h"
#include "pagedecorator.h"

#include <QtMath>

#include <cmath>

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ScoreLayout", text);
}

} // namespace

LayoutOptions LayoutOptions::resolveSize(const ExportConfig &c)
{
    LayoutOptions options;
    const int w = c.pageWidth();
    const int h = c.pageHeight();
    options.pageSize = c.isLandscape() ? QSize(h, w) : QSize(w, h);
    options.contentSize = QSize(options.pageSize.width() - c.marginLeft() - c.marginRight(),
                                options.pageSize.height() - c.marginTop() - c.marginBottom());
    return options;
}

LayoutOptions LayoutOptions::resolve(const ExportConfig &c)
{
    LayoutOptions options = resolveSize(c);
    options.resolveAngle(c);
    options.resolveSpacings(c);
    options.resolveColumn(c);
    return options;
}

QString LayoutOptions::refusal(const ExportConfig &c)
{
    const LayoutOptions options = resolveSize(c);
    const QSize room = options.contentSize;
    if (qMin(room.width(), room.height()) >= c.lyricFontSize())
        return QString();
    return tr("页面 %1×%2 pt 减去页边距后容不下一个字，请检查页面尺寸和页边距")
        .arg(options.pageSize.width())
        .arg(options.pageSize.height());
}

void LayoutOptions::resolveAngle(const ExportConfig &c)
{
    // A run turned past the upright would read upward; one turned near the
    // horizontal lies on its side.
    int a = c.scoreAngle() % 360;
    if (a > 180)
        a -= 360;
    else if (a <= -180)
        a += 360;
    angle = qBound(-steepestAngle, a, steepestAngle);
    turn = QTransform().rotate(angle);
    turnBack = QTransform().rotate(-angle);
    if (angle != a)
        warnings.append(tr("曲谱角度 %1° 会使工尺倒读，已按 %2° 排版").arg(c.scoreAngle()).arg(angle));
}

void LayoutOptions::resolveSpacings(const ExportConfig &c)
{
    const QFontMetrics sm = c.scoreFontMetrics();
    // Spacings below zero would lay the glyphs of a run on one another.
    const auto notBelowZero = [this](int value, const QString &name) {
        if (value >= 0)
            return value;
        warnings.append(tr("%1 %2 会使工尺相互重叠，已按 0 排版").arg(name).arg(value));
        return 0;
    };
    lyricSpace = c.lyricSpace();
    if (lyricSpace < 0) {
        warnings.append(tr("%1 %2 会使字相互重叠，已按 0 排版").arg(tr("字间距")).arg(lyricSpace));
        lyricSpace = 0;
    }
    scoreSpace = notBelowZero(c.scoreSpace(), tr("工尺间距"));
    banYanSpace = notBelowZero(c.banYanSpace(), tr("板眼间距"));
    scoreBanYanSpace = notBelowZero(c.scoreBanYanSpace(), tr("工尺板眼间距"));
    // Marks stand beside their notes: a lane further out than a glyph's
    // width, or marks further apart than a notation line, would leave them
    // beside nothing.
    const auto notAbove = [this](int value, int most, const QString &name) {
        if (value <= most)
            return value;
        warnings.append(tr("%1 %2 会使板眼离开工尺，已按 %3 排版").arg(name).arg(value).arg(most));
        return most;
    };
    scoreBanYanSpace = notAbove(scoreBanYanSpace, sm.maxWidth(), tr("工尺板眼间距"));
    banYanSpace = notAbove(banYanSpace, sm.height(), tr("板眼间距"));
}

void LayoutOptions::resolveColumn(const ExportConfig &c)
{
    const QFontMetrics lm = c.lyricFontMetrics();
    const QFontMetrics sm = c.scoreFontMetrics();
    const int lw = lm.maxWidth();
    const int sw = sm.maxWidth();
    lyricScoreSpace = c.lyricScoreSpace();
    // The notation starts in its own column, right of its character's left
    // edge (it moves clear of the character itself as it is set).
    const int leastShift = -(lw - sw / 2);
    if (lyricScoreSpace < leastShift) {
        warnings.append(tr("字与工尺间距 %1 使工尺越出本列，已按 %2 排版").arg(lyricScoreSpace).arg(leastShift));
        lyricScoreSpace = leastShift;
    }

    // A column holds a character with a note and its mark beside it, and
    // is no wider than the content.
    const int markWidth = sm.tightBoundingRect(Notation::symbol(Notation::touBan)).width();
    int widest = qMax(c.quPaiFontMetrics().maxWidth() + c.diaoMingFontMetrics().maxWidth(),
                      c.titleFontMetrics().maxWidth());
    widest = qMax(widest, qMax(c.jiaBaiFontMetrics().maxWidth(), c.lianBaiFontMetrics().maxWidth()));
    const int ruleRoom = int(std::ceil(PageDecorator::ruleInset(c) + PageDecorator::clearance + PageDecorator::ruleWidth));
    gutter = qMax((lw + 3) / 4, ruleRoom);
    // A turned note is as wide as its box turned.
    const qreal a = qDegreesToRadians(qreal(angle));
    const int turnedWidth = int(std::ceil(sw * std::abs(std::cos(a)) + sm.height() * std::abs(std::sin(a))));
    const int lane = lw - sw / 2 + qMax(0, lyricScoreSpace) + qMax(sw, turnedWidth) + scoreBanYanSpace + markWidth + gutter;
    const int narrowest = qMin(contentSize.width(), qMax(widest + gutter, lane));
    columnWidth = c.colWidth();
    if (columnWidth > contentSize.width()) {
        columnWidth = qMax(1, contentSize.width());
        warnings.append(tr("列宽 %1 超过版心宽度，已按 %2 排版").arg(c.colWidth()).arg(columnWidth));
    } else if (columnWidth < narrowest) {
        columnWidth = qMax(1, narrowest);
        warnings.append(tr("列宽 %1 容不下字与工尺，已按 %2 排版").arg(c.colWidth()).arg(columnWidth));
    }
    gutter = qMin(gutter, columnWidth / 4);
    const int columns = qMax(1, contentSize.width() / columnWidth);
    columnPitch = columns > 1 ? (contentSize.width() - columnWidth) / (columns - 1) : columnWidth;
    // The notation starts inside its column.
    const int maxShift = columnWidth - gutter - (lw - sw / 2 + sw + scoreBanYanSpace + markWidth);
    if (lyricScoreSpace > maxShift) {
        const int clamped = qMax(0, maxShift);
        warnings.append(tr("字与工尺间距 %1 使工尺越出本列，已按 %2 排版").arg(lyricScoreSpace).arg(clamped));
        lyricScoreSpace = clamped;
    }
    // A sub-column narrower than the spoken font would set its characters on
    // those of the sub-column beside it.
    subColumnWidth = qMax(0, c.mColWidth());
    const int spokenWidth = c.lianBaiFontMetrics().maxWidth();
    if (subColumnWidth >= 1 && subColumnWidth < spokenWidth) {
        warnings.append(tr("连白列宽 %1 窄于念白字宽，已按 %2 排版").arg(subColumnWidth).arg(spokenWidth));
        subColumnWidth = spokenWidth;
    }
    // A run starts at the right edge of its character's cell, half a glyph
    // to the left; a slanted one a notation line down, an upright one level
    // with the top of its character, as printed scores set it, so that the
    // first note beside a character is its own.
    scoreOrigin = QPoint(lw - sw / 2 + lyricScoreSpace, angle == 0 ? 0 : sm.height());
}
