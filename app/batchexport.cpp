#include "batchexport.h"

#include "exportconfig.h"
#include "exportentry.h"
#include "filelocations.h"
#include "gcpfile.h"
#include "progressline.h"
#include "pairingreport.h"
#include "ql_generatesvg.h"
#include "scorewriter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>
#include <QCoreApplication>

namespace {

const QString exportOption = QStringLiteral("export");
const QString formatOption = QStringLiteral("format");
const QString dpiOption = QStringLiteral("dpi");
const QString settingsOption = QStringLiteral("settings");

QString usage()
{
    return QCoreApplication::translate("BatchExport", "用法：qelun --export TARGET [--format pdf|png|jpg|svg] [--dpi 96|160|300|600] [--settings FILE] SCORE.gcp");
}

const QStringList formats = {QStringLiteral("pdf"), QStringLiteral("png"), QStringLiteral("jpg"),
                             QStringLiteral("svg")};

// The format a target's suffix names; empty when it names none.
QString formatOfSuffix(const QString &target)
{
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix == QLatin1String("jpeg"))
        return QStringLiteral("jpg");
    return formats.contains(suffix) ? suffix : QString();
}

// The image quality level of the export dialog that gives these dots per inch.
int dpiLevel(int dpi)
{
    for (int level = 0; level < 4; ++level) {
        if (ScoreWriter::dpiForLevel(level) == dpi)
            return level;
    }
    return 0;
}

} // namespace

bool BatchExport::isRequested(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--export") || argument.startsWith(QLatin1String("--export=")))
            return true;
    }
    return false;
}

bool BatchExport::isRequested(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return isRequested(arguments);
}

void BatchExport::prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

BatchExport::BatchExport(QTextStream &out, QTextStream &err, bool errIsTerminal)
    : m_out(out)
    , m_err(err)
    , m_errIsTerminal(errIsTerminal)
{
}

void BatchExport::addOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {exportOption, QCoreApplication::translate("BatchExport", "导出到 TARGET（PDF 文件、图片文件或文件夹），不打开窗口。"), QStringLiteral("TARGET")},
        {formatOption, QCoreApplication::translate("BatchExport", "导出类型：pdf、png、jpg 或 svg。"), QStringLiteral("TYPE")},
        {dpiOption, QCoreApplication::translate("BatchExport", "图片分辨率：96、160、300 或 600。"), QStringLiteral("DPI"), QStringLiteral("96")},
        {settingsOption, QCoreApplication::translate("BatchExport", "使用此 INI 文件中的导出设置（只读取，不写入）。"), QStringLiteral("FILE")},
    });
}

int BatchExport::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("BatchExport", "Qelun工尺谱：导出曲谱"));
    addOptions(parser);
    const QCommandLineOption help = parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("SCORE"), QCoreApplication::translate("BatchExport", "要导出的 .gcp 曲谱文件。"));

    if (!parser.parse(arguments)) {
        m_err << QCoreApplication::translate("BatchExport", "错误：") << parser.errorText() << Qt::endl << usage() << Qt::endl;
        return UsageError;
    }
    if (parser.isSet(help)) {
        m_out << usage() << Qt::endl << Qt::endl << parser.helpText();
        m_out.flush();
        return Success;
    }
    return run(parser);
}

int BatchExport::run(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments();
    const QString target = parser.value(exportOption);
    if (positional.size() != 1 || target.isEmpty()) {
        m_err << QCoreApplication::translate("BatchExport", "错误：需要一个导出目标和一个曲谱文件。") << Qt::endl << usage() << Qt::endl;
        return UsageError;
    }

    QString kind = parser.value(formatOption).toLower();
    if (kind == QLatin1String("jpeg"))
        kind = QStringLiteral("jpg");
    if (kind.isEmpty())
        kind = formatOfSuffix(target);
    if (!formats.contains(kind)) {
        m_err << QCoreApplication::translate("BatchExport", "错误：无法确定导出类型，请用 --format 指定 pdf、png、jpg 或 svg。") << Qt::endl;
        return UsageError;
    }

    bool ok = false;
    const int dots = parser.value(dpiOption).toInt(&ok);
    if (!ok || ScoreWriter::dpiForLevel(dpiLevel(dots)) != dots) {
        m_err << QCoreApplication::translate("BatchExport", "错误：--dpi 只能是 96、160、300 或 600。") << Qt::endl;
        return UsageError;
    }

    return exportScore(positional.first(), target, kind, dots, parser.value(settingsOption));
}

int BatchExport::exportScore(const QString &scorePath, const QString &target, const QString &format,
                             int dpi, const QString &settingsPath)
{
    GcpFile::Texts texts;
    switch (GcpFile::load(scorePath, &texts)) {
    case GcpFile::LoadResult::Loaded:
        break;
    case GcpFile::LoadResult::CannotOpen:
        m_err << QCoreApplication::translate("BatchExport", "错误：无法读取文件 ") << scorePath << Qt::endl;
        return InputError;
    case GcpFile::LoadResult::WrongType:
        m_err << QCoreApplication::translate("BatchExport", "错误：不是 .gcp 曲谱文件：") << scorePath << Qt::endl;
        return InputError;
    case GcpFile::LoadResult::Damaged:
        m_err << QCoreApplication::translate("BatchExport", "错误：文件已损坏，无法读取：") << scorePath << Qt::endl;
        return InputError;
    }

    // Notation that no sung character owns is left out of the pages; the
    // export goes on, but not without a word.
    const QString unexported = PairingReport(texts.lyric, texts.score).unexportedWarning();
    if (!unexported.isEmpty())
        m_err << QCoreApplication::translate("BatchExport", "警告：") << unexported << Qt::endl;

    // The user's settings are read as the window would read them, and never
    // written: an export leaves the file, its comments and its order as they are.
    const QString configPath = !settingsPath.isEmpty()
                                   ? settingsPath
                                   : FileLocations::forApplication().filePath(QStringLiteral("settings.ini"),
                                                                              FileLocations::Kind::Config);
    const ExportConfig config(configPath, ExportConfig::WriteBack::Never);

    QL_GenerateSVG renderer(config);
    ProgressLine progress(m_err, m_errIsTerminal);
    QObject::connect(&renderer, &QL_GenerateSVG::progressUpdate, &renderer,
                     [&progress](int status, int value, int maxValue, const QString &, const QString &tip) {
                         progress.update(status, value, maxValue, tip);
                     });
    renderer.reset();
    renderer.generate(buildExportEntries(texts.lyric, texts.score), false);
    // Options the page could not honour were set as near as it allows.
    for (const QString &warning : renderer.warnings())
        m_err << QCoreApplication::translate("BatchExport", "警告：") << warning << Qt::endl;

    ScoreWriter writer(renderer);
    bool written = false;
    if (format == QLatin1String("pdf")) {
        written = writer.writePdf(target);
    } else if (format == QLatin1String("svg")) {
        written = writer.writeSvg(target);
    } else if (formatOfSuffix(target) != format) {
        // A folder, as the export dialog writes images.
        written = writer.writeImages(target, dpiLevel(dpi), format);
    } else {
        const QFileInfo info(target);
        QDir().mkpath(info.absolutePath());
        const int n = int(renderer.pages().size());
        QStringList paths;
        for (int i = 0; i < n; ++i) {
            paths.append(n == 1 ? info.filePath()
                                : QDir(info.path()).filePath(info.completeBaseName() + QLatin1Char('_')
                                                             + QString::number(i) + QLatin1Char('.')
                                                             + info.suffix()));
        }
        emit renderer.progressUpdate(0, 0, n, QString(), QCoreApplication::translate("BatchExport", "正在导出%1文件···").arg(format));
        written = writer.writeImageFiles(paths, dpi, format);
        emit renderer.progressUpdate(2, n, n, QString(), QString());
    }

    progress.end();
    if (!written) {
        const ExportFailure failure = writer.failure();
        m_err << QCoreApplication::translate("BatchExport", "错误：") << (failure.isEmpty() ? QCoreApplication::translate("BatchExport", "导出失败") : failure.text);
        if (!failure.path.isEmpty())
            m_err << QStringLiteral("（") << QDir::toNativeSeparators(failure.path) << QStringLiteral("）");
        if (!failure.reason.isEmpty())
            m_err << QCoreApplication::translate("BatchExport", "原因：") << failure.reason;
        m_err << Qt::endl;
        return OutputError;
    }
    m_out << QCoreApplication::translate("BatchExport", "导出成功！") << Qt::endl;
    return Success;
}
