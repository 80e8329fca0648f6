#include "interchangefile.h"

#include "exportentry.h"
#include "jianpuwriter.h"
#include "linegrammar.h"
#include "musicxmlwriter.h"
#ifdef QELUN_HAVE_MXL
#include "mxlwriter.h"
#endif
#include "plainscoretext.h"

#include <QFileInfo>
#include <QStringList>

bool InterchangeFile::isFormat(const QString &format)
{
#ifdef QELUN_HAVE_MXL
    if (format == QLatin1String("mxl"))
        return true;
#endif
    return format == QLatin1String("musicxml") || format == QLatin1String("jianpu") || format == QLatin1String("txt");
}

QString InterchangeFile::suffix(const QString &format)
{
    return format == QLatin1String("jianpu") ? QStringLiteral("jianpu.txt") : format;
}

QString InterchangeFile::formatOfName(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName().toLower();
    if (name.endsWith(QLatin1String(".musicxml")))
        return QStringLiteral("musicxml");
    if (name.endsWith(QLatin1String(".mxl")) && isFormat(QStringLiteral("mxl")))
        return QStringLiteral("mxl");
    if (name.endsWith(QLatin1String(".jianpu.txt")))
        return QStringLiteral("jianpu");
    if (name.endsWith(QLatin1String(".txt")))
        return QStringLiteral("txt");
    return QString();
}

bool InterchangeFile::needsMusic(const QString &format)
{
    return format != QLatin1String("txt");
}

QByteArray InterchangeFile::bytes(const QString &format, const QString &lyric, const QString &score,
                                  const MusicScore &music, int program)
{
    if (format == QLatin1String("musicxml"))
        return MusicXmlWriter::bytes(music, program);
#ifdef QELUN_HAVE_MXL
    if (format == QLatin1String("mxl"))
        return MxlWriter::bytes(MusicXmlWriter::bytes(music, program));
#endif
    if (format == QLatin1String("jianpu"))
        return JianpuWriter::text(music).toUtf8();
    return PlainScoreText::write(lyric, score).toUtf8();
}

void InterchangeFile::textsOf(const QList<ExportEntry> &entries, QString *lyric, QString *score)
{
    QStringList lyricLines, scoreLines;
    for (const ExportEntry &entry : entries) {
        lyricLines.append(entry.text);
        if (isStructuralLine(withValidSurrogates(entry.text)))
            continue;
        for (int i = 0; i < entry.text.size(); ++i) {
            if (isLyricChar(entry.text[i]))
                scoreLines.append(entry.scores.value(i));
        }
    }
    *lyric = lyricLines.join(QLatin1Char('\n'));
    *score = scoreLines.join(QLatin1Char('\n'));
}
