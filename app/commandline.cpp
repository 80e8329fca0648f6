#include "commandline.h"

#include "batchexport.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// The options QGuiApplication and QApplication take from the command line.
// They are still there when the arguments are read before the application
// object exists, or by a QCoreApplication, which leaves them.
bool isQtOption(const QString &name)
{
    static const QStringList names = {
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qmljsdebugger"),   QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"),     QStringLiteral("qwindowtitle"),
        QStringLiteral("reverse"),         QStringLiteral("session"),
        QStringLiteral("display"),         QStringLiteral("geometry"),
        QStringLiteral("style"),           QStringLiteral("stylesheet"),
        QStringLiteral("widgetcount"),     QStringLiteral("nograb"),
        QStringLiteral("dograb"),          QStringLiteral("sync"),
    };
    return names.contains(name);
}

} // namespace

CommandLine::CommandLine()
    : m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, tr("显示此帮助并退出。"))
    , m_version(QStringList{QStringLiteral("v"), QStringLiteral("version")}, tr("显示版本并退出。"))
{
    // Qt's options are written with one dash ("-platform"): read as long
    // options, they are recognised and left alone.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(tr(
        "Qelun工尺谱：编辑昆曲工尺谱。\n"
        "不带 --export 时打开窗口，并打开给出的各个 .gcp 曲谱文件；\n"
        "带 --export 时不打开窗口，把曲谱导出为 PDF、图片或 SVG。"));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    BatchExport::addOptions(m_parser);
    m_parser.addPositionalArgument(QStringLiteral("FILE"),
                                   tr("要打开的 .gcp 曲谱文件，可给出多个；与 --export 一起时是要导出的曲谱。"),
                                   QStringLiteral("[FILE…]"));
}

QStringList CommandLine::unknownOwnOptions() const
{
    QStringList own;
    for (const QString &name : m_parser.unknownOptionNames()) {
        if (!isQtOption(name))
            own.append(name);
    }
    return own;
}

CommandLine::Mode CommandLine::parse(const QStringList &arguments)
{
    const bool parsed = m_parser.parse(arguments);
    // A failure for Qt's options alone is none: the application object takes
    // them out of the arguments before they are read for good.
    const bool onlyQtOptions = !m_parser.unknownOptionNames().isEmpty() && unknownOwnOptions().isEmpty();
    if (!parsed && !onlyQtOptions)
        m_mode = Mode::Error;
    else if (m_parser.isSet(m_help))
        m_mode = Mode::Help;
    else if (m_parser.isSet(m_version))
        m_mode = Mode::Version;
    else if (m_parser.isSet(QStringLiteral("export")))
        m_mode = Mode::Export;
    else
        m_mode = Mode::Window;
    return m_mode;
}

int CommandLine::answer(QTextStream &out, QTextStream &err) const
{
    switch (m_mode) {
    case Mode::Help:
        out << m_parser.helpText() << Qt::flush;
        return 0;
    case Mode::Version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    case Mode::Error:
    default:
        err << tr("错误：") << m_parser.errorText() << Qt::endl << Qt::endl
            << m_parser.helpText() << Qt::flush;
        return usageError;
    }
}

QStringList CommandLine::documentPaths() const
{
    QStringList paths = m_parser.positionalArguments();
    paths.removeAll(QString());
    return paths;
}
