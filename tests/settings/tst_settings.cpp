#include "colorbox.h"
#include "editorconfig.h"
#include "fontbox.h"
#include "fontmanager.h"
#include "gcptestfiles.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "settings.h"

#include <QAction>
#include <QDir>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QUndoStack>

namespace {

// The fields of the form: object name, label, group title, and the keys of
// "settings.ini" that the field is saved under.
struct Field
{
    const char *name;
    const char *label;
    const char *group;
    QStringList keys;
};

const QList<Field> fields = {
    {"scoreFontBox", "字体：", "曲谱编辑框", {"scoreFont", "scoreFontSize"}},
    {"scoreColorBox", "字体颜色：", "曲谱编辑框", {"scoreColor"}},
    {"scoreBgColorBox", "背景颜色：", "曲谱编辑框", {"scoreBgColor"}},
    {"scoreLineFontBox", "行号栏字体：", "曲谱编辑框", {"scoreLineNumberFont", "scoreLineNumberFontSize"}},
    {"scoreLineColorBox", "行号栏颜色：", "曲谱编辑框", {"scoreLineNumberColor"}},
    {"scoreLineBgColorBox", "行号栏背景：", "曲谱编辑框", {"scoreLineNumberBgColor"}},
    {"lyricFontBox", "字体：", "唱词编辑框", {"lyricFont", "lyricFontSize"}},
    {"lyricBgColorBox", "背景颜色：", "唱词编辑框", {"lyricBgColor"}},
    {"lyricColorBox", "唱词颜色：", "唱词编辑框", {"lyricColor"}},
    {"titleColorBox", "标题颜色：", "唱词编辑框", {"titleColor"}},
    {"quPaiColorBox", "曲牌颜色：", "唱词编辑框", {"quPaiColor"}},
    {"jiaBaiColorBox", "夹白颜色：", "唱词编辑框", {"jiaBaiColor"}},
    {"lianBaiColorBox", "念白颜色：", "唱词编辑框", {"lianBaiColor"}},
    {"lyricLineFontBox", "行号栏字体：", "唱词编辑框", {"lyricLineNumberFont", "lyricLineNumberFontSize"}},
    {"lyricLineBgColorBox", "行号栏背景：", "唱词编辑框", {"lyricLineNumberBgColor"}},
    {"lyricLineColorBox", "行号栏颜色：", "唱词编辑框", {"lyricLineNumberColor"}},
    {"commentColorBox", "注释颜色：", "唱词编辑框", {"commentColor"}},
    {"biaoDianColorBox", "标点颜色：", "唱词编辑框", {"biaoDianColor"}},
    {"breakSymbolColorBox", "分页换行：", "唱词编辑框", {"breakSymbolColor"}},
    {"errorColorBox", "错误内容：", "唱词编辑框", {"errorColor"}},
};

// Every key of the group "Editor" as the file holds it.
QMap<QString, QString> storedKeys(const QString &path)
{
    QSettings stored(path, QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Editor"));
    QMap<QString, QString> keys;
    for (const QString &key : stored.childKeys())
        keys.insert(key, stored.value(key).toString());
    return keys;
}

QLineEdit *colorEdit(QWidget *dialog, const char *name)
{
    auto *box = dialog->findChild<ColorBox *>(QLatin1String(name));
    return box ? box->findChild<QLineEdit *>() : nullptr;
}

QLineEdit *sizeEdit(QWidget *dialog, const char *name)
{
    auto *box = dialog->findChild<FontBox *>(QLatin1String(name));
    return box ? box->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QFontComboBox *familyChooser(QWidget *dialog, const char *name)
{
    auto *box = dialog->findChild<FontBox *>(QLatin1String(name));
    return box ? box->findChild<QFontComboBox *>() : nullptr;
}

// Types into a field as a user does and leaves it with Return.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void click(QWidget *dialog, const char *button)
{
    dialog->findChild<QPushButton *>(QLatin1String(button))->click();
}

// The foreground of the first format the highlighter gave a line.
QColor lineColour(QL_Edit &doc, int line)
{
    const QTextBlock block = doc.lyricEdit()->document()->findBlockByNumber(line);
    const QList<QTextLayout::FormatRange> formats = block.layout()->formats();
    return formats.isEmpty() ? QColor() : formats.first().format.foreground().color();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formFields_data();
    void formFields();
    void formFrame();
    void defaultsShown_data();
    void defaultsShown();
    void shortColourFormKept();
    void badColourReverts_data();
    void badColourReverts();
    void restoreWritesAtOnce();
    void cancelLeavesEverything();
    void confirmAppliesField_data();
    void confirmAppliesField();
    void emptySizeAppliesAsLowerBound_data();
    void emptySizeAppliesAsLowerBound();
    void confirmKeepsFamilyOfMissingFont();
    void confirmRedrawsOpenDocumentsUnmodified();
    void unwritableFileReported_data();
    void unwritableFileReported();
    void settingActionOpensModalDialog();

private:
    EditorConfig *config = nullptr;
    QString path;
    Settings *dialog = nullptr;
};

void TestSettings::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // The per-user folders of test mode are the tests' own; start from no
    // settings file at all.
    QStandardPaths::setTestModeEnabled(true);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QFile::remove(QDir(configDir).filePath(QStringLiteral("settings.ini")));
    config = &EditorConfig::instance();
    path = config->settingsPath();
    QCOMPARE(QFileInfo(path).absolutePath(), configDir);
}

void TestSettings::init()
{
    QVERIFY(config->restoreDefaults());
    dialog = new Settings;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

void TestSettings::cleanup()
{
    delete dialog;
    dialog = nullptr;
}

void TestSettings::formFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("isFont");
    for (const Field &field : fields)
        QTest::addRow("%s", field.name) << field.name << QString::fromUtf8(field.label)
                                        << QString::fromUtf8(field.group) << (field.keys.size() == 2);
}

void TestSettings::formFields()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(QString, group);
    QFETCH(bool, isFont);

    QWidget *field = dialog->findChild<QWidget *>(name);
    QVERIFY(field);
    QCOMPARE(isFont ? qobject_cast<FontBox *>(field) != nullptr : qobject_cast<ColorBox *>(field) != nullptr, true);
    auto *box = qobject_cast<QGroupBox *>(field->parentWidget());
    QVERIFY(box);
    QCOMPARE(box->title(), group);

    // The label beside the field, on its row, and rows at least 26 high.
    QLabel *beside = nullptr;
    for (QLabel *candidate : box->findChildren<QLabel *>()) {
        if (candidate->buddy() == field)
            beside = candidate;
    }
    QVERIFY(beside);
    QCOMPARE(beside->text(), label);
    QVERIFY(beside->geometry().right() < field->geometry().left());
    QCOMPARE(beside->geometry().center().y(), field->geometry().center().y());
    QVERIFY(field->height() >= 26);
}

void TestSettings::formFrame()
{
    QCOMPARE(dialog->windowTitle(), QStringLiteral("设置"));
    QCOMPARE(dialog->minimumSize(), QSize(750, 530));
    QCOMPARE(dialog->maximumSize(), QSize(750, 530));
    QCOMPARE(dialog->size(), QSize(750, 530));

    auto *heading = dialog->findChild<QLabel *>(QStringLiteral("label_2"));
    QVERIFY(heading);
    QCOMPARE(heading->text(), QStringLiteral("设置"));
    QCOMPARE(heading->font().family(), QStringLiteral("黑体"));
    QCOMPARE(heading->font().pointSize(), 20);
    auto *icon = dialog->findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());

    const QList<std::tuple<const char *, QString>> buttons = {
        {"restoreBtn", QStringLiteral("恢复默认")},
        {"cancelBtn", QStringLiteral("取消")},
        {"submitBtn", QStringLiteral("确认")},
    };
    for (const auto &[name, text] : buttons) {
        auto *button = dialog->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        QCOMPARE(button->text(), text);
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
        QVERIFY(button->width() <= 100);
    }
    // Every field fits inside the dialog.
    for (const Field &field : fields) {
        QWidget *widget = dialog->findChild<QWidget *>(QLatin1String(field.name));
        const QRect inDialog(widget->mapTo(dialog, QPoint(0, 0)), widget->size());
        QVERIFY2(dialog->rect().contains(inDialog), field.name);
    }
}

void TestSettings::defaultsShown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const QList<QPair<const char *, const char *>> rows = {
        {"scoreFontBox", "16"}, {"scoreLineFontBox", "14"}, {"lyricFontBox", "16"}, {"lyricLineFontBox", "14"},
        {"scoreColorBox", "#000000"}, {"scoreBgColorBox", "#ffffff"}, {"scoreLineColorBox", "#ff5500"},
        {"scoreLineBgColorBox", "#fdfff8"}, {"lyricBgColorBox", "#ffffff"}, {"lyricColorBox", "#333333"},
        {"titleColorBox", "#a76f55"}, {"quPaiColorBox", "#4078f2"}, {"jiaBaiColorBox", "#b76b01"},
        {"lianBaiColorBox", "#a626a4"}, {"lyricLineBgColorBox", "#fdfff8"}, {"lyricLineColorBox", "#ff5500"},
        {"commentColorBox", "#a9a9a9"}, {"biaoDianColorBox", "#50a14f"}, {"breakSymbolColorBox", "#a9a9a9"},
        {"errorColorBox", "#ff0000"},
    };
    for (const auto &[name, shown] : rows)
        QTest::addRow("%s", name) << name << shown;
}

void TestSettings::defaultsShown()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    const QByteArray object = name.toLatin1();
    if (name.endsWith(QLatin1String("FontBox"))) {
        QLineEdit *size = sizeEdit(dialog, object);
        QVERIFY(size);
        QCOMPARE(size->text(), shown);
        QCOMPARE(size->placeholderText(), QStringLiteral("5~80"));
        QVERIFY(size->isEnabled());
        // The score editor's family is the notation font's, and fixed.
        const bool score = name == QLatin1String("scoreFontBox");
        QCOMPARE(familyChooser(dialog, object)->isEnabled(), !score);
        if (score)
            QCOMPARE(familyChooser(dialog, object)->currentText(), FontManager::instance().notationFamily());
    } else {
        QLineEdit *edit = colorEdit(dialog, object);
        QVERIFY(edit);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(dialog->findChild<ColorBox *>(name)->color().name(), shown);
    }
}

void TestSettings::shortColourFormKept()
{
    ModalAnswerer answerer;
    QLineEdit *edit = colorEdit(dialog, "titleColorBox");
    typeInto(edit, QStringLiteral("#abc"));
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(edit->text(), QStringLiteral("#abc"));
    QCOMPARE(dialog->findChild<ColorBox *>(QStringLiteral("titleColorBox"))->color(), QColor(0xaa, 0xbb, 0xcc));
    // Nothing reaches the configuration before the user confirms.
    QCOMPARE(config->titleColor(), QColor(QStringLiteral("#a76f55")));

    click(dialog, "submitBtn");
    QCOMPARE(config->titleColor(), QColor(0xaa, 0xbb, 0xcc));
    QCOMPARE(storedKeys(path).value(QStringLiteral("titleColor")), QStringLiteral("#aabbcc"));
}

void TestSettings::badColourReverts_data()
{
    QTest::addColumn<int>("leaveKey");
    QTest::addRow("left with Return") << int(Qt::Key_Return);
    QTest::addRow("left with Tab") << int(Qt::Key_Tab);
}

void TestSettings::badColourReverts()
{
    QFETCH(int, leaveKey);
    QApplication::setActiveWindow(dialog);
    QLineEdit *edit = colorEdit(dialog, "quPaiColorBox");
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());

    ModalAnswerer answerer;
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("#ab"));
    QTest::keyClick(edit, Qt::Key(leaveKey));
    // One warning, however the field lost its focus to the box.
    QTRY_COMPARE(answerer.boxes.size(), 1);
    QTest::qWait(50);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.at(0).title, QStringLiteral("警告"));
    QCOMPARE(answerer.boxes.at(0).text, QStringLiteral("错误的颜色值!"));
    QCOMPARE(edit->text(), QStringLiteral("#4078f2"));
    // The field takes the focus back, for the user to correct it.
    QCOMPARE(dialog->focusWidget(), edit);
    QVERIFY(dialog->isVisible());

    click(dialog, "submitBtn");
    QCOMPARE(config->quPaiColor(), QColor(QStringLiteral("#4078f2")));
}

void TestSettings::restoreWritesAtOnce()
{
    delete dialog;
    config->setQuPaiColor(QColor(0x11, 0x22, 0x33));
    config->setLyricFontSize(30);
    QVERIFY(config->save());
    dialog = new Settings;
    dialog->show();
    QCOMPARE(colorEdit(dialog, "quPaiColorBox")->text(), QStringLiteral("#112233"));
    QCOMPARE(sizeEdit(dialog, "lyricFontBox")->text(), QStringLiteral("30"));

    QSignalSpy changed(config, &EditorConfig::configChanged);
    click(dialog, "restoreBtn");
    QCOMPARE(changed.count(), 1);
    QVERIFY(dialog->isVisible());
    QCOMPARE(colorEdit(dialog, "quPaiColorBox")->text(), QStringLiteral("#4078f2"));
    QCOMPARE(sizeEdit(dialog, "lyricFontBox")->text(), QStringLiteral("16"));
    QCOMPARE(storedKeys(path).value(QStringLiteral("quPaiColor")), QStringLiteral("#4078f2"));
    QCOMPARE(storedKeys(path).value(QStringLiteral("lyricFontSize")), QStringLiteral("16"));

    // Cancelling afterwards does not take the restore back.
    click(dialog, "cancelBtn");
    QCOMPARE(storedKeys(path).value(QStringLiteral("quPaiColor")), QStringLiteral("#4078f2"));
    QCOMPARE(config->lyricFontSize(), 16);
}

void TestSettings::cancelLeavesEverything()
{
    const QByteArray before = GcpTestFiles::fileBytes(path);
    QSignalSpy changed(config, &EditorConfig::configChanged);
    typeInto(colorEdit(dialog, "lyricColorBox"), QStringLiteral("#010203"));
    typeInto(colorEdit(dialog, "scoreBgColorBox"), QStringLiteral("#fed"));
    typeInto(sizeEdit(dialog, "lyricLineFontBox"), QStringLiteral("40"));
    QFontComboBox *chooser = familyChooser(dialog, "lyricFontBox");
    chooser->setCurrentIndex(chooser->currentIndex() == 0 ? 1 : 0);

    click(dialog, "cancelBtn");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(GcpTestFiles::fileBytes(path), before);
    QCOMPARE(config->lyricColor(), QColor(QStringLiteral("#333333")));
    QCOMPARE(config->scoreBgColor(), QColor(Qt::white));
    QCOMPARE(config->lyricLineNumberFontSize(), 14);
    QCOMPARE(config->lyricFont().family(), QStringLiteral("楷体"));
}

void TestSettings::confirmAppliesField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("keys");
    for (const Field &field : fields)
        QTest::addRow("%s", field.name) << field.name << field.keys;
}

void TestSettings::confirmAppliesField()
{
    QFETCH(QString, name);
    QFETCH(QStringList, keys);
    const QByteArray object = name.toLatin1();
    const QMap<QString, QString> before = storedKeys(path);
    QMap<QString, QString> expected = before;

    if (keys.size() == 2) {
        typeInto(sizeEdit(dialog, object), QStringLiteral("33"));
        expected[keys.at(1)] = QStringLiteral("33");
        QFontComboBox *chooser = familyChooser(dialog, object);
        if (chooser->isEnabled()) {
            chooser->setCurrentIndex(chooser->currentIndex() == 0 ? 1 : 0);
            expected[keys.at(0)] = chooser->currentText();
        }
    } else {
        typeInto(colorEdit(dialog, object), QStringLiteral("#123456"));
        expected[keys.at(0)] = QStringLiteral("#123456");
    }
    QSignalSpy changed(config, &EditorConfig::configChanged);
    click(dialog, "submitBtn");

    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(changed.count(), 1);
    // That field's keys changed and no other.
    QCOMPARE(storedKeys(path), expected);
    if (keys.size() == 2) {
        EditorConfig reread(path);
        const QFont font = name.startsWith(QLatin1String("scoreLine")) ? config->scoreLineNumberFont()
                           : name.startsWith(QLatin1String("score"))   ? config->scoreFont()
                           : name.startsWith(QLatin1String("lyricLine")) ? config->lyricLineNumberFont()
                                                                         : config->lyricFont();
        QCOMPARE(font.pointSize(), 33);
        QCOMPARE(font.family(), expected.value(keys.at(0)));
    }
}

void TestSettings::emptySizeAppliesAsLowerBound_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    for (const Field &field : fields) {
        if (field.keys.size() == 2)
            QTest::addRow("%s", field.name) << field.name << field.keys.at(1);
    }
}

void TestSettings::emptySizeAppliesAsLowerBound()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QLineEdit *size = sizeEdit(dialog, name.toLatin1());
    typeInto(size, QString());
    QCOMPARE(size->text(), QString());
    click(dialog, "submitBtn");
    QCOMPARE(storedKeys(path).value(key), QStringLiteral("5"));
}

void TestSettings::confirmKeepsFamilyOfMissingFont()
{
    // "楷体" is the stored default whether or not this desktop has it; a
    // confirmed dialog must not replace it with the font drawn in its place.
    typeInto(colorEdit(dialog, "commentColorBox"), QStringLiteral("#010101"));
    click(dialog, "submitBtn");
    const QMap<QString, QString> stored = storedKeys(path);
    QCOMPARE(stored.value(QStringLiteral("lyricFont")), QStringLiteral("楷体"));
    QCOMPARE(stored.value(QStringLiteral("lyricLineNumberFont")), QStringLiteral("楷体"));
    QCOMPARE(stored.value(QStringLiteral("scoreLineNumberFont")), QStringLiteral("楷体"));
    QCOMPARE(stored.value(QStringLiteral("scoreFont")), FontManager::instance().notationFamily());
}

void TestSettings::confirmRedrawsOpenDocumentsUnmodified()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("u.gcp"));
    QVERIFY(GcpTestFiles::writeFile(
        file, GcpTestFiles::encoded(QStringLiteral("【仙吕】【醉扶归】\n原来姹紫\n# 游园"),
                                    QStringLiteral("a\nb\nc\nd"))));
    QL_Edit opened;
    QVERIFY(opened.open(file));
    QL_Edit fresh;
    opened.resize(600, 400);
    opened.show();
    QVERIFY(QTest::qWaitForWindowExposed(&opened));
    QCOMPARE(opened.title(), QStringLiteral("u.gcp"));

    QList<QSignalSpy *> spies;
    QList<int> undoSteps;
    for (QL_Edit *doc : {&opened, &fresh}) {
        spies << new QSignalSpy(doc, &QL_Edit::modifiedChanged);
        undoSteps << doc->lyricEdit()->document()->availableUndoSteps()
                  << doc->scoreEdit()->document()->availableUndoSteps();
    }
    const int gutterWidth = opened.lyricEdit()->lineNumberArea()->width();

    typeInto(colorEdit(dialog, "quPaiColorBox"), QStringLiteral("#0a0b0c"));
    typeInto(colorEdit(dialog, "lyricColorBox"), QStringLiteral("#0d0e0f"));
    typeInto(colorEdit(dialog, "titleColorBox"), QStringLiteral("#101112"));
    typeInto(colorEdit(dialog, "scoreBgColorBox"), QStringLiteral("#fafbfc"));
    typeInto(colorEdit(dialog, "lyricLineBgColorBox"), QStringLiteral("#203040"));
    typeInto(sizeEdit(dialog, "lyricFontBox"), QStringLiteral("24"));
    typeInto(sizeEdit(dialog, "lyricLineFontBox"), QStringLiteral("28"));
    click(dialog, "submitBtn");
    QVERIFY(!dialog->isVisible());

    for (QL_Edit *doc : {&opened, &fresh}) {
        QCOMPARE(doc->lyricEdit()->font().pointSize(), 24);
        QCOMPARE(doc->scoreEdit()->palette().color(QPalette::Active, QPalette::Base), QColor(0xfa, 0xfb, 0xfc));
    }
    QCOMPARE(lineColour(opened, 0), QColor(0x0a, 0x0b, 0x0c));
    QCOMPARE(lineColour(opened, 1), QColor(0x0d, 0x0e, 0x0f));
    QCOMPARE(lineColour(opened, 2), QColor(0x10, 0x11, 0x12));
    // The gutter widens for its bigger font and paints its new background.
    QTRY_VERIFY(opened.lyricEdit()->lineNumberArea()->width() > gutterWidth);
    const QImage gutter = opened.lyricEdit()->lineNumberArea()->grab().toImage();
    QCOMPARE(QColor(gutter.pixel(gutter.width() / 2, gutter.height() - 2)), QColor(0x20, 0x30, 0x40));

    // New looks are no edit: no document turns modified or gains an undo step.
    QCOMPARE(opened.title(), QStringLiteral("u.gcp"));
    QVERIFY(!opened.isModified());
    QVERIFY(!fresh.isModified());
    QList<int> undoStepsAfter;
    for (int i = 0; i < 2; ++i) {
        QL_Edit *doc = i == 0 ? &opened : &fresh;
        QCOMPARE(spies.at(i)->count(), 0);
        QCOMPARE(doc->undoStack()->count(), 0);
        undoStepsAfter << doc->lyricEdit()->document()->availableUndoSteps()
                       << doc->scoreEdit()->document()->availableUndoSteps();
    }
    QCOMPARE(undoStepsAfter, undoSteps);
    qDeleteAll(spies);
}

void TestSettings::unwritableFileReported_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("directory");
    QTest::addRow("confirm, folder in the file's place") << "submitBtn" << true;
    QTest::addRow("restore, folder in the file's place") << "restoreBtn" << true;
    QTest::addRow("confirm, read-only file") << "submitBtn" << false;
}

void TestSettings::unwritableFileReported()
{
    QFETCH(QString, button);
    QFETCH(bool, directory);

    const QFile::Permissions permissions = QFile(path).permissions();
    if (directory) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
    } else {
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (QFileInfo(path).isWritable()) {
            QFile(path).setPermissions(permissions);
            QSKIP("this user writes read-only files (root)");
        }
    }
    auto restore = qScopeGuard([&] {
        if (directory)
            QDir().rmdir(path);
        else
            QFile(path).setPermissions(permissions);
    });

    typeInto(colorEdit(dialog, "jiaBaiColorBox"), QStringLiteral("#445566"));
    {
        ModalAnswerer answerer;
        click(dialog, button.toLatin1());
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.at(0).title, QStringLiteral("错误"));
        QVERIFY2(answerer.boxes.at(0).text.contains(QDir::toNativeSeparators(path)),
                 qPrintable(answerer.boxes.at(0).text));
    }
    QVERIFY(dialog->isVisible());

    // Once the file can be written, confirming again saves and closes.
    restore.dismiss();
    if (directory)
        QVERIFY(QDir().rmdir(path));
    else
        QVERIFY(QFile(path).setPermissions(permissions));
    ModalAnswerer answerer;
    typeInto(colorEdit(dialog, "jiaBaiColorBox"), QStringLiteral("#445566"));
    click(dialog, "submitBtn");
    QVERIFY(answerer.boxes.isEmpty());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(storedKeys(path).value(QStringLiteral("jiaBaiColor")), QStringLiteral("#445566"));
}

void TestSettings::settingActionOpensModalDialog()
{
    delete dialog;
    dialog = nullptr;
    MainWindow window;
    window.show();

    QPointer<Settings> shown;
    bool parentless = false;
    bool modal = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *settings = qobject_cast<Settings *>(QApplication::activeModalWidget());
        if (!settings)
            return;
        answer.stop();
        shown = settings;
        parentless = settings->parentWidget() == nullptr;
        modal = settings->isModal();
        click(settings, "cancelBtn");
    });
    answer.start(10);
    auto *action = window.findChild<QAction *>(QStringLiteral("settingAction"));
    QVERIFY(action && action->isEnabled());
    action->trigger();

    QVERIFY(parentless);
    QVERIFY(modal);
    // Closed and gone once the action returns.
    QVERIFY(shown.isNull());
    QVERIFY(!answer.isActive());
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
