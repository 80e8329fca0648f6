#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Answers the modal boxes and file dialogs that the code under test opens,
// from a timer, and records what they said. File dialogs get the queued file
// names in turn (an empty name cancels); message boxes are read and closed.
class ModalAnswerer : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QString informativeText;
    };

    explicit ModalAnswerer(QStringList fileNames = {})
        : fileNames(std::move(fileNames))
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        connect(&timer, &QTimer::timeout, this, &ModalAnswerer::answer);
        timer.start(10);
    }

    QList<Box> boxes;
    // The button a question is answered with.
    QMessageBox::StandardButton questionAnswer = QMessageBox::Yes;
    QStringList dialogCaptions;
    QStringList dialogFilters;
    // The folder each file dialog opened in, and the name it suggested.
    QStringList dialogFolders;
    QStringList dialogNames;

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (dialog != answered) {
                answered = dialog;
                dialogCaptions.append(dialog->windowTitle());
                dialogFilters.append(dialog->nameFilters().join(QLatin1String(";;")));
                dialogFolders.append(dialog->directory().absolutePath());
                auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                dialogNames.append(nameEdit ? nameEdit->text() : QString());
                pendingName = fileNames.isEmpty() ? QString() : fileNames.takeFirst();
            }
            // The dialog may still be reading its folder and ignore the first
            // answer; it is given again until the dialog closes.
            if (pendingName.isEmpty()) {
                dialog->reject();
            } else {
                // selectFile() loses the name while the dialog is still
                // reading its folder; the typed name is what accept() reads.
                if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    edit->setText(pendingName);
                else
                    dialog->selectFile(pendingName);
                // accept() is protected in QFileDialog; its override runs
                // through the slot of QDialog, queued so that it runs in the
                // dialog's own event loop rather than inside this timer.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (box == answered)
                return;
            answered = box;
            boxes.append({box->windowTitle(), box->text(), box->icon(), box->informativeText()});
            // A question is answered with questionAnswer (an overwrite
            // question yes, unless told otherwise); any other box closed.
            if (QAbstractButton *answer = box->button(questionAnswer))
                answer->click();
            else
                box->accept();
        }
    }

    QStringList fileNames;
    QTimer timer;
    QPointer<QWidget> answered;
    QString pendingName;
};

#endif // MODALANSWERER_H
