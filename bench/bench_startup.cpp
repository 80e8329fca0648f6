// Times the program's start with no file, to the first paint of its main
// window, against a bare Qt window with two editors side by side. Each start
// is a fresh process (this program run again with "window" or "bare"), which
// reports the CPU time it has used when its window first paints: loading
// the libraries counts, as it does for a user. It also reports the CPU time
// when the event loop first waits after that paint: by then the window has
// done what it leaves until after its first paint (the start page's text,
// the fonts, the input method) and painted it. Settings live in a temporary
// folder of their own.
//
// A second reference, form, is the main window's Designer form alone: the
// menus and the tool bars with their Chinese labels and their icons, on a
// plain QMainWindow, with none of the program's own widgets and code. Most
// of what the program costs over the bare window is the form's: the
// desktop's Chinese face found, loaded and hinted for the labels, and the
// icons decoded.
//
//   startup_ms median=… p95=… floor=… form=… runs=N
//   startup_idle_ms median=… p95=… floor=… form=… runs=N
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_startup [runs]

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double cpuMillis()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Prints the CPU time so far once the window's first paint is over, then
// the CPU time when the event loop first waits for events after it, and
// quits.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::printf("%.3f\n", cpuMillis());
                    std::fflush(stdout);
                },
                Qt::QueuedConnection);
            // A zero-interval timer fires only when no posted event is
            // waiting, so after whatever the window queued for later.
            auto *idle = new QTimer(this);
            idle->setSingleShot(true);
            connect(idle, &QTimer::timeout, this, [] {
                std::printf("%.3f\n", cpuMillis());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
            idle->start(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

int child(int argc, char *argv[], const QString &mode)
{
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    std::unique_ptr<QWidget> window;
    Ui::MainWindow form;
    if (mode == QLatin1String("form")) {
        auto *main = new QMainWindow;
        form.setupUi(main);
        window.reset(main);
    } else if (mode == QLatin1String("bare")) {
        auto *main = new QMainWindow;
        auto *central = new QWidget;
        auto *layout = new QHBoxLayout(central);
        layout->addWidget(new QPlainTextEdit);
        layout->addWidget(new QPlainTextEdit);
        main->setCentralWidget(central);
        window.reset(main);
    } else {
        window = std::make_unique<MainWindow>();
    }
    window->installEventFilter(&firstPaint);
    window->show();
    return app.exec();
}

struct Start
{
    double firstPaint = 0;
    double idle = 0;
};

QList<Start> starts(const QString &program, const QString &mode, int runs, const QString &home)
{
    QList<Start> times;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
        environment.insert(QStringLiteral("HOME"), home);
        if (environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(program, {mode});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            QTextStream(stderr) << mode << " start failed: " << process.readAllStandardError() << '\n';
            continue;
        }
        const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
        bool paintOk = false;
        bool idleOk = false;
        const Start start{lines.value(lines.size() - 2).toDouble(&paintOk), lines.last().toDouble(&idleOk)};
        if (paintOk && idleOk)
            times.append(start);
    }
    return times;
}

double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void report(QTextStream &out, const char *name, QList<double> window, const QList<double> &bare,
            const QList<double> &form)
{
    std::sort(window.begin(), window.end());
    out << name << " median=" << window.at(window.size() / 2)
        << " p95=" << window.at(qMin<qsizetype>(window.size() - 1, window.size() * 95 / 100))
        << " floor=" << median(bare) << " form=" << median(form) << " runs=" << window.size() << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("window") || mode == QLatin1String("bare") || mode == QLatin1String("form"))
        return child(argc, argv, mode);

    QCoreApplication app(argc, argv);
    const int runs = qMax(3, mode.toInt() > 0 ? mode.toInt() : 15);
    QTemporaryDir home;
    const QString program = QCoreApplication::applicationFilePath();
    // Alternated, so that a busy spell of the machine hits both alike.
    // The first starts fill the disk cache.
    starts(program, QStringLiteral("window"), 1, home.path());
    starts(program, QStringLiteral("bare"), 1, home.path());
    starts(program, QStringLiteral("form"), 1, home.path());
    QList<double> windowPaint, windowIdle, barePaint, bareIdle, formPaint, formIdle;
    for (int i = 0; i < runs; ++i) {
        for (const Start &start : starts(program, QStringLiteral("window"), 1, home.path())) {
            windowPaint.append(start.firstPaint);
            windowIdle.append(start.idle);
        }
        for (const Start &start : starts(program, QStringLiteral("bare"), 1, home.path())) {
            barePaint.append(start.firstPaint);
            bareIdle.append(start.idle);
        }
        for (const Start &start : starts(program, QStringLiteral("form"), 1, home.path())) {
            formPaint.append(start.firstPaint);
            formIdle.append(start.idle);
        }
    }
    if (windowPaint.isEmpty() || barePaint.isEmpty() || formPaint.isEmpty())
        return 1;
    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(1);
    report(out, "startup_ms", windowPaint, barePaint, formPaint);
    report(out, "startup_idle_ms", windowIdle, bareIdle, formIdle);
    return 0;
}
