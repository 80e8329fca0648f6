#include "colorbox.h"
#include "exportconfig.h"
#include "modalanswerer.h"
#include "pagedecorator.h"
#include "ql_export.h"
#include "ql_generatesvg.h"
#include "renderfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTest>

namespace {

const char32_t gong = 0xF002C;
const char32_t ban = 0xF0000;

// A one-page aria: title, tune name, a sung line with notation and marks.
QList<ExportEntry> ariaEntries()
{
    return {lineEntry(0, QStringLiteral("# 游园")), lineEntry(4, QStringLiteral("【皂罗袍】(仙吕)")),
            sungEntry(QStringLiteral("原来姹紫嫣红开遍"), notation({gong, ban, 0xF002B}))};
}

// Renders the renderer's progress reports show: a preview or the whole score.
int renders(const QSignalSpy &spy, const QString &title)
{
    int count = 0;
    for (const QList<QVariant> &report : spy)
        count += report.at(0).toInt() == 0 && report.at(3).toString() == title;
    return count;
}
int previews(const QSignalSpy &spy) { return renders(spy, QStringLiteral("生成预览")); }
int fullRenders(const QSignalSpy &spy) { return renders(spy, QStringLiteral("绘制曲谱")); }

// Every value the form shows, with whether it can be edited, for comparing
// whole forms.
QStringList formState(const QDialog &dialog)
{
    QStringList state;
    for (const QLineEdit *edit : dialog.findChildren<QLineEdit *>()) {
        if (edit->objectName().endsWith(QLatin1String("Edit")))
            state << edit->objectName() + QLatin1Char('=') + edit->text() + (edit->isEnabled() ? "" : " (off)");
    }
    for (const QComboBox *combo : dialog.findChildren<QComboBox *>()) {
        if (!combo->objectName().isEmpty() && !combo->objectName().startsWith(QLatin1String("qt_")))
            state << combo->objectName() + QLatin1Char('=') + combo->currentText();
    }
    for (const QCheckBox *box : dialog.findChildren<QCheckBox *>())
        state << box->objectName() + QLatin1Char('=') + (box->isChecked() ? "on" : "off");
    for (const ColorBox *box : dialog.findChildren<ColorBox *>())
        state << box->objectName() + QLatin1Char('=') + box->color().name();
    state.sort();
    return state;
}

// Types text into a field and presses Return, as a user finishes an edit.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class TestQLExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void constructionRendersOnePreview();
    void fieldsStoreAndRerender_data();
    void fieldsStoreAndRerender();
    void sameValueDoesNotRerender();
    void livePreviewSwitch();
    void decorationBoxes_data();
    void decorationBoxes();
    void pageSizeSwitching();
    void restoreBringsBackDefaults();
    void qualityOnlyForImages_data();
    void qualityOnlyForImages();
    void wheelScrollsOptionsNotChoices();
    void previewScaledAndCentred_data();
    void previewScaledAndCentred();
    void schemes_data();
    void schemes();
    void pngAtHighestQuality();
    void optionsThePageCannotHonourAreToldInABox();
    void cancelledTargetWritesNothing_data();
    void cancelledTargetWritesNothing();
    void writerFailuresEndInBox_data();
    void writerFailuresEndInBox();
    void progressWindowWhileExporting();
    void cancelLeavesNothing_data();
    void cancelLeavesNothing();
    void cancelledPrintDialogPrintsNothing();
    void configurationSavedWhenDialogGoes();
    void typeQualityAndFolderRemembered();
    void emptyScoreOrUnwritableTargetIsRefusedBeforeLayout();

private:
    QString out(const QString &name) const { return QDir(fixture->dir.path()).filePath(name); }
    ExportConfig &config() { return *fixture->config; }
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = dialog->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    // A setting as the configuration writes it to its file.
    QVariant stored(const QString &key)
    {
        config().save();
        return QSettings(config().settingsPath(), QSettings::IniFormat).value(QStringLiteral("Export/") + key);
    }

    std::unique_ptr<RenderFixture> fixture;
    std::unique_ptr<QL_Export> dialog;
    std::unique_ptr<QSignalSpy> spy;
};

void TestQLExport::init()
{
    fixture = std::make_unique<RenderFixture>();
    QVERIFY(fixture->dir.isValid());
    dialog = std::make_unique<QL_Export>(nullptr, ariaEntries(), config());
    spy = std::make_unique<QSignalSpy>(dialog->renderer(), &QL_GenerateSVG::progressUpdate);
}

void TestQLExport::cleanup()
{
    spy.reset();
    dialog.reset();
    fixture.reset();
}

void TestQLExport::constructionRendersOnePreview()
{
    // The preview was made in the constructor, before the spy: the first
    // page is there and shows the score.
    QCOMPARE(dialog->renderer()->pages().size(), 1);
    QVERIFY(dialog->renderer()->pages().first().contains("游园"));
    QVERIFY(child<QSvgWidget>("previewWidget")->renderer()->isValid());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("导出"));
    QCOMPARE(dialog->size(), QSize(880, 630));
    QVERIFY(!child<QFontComboBox>("scoreFontCombo")->isEnabled());
    QCOMPARE(child<QFontComboBox>("scoreFontCombo")->currentText(), QStringLiteral("Qelun工尺谱康熙字体"));

    // Showing the filled form is no change of an option.
    const QString family = config().lyricFont().family();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QCOMPARE(previews(*spy), 0);
    QCOMPARE(config().lyricFont().family(), family);
}

void TestQLExport::fieldsStoreAndRerender_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::addRow("lyric size 40") << "lyricFontSizeEdit" << "40" << "lyricFontSize" << 40 << "40";
    QTest::addRow("score size 20") << "scoreFontSizeEdit" << "20" << "scoreFontSize" << 20 << "20";
    QTest::addRow("top margin 60") << "marginTopEdit" << "60" << "marginTop" << 60 << "60";
    QTest::addRow("column width 100") << "colWidthEdit" << "100" << "colWidth" << 100 << "100";
    QTest::addRow("negative angle") << "scoreAngleEdit" << "-30" << "scoreAngle" << -30 << "-30";
    QTest::addRow("negative spacing") << "lyricSpaceEdit" << "-12" << "lyricSpace" << -12 << "-12";
    QTest::addRow("empty field counts as 0") << "marginLeftEdit" << "" << "marginLeft" << 0 << "0";
    // A number below the range would leave the field showing what the score
    // does not use: it becomes the bound.
    QTest::addRow("size below range") << "titleFontSizeEdit" << "3" << "titleFontSize" << 5 << "5";
    QTest::addRow("empty column width: lower bound") << "colWidthEdit" << "" << "colWidth" << 10 << "10";
}

void TestQLExport::fieldsStoreAndRerender()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(QString, shown);
    auto *edit = dialog->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    typeInto(edit, typed);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(stored(key).toInt(), value);
    QCOMPARE(previews(*spy), 1);
    // A preview takes milliseconds: no progress window flashes for it.
    QVERIFY(!dialog->findChild<QProgressDialog *>());
    QVERIFY(dialog->isEnabled());
}

void TestQLExport::sameValueDoesNotRerender()
{
    auto *edit = child<QLineEdit>("lyricFontSizeEdit");
    typeInto(edit, QStringLiteral("40"));
    QCOMPARE(previews(*spy), 1);
    QCOMPARE(config().lyricFontSize(), 40);
    // The preview's lyrics are set in the new size.
    QVERIFY(dialog->renderer()->pages().first().contains("font-size=\"40\""));
    typeInto(edit, QStringLiteral("40"));
    QCOMPARE(previews(*spy), 1);

    // The same holds for choices: the chosen item again renders nothing.
    auto *titlePos = child<QComboBox>("titlePosCombo");
    titlePos->setCurrentIndex(1);
    QCOMPARE(previews(*spy), 2);
    QCOMPARE(config().titlePos(), 1);
    titlePos->setCurrentIndex(1);
    QCOMPARE(previews(*spy), 2);
}

void TestQLExport::livePreviewSwitch()
{
    auto *live = child<QCheckBox>("livePreviewCheck");
    QVERIFY(live->isChecked());
    live->click();
    QVERIFY(!config().isLivePreview());
    QCOMPARE(previews(*spy), 0);

    typeInto(child<QLineEdit>("lyricFontSizeEdit"), QStringLiteral("44"));
    child<QComboBox>("orientationCombo")->setCurrentIndex(1);
    child<QCheckBox>("bgTransparentCheck")->click();
    QCOMPARE(previews(*spy), 0);
    // The options are taken all the same.
    QCOMPARE(config().lyricFontSize(), 44);
    QVERIFY(config().isLandscape());
    QVERIFY(config().isBgTransparent());

    live->click();
    QVERIFY(config().isLivePreview());
    QCOMPARE(previews(*spy), 1);
    QVERIFY(dialog->renderer()->pages().first().contains("font-size=\"44\""));
}

void TestQLExport::decorationBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addRow("page numbers") << "pageNumberCheck" << "页码" << "isPageNumber";
    QTest::addRow("rules between columns") << "columnRuleCheck" << "界行" << "isColumnRule";
    QTest::addRow("frame") << "frameCheck" << "边框" << "isFrame";
}

void TestQLExport::decorationBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, key);
    auto *check = child<QCheckBox>(box.toLatin1().constData());
    QCOMPARE(check->text(), text);
    QVERIFY(child<QGroupBox>("pageGroup")->isAncestorOf(check));
    QVERIFY(!check->isChecked());

    // What the preview's page carries of the decoration, by part.
    const auto shown = [this] {
        const PageDecoration &d = dialog->renderer()->pageModels().first().decoration;
        return QMap<QString, bool>{{"isPageNumber", !d.number.text.isEmpty()},
                                   {"isColumnRule", !d.rules.isEmpty()},
                                   {"isFrame", !d.frame.isEmpty()}};
    };
    QVERIFY(!shown().values().contains(true));

    check->click();
    QCOMPARE(stored(key).toBool(), true);
    QCOMPARE(previews(*spy), 1);
    QMap<QString, bool> expected{{"isPageNumber", false}, {"isColumnRule", false}, {"isFrame", false}};
    expected[key] = true;
    QCOMPARE(shown(), expected);
    QCOMPARE(dialog->renderer()->pages().first().contains(PageDecorator::numberText(1).toUtf8()),
             key == QLatin1String("isPageNumber"));

    check->click();
    QCOMPARE(stored(key).toBool(), false);
    QCOMPARE(previews(*spy), 2);
    QVERIFY(!shown().values().contains(true));

    // Restoring the defaults clears the box again.
    check->click();
    QCOMPARE(previews(*spy), 3);
    child<QPushButton>("restoreBtn")->click();
    QVERIFY(!check->isChecked());
    QCOMPARE(stored(key).toBool(), false);
    QVERIFY(!shown().values().contains(true));
}

void TestQLExport::pageSizeSwitching()
{
    auto *sizes = child<QComboBox>("pageSizeCombo");
    auto *width = child<QLineEdit>("pageWidthEdit");
    auto *height = child<QLineEdit>("pageHeightEdit");
    QCOMPARE(sizes->currentText(), QStringLiteral("A4 (595, 842)"));
    QVERIFY(!width->isEnabled());

    sizes->setCurrentIndex(sizes->findData(int(QPageSize::A5)));
    QVERIFY(!width->isEnabled());
    QVERIFY(!height->isEnabled());
    QCOMPARE(width->text(), QStringLiteral("420"));
    QCOMPARE(height->text(), QStringLiteral("595"));
    QCOMPARE(config().pageWidth(), 420);
    QCOMPARE(config().pageHeight(), 595);
    QCOMPARE(previews(*spy), 1);
    QVERIFY(dialog->renderer()->pages().first().contains("viewBox=\"0 0 420 595\""));

    sizes->setCurrentIndex(sizes->findData(int(QPageSize::Custom)));
    QVERIFY(width->isEnabled());
    QVERIFY(height->isEnabled());
    QCOMPARE(width->text(), QStringLiteral("420"));
    QCOMPARE(height->text(), QStringLiteral("595"));
    QCOMPARE(config().pageSizeId(), QPageSize::Custom);
    QCOMPARE(previews(*spy), 1);

    typeInto(width, QStringLiteral("500"));
    QCOMPARE(config().pageWidth(), 500);
    QCOMPARE(previews(*spy), 2);
}

void TestQLExport::restoreBringsBackDefaults()
{
    const QStringList defaults = formState(*dialog);
    child<QComboBox>("pageSizeCombo")->setCurrentIndex(0);
    typeInto(child<QLineEdit>("pageWidthEdit"), QStringLiteral("700"));
    typeInto(child<QLineEdit>("lyricFontSizeEdit"), QStringLiteral("40"));
    typeInto(child<QLineEdit>("scoreAngleEdit"), QStringLiteral("15"));
    child<QComboBox>("orientationCombo")->setCurrentIndex(1);
    child<QComboBox>("overflowCombo")->setCurrentIndex(1);
    child<QCheckBox>("bgTransparentCheck")->click();
    child<QCheckBox>("pageNumberCheck")->click();
    child<QCheckBox>("columnRuleCheck")->click();
    child<QCheckBox>("frameCheck")->click();
    QLineEdit *colour = child<ColorBox>("banColorBox")->findChild<QLineEdit *>();
    typeInto(colour, QStringLiteral("#123456"));
    QCOMPARE(config().banColor(), QColor(QStringLiteral("#123456")));
    child<QCheckBox>("livePreviewCheck")->click();
    QVERIFY(formState(*dialog) != defaults);
    spy->clear();

    child<QPushButton>("restoreBtn")->click();
    QCOMPARE(formState(*dialog), defaults);
    QCOMPARE(previews(*spy), 1);
    QCOMPARE(config().pageWidth(), 595);
    QCOMPARE(config().banColor(), QColor(QStringLiteral("#ff4c00")));
    QVERIFY(config().isLivePreview());
    QVERIFY(!config().isPageNumber() && !config().isColumnRule() && !config().isFrame());
}

void TestQLExport::qualityOnlyForImages_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("quality");
    QTest::addRow("pdf") << "pdf" << false;
    QTest::addRow("jpg") << "jpg" << true;
    QTest::addRow("png") << "png" << true;
    QTest::addRow("svg") << "svg" << false;
}

void TestQLExport::qualityOnlyForImages()
{
    QFETCH(QString, type);
    QFETCH(bool, quality);
    auto *types = child<QComboBox>("fileTypeCombo");
    // From another type, so that the choice is a change.
    types->setCurrentIndex(type == QLatin1String("png") ? 1 : 2);
    types->setCurrentIndex(types->findText(type));
    QCOMPARE(child<QComboBox>("qualityCombo")->isEnabled(), quality);
    QVERIFY(!types->itemIcon(types->currentIndex()).isNull());
}

void TestQLExport::wheelScrollsOptionsNotChoices()
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    auto *scrollBar = child<QScrollArea>("optionsScrollArea")->verticalScrollBar();
    QVERIFY(scrollBar->maximum() > 0);
    auto *titlePos = child<QComboBox>("titlePosCombo");
    auto *fonts = child<QFontComboBox>("lyricFontCombo");
    const QString family = config().lyricFont().family();
    for (QComboBox *combo : {static_cast<QComboBox *>(titlePos), static_cast<QComboBox *>(fonts)}) {
        const int before = scrollBar->value();
        const QPoint centre = combo->rect().center();
        QWheelEvent wheel(centre, combo->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(combo, &wheel);
        QVERIFY(scrollBar->value() > before);
    }
    QCOMPARE(titlePos->currentIndex(), 0);
    QCOMPARE(config().titlePos(), 0);
    QCOMPARE(config().lyricFont().family(), family);
    QCOMPARE(previews(*spy), 0);

    // Clicked into, the choice follows the wheel.
    titlePos->setFocus();
    QTRY_VERIFY(titlePos->hasFocus());
    const QPoint centre = titlePos->rect().center();
    QWheelEvent wheel(centre, titlePos->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(titlePos, &wheel);
    QCOMPARE(config().titlePos(), 1);
    QCOMPARE(previews(*spy), 1);
}

void TestQLExport::previewScaledAndCentred_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("landscape");
    QTest::addRow("A4 portrait") << 595 << 842 << false;
    QTest::addRow("A4 landscape") << 595 << 842 << true;
    QTest::addRow("wide custom page") << 2000 << 300 << false;
}

void TestQLExport::previewScaledAndCentred()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, landscape);
    auto *sizes = child<QComboBox>("pageSizeCombo");
    sizes->setCurrentIndex(0);
    typeInto(child<QLineEdit>("pageWidthEdit"), QString::number(width));
    typeInto(child<QLineEdit>("pageHeightEdit"), QString::number(height));
    child<QComboBox>("orientationCombo")->setCurrentIndex(landscape ? 1 : 0);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    const QSize page = landscape ? QSize(height, width) : QSize(width, height);
    const QWidget *frame = child<QWidget>("previewFrame");
    const QWidget *preview = child<QWidget>("previewWidget");
    const double s = qMin(0.9 * frame->width() / page.width(), 0.9 * frame->height() / page.height());
    QCOMPARE(preview->size(), QSize(qRound(s * page.width()), qRound(s * page.height())));
    QCOMPARE(preview->pos(), QPoint((frame->width() - preview->width()) / 2, (frame->height() - preview->height()) / 2));
    // Nothing of the page is cut off by the frame.
    QVERIFY(frame->rect().contains(preview->geometry()));
}

void TestQLExport::schemes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("imported");
    QTest::addColumn<QString>("angleShown");
    QTest::addRow("only the angle") << QByteArray(R"({"scoreAngle": 30})") << true << "30";
    QTest::addRow("angle as text") << QByteArray(R"({"scoreAngle": "-90"})") << true << "-90";
    QTest::addRow("a JSON array") << QByteArray("[1, 2]") << false << "-45";
    QTest::addRow("malformed") << QByteArray(R"({"scoreAngle": )") << false << "-45";
    QTest::addRow("empty file") << QByteArray() << false << "-45";
}

void TestQLExport::schemes()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, imported);
    QFETCH(QString, angleShown);
    const QString path = out(QStringLiteral("scheme.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    {
        ModalAnswerer answerer({path});
        child<QPushButton>("importBtn")->click();
        QCOMPARE(answerer.dialogCaptions, QStringList{QStringLiteral("导入方案")});
        QCOMPARE(answerer.dialogFilters, QStringList{QStringLiteral("JSON文件 (*.json)")});
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.first().title, imported ? QStringLiteral("成功") : QStringLiteral("错误"));
        QCOMPARE(answerer.boxes.first().text, imported ? QStringLiteral("导入成功！") : QStringLiteral("导入失败，文件错误！"));
    }
    QCOMPARE(child<QLineEdit>("scoreAngleEdit")->text(), angleShown);
    QCOMPARE(previews(*spy), imported ? 1 : 0);
    // The rest of the options stay.
    QCOMPARE(child<QLineEdit>("lyricFontSizeEdit")->text(), QStringLiteral("30"));

    // Saved again under a name typed without its suffix.
    {
        ModalAnswerer answerer({out(QStringLiteral("saved"))});
        child<QPushButton>("saveBtn")->click();
        QCOMPARE(answerer.dialogCaptions, QStringList{QStringLiteral("保存方案")});
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.first().title, QStringLiteral("成功"));
        QCOMPARE(answerer.boxes.first().text, QStringLiteral("保存成功！"));
    }
    QFile saved(out(QStringLiteral("saved.json")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("\"scoreAngle\": " + angleShown.toUtf8()));
}

void TestQLExport::pngAtHighestQuality()
{
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(2);
    child<QComboBox>("qualityCombo")->setCurrentIndex(3);
    dialog->show();
    const QString target = out(QStringLiteral("images"));
    QVERIFY(QDir().mkpath(target));
    ModalAnswerer answerer({target});
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(answerer.dialogCaptions, QStringList{QStringLiteral("导出为PNG文件")});
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("成功"));
    QCOMPARE(answerer.boxes.first().text, QStringLiteral("导出成功！"));
    QCOMPARE(fullRenders(*spy), 1);
    // The dialog closed on success.
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));

    const QString image = QDir(target).filePath(QStringLiteral("游园_png/游园_0.png"));
    QVERIFY2(QFileInfo::exists(image), qPrintable(QDir(target).entryList().join(QLatin1Char(' '))));
    QCOMPARE(QImageReader(image).size(), QSize(4961, 7016));
}

void TestQLExport::optionsThePageCannotHonourAreToldInABox()
{
    // A column wider than the page: the export goes on with the column as
    // wide as the content, and a box says so before the success box.
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(0);
    config().setColWidth(10000);
    dialog->show();
    const QString target = out(QStringLiteral("wide.pdf"));
    ModalAnswerer answerer({target});
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(answerer.boxes.size(), 2);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("提示"));
    QVERIFY2(answerer.boxes.first().text.contains(QStringLiteral("10000")), qPrintable(answerer.boxes.first().text));
    QCOMPARE(answerer.boxes.last().text, QStringLiteral("导出成功！"));
    QVERIFY(QFileInfo::exists(target));
}

void TestQLExport::cancelledTargetWritesNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("caption");
    QTest::addRow("pdf") << 0 << "导出为PDF文件";
    QTest::addRow("jpg") << 1 << "导出为JPG文件";
    QTest::addRow("svg") << 3 << "导出为SVG文件";
}

void TestQLExport::cancelledTargetWritesNothing()
{
    QFETCH(int, type);
    QFETCH(QString, caption);
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(type);
    dialog->show();
    const QStringList before = QDir(fixture->dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    ModalAnswerer answerer({QString()});
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(answerer.dialogCaptions, QStringList{caption});
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(fullRenders(*spy), 0);
    QVERIFY(dialog->isVisible());
    QCOMPARE(QDir(fixture->dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

void TestQLExport::writerFailuresEndInBox_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("targetIsFolder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    // The target chosen in the dialog is made unusable while the score
    // renders, as when a drive goes away: a folder takes the PDF's name, a
    // file the folder's.
    QTest::addRow("pdf onto a folder") << 0 << "aria.pdf" << false << "错误" << "文件无写入权限或文件已被占用!";
    QTest::addRow("png folder gone") << 2 << "images" << true << "提示" << "创建目录失败";
    QTest::addRow("svg folder gone") << 3 << "images" << true << "错误" << "创建目录失败!";
}

void TestQLExport::writerFailuresEndInBox()
{
    QFETCH(int, type);
    QFETCH(QString, target);
    QFETCH(bool, targetIsFolder);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const QString path = out(target);
    if (targetIsFolder)
        QVERIFY(QDir().mkpath(path));
    connect(dialog->renderer(), &QL_GenerateSVG::progressUpdate, dialog.get(),
            [&](int status, int, int, const QString &winTitle) {
                if (status != 0 || winTitle != QStringLiteral("绘制曲谱"))
                    return;
                if (targetIsFolder) {
                    QDir(path).removeRecursively();
                    QFile file(path);
                    file.open(QIODevice::WriteOnly);
                } else {
                    QDir().mkpath(path);
                }
            });

    child<QComboBox>("fileTypeCombo")->setCurrentIndex(type);
    dialog->show();
    ModalAnswerer answerer({path});
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(fullRenders(*spy), 1);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, title);
    QCOMPARE(answerer.boxes.first().text, text);
    QCOMPARE(answerer.boxes.first().icon, QMessageBox::Warning);
    // The dialog stays, usable, for another try.
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isEnabled());
}

void TestQLExport::cancelLeavesNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("phase");
    for (const int type : {0, 2, 3}) {
        QTest::addRow("type %d, while the score is drawn", type) << type << "绘制曲谱";
        QTest::addRow("type %d, while the files are written", type) << type << "导出";
    }
}

void TestQLExport::cancelLeavesNothing()
{
    QFETCH(int, type);
    QFETCH(QString, phase);
    // Three pages, of several entries each.
    QString lyric;
    QString score;
    for (int page = 0; page < 3; ++page) {
        lyric += QStringLiteral("原来姹紫\n嫣红开遍\n@分页符\n");
        score += (notation({gong, ban}) + QLatin1Char('\n')).repeated(8);
    }
    dialog = std::make_unique<QL_Export>(nullptr, buildExportEntries(lyric, score), config());
    QString current;
    bool cancelled = false;
    connect(dialog->renderer(), &QL_GenerateSVG::progressUpdate, dialog.get(),
            [&](int status, int, int, const QString &winTitle) {
                if (status == 0)
                    current = winTitle;
                if (status != 1 || current != phase || cancelled)
                    return;
                auto *window = dialog->findChild<QProgressDialog *>();
                QPushButton *cancel = nullptr;
                for (QPushButton *button : window->findChildren<QPushButton *>()) {
                    if (button->text() == QStringLiteral("取消"))
                        cancel = button;
                }
                if (cancel && cancel->isVisible()) {
                    cancel->click();
                    cancelled = true;
                }
            });
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(type);
    dialog->show();
    const QString target = type == 0 ? out(QStringLiteral("aria.pdf")) : fixture->dir.path();
    const QStringList before = QDir(fixture->dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    ModalAnswerer answerer({target});
    child<QPushButton>("submitBtn")->click();
    QVERIFY(cancelled);
    // Stopped, the export says nothing and leaves nothing.
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(QDir(fixture->dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isEnabled());
}

void TestQLExport::progressWindowWhileExporting()
{
    dialog->show();
    QList<bool> dialogEnabled;
    QList<bool> windowShown;
    connect(dialog->renderer(), &QL_GenerateSVG::progressUpdate, dialog.get(), [&](int status) {
        if (status != 1)
            return;
        auto *window = dialog->findChild<QProgressDialog *>();
        dialogEnabled << dialog->isEnabled();
        windowShown << (window && window->isVisible());
    });
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(3);
    ModalAnswerer answerer({fixture->dir.path()});
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().text, QStringLiteral("导出成功！"));
    // Rendering and writing both reported progress, in a window over a
    // disabled dialog, gone afterwards.
    QVERIFY(dialogEnabled.size() >= 2);
    QVERIFY(!dialogEnabled.contains(true));
    QVERIFY(!windowShown.contains(false));
    QVERIFY(!dialog->findChild<QProgressDialog *>()->isVisible());
    QVERIFY(dialog->isEnabled());
    QVERIFY(QFileInfo::exists(out(QStringLiteral("游园_svg/游园_0.svg"))));
}

void TestQLExport::cancelledPrintDialogPrintsNothing()
{
    dialog->show();
    QString title;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget *printDialog = QApplication::activeModalWidget();
        title = printDialog->windowTitle();
        QMetaObject::invokeMethod(printDialog, "reject", Qt::QueuedConnection);
    });
    child<QPushButton>("printBtn")->click();
    QCOMPARE(title, QStringLiteral("打印"));
    QCOMPARE(fullRenders(*spy), 0);
    QVERIFY(dialog->isVisible());
}

void TestQLExport::configurationSavedWhenDialogGoes()
{
    typeInto(child<QLineEdit>("colWidthEdit"), QStringLiteral("150"));
    QCOMPARE(QSettings(config().settingsPath(), QSettings::IniFormat).value(QStringLiteral("Export/colWidth")).toInt(),
             0);
    dialog.reset();
    QCOMPARE(QSettings(config().settingsPath(), QSettings::IniFormat).value(QStringLiteral("Export/colWidth")).toInt(),
             150);
}

void TestQLExport::typeQualityAndFolderRemembered()
{
    const QString folder = out(QStringLiteral("exports"));
    QVERIFY(QDir().mkpath(folder));
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(2);
    child<QComboBox>("qualityCombo")->setCurrentIndex(2);
    {
        ModalAnswerer answerer({folder});
        child<QPushButton>("submitBtn")->click();
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.first().text, QStringLiteral("导出成功！"));
        // The box names the folder the pages went to.
        QVERIFY2(answerer.boxes.first().informativeText.contains(
                     QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("游园_png")))),
                 qPrintable(answerer.boxes.first().informativeText));
    }

    // A new dialog, on the options as the file holds them.
    dialog.reset();
    config().setExportType(QStringLiteral("svg"));
    config().setDpiLevel(0);
    config().load();
    dialog = std::make_unique<QL_Export>(nullptr, ariaEntries(), config());
    QCOMPARE(child<QComboBox>("fileTypeCombo")->currentText(), QStringLiteral("png"));
    QCOMPARE(child<QComboBox>("qualityCombo")->currentIndex(), 2);
    QVERIFY(child<QComboBox>("qualityCombo")->isEnabled());

    // The target dialogs start where the last export went; a PDF is
    // offered under the score's title.
    child<QComboBox>("fileTypeCombo")->setCurrentIndex(0);
    ModalAnswerer answerer({QString()});
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(answerer.dialogFolders, QStringList{folder});
    QCOMPARE(answerer.dialogNames, QStringList{QStringLiteral("游园.pdf")});
}

void TestQLExport::emptyScoreOrUnwritableTargetIsRefusedBeforeLayout()
{
    // A PDF where a file stands in for its folder: told before the layout.
    QVERIFY(QFile(out(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
    ModalAnswerer answerer({out(QStringLiteral("blocker/aria.pdf"))});
    child<QPushButton>("submitBtn")->click();
    // An empty score: told before a place is asked for.
    dialog = std::make_unique<QL_Export>(nullptr, QList<ExportEntry>{lineEntry(1, QStringLiteral(";注释"))}, config());
    child<QPushButton>("submitBtn")->click();
    // Margins that leave the page no room for a character: told before a
    // place is asked for.
    config().setMarginTop(config().pageHeight());
    dialog = std::make_unique<QL_Export>(nullptr, QList<ExportEntry>{sungEntry(QStringLiteral("原"), QString())},
                                         config());
    child<QPushButton>("submitBtn")->click();
    QCOMPARE(answerer.dialogCaptions.size(), 1);
    QCOMPARE(answerer.boxes.size(), 3);
    QCOMPARE(fullRenders(*spy), 0);
}

QTEST_MAIN(TestQLExport)
#include "tst_ql_export.moc"
