// Times a keystroke in the middle of the lyrics of scores of 2, 20 and 100
// pages with the live score view beside the editors, from the key event to
// the end of the view's repaint: the editors' work, the export entries, the
// layout from the page of the change up to the cursor's page, and the page
// painted. The reference (floor) is the same keystroke with the view hidden,
// measured in the same run; settle is the layout of the pages after the
// cursor's that the view does in slices between frames. Two kinds of
// keystroke: an ideograph added in the middle of a line ("inside", the line
// keeps its columns) and one added to a full line ("overflow", every later
// column moves). Times are CPU time of the process, as the machine is
// shared; the view's wait for the next frame is not part of them.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_liveview

#include "exportconfig.h"
#include "livescoreview.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"

#include "generatedscore.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextStream>
#include <QUndoStack>

#include <algorithm>
#include <ctime>

namespace {

double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void press(QWidget *widget, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

QPair<double, double> medianAndP95(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples.at(samples.size() / 2), samples.at(qMin<qsizetype>(samples.size() - 1, samples.size() * 95 / 100))};
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            QTextStream(stderr) << message << '\n';
    });
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir settings;
    ExportConfig config(settings.filePath(QStringLiteral("settings.ini")), ExportConfig::WriteBack::Never);

    // The generated score runs to about three pages in four of what it is
    // asked for with the default options.
    for (const int pages : {2, 26, 130}) {
        QWidget window;
        auto *row = new QHBoxLayout(&window);
        auto *edit = new QL_Edit;
        auto *view = new LiveScoreView(config);
        row->addWidget(edit, 1);
        row->addWidget(view, 1);
        window.resize(1400, 900);
        window.show();
        const QPair<QString, QString> texts = generatedScoreTexts(pages);
        edit->document()->setTexts({texts.first, texts.second});
        view->setDocument(edit);
        view->flush();
        QApplication::processEvents();

        QTextDocument *lyrics = edit->lyricEdit()->document();
        for (const char *kind : {"inside", "overflow"}) {
            // A sung line in the middle; "overflow" types at its end.
            QTextBlock middle = lyrics->findBlockByNumber(lyrics->blockCount() / 2);
            while (middle.text().size() < 5)
                middle = middle.next();
            const bool atEnd = qstrcmp(kind, "overflow") == 0;
            QList<double> shown;
            QList<double> hidden;
            QList<double> settle;
            for (int round = 0; round < 60; ++round) {
                const bool withView = round % 2 == 0;
                view->setVisible(withView);
                edit->lyricEdit()->setFocus();
                QTextCursor cursor(middle);
                cursor.setPosition(middle.position() + (atEnd ? middle.text().size() - 1 : 3));
                edit->lyricEdit()->setTextCursor(cursor);
                view->finishLayout();
                QApplication::processEvents();

                const double start = cpuMs();
                press(edit->lyricEdit(), QStringLiteral("春"));
                QApplication::processEvents();
                if (withView) {
                    view->flush();
                    view->canvas()->repaint();
                }
                (withView ? shown : hidden).append(cpuMs() - start);
                if (withView) {
                    const double rest = cpuMs();
                    view->finishLayout();
                    settle.append(cpuMs() - rest);
                }

                edit->undo();
                view->finishLayout();
                QApplication::processEvents();
            }
            const auto [median, p95] = medianAndP95(shown);
            const auto [floorMedian, floorP95] = medianAndP95(hidden);
            const auto [settleMedian, settleP95] = medianAndP95(settle);
            out << "liveview_keystroke_ms pages=" << view->pageCount() << " kind=" << kind
                << " median=" << QString::number(median, 'f', 2) << " p95=" << QString::number(p95, 'f', 2)
                << " floor=" << QString::number(floorMedian, 'f', 2)
                << " floor_p95=" << QString::number(floorP95, 'f', 2)
                << " settle_median=" << QString::number(settleMedian, 'f', 2)
                << " settle_p95=" << QString::number(settleP95, 'f', 2) << " keystrokes=" << shown.size() << "\n";
            out.flush();
        }
    }
    return 0;
}
