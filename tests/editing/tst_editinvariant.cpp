#include "inputmethod.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "referencelyricindex.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTest>
#include <QUndoStack>

namespace {

// One key press as a user makes it; characters without a key of their own
// (an ideograph from the system's input method) come with Key_unknown.
void press(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString &text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &up);
}

void typeChar(QWidget *widget, QChar c, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    int key = Qt::Key_unknown;
    if (c.unicode() < 0x80)
        key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
    press(widget, key, modifiers, QString(c));
}

} // namespace

// Drives a document through random key presses, as a user would, and checks
// after every step that the score keeps one line per sung character (plus the
// empty line an empty document starts with), that the kept lyric counts
// answer as a full walk would, and that undoing and redoing everything gives
// back the texts of the start and of the end.
class TestEditInvariant : public QObject
{
    Q_OBJECT

private slots:
    void randomEpisodes_data();
    void randomEpisodes();

private:
    void step(QL_Edit &doc, QRandomGenerator &random, QString *what);
    static int pairingOffset(QL_Edit &doc)
    {
        return doc.scoreEdit()->blockCount() - doc.lyricEdit()->lyricText().size();
    }
    static QString lookupMismatch(QL_Edit &doc, QRandomGenerator &random);
};

void TestEditInvariant::randomEpisodes_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestEditInvariant::step(QL_Edit &doc, QRandomGenerator &random, QString *what)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣");
    static const QString punctuation = QStringLiteral("，。、！？；：");
    QL_LyricEdit *lyric = doc.lyricEdit();
    QL_ScoreEdit *score = doc.scoreEdit();
    InputMethod *popup = score->inputMethod();
    const int choice = random.bounded(100);

    if (choice < 55) {
        // In the lyric editor.
        const int action = random.bounded(19);
        switch (action) {
        case 0:
        case 1:
        case 2:
        case 3:
            *what = QStringLiteral("lyric: ideograph");
            typeChar(lyric, ideographs.at(random.bounded(ideographs.size())));
            break;
        case 4:
            *what = QStringLiteral("lyric: space");
            press(lyric, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            break;
        case 5:
            *what = QStringLiteral("lyric: latin letter");
            typeChar(lyric, QChar(u'a' + random.bounded(26)));
            break;
        case 6:
            *what = QStringLiteral("lyric: punctuation");
            typeChar(lyric, punctuation.at(random.bounded(punctuation.size())));
            break;
        case 7: {
            *what = QStringLiteral("lyric: marker at line start");
            QTextCursor cursor = lyric->textCursor();
            cursor.movePosition(QTextCursor::StartOfBlock);
            lyric->setTextCursor(cursor);
            typeChar(lyric, random.bounded(2) ? QChar(u'#') : QChar(u'【'));
            break;
        }
        case 8:
            *what = QStringLiteral("lyric: return");
            press(lyric, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            break;
        case 9:
        case 10: {
            const bool ctrl = random.bounded(3) == 0;
            const bool back = action == 9;
            *what = QStringLiteral("lyric: %1%2").arg(ctrl ? "ctrl+" : "", back ? "backspace" : "delete");
            press(lyric, back ? Qt::Key_Backspace : Qt::Key_Delete, ctrl ? Qt::ControlModifier : Qt::NoModifier);
            break;
        }
        case 11:
        case 12: {
            static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home,
                                       Qt::Key_End};
            const bool select = random.bounded(3) == 0;
            *what = QStringLiteral("lyric: %1move").arg(select ? "selecting " : "");
            press(lyric, keys[random.bounded(6)], select ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        }
        case 13:
            *what = QStringLiteral("lyric: tab");
            press(lyric, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            break;
        case 14: {
            *what = QStringLiteral("lyric: input-method commit");
            QInputMethodEvent commit;
            QString text;
            for (int i = random.bounded(1, 4); i > 0; --i)
                text += ideographs.at(random.bounded(ideographs.size()));
            if (random.bounded(3) == 0)
                text += QStringLiteral("\n") + ideographs.at(0);
            commit.setCommitString(text);
            QApplication::sendEvent(lyric, &commit);
            break;
        }
        case 15:
        case 16:
            *what = QStringLiteral("lyric: undo");
            press(lyric, Qt::Key_Z, Qt::ControlModifier);
            break;
        case 17:
            *what = QStringLiteral("lyric: redo");
            press(lyric, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            break;
        default: {
            *what = QStringLiteral("lyric: click somewhere");
            QTextCursor cursor = lyric->textCursor();
            cursor.setPosition(random.bounded(lyric->document()->characterCount()));
            lyric->setTextCursor(cursor);
            break;
        }
        }
        return;
    }

    // In the score editor.
    const int action = random.bounded(14);
    switch (action) {
    case 0:
    case 1:
    case 2: {
        static const QString codes = QStringLiteral("hsycgflwuqxdtbz");
        *what = QStringLiteral("score: code letter");
        typeChar(score, codes.at(random.bounded(codes.size())));
        break;
    }
    case 3:
        *what = QStringLiteral("score: space");
        press(score, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        break;
    case 4: {
        const int digit = random.bounded(10);
        *what = QStringLiteral("score: digit %1").arg(digit);
        press(score, Qt::Key_0 + digit, Qt::NoModifier, QString::number(digit));
        break;
    }
    case 5:
        *what = QStringLiteral("score: return");
        press(score, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        break;
    case 6:
    case 7: {
        const bool ctrl = random.bounded(3) == 0;
        const bool back = action == 6;
        *what = QStringLiteral("score: %1%2").arg(ctrl ? "ctrl+" : "", back ? "backspace" : "delete");
        press(score, back ? Qt::Key_Backspace : Qt::Key_Delete, ctrl ? Qt::ControlModifier : Qt::NoModifier);
        break;
    }
    case 8:
    case 9: {
        static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const bool select = !popup->isVisible() && random.bounded(3) == 0;
        *what = QStringLiteral("score: %1arrow").arg(select ? "selecting " : "");
        press(score, keys[random.bounded(4)], select ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    }
    case 10:
        *what = QStringLiteral("score: escape");
        press(score, Qt::Key_Escape);
        break;
    case 11:
        *what = QStringLiteral("score: punctuation");
        typeChar(score, QChar(u','));
        break;
    case 12:
        *what = QStringLiteral("score: undo");
        popup->reset();
        press(score, Qt::Key_Z, Qt::ControlModifier);
        break;
    default: {
        *what = QStringLiteral("score: click somewhere");
        popup->reset();
        QTextCursor cursor = score->textCursor();
        cursor.setPosition(random.bounded(score->document()->characterCount()));
        score->setTextCursor(cursor);
        break;
    }
    }
}

QString TestEditInvariant::lookupMismatch(QL_Edit &doc, QRandomGenerator &random)
{
    const QL_LyricEdit *lyric = doc.lyricEdit();
    const ReferenceLyricIndex reference{lyric->document()};
    const int count = reference.lyricText().size();
    if (lyric->lyricCharCount() != count)
        return QStringLiteral("lyric character count");
    for (int probe = 0; probe < 4; ++probe) {
        const int position = random.bounded(lyric->document()->characterCount());
        if (lyric->lyricIndexAt(position) != reference.lyricIndexAt(position))
            return QStringLiteral("lyricIndexAt(%1)").arg(position);
        const int n = random.bounded(count + 2);
        if (lyric->positionAfterLyricChar(n) != reference.positionAfterLyricChar(n))
            return QStringLiteral("positionAfterLyricChar(%1)").arg(n);
        if (lyric->lyricCharAt(n) != reference.lyricCharAt(n))
            return QStringLiteral("lyricCharAt(%1)").arg(n);
    }
    return QString();
}

void TestEditInvariant::randomEpisodes()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QL_Edit doc;
    doc.resize(640, 400);
    doc.show();
    InputMethod::instance()->setEditor(doc.scoreEdit());
    InputMethod::instance()->reset();

    const int offset = pairingOffset(doc);
    QCOMPARE(offset, 1);
    QString what;
    for (int i = 0; i < 70; ++i) {
        step(doc, random, &what);
        const QString where = QStringLiteral("seed %1, step %2 (%3)").arg(seed).arg(i).arg(what);
        QVERIFY2(doc.undoStack()->count() < 200, qPrintable(where));
        QVERIFY2(pairingOffset(doc) == offset,
                 qPrintable(where + QStringLiteral(": %1 score lines for %2 sung characters")
                                        .arg(doc.scoreEdit()->blockCount())
                                        .arg(doc.lyricEdit()->lyricText().size())));
        const QString mismatch = lookupMismatch(doc, random);
        QVERIFY2(mismatch.isEmpty(), qPrintable(where + QStringLiteral(": ") + mismatch));
    }
    InputMethod::instance()->reset();

    // Redo what was undone at the end, so the whole history counts.
    while (doc.undoStack()->canRedo())
        doc.undoStack()->redo();
    const QString endLyric = doc.lyricEdit()->toPlainText();
    const QString endScore = doc.scoreEdit()->toPlainText();
    while (doc.undoStack()->canUndo()) {
        doc.undoStack()->undo();
        QVERIFY2(pairingOffset(doc) == offset, qPrintable(QStringLiteral("seed %1, undoing").arg(seed)));
    }
    QCOMPARE(doc.lyricEdit()->toPlainText(), QString());
    QCOMPARE(doc.scoreEdit()->toPlainText(), QString());
    while (doc.undoStack()->canRedo())
        doc.undoStack()->redo();
    QCOMPARE(doc.lyricEdit()->toPlainText(), endLyric);
    QCOMPARE(doc.scoreEdit()->toPlainText(), endScore);
}

QTEST_MAIN(TestEditInvariant)
#include "tst_editinvariant.moc"
