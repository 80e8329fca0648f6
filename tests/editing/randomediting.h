#ifndef RANDOMEDITING_H
#define RANDOMEDITING_H

#include "documenttext.h"
#include "gcpfile.h"
#include "inputmethod.h"
#include "lyricreplace.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "referencelyricindex.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMimeData>
#include <QRandomGenerator>
#include <QStringList>
#include <QTextBlock>
#include <QUndoStack>

#include <memory>
#include <utility>

// One episode of random editing, as a user could do it with keys, the system
// input method, the insert actions, the clipboard and a save and reopen in
// the middle. After every step it checks the pairing against a plain rescan:
// the score has one line per sung character (one line when there are none),
// unless the user split or joined score lines on purpose, and no other step
// changes that difference; the kept lyric counts answer as a full walk
// would; every line end typed or pasted is a line end of the document; a
// marker inserted by an action starts its own line. At the end, and
// before the save, undoing everything gives back the texts of the start and
// redoing everything those of the end.
//
// Shared by the test (a few short episodes) and the benchmark (many).
class RandomEditingEpisode
{
public:
    // The document file goes into folder; the seed decides every step.
    RandomEditingEpisode(quint32 seed, int steps, const QString &folder)
        : seed(seed)
        , steps(steps)
        , random(seed)
        , path(folder + QStringLiteral("/episode-%1.gcp").arg(seed))
    {
    }

    // Runs the episode; empty on success, else what went wrong, where, and
    // the steps that led there.
    QString run()
    {
        if (!GcpFile::save(path, {QString(), QString()}))
            return QStringLiteral("cannot write %1").arg(path);
        QString failure = reopen();
        const int saveAt = steps / 3 + int(random.bounded(steps / 3 + 1));
        for (int i = 0; i < steps && failure.isEmpty(); ++i) {
            if (i == saveAt || random.bounded(100) == 0)
                failure = saveAndReopen();
            if (failure.isEmpty())
                failure = step(i);
        }
        InputMethod::instance()->reset();
        if (failure.isEmpty())
            failure = undoAndRedoAll();
        if (!failure.isEmpty())
            failure = QStringLiteral("seed %1: %2\n  last steps: %3").arg(seed)
                          .arg(failure, history.join(QStringLiteral(" | ")));
        doc.reset();
        return failure;
    }

private:
    // What a user can put into a text, one item at a time: sung characters,
    // characters that look sung but are not (extension and compatibility
    // ideographs, the full-width space), characters outside the BMP,
    // notation symbols, private use, format characters, every form of line
    // end, markers and punctuation.
    static QString item(QRandomGenerator &random)
    {
        static const QStringList fixed = {
            QStringLiteral("原"), QStringLiteral("来"), QStringLiteral("姹"), QStringLiteral("紫"),
            QStringLiteral("嫣"), QStringLiteral("红"), QStringLiteral(" "), QStringLiteral(u"\u3000"),
            QStringLiteral(u"\u00A0"), QStringLiteral(u"\u3400"), QStringLiteral(u"\u9FA6"),
            QStringLiteral(u"\uF900"), QStringLiteral(u"\U00020000"), QStringLiteral(u"\U0002A6A5"),
            QStringLiteral(u"\U0002F800"), QStringLiteral(u"\U0001F600"), QStringLiteral(u"\u200D"),
            QStringLiteral(u"\u00AD"), QStringLiteral(u"\u200B"), QStringLiteral(u"\u200E"),
            QStringLiteral(u"\uFEFF"), QStringLiteral(u"\u0301"), QStringLiteral("\n"), QStringLiteral("\r\n"),
            QStringLiteral("\r"), QStringLiteral(u"\u2028"), QStringLiteral(u"\u2029"), QStringLiteral(u"\u0085"),
            QStringLiteral("\t"), QStringLiteral("#"), QStringLiteral(";"), QStringLiteral(">"),
            QStringLiteral("="), QStringLiteral("【"), QStringLiteral("】"), QStringLiteral("@"),
            QStringLiteral("(调)"), QStringLiteral("，"), QStringLiteral("。"), QStringLiteral("a"),
            QStringLiteral("Z"), QStringLiteral("7"), QStringLiteral("@换行符"), QStringLiteral("【醉扶归】"),
            QString(QChar(0xD800)), QString(QChar(0xDC00)),
        };
        switch (random.bounded(4)) {
        case 0: {
            const char32_t symbol = 0xF0000 + random.bounded(0x9C);
            return QString::fromUcs4(&symbol, 1);
        }
        case 1:
            return QChar(char16_t(0xE000 + random.bounded(0x1900)));
        default:
            return fixed.at(random.bounded(int(fixed.size())));
        }
    }

    // A text for the report, with every character that does not show as
    // itself written as its code point.
    static QString visible(const QString &text)
    {
        QString shown;
        for (const char32_t c : text.toUcs4()) {
            if (QChar::isPrint(c) && QChar::category(c) != QChar::Separator_Line
                && QChar::category(c) != QChar::Separator_Paragraph && c != 0xA0 && c != 0x3000)
                shown += QString::fromUcs4(&c, 1);
            else
                shown += QStringLiteral("<U+%1>").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        }
        return QLatin1Char('"') + shown + QLatin1Char('"');
    }

    QString text(int maxItems)
    {
        QString result;
        for (int i = int(random.bounded(1, maxItems + 1)); i > 0; --i)
            result += item(random);
        return result;
    }

    void press(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               const QString &keyText = QString())
    {
        QKeyEvent down(QEvent::KeyPress, key, modifiers, keyText);
        QApplication::sendEvent(widget, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, keyText);
        QApplication::sendEvent(widget, &up);
    }

    // Types one item as a key press: a character without a key of its own
    // comes with Key_unknown, as from a character map or a system input
    // method that sends keys.
    // Now and then with modifiers held: AltGr (Ctrl+Alt), Ctrl+Shift as some
    // platforms use for format characters, or a stray Ctrl+Meta.
    Qt::KeyboardModifiers typeItem(QWidget *widget, const QString &typed)
    {
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        if (typed.size() == 1 && typed.front().unicode() < 0x80 && typed.front().isPrint()) {
            const QChar c = typed.front();
            key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
            if (c.isUpper())
                modifiers = Qt::ShiftModifier;
        }
        static const Qt::KeyboardModifiers held[] = {
            Qt::ControlModifier | Qt::AltModifier, Qt::ControlModifier | Qt::ShiftModifier,
            Qt::ControlModifier | Qt::MetaModifier, Qt::AltModifier, Qt::MetaModifier};
        if (random.bounded(6) == 0)
            modifiers |= held[random.bounded(5)];
        press(widget, key, modifiers, typed);
        return modifiers;
    }

    void commit(QWidget *widget, const QString &committed)
    {
        QInputMethodEvent event;
        event.setCommitString(committed);
        QApplication::sendEvent(widget, &event);
    }

    bool focus(QWidget *editor)
    {
        editor->setFocus(Qt::OtherFocusReason);
        return editor->hasFocus();
    }

    void setClipboardText()
    {
        QApplication::clipboard()->setText(text(8));
    }

    // Sung characters with their notation, as a copy from the lyric editor
    // puts them on the clipboard.
    void setClipboardLyricFormat()
    {
        QJsonArray lyric;
        QJsonArray score;
        QString plain;
        for (int i = int(random.bounded(1, 6)); i > 0; --i) {
            QString c = item(random);
            if (c.contains(QLatin1Char('\r')) || c.contains(QChar(QChar::ParagraphSeparator)))
                c = QStringLiteral("\n");
            lyric.append(c);
            plain += c == QLatin1String("\n") ? QString(QChar(QChar::ParagraphSeparator)) : c;
            if (random.bounded(4))
                score.append(random.bounded(3) ? item(random) + item(random) : QString());
        }
        auto *mime = new QMimeData;
        mime->setData(QStringLiteral("application/x-lyric-score-format"),
                      QJsonDocument(QJsonObject{{QStringLiteral("lyric"), lyric}, {QStringLiteral("score"), score}})
                          .toJson(QJsonDocument::Indented));
        mime->setText(plain);
        QApplication::clipboard()->setMimeData(mime);
    }

    // A position a click can give: never between the halves of a pair.
    int clickablePosition(const QTextDocument *document)
    {
        const int position = int(random.bounded(document->characterCount()));
        if (position > 0 && document->characterAt(position).isLowSurrogate()
            && document->characterAt(position - 1).isHighSurrogate())
            return position - 1;
        return position;
    }

    void clickSomewhere(QPlainTextEdit *editor)
    {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(clickablePosition(editor->document()));
        if (random.bounded(3) == 0)
            cursor.setPosition(clickablePosition(editor->document()), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }

    static int sungChars(const QL_Edit &edit)
    {
        return int(ReferenceLyricIndex{edit.lyricEdit()->document()}.lyricText().size());
    }

    // Score lines beyond (or short of) what the sung characters own.
    static int surplus(const QL_Edit &edit)
    {
        return edit.scoreEdit()->blockCount() - qMax(sungChars(edit), 1);
    }

    enum class Kind { Other, ScoreSplitOrJoin, UndoRedo, Marker };

    // One random step; says what it did.
    Kind act(QString *what)
    {
        QL_LyricEdit *lyric = doc->lyricEdit();
        QL_ScoreEdit *score = doc->scoreEdit();
        InputMethod *popup = score->inputMethod();
        const bool inLyric = random.bounded(100) < 52;
        QPlainTextEdit *editor = inLyric ? static_cast<QPlainTextEdit *>(lyric) : score;
        if (!focus(editor)) {
            *what = QStringLiteral("focus");
            return Kind::Other;
        }
        const Qt::KeyboardModifiers anyModifiers[] = {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier,
                                                      Qt::ControlModifier | Qt::ShiftModifier};

        const int action = int(random.bounded(100));
        if (action < 6) {
            const bool redo = random.bounded(3) == 0;
            *what = redo ? QStringLiteral("redo") : QStringLiteral("undo");
            popup->reset();
            replaying = true;
            press(editor, Qt::Key_Z, redo ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
            return Kind::UndoRedo;
        }
        if (action < 10) {
            const bool format = inLyric && random.bounded(2);
            if (format)
                setClipboardLyricFormat();
            else
                setClipboardText();
            *what = format ? QStringLiteral("paste sung characters with notation") : QStringLiteral("paste text");
            *what += QLatin1Char(' ') + visible(QApplication::clipboard()->text());
            popup->reset();
            if (random.bounded(2))
                press(editor, Qt::Key_V, Qt::ControlModifier);
            else
                press(editor, Qt::Key_Insert, Qt::ShiftModifier);
            return Kind::Other;
        }
        if (action < 13) {
            const bool cut = random.bounded(2);
            *what = cut ? QStringLiteral("cut") : QStringLiteral("copy");
            popup->reset();
            press(editor, cut ? Qt::Key_X : Qt::Key_C, Qt::ControlModifier);
            return Kind::Other;
        }
        if (action < 18) {
            *what = QStringLiteral("click");
            popup->reset();
            clickSomewhere(editor);
            return Kind::Other;
        }
        if (action < 26) {
            static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,       Qt::Key_Down,
                                       Qt::Key_Home, Qt::Key_End,   Qt::Key_PageDown, Qt::Key_PageUp};
            const bool select = !popup->isVisible() && random.bounded(2);
            *what = select ? QStringLiteral("select") : QStringLiteral("move");
            press(editor, keys[random.bounded(8)], select ? Qt::ShiftModifier : Qt::NoModifier);
            return Kind::Other;
        }
        if (action < 32) {
            const bool back = random.bounded(2);
            const Qt::KeyboardModifiers modifiers = anyModifiers[random.bounded(4)];
            const bool popupShown = popup->isVisible();
            *what = QStringLiteral("%1 with modifiers %2").arg(back ? "backspace" : "delete").arg(int(modifiers));
            press(editor, back ? Qt::Key_Backspace : Qt::Key_Delete, modifiers);
            return !inLyric && modifiers == Qt::ShiftModifier && !popupShown ? Kind::ScoreSplitOrJoin : Kind::Other;
        }
        if (action < 36) {
            const bool shift = random.bounded(3) == 0;
            const bool popupShown = popup->isVisible();
            *what = shift ? QStringLiteral("shift+return") : QStringLiteral("return");
            press(editor, Qt::Key_Return, shift ? Qt::ShiftModifier : Qt::NoModifier, QStringLiteral("\r"));
            return !inLyric && shift && !popupShown ? Kind::ScoreSplitOrJoin : Kind::Other;
        }
        if (action < 42) {
            const QString committed = text(6);
            *what = QStringLiteral("input-method commit ") + visible(committed);
            if (!inLyric)
                popup->reset();
            commit(editor, committed);
            return Kind::Other;
        }

        if (inLyric) {
            if (action < 50) {
                static void (QL_Edit::*const actions[])() = {
                    &QL_Edit::insertTitle,   &QL_Edit::insertQuPai,     &QL_Edit::insertLianBai,
                    &QL_Edit::insertJiaBai,  &QL_Edit::insertComment,   &QL_Edit::insertLineBreak,
                    &QL_Edit::insertPageBreak,
                };
                static const QStringList markers = {QStringLiteral("# 标题"), QStringLiteral("【曲牌名】(调名)"),
                                                    QStringLiteral("= "),     QStringLiteral("> "),
                                                    QStringLiteral("; "),     QStringLiteral("@换行符"),
                                                    QStringLiteral("@分页符")};
                const int which = int(random.bounded(7));
                *what = QStringLiteral("insert %1").arg(markers.at(which));
                // Often over a selection, which may start or end on an
                // empty line or span marker lines.
                if (random.bounded(2)) {
                    clickSomewhere(lyric);
                    QTextCursor cursor = lyric->textCursor();
                    cursor.setPosition(clickablePosition(lyric->document()), QTextCursor::KeepAnchor);
                    lyric->setTextCursor(cursor);
                    *what += QStringLiteral(" over %1..%2").arg(cursor.anchor()).arg(cursor.position());
                }
                lastMarker = markers.at(which);
                (doc.get()->*actions[which])();
                return Kind::Marker;
            }
            if (action < 53) {
                *what = QStringLiteral("tab");
                press(lyric, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
                return Kind::Other;
            }
            if (action < 57)
                return replace(what);
            const QString typed = item(random);
            *what = QStringLiteral("type ") + visible(typed);
            *what += QStringLiteral(" with modifiers %1").arg(int(typeItem(lyric, typed)));
            return Kind::Other;
        }

        if (action < 66) {
            static const QString codes = QStringLiteral("hsycgflwuqxdtbzk");
            const QChar letter = codes.at(random.bounded(int(codes.size())));
            *what = QStringLiteral("code letter %1").arg(letter);
            press(score, letter.toUpper().unicode(), Qt::NoModifier, QString(letter));
            return Kind::Other;
        }
        if (action < 72) {
            *what = QStringLiteral("space");
            press(score, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            return Kind::Other;
        }
        if (action < 78) {
            const int digit = int(random.bounded(10));
            *what = QStringLiteral("digit %1").arg(digit);
            press(score, Qt::Key_0 + digit, Qt::NoModifier, QString::number(digit));
            return Kind::Other;
        }
        if (action < 81) {
            *what = QStringLiteral("escape");
            press(score, Qt::Key_Escape);
            return Kind::Other;
        }
        const QString typed = item(random);
        *what = QStringLiteral("type ") + visible(typed);
        *what += QStringLiteral(" with modifiers %1").arg(int(typeItem(score, typed)));
        return Kind::Other;
    }

    // Replaces a piece of the lyrics, or some text that may not be there, by
    // random text (or nothing): the current match after a find step, or
    // every match at once, which must be one undo step.
    Kind replace(QString *what)
    {
        const QString lyricText = doc->lyricEdit()->toPlainText();
        const QString search = lyricText.isEmpty() || random.bounded(4) == 0
                                   ? item(random)
                                   : lyricText.mid(int(random.bounded(lyricText.size())), int(random.bounded(1, 4)));
        const QString replacement = random.bounded(4) ? text(3) : QString();
        const bool all = random.bounded(2);
        *what = QStringLiteral("replace%1 %2 by %3").arg(all ? " all" : "", visible(search), visible(replacement));
        doc->scoreEdit()->inputMethod()->reset();
        const int stepsBefore = doc->undoStack()->index();
        if (all) {
            LyricReplace::replaceAll(doc.get(), search, replacement);
        } else {
            doc->lyricEdit()->findNext(search);
            LyricReplace::replaceCurrent(doc.get(), search, replacement);
        }
        if (doc->undoStack()->index() > stepsBefore + 1)
            actFailure = QStringLiteral("a replacement took %1 undo steps").arg(doc->undoStack()->index() - stepsBefore);
        return Kind::Other;
    }

    QString step(int index)
    {
        const int before = surplus(*doc);
        const QString lyricBefore = documentText(doc->lyricEdit()->document());
        QString what;
        replaying = false;
        const Kind kind = act(&what);
        replaying = false;
        history.append(what);
        if (history.size() > 8)
            history.removeFirst();
        const QString where = QStringLiteral("step %1 (%2)").arg(index).arg(what);

        if (what == QLatin1String("focus"))
            return where + QStringLiteral(": the editor did not take the focus");
        if (!actFailure.isEmpty())
            return where + QStringLiteral(": ") + std::exchange(actFailure, QString());
        if (doc->undoStack()->count() >= doc->undoStack()->undoLimit())
            return where + QStringLiteral(": the undo limit was reached; use fewer steps");

        // Every line end a user puts in is a line end of the document: a
        // line separator kept inside a line would turn into a line end in
        // any text taken from the document as plain text.
        for (const QPlainTextEdit *editor : {static_cast<const QPlainTextEdit *>(doc->lyricEdit()),
                                             static_cast<const QPlainTextEdit *>(doc->scoreEdit())}) {
            if (documentText(editor->document()).contains(QChar(QChar::LineSeparator)))
                return where + QStringLiteral(": a line separator stayed inside a line");
        }

        const QString lookup = lookupMismatch();
        if (!lookup.isEmpty())
            return where + QStringLiteral(": kept counts differ from a rescan at ") + lookup;

        const int after = surplus(*doc);
        const QString counts = QStringLiteral(": %1 score lines for %2 sung characters")
                                   .arg(doc->scoreEdit()->blockCount())
                                   .arg(sungChars(*doc));
        switch (kind) {
        case Kind::UndoRedo:
            if (after != surplusAt.value(doc->undoStack()->index(), after))
                return where + counts + QStringLiteral(", %1 lines off where there were %2 at this point before")
                                            .arg(after)
                                            .arg(surplusAt.value(doc->undoStack()->index()));
            break;
        case Kind::ScoreSplitOrJoin:
            if (documentText(doc->lyricEdit()->document()) != lyricBefore)
                return where + QStringLiteral(": a score edit changed the lyrics");
            break;
        case Kind::Marker: {
            const QTextBlock line = doc->lyricEdit()->textCursor().block();
            if (!line.text().startsWith(lastMarker))
                return where + QStringLiteral(": the marker does not start its line: ") + line.text();
            Q_FALLTHROUGH();
        }
        case Kind::Other:
            // A missing line comes back when the character it lacked goes;
            // apart from that no edit of this kind changes the difference.
            if (before >= 0 ? after != before : (after < before || after > 0))
                return where + counts + QStringLiteral(" (%1 lines off, before %2)").arg(after).arg(before);
            break;
        }
        return QString();
    }

    QString lookupMismatch()
    {
        const QL_LyricEdit *lyric = doc->lyricEdit();
        const ReferenceLyricIndex reference{lyric->document()};
        const int count = int(reference.lyricText().size());
        if (lyric->lyricCharCount() != count)
            return QStringLiteral("lyricCharCount");
        for (int probe = 0; probe < 3; ++probe) {
            const int position = int(random.bounded(lyric->document()->characterCount()));
            if (lyric->lyricIndexAt(position) != reference.lyricIndexAt(position))
                return QStringLiteral("lyricIndexAt(%1)").arg(position);
            const int n = int(random.bounded(count + 2));
            if (lyric->positionAfterLyricChar(n) != reference.positionAfterLyricChar(n))
                return QStringLiteral("positionAfterLyricChar(%1)").arg(n);
            if (lyric->lyricCharAt(n) != reference.lyricCharAt(n))
                return QStringLiteral("lyricCharAt(%1)").arg(n);
        }
        return QString();
    }

    // Undoes everything back to the last load, then redoes it all.
    QString undoAndRedoAll()
    {
        QUndoStack *stack = doc->undoStack();
        replaying = true;
        while (stack->canRedo())
            stack->redo();
        const QString endLyric = documentText(doc->lyricEdit()->document());
        const QString endScore = documentText(doc->scoreEdit()->document());
        while (stack->canUndo()) {
            stack->undo();
            if (surplus(*doc) != surplusAt.value(stack->index(), surplus(*doc))) {
                replaying = false;
                return QStringLiteral("undoing to %1: %2 lines off, %3 before")
                    .arg(stack->index())
                    .arg(surplus(*doc))
                    .arg(surplusAt.value(stack->index()));
            }
        }
        QString failure;
        if (documentText(doc->lyricEdit()->document()) != startLyric
            || documentText(doc->scoreEdit()->document()) != startScore)
            failure = QStringLiteral("undoing everything does not give back the texts of the start");
        while (stack->canRedo())
            stack->redo();
        if (failure.isEmpty()
            && (documentText(doc->lyricEdit()->document()) != endLyric
                || documentText(doc->scoreEdit()->document()) != endScore))
            failure = QStringLiteral("redoing everything does not give back the texts of the end");
        replaying = false;
        return failure;
    }

    // Opens the file into a new document, as the main window does.
    QString reopen()
    {
        auto fresh = std::make_unique<QL_Edit>();
        fresh->resize(640, 400);
        if (!fresh->open(path))
            return QStringLiteral("cannot open %1").arg(path);
        fresh->show();
        QApplication::setActiveWindow(fresh.get());
        InputMethod::instance()->setEditor(fresh->scoreEdit());
        InputMethod::instance()->reset();
        doc = std::move(fresh);
        startLyric = documentText(doc->lyricEdit()->document());
        startScore = documentText(doc->scoreEdit()->document());
        surplusAt.clear();
        surplusAt.insert(0, surplus(*doc));
        QObject::connect(doc->undoStack(), &QUndoStack::indexChanged, doc.get(), [this](int index) {
            if (!replaying)
                surplusAt.insert(index, surplus(*doc));
        });
        return QString();
    }

    QString saveAndReopen()
    {
        history.append(QStringLiteral("save and reopen"));
        InputMethod::instance()->reset();
        const QString failure = undoAndRedoAll();
        if (!failure.isEmpty())
            return QStringLiteral("before saving: ") + failure;
        const QString lyric = documentText(doc->lyricEdit()->document());
        const QString score = documentText(doc->scoreEdit()->document());
        const int offBefore = surplus(*doc);
        if (!doc->save(false))
            return QStringLiteral("saving failed");
        const QString opened = reopen();
        if (!opened.isEmpty())
            return opened;
        if (documentText(doc->lyricEdit()->document()) != lyric)
            return QStringLiteral("the lyrics read back differ from those saved");
        if (documentText(doc->scoreEdit()->document()) != score)
            return QStringLiteral("the score read back differs from the one saved");
        if (surplus(*doc) != offBefore)
            return QStringLiteral("the pairing read back differs: %1 lines off, %2 before saving")
                .arg(surplus(*doc))
                .arg(offBefore);
        return QString();
    }

    const quint32 seed;
    const int steps;
    QRandomGenerator random;
    const QString path;
    std::unique_ptr<QL_Edit> doc;
    // The score lines off at each index of the undo stack, as the edits
    // left them; undo and redo must find them again.
    QHash<int, int> surplusAt;
    bool replaying = false;
    QString startLyric;
    QString startScore;
    QString lastMarker;
    QString actFailure;
    QStringList history;
};

#endif // RANDOMEDITING_H
