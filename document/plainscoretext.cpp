#include "plainscoretext.h"

#include "linegrammar.h"
#include "notation.h"
#include "plaingongche.h"

#include "regularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PlainScoreText", text);
}

// The sung characters of a lyric line, in order; none on a structural line.
QList<QChar> sungCharacters(const QString &line)
{
    QList<QChar> sung;
    const QString text = withValidSurrogates(line);
    if (isStructuralLine(text))
        return sung;
    for (QChar c : text) {
        if (isLyricChar(c))
            sung.append(c);
    }
    return sung;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char(' ') || c == QChar(0x3000);
}

} // namespace

QString PlainScoreText::write(const QString &lyric, const QString &score, int first, int last)
{
    const QStringList lyricLines = lyric.split(QLatin1Char('\n'));
    const QStringList scoreLines = score.split(QLatin1Char('\n'));
    if (last < 0 || last >= lyricLines.size())
        last = int(lyricLines.size()) - 1;
    QString out;
    int sung = 0;
    for (int line = 0; line <= last; ++line) {
        const QList<QChar> characters = sungCharacters(lyricLines[line]);
        if (line >= first) {
            out += lyricLines[line] + QLatin1Char('\n');
            for (int k = 0; k < characters.size(); ++k) {
                out += characters[k] + QLatin1Char('\t')
                       + PlainGongche::toPlain(scoreLines.value(sung + k)) + QLatin1Char('\n');
            }
        }
        sung += int(characters.size());
    }
    return out;
}

PlainScoreText::Reading PlainScoreText::readFile(const QString &path)
{
    constexpr qint64 largest = 64 * 1024 * 1024;
    Reading failed;
    QFile file(path);
    if (!RegularFile::open(file)) {
        failed.problems.append({0, tr("无法读取文件（不存在、不是普通文件或没有读取权限）。")});
        return failed;
    }
    if (file.size() > largest) {
        failed.problems.append({0, tr("文件太大，不是文字谱。")});
        return failed;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder gb18030("GB18030");
        text = gb18030.isValid() ? gb18030(bytes) : QString();
        if (!gb18030.isValid() || gb18030.hasError()) {
            failed.problems.append({0, tr("文件不是 UTF-8 或 GB18030 编码的文本。")});
            return failed;
        }
    }
    if (text.contains(QChar(0))) {
        failed.problems.append({0, tr("文件不是文本。")});
        return failed;
    }
    return read(text);
}

PlainScoreText::Reading PlainScoreText::read(const QString &text)
{
    Reading reading;
    // A line separator (U+2028) stays inside its line, as in the documents.
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n|\u2029")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList lyric, score;
    int unknown = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        // A line of notation where the lyrics go is one too many for the
        // line before.
        if (line.size() >= 2 && line[1] == QLatin1Char('\t') && !isStructuralLine(line)) {
            reading.problems.append({i + 1, tr("第 %1 行是多出的曲谱行：前面的唱词行没有这么多唱字。").arg(i + 1)});
            return reading;
        }
        lyric.append(line);
        for (QChar c : sungCharacters(line)) {
            ++i;
            const QString notationLine = i < lines.size() ? lines[i] : QString();
            const bool matches = i < lines.size() && notationLine.startsWith(c)
                                 && (notationLine.size() == 1 || isBlank(notationLine[1]));
            if (!matches) {
                reading.problems.append({i + 1, tr("第 %1 行应是唱字「%2」的曲谱行（「%2」、一个 Tab、曲谱）。").arg(i + 1).arg(c)});
                return reading;
            }
            const int from = notationLine.size() > 1 ? 2 : 1;
            const PlainGongche::Conversion converted = PlainGongche::fromPlain(QStringView(notationLine).mid(from));
            score.append(converted.text);
            const int foreign = Notation::foreignCount(converted.text);
            if (foreign > 0) {
                unknown += foreign;
                reading.problems.append({i + 1, tr("第 %1 行有 %2 个字符不是工尺谱字，已原样保留。").arg(i + 1).arg(foreign)});
            }
        }
    }
    reading.lyric = lyric.join(QLatin1Char('\n'));
    reading.score = score.join(QLatin1Char('\n'));
    reading.ok = true;
    return reading;
}
