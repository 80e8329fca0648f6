#include "pairingreport.h"

#include "lyriccharindex.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QCoreApplication>

PairingReport::PairingReport(int sungChars, const QTextDocument *score)
    : m_sungChars(sungChars)
    , m_scoreLines(score->blockCount())
{
    countUnexported(score);
}

PairingReport::PairingReport(const QTextDocument *lyric, const QTextDocument *score)
    : PairingReport(LyricCharIndex(lyric).lyricCharCount(), score)
{
}

PairingReport::PairingReport(const QString &lyric, const QString &score)
{
    // Read as the editors and the export read them, line ends included.
    const QTextDocument lyricDocument(lyric);
    const QTextDocument scoreDocument(score);
    *this = PairingReport(&lyricDocument, &scoreDocument);
}

void PairingReport::countUnexported(const QTextDocument *score)
{
    // Only the lines beyond the owned ones are read: a paired score costs
    // one line at most.
    for (QTextBlock block = score->findBlockByNumber(m_sungChars); block.isValid(); block = block.next()) {
        if (!block.text().trimmed().isEmpty())
            ++m_unexported;
    }
}

bool PairingReport::isPaired() const
{
    return m_scoreLines == qMax(m_sungChars, 1);
}

int PairingReport::firstSurplusLine() const
{
    const int owned = qMax(m_sungChars, 1);
    return m_scoreLines > owned ? owned : -1;
}

int PairingReport::firstCharWithoutLine() const
{
    return m_scoreLines < m_sungChars ? m_scoreLines + 1 : 0;
}

QString PairingReport::statusText() const
{
    const QString foreign = m_foreign == 0
                                ? QString()
                                : QCoreApplication::translate("PairingReport", "曲谱中有 %1 个字符不是曲谱符号")
                                      .arg(m_foreign);
    if (isPaired())
        return foreign;
    const QString counts = QCoreApplication::translate("PairingReport", "曲谱 %1 行，唱字 %2 个，不成对：").arg(m_scoreLines).arg(m_sungChars);
    const QString where = firstSurplusLine() >= 0
        ? QCoreApplication::translate("PairingReport", "曲谱第 %1 行起没有对应的唱字").arg(firstSurplusLine() + 1)
        : QCoreApplication::translate("PairingReport", "第 %1 个唱字起没有对应的曲谱行").arg(firstCharWithoutLine());
    return foreign.isEmpty() ? counts + where : counts + where + QStringLiteral("；") + foreign;
}

QString PairingReport::unexportedWarning() const
{
    if (m_unexported == 0)
        return QString();
    return QCoreApplication::translate("PairingReport", "有 %1 行曲谱没有对应的唱字，不会被导出。").arg(m_unexported);
}
