// Times the program's start with no file, to the first paint of its main
// window, against a bare Qt window with two editors side by side. Each start
// is a fresh process (this program run again with "window" or "bare"), which
// reports the CPU time it has used when its window first paints: loading
// the libraries counts, as it does for a user. Settings live in a temporary
// folder of their own.
//
//   startup_ms median=… p95=… floor=… runs=N
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_startup [runs]

#include "mainwindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

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

// Prints the CPU time so far at the window's first paint, and quits.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::printf("%.3f\n", cpuMillis());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

int child(int argc, char *argv[], bool bare)
{
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    std::unique_ptr<QWidget> window;
    if (bare) {
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

QList<double> starts(const QString &program, const QString &mode, int runs, const QString &home)
{
    QList<double> times;
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
        bool ok = false;
        const double value = lines.last().toDouble(&ok);
        if (ok)
            times.append(value);
    }
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("window") || mode == QLatin1String("bare"))
        return child(argc, argv, mode == QLatin1String("bare"));

    QCoreApplication app(argc, argv);
    const int runs = qMax(3, mode.toInt() > 0 ? mode.toInt() : 15);
    QTemporaryDir home;
    const QString program = QCoreApplication::applicationFilePath();
    // Alternated, so that a busy spell of the machine hits both alike.
    // The first starts fill the disk cache.
    starts(program, QStringLiteral("window"), 1, home.path());
    starts(program, QStringLiteral("bare"), 1, home.path());
    QList<double> window;
    QList<double> bare;
    for (int i = 0; i < runs; ++i) {
        window += starts(program, QStringLiteral("window"), 1, home.path());
        bare += starts(program, QStringLiteral("bare"), 1, home.path());
    }
    std::sort(window.begin(), window.end());
    std::sort(bare.begin(), bare.end());
    if (window.isEmpty() || bare.isEmpty())
        return 1;
    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(1);
    out << "startup_ms median=" << window.at(window.size() / 2)
        << " p95=" << window.at(qMin<qsizetype>(window.size() - 1, window.size() * 95 / 100))
        << " floor=" << bare.at(bare.size() / 2) << " runs=" << window.size() << Qt::endl;
    return 0;
}
