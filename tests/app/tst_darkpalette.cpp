#include "mainwindow.h"
#include "settings.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <cmath>

namespace {

double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The widget's background (its most frequent colour) and its ink (the
// colour that differs most from it).
QPair<QRgb, QRgb> backgroundAndInk(QWidget *widget)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    QRgb ink = background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (contrast(it.key(), background) > contrast(ink, background))
            ink = it.key();
    }
    return {background, ink};
}

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    palette.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    palette.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    palette.setColor(QPalette::ButtonText, QColor(0xf0, 0xf0, 0xf0));
    palette.setColor(QPalette::Light, QColor(0x55, 0x55, 0x55));
    palette.setColor(QPalette::Midlight, QColor(0x48, 0x48, 0x48));
    palette.setColor(QPalette::Mid, QColor(0x60, 0x60, 0x60));
    palette.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    palette.setColor(QPalette::Highlight, QColor(0x2a, 0x5d, 0xb0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x3d, 0x74, 0xcc));
    return palette;
}

} // namespace

// Under a dark theme the window's own chrome (search bar, status bar, the
// settings dialog's buttons) is dark with light text, as the theme is.
class TestDarkPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chromeFollowsPalette_data();
    void chromeFollowsPalette();
};

void TestDarkPalette::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
}

void TestDarkPalette::chromeFollowsPalette_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addRow("search field") << "searchEdit" << int(QPalette::Base);
    QTest::addRow("replace field") << "replaceEdit" << int(QPalette::Base);
    QTest::addRow("match count") << "searchResLabel" << int(QPalette::Base);
    QTest::addRow("search button") << "searchNextBtn" << int(QPalette::Button);
    QTest::addRow("status bar") << "statusbar" << int(QPalette::Window);
    QTest::addRow("settings: restore defaults") << "restoreBtn" << int(QPalette::Button);
    QTest::addRow("settings: cancel") << "cancelBtn" << int(QPalette::Button);
    QTest::addRow("settings: confirm") << "submitBtn" << int(QPalette::Highlight);
}

void TestDarkPalette::chromeFollowsPalette()
{
    QFETCH(QString, name);
    QFETCH(int, role);

    MainWindow window;
    window.show();
    window.newAction();
    window.findChild<QAction *>(QStringLiteral("searchAction"))->trigger();
    Settings settings;
    settings.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(QTest::qWaitForWindowExposed(&settings));
    // Something to read in each.
    window.findChild<QLineEdit *>(QStringLiteral("searchEdit"))->setText(QStringLiteral("原来姹紫"));
    window.findChild<QLineEdit *>(QStringLiteral("replaceEdit"))->setText(QStringLiteral("嫣红"));
    window.findChild<QLabel *>(QStringLiteral("searchResLabel"))->setText(QStringLiteral("1/3"));
    window.statusBar()->showMessage(QStringLiteral("曲谱行数与唱字数不一致"));

    QWidget *widget = window.findChild<QWidget *>(name);
    if (!widget)
        widget = settings.findChild<QWidget *>(name);
    QVERIFY(widget);
    const auto [background, ink] = backgroundAndInk(widget);
    const QColor expected = darkPalette().color(QPalette::ColorRole(role));
    QVERIFY2(std::abs(luminance(background) - luminance(expected.rgb())) < 0.05,
             qPrintable(QStringLiteral("background %1, the palette's %2")
                            .arg(QColor(background).name(), expected.name())));
    QVERIFY2(contrast(background, ink) >= 4.5,
             qPrintable(QStringLiteral("text %1 on %2").arg(QColor(ink).name(), QColor(background).name())));
}

QTEST_MAIN(TestDarkPalette)
#include "tst_darkpalette.moc"
