#include "batchexport.h"

#include "atomicfile.h"
#include "regularfile.h"

#include "exportconfig.h"
#include "exportentry.h"
#include "exporttarget.h"
#include "filelocations.h"
#include "gcpfile.h"
#include "interchangeexport.h"
#include "layoutoptions.h"
#include "musicconfig.h"
#include "musicexport.h"
#include "musicsynth.h"
#include "progressline.h"
#include "pairingreport.h"
#include "ql_generatesvg.h"
#include "scorewriter.h"
#include "stoprequest.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStringDecoder>
#include <QTextStream>

#include <csignal>
#include <cstdlib>
#include <cstring>

#if defined(Q_OS_WIN)
#include <io.h>
#define QELUN_WRITE_STDERR(text, size) ::_write(2, text, unsigned(size))
#else
#include <unistd.h>
#define QELUN_WRITE_STDERR(text, size) ::write(STDERR_FILENO, text, size)
#endif
#include <QCoreApplication>

namespace {

const QString exportOption = QStringLiteral("export");
const QString formatOption = QStringLiteral("format");
const QString dpiOption = QStringLiteral("dpi");
const QString settingsOption = QStringLiteral("settings");

QString usage()
{
    return QCoreApplication::translate("BatchExport", "用法：qelun --export TARGET [--format pdf|png|jpg|svg|mid|wav|musicxml|jianpu|txt] [--dpi 96|160|300|600] [--settings FILE] SCORE.gcp");
}

const QStringList formats = [] {
    QStringList list = {QStringLiteral("pdf"), QStringLiteral("png"), QStringLiteral("jpg"),
                        QStringLiteral("svg"), QStringLiteral("mid"), QStringLiteral("wav"),
                        QStringLiteral("musicxml"),
                        QStringLiteral("jianpu"), QStringLiteral("txt")};
    // Compressed MusicXML where the build found libzip.
    if (InterchangeExport::handles(QStringLiteral("mxl")))
        list.append(QStringLiteral("mxl"));
    return list;
}();

// The format a target's suffix names; empty when it names none.
QString formatOfSuffix(const QString &target)
{
    const QString interchange = InterchangeExport::formatOfName(target);
    if (!interchange.isEmpty())
        return interchange;
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix == QLatin1String("jpeg"))
        return QStringLiteral("jpg");
    if (suffix == QLatin1String("midi"))
        return QStringLiteral("mid");
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

// Whether bytes read as an INI file: UTF-8 text without NULs whose every
// line is empty, a comment, a [group] or a key=value. QSettings reads almost
// anything as INI, a score or a picture too, and would export with other
// options than the user asked for.
bool isIniText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return false;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        const bool group = line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
        if (!group && line.indexOf(QLatin1Char('=')) <= 0)
            return false;
    }
    return true;
}

// Why the INI file the user named cannot be read; empty when it can. A FIFO
// or a device is refused before it is opened: reading it would block or
// never end.
QString unreadableSettings(const QString &path)
{
    // Settings are a few kilobytes; a file of megabytes is something else.
    constexpr qint64 largestSettings = 4 * 1024 * 1024;
    QFile file(path);
    if (!RegularFile::open(file))
        return QCoreApplication::translate("BatchExport", "错误：无法读取设置文件（不存在、不是普通文件或没有读取权限）：%1").arg(path);
    if (file.size() > largestSettings || !isIniText(file.read(largestSettings)))
        return QCoreApplication::translate("BatchExport", "错误：设置文件不是 INI 格式：%1").arg(path);
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() == QSettings::FormatError)
        return QCoreApplication::translate("BatchExport", "错误：设置文件不是 INI 格式：%1").arg(path);
    if (ini.status() != QSettings::NoError)
        return QCoreApplication::translate("BatchExport", "错误：无法读取设置文件：%1").arg(path);
    return QString();
}

// Warnings about a page size the export does not lay out as stored: a value
// out of range, which the options bring into range.
QStringList pageSizeWarnings(const ExportConfig &config, const QString &configPath)
{
    QStringList warnings;
    if (RegularFile::isRegular(configPath)) {
        QSettings ini(configPath, QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Export"));
        const struct
        {
            const char *key;
            QString name;
            int used;
        } sides[] = {{"pageWidth", QCoreApplication::translate("BatchExport", "页面宽度"), config.pageWidth()},
                     {"pageHeight", QCoreApplication::translate("BatchExport", "页面高度"), config.pageHeight()}};
        for (const auto &side : sides) {
            const QString key = QLatin1String(side.key);
            if (!ini.contains(key))
                continue;
            const QString stored = ini.value(key).toString().trimmed();
            bool ok = false;
            if (stored.toDouble(&ok) != side.used || !ok)
                warnings.append(QCoreApplication::translate("BatchExport", "%1 %2 无效，已按 %3 pt 排版")
                                    .arg(side.name, stored)
                                    .arg(side.used));
        }
    }
    return warnings;
}

// A lower bound of the pages the entries take: no page holds more sung
// characters than its columns hold characters of the lyric size.
qint64 leastPages(const QList<ExportEntry> &entries, const ExportConfig &config)
{
    int width = config.pageWidth() - config.marginLeft() - config.marginRight();
    int height = config.pageHeight() - config.marginTop() - config.marginBottom();
    if (config.isLandscape())
        std::swap(width, height);
    const qint64 columns = qMax(1, width / qMax(1, config.colWidth()));
    const qint64 rows = qMax(1, height / qMax(1, config.lyricFontSize()));
    qint64 characters = 0;
    for (const ExportEntry &entry : entries)
        characters += entry.text.size();
    return characters / (columns * rows);
}

// Ctrl+C: before anything is written the export ends at once, with nothing
// to clean up (a single long line can keep the layout busy for minutes);
// once the writing has begun the writers are asked to stop, and remove what
// they had begun.
StopRequest *interruptedExport = nullptr;
volatile std::sig_atomic_t exportWriting = 0;

extern "C" void onInterrupt(int)
{
    if (!exportWriting) {
        static const char message[] = "\n已中断导出，没有写入任何文件。\n";
        [[maybe_unused]] const auto written = QELUN_WRITE_STDERR(message, sizeof message - 1);
        std::_Exit(BatchExport::Interrupted);
    }
    if (interruptedExport)
        interruptedExport->request();
}

// Catches Ctrl+C for the life of one export.
class InterruptGuard
{
public:
    explicit InterruptGuard(StopRequest &stop)
    {
        interruptedExport = &stop;
        exportWriting = 0;
        m_previous = std::signal(SIGINT, onInterrupt);
    }
    ~InterruptGuard()
    {
        std::signal(SIGINT, m_previous);
        interruptedExport = nullptr;
        exportWriting = 0;
    }
    InterruptGuard(const InterruptGuard &) = delete;
    InterruptGuard &operator=(const InterruptGuard &) = delete;
    void writingBegins() { exportWriting = 1; }

private:
    void (*m_previous)(int) = SIG_DFL;
};

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
        {formatOption, QCoreApplication::translate("BatchExport", "导出类型：pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。"), QStringLiteral("TYPE")},
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
    if (kind == QLatin1String("midi"))
        kind = QStringLiteral("mid");
    if (kind.isEmpty())
        kind = formatOfSuffix(target);
    if (!formats.contains(kind)) {
        m_err << QCoreApplication::translate("BatchExport", "错误：无法确定导出类型，请用 --format 指定 pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。") << Qt::endl;
        return UsageError;
    }

    // A build without sound says so before it reads anything.
    if (kind == QLatin1String("wav") && !MusicSynth::isAvailable()) {
        m_err << QCoreApplication::translate("BatchExport", "错误：") << MusicSynth::unavailableReason() << Qt::endl;
        return OutputError;
    }

    bool ok = false;
    const int dots = parser.value(dpiOption).toInt(&ok);
    if (!ok || ScoreWriter::dpiForLevel(dpiLevel(dots)) != dots) {
        m_err << QCoreApplication::translate("BatchExport", "错误：--dpi 只能是 96、160、300 或 600。") << Qt::endl;
        return UsageError;
    }

    const QString settingsPath = parser.value(settingsOption);
    if (!settingsPath.isEmpty()) {
        const QString unreadable = unreadableSettings(settingsPath);
        if (!unreadable.isEmpty()) {
            m_err << unreadable << Qt::endl;
            return UsageError;
        }
    }

    return exportScore(positional.first(), target, kind, dots, settingsPath);
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

    // A device, a FIFO or a socket named as the target is never written nor
    // replaced (a link to one neither); a link to a file is written through.
    if (!AtomicFile::isReplaceable(target)) {
        m_err << QCoreApplication::translate("BatchExport", "错误：导出目标不是普通文件或文件夹，不会写入：")
              << QDir::toNativeSeparators(target) << Qt::endl;
        return OutputError;
    }

    // Neither an empty score nor a target that cannot be written is worth
    // laying out a single page for.
    const QList<ExportEntry> entries = buildExportEntries(texts.lyric, texts.score);
    if (!hasPrintableLine(entries)) {
        m_err << QCoreApplication::translate("BatchExport", "错误：曲谱为空，没有可导出的内容：") << scorePath << Qt::endl;
        return InputError;
    }
    const bool toFile = format == QLatin1String("pdf") || format == QLatin1String("mid") || format == QLatin1String("wav")
                        || InterchangeExport::handles(format)
                        || (format != QLatin1String("svg") && formatOfSuffix(target) == format);
    const ExportFailure unwritable =
        ExportTarget::check(target, toFile ? ExportTarget::Kind::File : ExportTarget::Kind::Folder);
    if (!unwritable.isEmpty()) {
        m_err << QCoreApplication::translate("BatchExport", "错误：") << unwritable.text << QStringLiteral("（")
              << QDir::toNativeSeparators(unwritable.path) << QStringLiteral("）") << Qt::endl;
        return OutputError;
    }

    // Notation that no sung character owns is left out of the pages; the
    // export goes on, but not without a word.
    const QString unexported = PairingReport(texts.lyric, texts.score).unexportedWarning();
    if (!unexported.isEmpty())
        m_err << QCoreApplication::translate("BatchExport", "警告：") << unexported << Qt::endl;

    if (InterchangeExport::handles(format))
        return InterchangeExport(m_out, m_err).run(format, texts.lyric, texts.score, target);

    // The user's settings are read as the window would read them, and never
    // written: an export leaves the file, its comments and its order as they are.
    const QString configPath = !settingsPath.isEmpty()
                                   ? settingsPath
                                   : FileLocations::forApplication().filePath(QStringLiteral("settings.ini"),
                                                                              FileLocations::Kind::Config);
    if (format == QLatin1String("mid") || format == QLatin1String("wav"))
        return exportMusic(texts.lyric, texts.score, target, format, configPath);
    const ExportConfig config(configPath, ExportConfig::WriteBack::Never);
    for (const QString &warning : pageSizeWarnings(config, configPath))
        m_err << QCoreApplication::translate("BatchExport", "警告：") << warning << Qt::endl;
    // Margins that leave no room for a character would give a page for every
    // sliver of a glyph: refused before anything is laid out.
    const QString refusal = LayoutOptions::refusal(config);
    if (!refusal.isEmpty()) {
        m_err << QCoreApplication::translate("BatchExport", "错误：") << refusal << Qt::endl;
        return UsageError;
    }

    StopRequest stop;
    InterruptGuard interrupt(stop);
    QL_GenerateSVG renderer(config);
    renderer.setStopRequest(&stop);
    ProgressLine progress(m_err, m_errIsTerminal);
    // A document of very many pages takes long: said once, before or as
    // soon as it shows.
    bool warnedOfLength = false;
    const auto warnOfLength = [&](qint64 pages) {
        if (warnedOfLength || pages <= manyPages)
            return;
        warnedOfLength = true;
        progress.end();
        m_err << QCoreApplication::translate("BatchExport", "警告：") << QCoreApplication::translate("BatchExport", "这份曲谱将排出 %1 页以上，需要很长时间；按 Ctrl+C 可以停止。").arg(manyPages) << Qt::endl;
    };
    warnOfLength(leastPages(entries, config));
    QObject::connect(&renderer, &QL_GenerateSVG::progressUpdate, &renderer,
                     [&](int status, int value, int maxValue, const QString &, const QString &tip) {
                         progress.update(status, value, maxValue, tip);
                         warnOfLength(renderer.pageModels().size());
                     });
    renderer.reset();
    renderer.generate(entries, false);
    // Options the page could not honour were set as near as it allows.
    for (const QString &warning : renderer.warnings())
        m_err << QCoreApplication::translate("BatchExport", "警告：") << warning << Qt::endl;

    interrupt.writingBegins();
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
        const int n = renderer.pageCount();
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
    if (!written && stop.isRequested()) {
        m_err << QCoreApplication::translate("BatchExport", "已中断导出，没有留下写了一半的文件。") << Qt::endl;
        return Interrupted;
    }
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

int BatchExport::exportMusic(const QString &lyric, const QString &score, const QString &target,
                             const QString &format, const QString &configPath)
{
    MusicConfig config(configPath);
    config.load();
    StopRequest stop;
    InterruptGuard interrupt(stop);
    interrupt.writingBegins();
    const MusicExport::Outcome outcome = MusicExport::write(
        lyric, score, target, format, config.settings(), config.soundFont, [&stop] { return stop.isRequested(); });
    // What the music leaves out is said, and the export goes on.
    for (const QString &warning : outcome.warnings)
        m_err << QCoreApplication::translate("BatchExport", "警告：") << warning << Qt::endl;
    switch (outcome.result) {
    case MusicExport::Result::Written:
        m_out << QCoreApplication::translate("BatchExport", "导出成功！") << Qt::endl;
        return Success;
    case MusicExport::Result::NoNotes:
        m_err << QCoreApplication::translate("BatchExport", "错误：") << outcome.error << Qt::endl;
        return InputError;
    case MusicExport::Result::Stopped:
        m_err << QCoreApplication::translate("BatchExport", "已中断导出，没有留下写了一半的文件。") << Qt::endl;
        return Interrupted;
    case MusicExport::Result::CannotSound:
        m_err << QCoreApplication::translate("BatchExport", "错误：") << outcome.error << Qt::endl;
        return OutputError;
    case MusicExport::Result::Failed:
        break;
    }
    m_err << QCoreApplication::translate("BatchExport", "错误：") << QCoreApplication::translate("BatchExport", "导出失败") << QStringLiteral("（") << QDir::toNativeSeparators(target) << QStringLiteral("）") << QCoreApplication::translate("BatchExport", "原因：") << outcome.error << Qt::endl;
    return OutputError;
}
