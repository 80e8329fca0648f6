#include "interchangesave.h"

#include "atomicfile.h"
#include "exportentry.h"
#include "interchangefile.h"
#include "musicmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("InterchangeSave", text);
}

QString filterOf(const QString &format)
{
    if (format == QLatin1String("musicxml"))
        return tr("MusicXML 文件 (*.musicxml)");
    if (format == QLatin1String("mxl"))
        return tr("压缩 MusicXML 文件 (*.mxl)");
    if (format == QLatin1String("jianpu"))
        return tr("简谱文本 (*.jianpu.txt)");
    return tr("文字谱文本 (*.txt)");
}

} // namespace

QString InterchangeSave::run(QWidget *parent, const QString &format, const QList<ExportEntry> &entries,
                             const QString &suggestedPath)
{
    QString lyric, score;
    InterchangeFile::textsOf(entries, &lyric, &score);
    const MusicSettings settings;
    MusicScore music;
    if (InterchangeFile::needsMusic(format)) {
        music = MusicModel::build(lyric, score, settings);
        if (music.notes.isEmpty()) {
            QMessageBox::warning(parent, tr("提示"), tr("曲谱中没有可演奏的音符，无法导出。"));
            return QString();
        }
    }

    const QString suffix = QLatin1Char('.') + InterchangeFile::suffix(format);
    const QFileInfo suggested(suggestedPath);
    QString target = QFileDialog::getSaveFileName(parent, tr("导出"),
                                                  suggested.dir().filePath(suggested.completeBaseName() + suffix),
                                                  filterOf(format));
    if (target.isEmpty())
        return QString();
    if (!target.endsWith(suffix, Qt::CaseInsensitive))
        target += suffix;

    QString why;
    if (!AtomicFile::isReplaceable(target)) {
        QMessageBox::warning(parent, tr("导出失败"), AtomicFile::notAFileReason() + QLatin1Char('\n') + QDir::toNativeSeparators(target));
        return QString();
    }
    const QByteArray bytes = InterchangeFile::bytes(format, lyric, score, music, settings.program);
    if (bytes.isEmpty() || !AtomicFile::write(target, bytes, &why)) {
        QMessageBox::warning(parent, tr("导出失败"),
                             tr("无法写入文件：%1\n原因：%2").arg(QDir::toNativeSeparators(target), why));
        return QString();
    }
    // What the music had to leave out is said after the file is written.
    QStringList notes;
    if (!music.problems.isEmpty())
        notes.append(tr("%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3")
                         .arg(music.problems.size())
                         .arg(music.problems.first().source.lyricChar + 1)
                         .arg(music.problems.first().reason));
    if (!music.silentCharacters.isEmpty())
        notes.append(tr("%1 个唱字没有曲谱，不发音。").arg(music.silentCharacters.size()));
    if (!notes.isEmpty())
        QMessageBox::information(parent, tr("提示"), notes.join(QLatin1Char('\n')));
    return target;
}
