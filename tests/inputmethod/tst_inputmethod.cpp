#include "filelocations.h"
#include "fontmanager.h"
#include "inputmethod.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QString sym(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

void press(InputMethod &popup, Qt::Key key, const QString &text = QString())
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    popup.handleKey(&event);
}

void type(InputMethod &popup, const QString &letters)
{
    for (const QChar c : letters)
        popup.appendCode(QString(c));
}

// Pixels of the image tinted towards the colour, antialiased edges included.
int pixelsNear(const QImage &image, const QRect &area, QColor colour)
{
    const bool blue = colour.blue() > colour.red();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int tint = blue ? pixel.blue() - qMax(pixel.red(), pixel.green())
                                  : pixel.red() - qMax(pixel.green(), pixel.blue());
            if (tint > 40)
                ++count;
        }
    }
    return count;
}

const QColor normalColour(0x00, 0x70, 0xdf);
const QColor highlightColour(0xff, 0x2a, 0x00);

} // namespace

class TestInputMethod : public QObject
{
    Q_OBJECT

private slots:
    void selectionIsAnnounced();
    void init();
    void cleanup();

    void singleCode();
    void twoCodesCombine();
    void readmeExamplesComeFirst_data();
    void readmeExamplesComeFirst();
    void codeThatContinues();
    void unknownCode();
    void seventhSegmentIgnored();
    void combinationsCapped();
    void commitNumber_data();
    void commitNumber();
    void navigation_data();
    void navigation();
    void escapeCloses();
    void backspace_data();
    void backspace();
    void alternativesMode();
    void alternativesOfNoMark();

    void placementNearScreenEdges_data();
    void placementNearScreenEdges();
    void placementFollowsEditorCursor();
    void destroyedEditorIsForgotten();
    void keepsEditorFocus();
    void fonts();
    void paintsCandidates();

    void instanceGoesBeforeApplication();

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<InputMethod> popup;
};

void TestInputMethod::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    const FileLocations locations(dir->path(), dir->filePath("config"), dir->filePath("data"));
    popup = std::make_unique<InputMethod>(
        6, std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv"), locations));
    QVERIFY(popup->isHidden());
}

void TestInputMethod::cleanup()
{
    popup.reset();
    dir.reset();
}

void TestInputMethod::selectionIsAnnounced()
{
    // A screen reader hears the selected candidate by its symbols' names:
    // the private-use characters themselves cannot be spoken.
    popup->appendCode("gs");
    for (int step = 0; step < 3; ++step) {
        const QString candidate = popup->allCandidates().at(step);
        const QString name = popup->accessibleName();
        QVERIFY2(name.contains(QStringLiteral("第 %1 个").arg(step + 1)), qPrintable(name));
        QVERIFY(!popup->dictionary().nameOf(candidate.left(2)).isEmpty());
        QVERIFY2(name.contains(popup->dictionary().nameOf(candidate.left(2))), qPrintable(name));
        QVERIFY(!name.contains(candidate.left(2)));
        popup->nextCandidate();
    }
    popup->reset();
    QCOMPARE(popup->accessibleName(), QStringLiteral("曲谱输入法"));
}

void TestInputMethod::singleCode()
{
    popup->appendCode("s");
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->currentCode(), "s");
    const QStringList candidates = popup->allCandidates();
    QCOMPARE(candidates.size(), 25);
    QStringList first = candidates.mid(0, 2);
    first.sort();
    QCOMPARE(first, QStringList({sym(0xF0028), sym(0xF002A)}));
    QCOMPARE(popup->pageCandidates(0).size(), 6);
    QCOMPARE(popup->pageCandidates(4), candidates.mid(24));
    QVERIFY(popup->pageCandidates(5).isEmpty());
    QCOMPARE(popup->size(), QSize(popup->preferredWidth(), popup->preferredHeight()));
    QVERIFY(popup->width() >= 200);
}

void TestInputMethod::readmeExamplesComeFirst_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("readme");
    QTest::addRow("h") << "h" << QStringList{sym(0xF0027)} << QStringLiteral("h 合");
    QTest::addRow("c") << "c" << QStringList{sym(0xF002B)} << QStringLiteral("c 尺");
    QTest::addRow("g") << "g" << QStringList{sym(0xF002C)} << QStringLiteral("g 工");
    QTest::addRow("gu") << "gu" << QStringList{sym(0xF0033)} << QStringLiteral("gu 工 an octave up");
    QTest::addRow("s") << "s" << QStringList{sym(0xF0028), sym(0xF002A)}
                       << QStringLiteral("s offers 四 first, 上 second");
}

void TestInputMethod::readmeExamplesComeFirst()
{
    // What the README promises a new user is what the popup offers.
    QFETCH(QString, code);
    QFETCH(QStringList, first);
    QFETCH(QString, readme);
    type(*popup, code);
    QCOMPARE(popup->allCandidates().mid(0, first.size()), first);

    QFile file(QStringLiteral(PROJECT_SOURCE_DIR "/README.md"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(QString::fromUtf8(file.readAll()).contains(readme), qPrintable(readme));
}

void TestInputMethod::twoCodesCombine()
{
    type(*popup, "hs");
    QCOMPARE(popup->currentCode(), "h's");
    const QList<Segment> segments = popup->currentSegments();
    QCOMPARE(segments.size(), 2);
    QVERIFY(segments.at(0).valid && segments.at(1).valid);

    const QStringList candidates = popup->allCandidates();
    // 合 with each of the 25 symbols of s and its longer codes.
    QCOMPARE(candidates.size(), 25);
    for (const QString &candidate : candidates)
        QVERIFY2(candidate.startsWith(sym(0xF0027)) && candidate.size() == 4, qPrintable(candidate));
    QStringList first = candidates.mid(0, 2);
    first.sort();
    QCOMPARE(first, QStringList({sym(0xF0027) + sym(0xF0028), sym(0xF0027) + sym(0xF002A)}));
}

void TestInputMethod::codeThatContinues()
{
    popup->appendCode("t");
    QCOMPARE(popup->currentCode(), "t");
    QStringList candidates = popup->allCandidates();
    candidates.sort();
    QCOMPARE(candidates, QStringList({sym(0xF0000), sym(0xF0001)}));
    QCOMPARE(popup->currentSegments(), (QList<Segment>{{"t", true}}));

    popup->appendCode("b");
    QCOMPARE(popup->currentCode(), "tb");
    QCOMPARE(popup->currentSegments(), (QList<Segment>{{"tb", true}}));
    QCOMPARE(popup->allCandidates().value(0), sym(0xF0000));
    QCOMPARE(popup->commitSelected(), sym(0xF0000));
    QVERIFY(popup->isHidden());
}

void TestInputMethod::unknownCode()
{
    popup->appendCode("k");
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->currentCode(), "k");
    QCOMPARE(popup->currentSegments(), (QList<Segment>{{"k", false}}));
    QCOMPARE(popup->allCandidates(), QStringList{QString()});
    QCOMPARE(popup->commitSelected(), QString());
    QVERIFY(popup->isHidden());
    QVERIFY(popup->currentCode().isEmpty());
}

void TestInputMethod::seventhSegmentIgnored()
{
    type(*popup, "hhhhhhh");
    QCOMPARE(popup->currentSegments().size(), 6);
    QCOMPARE(popup->currentCode(), "h'h'h'h'h'h");
    QCOMPARE(popup->allCandidates().value(0), sym(0xF0027).repeated(6));
    // Even a letter that would only extend the sixth code.
    popup->appendCode("d");
    QCOMPARE(popup->currentCode(), "h'h'h'h'h'h");
}

void TestInputMethod::combinationsCapped()
{
    // h × s × y × c has far more than 60 combinations.
    type(*popup, "hsyc");
    const QStringList candidates = popup->allCandidates();
    QCOMPARE(candidates.size(), 60);
    // The best ones are made of exact matches only: 合, 四 or 上, one of the
    // four y symbols, then 尺.
    const QString best = candidates.first();
    QCOMPARE(best.size(), 8);
    QVERIFY(best.startsWith(sym(0xF0027)));
    QVERIFY(best.endsWith(sym(0xF002B)));
}

void TestInputMethod::commitNumber_data()
{
    QTest::addColumn<int>("pagesForward");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("committedIndex"); // -1: nothing, the popup stays

    QTest::addRow("1 on the first page") << 0 << 1 << 0;
    QTest::addRow("6 on a full page") << 0 << 6 << 5;
    QTest::addRow("7 on a page of six") << 0 << 7 << -1;
    QTest::addRow("0 never selects") << 0 << 0 << -1;
    QTest::addRow("negative") << 0 << -3 << -1;
    QTest::addRow("3 on the second page") << 1 << 3 << 8;
    QTest::addRow("1 on the last page of one") << 4 << 1 << 24;
    QTest::addRow("2 on the last page of one") << 4 << 2 << -1;
}

void TestInputMethod::commitNumber()
{
    QFETCH(int, pagesForward);
    QFETCH(int, number);
    QFETCH(int, committedIndex);

    popup->appendCode("s");
    const QStringList candidates = popup->allCandidates();
    QCOMPARE(candidates.size(), 25);
    for (int i = 0; i < pagesForward; ++i)
        popup->nextPage();

    const QString text = popup->commitNumber(number);
    if (committedIndex < 0) {
        QVERIFY(text.isEmpty());
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->currentPage(), pagesForward);
        QCOMPARE(popup->allCandidates(), candidates);
    } else {
        QCOMPARE(text, candidates.at(committedIndex));
        QVERIFY(popup->isHidden());
        QVERIFY(popup->allCandidates().isEmpty());
        QCOMPARE(popup->currentPage(), 0);
    }
}

void TestInputMethod::navigation_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("selected");

    const int right = Qt::Key_Right, left = Qt::Key_Left, down = Qt::Key_Down, up = Qt::Key_Up,
              period = Qt::Key_Period, comma = Qt::Key_Comma;
    QList<int> rights24;
    for (int i = 0; i < 24; ++i)
        rights24.append(right);

    QTest::addRow("right") << QList<int>{right} << 0 << 1;
    QTest::addRow("right past the sixth") << QList<int>(6, right) << 1 << 0;
    QTest::addRow("left on the first of page 0") << QList<int>{left} << 0 << 0;
    QTest::addRow("left back over a page") << QList<int>{right, right, right, right, right, right, left}
                                           << 0 << 5;
    QTest::addRow("right on the last of the last page") << (rights24 + QList<int>{right, right}) << 4
                                                         << 0;
    QTest::addRow("pages stop at the last") << QList<int>(10, period) << 4 << 0;
    QTest::addRow("down pages too") << QList<int>{down, down} << 2 << 0;
    QTest::addRow("next page keeps the selection") << QList<int>{right, right, period} << 1 << 2;
    QTest::addRow("last page clamps the selection") << QList<int>{right, right, right, down, down, down, down}
                                                    << 4 << 0;
    QTest::addRow("previous page keeps the selection") << QList<int>{period, right, right, comma} << 0
                                                        << 2;
    QTest::addRow("up at page 0") << QList<int>{up} << 0 << 0;
    QTest::addRow("other keys do nothing") << QList<int>{Qt::Key_A, Qt::Key_Home, Qt::Key_Tab} << 0
                                           << 0;
}

void TestInputMethod::navigation()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, page);
    QFETCH(int, selected);

    popup->appendCode("s");
    for (const int key : keys)
        press(*popup, Qt::Key(key));
    QCOMPARE(popup->currentPage(), page);
    QCOMPARE(popup->selectedIndex(), selected);
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->width(), popup->preferredWidth());
    const QString expected = popup->allCandidates().at(page * 6 + selected);
    QCOMPARE(popup->commitSelected(), expected);
    QVERIFY(popup->isHidden());
}

void TestInputMethod::escapeCloses()
{
    type(*popup, "hs");
    press(*popup, Qt::Key_Escape);
    QVERIFY(popup->isHidden());
    QVERIFY(popup->currentCode().isEmpty());
    QVERIFY(popup->currentSegments().isEmpty());
    QVERIFY(popup->allCandidates().isEmpty());
    // A fresh start afterwards, not a continuation.
    popup->appendCode("h");
    QCOMPARE(popup->currentCode(), "h");
    QCOMPARE(popup->allCandidates().value(0), sym(0xF0027));
}

void TestInputMethod::backspace_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<Segment>>("segments");
    QTest::addColumn<QString>("firstCandidate");

    QTest::addRow("one letter closes") << "s" << "" << QList<Segment>{} << QString();
    QTest::addRow("second code removed") << "hs" << "h" << QList<Segment>{{"h", true}}
                                         << sym(0xF0027);
    QTest::addRow("code shortened") << "suq" << "su" << QList<Segment>{{"su", true}}
                                    << sym(0xF0031);
    QTest::addRow("unknown letter removed") << "hk" << "h" << QList<Segment>{{"h", true}}
                                            << sym(0xF0027);
    QTest::addRow("cut-short code becomes valid again")
        << "yzk" << "yz" << QList<Segment>{{"yz", true}} << QString();
    QTest::addRow("joins again after retyping") << "tbhh" << "tb'h"
                                                << QList<Segment>{{"tb", true}, {"h", true}}
                                                << sym(0xF0000) + sym(0xF0027);
}

void TestInputMethod::backspace()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(QList<Segment>, segments);
    QFETCH(QString, firstCandidate);

    type(*popup, typed);
    press(*popup, Qt::Key_Backspace);
    QCOMPARE(popup->currentCode(), code);
    QCOMPARE(popup->currentSegments(), segments);
    QCOMPARE(popup->isVisible(), !segments.isEmpty());
    if (segments.isEmpty()) {
        QVERIFY(popup->allCandidates().isEmpty());
        return;
    }
    if (!firstCandidate.isEmpty())
        QCOMPARE(popup->allCandidates().value(0), firstCandidate);
    // The same offers as typing the shorter code afresh.
    InputMethod fresh(6, std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv"),
                                                     FileLocations(dir->path(), dir->path(),
                                                                   dir->path())));
    type(fresh, typed.chopped(1));
    QCOMPARE(popup->allCandidates(), fresh.allCandidates());
}

void TestInputMethod::alternativesMode()
{
    const QString mark = sym(0xF0001);
    popup->showAlternatives(mark);
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->currentCode(), mark);
    QCOMPARE(popup->currentSegments(), (QList<Segment>{{"*", true}}));
    QCOMPARE(popup->allCandidates(), popup->dictionary().alternatives(mark));
    QCOMPARE(popup->allCandidates().size(), 14);

    popup->appendCode("h");
    QCOMPARE(popup->currentCode(), mark);
    QCOMPARE(popup->allCandidates().size(), 14);

    press(*popup, Qt::Key_Period);
    press(*popup, Qt::Key_Right);
    QCOMPARE(popup->currentPage(), 1);
    QCOMPARE(popup->selectedIndex(), 1);
    QCOMPARE(popup->commitNumber(3), sym(0xF000C));
    QVERIFY(popup->isHidden());

    popup->showAlternatives(mark);
    press(*popup, Qt::Key_Backspace);
    QVERIFY(popup->isHidden());
    QVERIFY(popup->currentSegments().isEmpty());
    // Letters count again once the mode is over.
    popup->appendCode("h");
    QCOMPARE(popup->currentCode(), "h");
}

void TestInputMethod::alternativesOfNoMark()
{
    popup->showAlternatives(sym(0xF002A));
    QVERIFY(popup->allCandidates().isEmpty());
    QCOMPARE(popup->commitSelected(), QString());
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->commitNumber(1), QString());
    QVERIFY(popup->isVisible());
    press(*popup, Qt::Key_Right);
    press(*popup, Qt::Key_Period);
    press(*popup, Qt::Key_Left);
    QCOMPARE(popup->currentPage(), 0);
    QCOMPARE(popup->selectedIndex(), 0);
    press(*popup, Qt::Key_Escape);
    QVERIFY(popup->isHidden());
}

void TestInputMethod::placementNearScreenEdges_data()
{
    QTest::addColumn<int>("fromRight");
    QTest::addColumn<int>("fromBottom");

    QTest::addRow("middle of the screen") << 400 << 300;
    QTest::addRow("near the right edge") << 50 << 300;
    QTest::addRow("near the bottom edge") << 400 << 20;
    QTest::addRow("near the bottom right corner") << 5 << 5;
}

void TestInputMethod::placementNearScreenEdges()
{
    QFETCH(int, fromRight);
    QFETCH(int, fromBottom);

    const QRect screen = popup->screen()->geometry();
    const QPoint pointer(screen.right() + 1 - fromRight, screen.bottom() + 1 - fromBottom);
    QCursor::setPos(pointer);
    if (QCursor::pos() != pointer)
        QSKIP("this platform cannot move the mouse pointer");

    popup->appendCode("s");
    const QRect geometry = popup->geometry();
    QCOMPARE(geometry.size(), QSize(popup->preferredWidth(), popup->preferredHeight()));

    const bool fitsRight = pointer.x() + geometry.width() <= screen.right() + 1 - 10;
    const bool fitsBelow = pointer.y() + 10 + geometry.height() <= screen.bottom() + 1;
    QCOMPARE(geometry.left(), fitsRight ? pointer.x() : screen.right() + 1 - 10 - geometry.width());
    QCOMPARE(geometry.top(), fitsBelow ? pointer.y() + 10 : screen.bottom() + 1 - 10 - geometry.height());
    QVERIFY(screen.contains(geometry));
}

void TestInputMethod::placementFollowsEditorCursor()
{
    QPlainTextEdit editor;
    editor.setPlainText("line one\nline two");
    editor.setGeometry(100, 100, 300, 200);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTextCursor cursor = editor.textCursor();
    cursor.movePosition(QTextCursor::End);
    editor.setTextCursor(cursor);
    QCursor::setPos(5, 5);

    popup->setEditor(&editor);
    popup->appendCode("g");
    const QRect cursorRect = editor.cursorRect();
    const QPoint underCursor = editor.viewport()->mapToGlobal(cursorRect.bottomLeft());
    QCOMPARE(popup->pos(), underCursor + QPoint(0, 10));
    // Below the line being typed, not over it.
    QVERIFY(popup->geometry().top() > editor.viewport()->mapToGlobal(cursorRect.topLeft()).y());
}

void TestInputMethod::destroyedEditorIsForgotten()
{
    auto editor = std::make_unique<QPlainTextEdit>();
    popup->setEditor(editor.get());
    QCOMPARE(popup->currentEditor(), editor.get());
    editor.reset();
    QCOMPARE(popup->currentEditor(), nullptr);
    popup->appendCode("h");
    QVERIFY(popup->isVisible());
}

void TestInputMethod::keepsEditorFocus()
{
    QPlainTextEdit editor;
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QCOMPARE(QApplication::focusWidget(), &editor);

    popup->setEditor(&editor);
    type(*popup, "gs");
    QVERIFY(popup->isVisible());
    QVERIFY(popup->windowFlags().testFlag(Qt::ToolTip));
    QCOMPARE(popup->focusPolicy(), Qt::NoFocus);
    QTest::qWait(50);
    QCOMPARE(QApplication::focusWidget(), &editor);
    QCOMPARE(QApplication::activeWindow(), &editor);
    QVERIFY(!popup->isActiveWindow());
}

void TestInputMethod::fonts()
{
    const QString notation = FontManager::instance().notationFamily();
    QVERIFY(!notation.isEmpty());
    const QFont candidate = popup->candidateDisplayFont();
    QCOMPARE(QFontInfo(candidate).family(), notation);
    QCOMPARE(candidate.pointSize(), 16);
    QVERIFY(QFontMetrics(candidate).inFontUcs4(0xF002A));

    // "console" is a Windows family: it has to come out as a monospace face.
    const QFont code = popup->codeDisplayFont();
    QCOMPARE(code.family(), "console");
    QCOMPARE(code.pointSize(), 12);
    const QFontInfo resolved(code);
    QVERIFY2(resolved.fixedPitch(), qPrintable(resolved.family()));
    const QFontMetrics metrics(code);
    QCOMPARE(metrics.horizontalAdvance("i"), metrics.horizontalAdvance("m"));
}

void TestInputMethod::paintsCandidates()
{
    const int h1 = QFontMetrics(popup->codeDisplayFont(), popup.get()).height();
    const auto codeRow = [h1](const QImage &image) { return QRect(0, 0, image.width(), 3 + h1); };
    const auto candidateRow = [h1](const QImage &image) {
        return QRect(0, 3 + h1 + 6, image.width(), image.height() - (3 + h1 + 6));
    };

    popup->appendCode("s");
    const QImage image = popup->grab().toImage();
    QCOMPARE(image.size(), popup->size() * popup->devicePixelRatioF());
    // The code in the normal colour; the selected first candidate in the
    // highlight colour, the five others in the normal one.
    QVERIFY(pixelsNear(image, codeRow(image), normalColour) > 5);
    QCOMPARE(pixelsNear(image, codeRow(image), highlightColour), 0);
    const int highlighted = pixelsNear(image, candidateRow(image), highlightColour);
    const int normal = pixelsNear(image, candidateRow(image), normalColour);
    QVERIFY2(highlighted > 20, qPrintable(QString::number(highlighted)));
    QVERIFY2(normal > 3 * highlighted, qPrintable(QString::number(normal)));

    // An unknown code: the code in the highlight colour, and nothing in the
    // candidate row but the number 1.
    popup->reset();
    popup->appendCode("k");
    const QImage unknown = popup->grab().toImage();
    QVERIFY(pixelsNear(unknown, codeRow(unknown), highlightColour) > 5);
    QCOMPARE(pixelsNear(unknown, candidateRow(unknown), normalColour), 0);
    const int number = pixelsNear(unknown, candidateRow(unknown), highlightColour);
    QVERIFY2(number > 0 && number < highlighted / 2,
             qPrintable(QStringLiteral("%1 %2").arg(number).arg(highlighted)));
}

void TestInputMethod::instanceGoesBeforeApplication()
{
    QPointer<InputMethod> instance = InputMethod::instance();
    QVERIFY(instance);
    QCOMPARE(InputMethod::instance(), instance.data());
    QVERIFY(instance->isHidden());
    QCOMPARE(instance->candidatesPerPage(), 6);
    instance->appendCode("s");
    QVERIFY(instance->isVisible());

    // Leaving the event loop is the end of the program.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
    QVERIFY(instance.isNull());
}

QTEST_MAIN(TestInputMethod)
#include "tst_inputmethod.moc"
