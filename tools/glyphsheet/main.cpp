// font_glyphsheet: draws every glyph of a notation font into one PNG sheet,
// each with its code point and, given the dictionary, its codes and name;
// below the table, notes at editor size and beat marks squeezed as the
// score renderer stacks them, so the shapes can be judged as a reader sees them.
//
//   font_glyphsheet FONT.ttf OUT.png [wordsdict.csv]
//
// Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

struct Entry {
    QStringList codes;
    QString name;
};

// Code point -> codes and first name, from the dictionary's lines.
QMap<char32_t, Entry> readDictionary(const QString &path)
{
    QMap<char32_t, Entry> map;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return map;
    QTextStream in(&file);
    in.readLine();
    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(QLatin1Char(' '));
        if (parts.size() < 4)
            continue;
        bool ok = false;
        const char32_t cp = QString(parts[0]).remove(QLatin1Char('U')).toUInt(&ok, 16);
        if (!ok)
            continue;
        Entry &e = map[cp];
        e.codes << parts[1];
        if (e.name.isEmpty())
            e.name = parts[3];
    }
    return map;
}

QString glyph(char32_t cp)
{
    return QString::fromUcs4(&cp, 1);
}

QList<char32_t> codePoints()
{
    QList<char32_t> cps;
    for (char32_t cp = 0xF0000; cp <= 0xF000D; ++cp)
        cps << cp;
    for (char32_t cp = 0xF0020; cp <= 0xF009B; ++cp)
        cps << cp;
    return cps;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: font_glyphsheet FONT.ttf OUT.png [wordsdict.csv]\n");
        return 2;
    }
    const int id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[1]));
    if (id < 0) {
        std::fprintf(stderr, "font_glyphsheet: cannot load %s\n", argv[1]);
        return 1;
    }
    const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    const auto dict = argc > 3 ? readDictionary(QString::fromLocal8Bit(argv[3]))
                               : QMap<char32_t, Entry>();

    const QList<char32_t> cps = codePoints();
    const int columns = 10;
    const int cellW = 150, cellH = 150, glyphPx = 80, margin = 20, titleH = 50;
    const int rows = (cps.size() + columns - 1) / columns;
    const int extraH = 300;
    QImage image(margin * 2 + columns * cellW, titleH + rows * cellH + extraH + margin,
                 QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont label(QStringLiteral("Noto Sans CJK SC"));
    label.setPixelSize(12);
    QFont title = label;
    title.setPixelSize(20);
    QFont notation(family);
    notation.setPixelSize(glyphPx);

    p.setFont(title);
    p.drawText(margin, 32, QStringLiteral("%1 — %2 glyphs").arg(family).arg(cps.size()));

    for (int i = 0; i < cps.size(); ++i) {
        const char32_t cp = cps[i];
        const QRect cell(margin + (i % columns) * cellW, titleH + (i / columns) * cellH, cellW, cellH);
        p.setPen(QColor(0xcc, 0xcc, 0xcc));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        // The em square, so placement inside the advance is visible.
        const QRect em(cell.left() + (cellW - glyphPx) / 2, cell.top() + 8, glyphPx, glyphPx);
        p.setPen(QColor(0xe8, 0xe8, 0xff));
        p.drawRect(em);
        p.setPen(Qt::black);
        p.setFont(notation);
        const QFontMetrics fm(notation);
        p.drawText(em.left(), em.top() + fm.ascent() * glyphPx / fm.height(), glyph(cp));
        p.setFont(label);
        p.setPen(QColor(0x33, 0x33, 0x99));
        const Entry e = dict.value(cp);
        const QString text = QStringLiteral("U+%1 %2\n%3")
                                 .arg(uint(cp), 5, 16, QLatin1Char('0')).toUpper()
                                 .arg(e.codes.join(QLatin1Char(',')), e.name);
        p.drawText(QRect(cell.left() + 2, em.bottom() + 4, cellW - 4, cellH - glyphPx - 12),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    }

    // Editor size: every note at 24 px in one line, as typed.
    int y = titleH + rows * cellH + 20;
    p.setFont(label);
    p.setPen(Qt::black);
    p.drawText(margin, y + 12, QStringLiteral("24 px:"));
    QFont small(family);
    small.setPixelSize(24);
    p.setFont(small);
    QString line;
    for (char32_t cp = 0xF0020; cp <= 0xF005D; ++cp)
        line += glyph(cp);
    p.drawText(QRect(margin + 60, y, columns * cellW - 60, 70), Qt::TextWrapAnywhere, line);
    y += 80;
    line.clear();
    for (char32_t cp = 0xF005E; cp <= 0xF009B; ++cp)
        line += glyph(cp);
    p.drawText(QRect(margin + 60, y, columns * cellW - 60, 70), Qt::TextWrapAnywhere, line);
    y += 80;

    // Beat marks beside a note, each squeezed to 70 % of its ink height the
    // way the score renderer stacks them in the mark lane.
    p.setFont(label);
    p.drawText(margin, y + 12, QStringLiteral("marks 70 %:"));
    QFont lane(family);
    lane.setPixelSize(32);
    p.setFont(lane);
    const QFontMetrics lm(lane);
    int x = margin + 90;
    for (char32_t cp = 0xF0000; cp <= 0xF0007; ++cp) {
        const QString note = glyph(0xF002A); // 上
        p.drawText(QRect(x, y, lm.maxWidth(), lm.height()), Qt::AlignCenter, note);
        int off = 0;
        for (int k = 0; k < 2; ++k) {
            const QRect r = lm.tightBoundingRect(glyph(cp));
            const int mh = int(r.height() * 0.7);
            p.drawText(QRect(x + lm.maxWidth() + 4, y + off, r.width(), mh), Qt::AlignCenter, glyph(cp));
            off += mh + 4;
        }
        x += lm.maxWidth() * 2 + 40;
    }
    p.end();

    if (!image.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "font_glyphsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %lld glyphs of family \"%s\"\n", argv[2], qlonglong(cps.size()),
                qPrintable(family));
    return 0;
}
