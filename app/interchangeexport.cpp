#include "interchangeexport.h"

#include "atomicfile.h"
#include "batchexport.h"
#include "flutekey.h"
#include "interchangefile.h"
#include "musicmodel.h"

#include <QCoreApplication>
#include <QDir>
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
    return InterchangeFile::isFormat(format);
}

QString InterchangeExport::formatOfName(const QString &target)
{
    return InterchangeFile::formatOfName(target);
}

int InterchangeExport::run(const QString &format, const QString &lyric, const QString &score, const QString &target)
{
    const MusicSettings settings;
    MusicScore music;
    if (InterchangeFile::needsMusic(format)) {
        music = MusicModel::build(lyric, score, settings);
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
    }
    const QByteArray bytes = InterchangeFile::bytes(format, lyric, score, music, settings.program);
    QString error = tr("无法生成压缩文件");
    if (bytes.isEmpty() || !AtomicFile::write(target, bytes, &error)) {
        m_err << tr("错误：") << tr("导出失败") << QStringLiteral("（") << QDir::toNativeSeparators(target)
              << QStringLiteral("）") << tr("原因：") << error << Qt::endl;
        return BatchExport::OutputError;
    }
    m_out << tr("导出成功！") << Qt::endl;
    return BatchExport::Success;
}
