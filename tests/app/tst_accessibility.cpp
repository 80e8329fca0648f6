#include "mainwindow.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "ql_export.h"
#include "settings.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include <functional>

namespace {

bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
        return true;
    default:
        return false;
    }
}

// Every control under the interface, as a screen reader walks it: role and
// name, with the object name of the widget for the failure message.
struct Control {
    QString where;
    QString name;
};

void walk(QAccessibleInterface *node, const QString &path, QList<Control> *controls, int depth = 0)
{
    if (!node || depth > 40)
        return;
    if (node->state().invisible)
        return;
    QString where = path;
    if (QObject *object = node->object())
        where += QLatin1Char('/') + (object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                                                      : object->objectName());
    if (isControl(node->role())) {
        // A list's name on Linux is its current entry: what names it is the
        // label it is labelled by, as AT-SPI reports the relation.
        QString name = node->text(QAccessible::Name).trimmed();
        if (node->role() == QAccessible::ComboBox) {
            QStringList labels;
            const auto relations = node->relations(QAccessible::Label);
            for (const auto &relation : relations)
                labels.append(relation.first->text(QAccessible::Name));
            name = labels.join(QLatin1Char(' ')).trimmed();
            // Elsewhere the name given to the list is read.
            if (auto *widget = qobject_cast<QWidget *>(node->object()); name.isEmpty() && widget)
                name = widget->accessibleName();
        }
        controls->append({where, name});
    }
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), where, controls, depth + 1);
}

} // namespace

// The main window and both dialogs as assistive technology reads them: no
// control without a name, and no two controls of one window under one name.
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void editorsAreNamed();
};

void TestAccessibility::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addRow("main window") << QStringLiteral("main");
    QTest::addRow("export dialog") << QStringLiteral("export");
    QTest::addRow("settings dialog") << QStringLiteral("settings");
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(QString, window);
    MainWindow main;
    main.show();
    main.newAction();
    // The search bar with its replace field, and the docks, shown.
    main.findChild<QAction *>(QStringLiteral("searchAction"))->trigger();
    main.findChild<QAction *>(QStringLiteral("symbolPaletteAction"))->trigger();
    main.findChild<QAction *>(QStringLiteral("scorePreviewAction"))->trigger();
    std::unique_ptr<QWidget> dialog;
    if (window == QLatin1String("export"))
        dialog.reset(new QL_Export(&main, main.currentDocument()->exportEntries()));
    else if (window == QLatin1String("settings"))
        dialog.reset(new Settings);
    QWidget *top = dialog ? dialog.get() : &main;
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));

    QList<Control> controls;
    walk(QAccessible::queryAccessibleInterface(top), QString(), &controls);
    QVERIFY(controls.size() > 5);
    QStringList unnamed;
    QHash<QString, QStringList> byName;
    for (const Control &control : std::as_const(controls)) {
        if (control.name.isEmpty())
            unnamed.append(control.where);
        else
            byName[control.name].append(control.where);
    }
    QStringList twice;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it) {
        if (it.value().size() > 1)
            twice.append(it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", ")));
    }
    if (qEnvironmentVariableIsSet("QELUN_PRINT_NAMES")) {
        for (const Control &control : std::as_const(controls))
            qInfo().noquote() << control.name << "\t" << control.where;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("unnamed:\n") + unnamed.join(QLatin1Char('\n'))));
    QVERIFY2(twice.isEmpty(), qPrintable(QStringLiteral("one name, several controls:\n") + twice.join(QLatin1Char('\n'))));
}

void TestAccessibility::editorsAreNamed()
{
    MainWindow main;
    main.newAction();
    QL_Edit *document = main.currentDocument();
    QCOMPARE(QAccessible::queryAccessibleInterface(document->lyricEdit())->text(QAccessible::Name),
             QStringLiteral("唱词"));
    QCOMPARE(QAccessible::queryAccessibleInterface(document->scoreEdit())->text(QAccessible::Name),
             QStringLiteral("曲谱"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
