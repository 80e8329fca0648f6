#ifndef BOXRECORDER_H
#define BOXRECORDER_H

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

// Answers the message boxes that the code under test opens, from a timer,
// and records each one with the window it was opened over. A box whose title
// has an answer queued gets that answer; any other box is accepted.
class BoxRecorder : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QPointer<QWidget> parent;
    };

    explicit BoxRecorder(QHash<QString, QList<QMessageBox::StandardButton>> answers = {})
        : answers(std::move(answers))
    {
        connect(&timer, &QTimer::timeout, this, &BoxRecorder::answer);
        timer.start(10);
    }

    QList<Box> boxes;

    QStringList texts() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result.append(box.text);
        return result;
    }

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == answered)
            return;
        answered = box;
        boxes.append({box->windowTitle(), box->text(), box->parentWidget()});
        QList<QMessageBox::StandardButton> &queued = answers[box->windowTitle()];
        if (!queued.isEmpty() && box->button(queued.first()))
            box->button(queued.takeFirst())->click();
        else
            box->accept();
    }

    QHash<QString, QList<QMessageBox::StandardButton>> answers;
    QTimer timer;
    QPointer<QMessageBox> answered;
};

#endif // BOXRECORDER_H
