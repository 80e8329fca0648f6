#include "interchangeexport.h"

#include "atomicfile.h"
#include "batchexport.h"
#include "flutekey.h"
#include "jianpuwriter.h"
#include "musicmodel.h"
#include "musicxmlwriter.h"
#include "plainscoretext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("BatchExport", text);
}

} // namespace

InterchangeExport::InterchangeExport(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
}

bool InterchangeExport::handles(const QString &format)
{
    return format == QLatin1String("musicxml") || format == QLatin1String("jianpu")
           || format == QLatin1String("txt");
}

QString InterchangeExport::formatOfName(const QString &target)
{
    const QString name = QFileInfo(target).fileName().toLower();
    if (name.endsWith(QLatin1String(".musicxml")))
        return QStringLiteral("musicxml");
    if (name.endsWith(QLatin1String(".jianpu.txt")))
        return QStringLiteral("jianpu");
    if (name.endsWith(QLatin1String(".txt")))
        return QStringLiteral("txt");
    return QString();
}

int InterchangeExport::run(const QString &format, const QString &lyric, const QString &score, const QString &target)
{
    QByteArray bytes;
    if (format == QLatin1String("txt")) {
        bytes = PlainScoreText::write(lyric, score).toUtf8();
    } else {
        const MusicSettings settings;
        const MusicScore music = MusicModel::build(lyric, score, settings);
        if (music.notes.isEmpty()) {
            m_err << tr("错误：曲谱中没有可演奏的音符。") << Qt::endl;
            return BatchExport::InputError;
        }
        if (music.defaultKeyUsed)
            m_err << tr("警告：") << tr("有曲牌未注明笛色，按%1演奏。").arg(FluteKeys::name(settings.defaultKey)) << Qt::endl;
        if (!music.problems.isEmpty()) {
            const MusicProblem &first = music.problems.first();
            m_err << tr("警告：") << tr("%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3").arg(music.problems.size()).arg(first.source.lyricChar + 1).arg(first.reason) << Qt::endl;
        }
        if (!music.silentCharacters.isEmpty())
            m_err << tr("警告：") << tr("%1 个唱字没有曲谱，不发音。").arg(music.silentCharacters.size()) << Qt::endl;
        bytes = format == QLatin1String("musicxml") ? MusicXmlWriter::bytes(music, settings.program)
                                                    : JianpuWriter::text(music).toUtf8();
    }
    QString error;
    if (!AtomicFile::write(target, bytes, &error)) {
        m_err << tr("错误：") << tr("导出失败") << QStringLiteral("（") << QDir::toNativeSeparators(target)
              << QStringLiteral("）") << tr("原因：") << error << Qt::endl;
        return BatchExport::OutputError;
    }
    m_out << tr("导出成功！") << Qt::endl;
    return BatchExport::Success;
}
