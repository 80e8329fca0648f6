#ifndef REFERENCELYRICINDEX_H
#define REFERENCELYRICINDEX_H

#include <QList>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// A literal rendering of the lyric-character rules with a fresh regular
// expression at every use: the reference the index must agree with.
struct ReferenceLyricIndex
{
    const QTextDocument *doc;

    // A regular expression matches nothing in text that is not valid UTF-16:
    // a broken surrogate (pasted, or a text cut inside a pair) counts as the
    // replacement character it stands for, which is no lyric character.
    static QString valid(QString t)
    {
        if (QStringView(t).isValidUtf16())
            return t;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t.at(i).isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate())
                ++i;
            else if (t.at(i).isSurrogate())
                t[i] = QChar(0xFFFD);
        }
        return t;
    }
    static bool structural(const QString &t)
    {
        return QRegularExpression(QStringLiteral(u"^[#;>=【@]")).match(valid(t)).hasMatch();
    }
    static int count(const QString &t)
    {
        int n = 0;
        auto it = QRegularExpression(QStringLiteral(u"[一-龥 ]+")).globalMatch(valid(t));
        while (it.hasNext())
            n += it.next().capturedLength();
        return n;
    }
    static int boundary(const QString &t, int k)
    {
        QList<int> b;
        auto it = QRegularExpression(QStringLiteral(u"[一-龥 ]")).globalMatch(valid(t));
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (b.isEmpty())
                b.append(m.capturedStart());
            b.append(m.capturedEnd());
        }
        const int n = b.size() - 1;
        if (n <= 0)
            return 0;
        k = qBound(0, k, n);
        return b.at(n - k);
    }
    QString lyricText() const
    {
        QString s;
        for (QTextBlock b = doc->findBlockByNumber(0); b.isValid(); b = b.next()) {
            if (structural(b.text()))
                continue;
            auto it = QRegularExpression(QStringLiteral(u"[一-龥 ]+")).globalMatch(valid(b.text()));
            while (it.hasNext())
                s += it.next().captured();
        }
        return s;
    }
    int lyricIndexAt(int position) const
    {
        position = qMax(0, position);
        int total = 0;
        for (QTextBlock b = doc->findBlockByNumber(0); b.isValid(); b = b.next()) {
            if (b.contains(position) || (!b.next().isValid() && position >= b.position())) {
                if (!structural(b.text()))
                    total += count(b.text().left(position - b.position()));
                break;
            }
            if (!structural(b.text()))
                total += count(b.text());
        }
        return total - 1;
    }
    int positionAfterLyricChar(int n) const
    {
        n = qMax(0, n);
        int total = 0;
        QTextBlock last;
        for (QTextBlock b = doc->findBlockByNumber(0); b.isValid(); b = b.next()) {
            last = b;
            if (structural(b.text()))
                continue;
            total += count(b.text());
            if (total >= n)
                return b.position() + boundary(b.text(), total - n);
        }
        return last.position() + last.text().size();
    }
    QString lyricCharAt(int n) const
    {
        if (n < 1 || lyricText().size() < n)
            return QString();
        QTextCursor c(const_cast<QTextDocument *>(doc));
        c.setPosition(positionAfterLyricChar(n));
        c.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        if (structural(doc->findBlock(c.selectionStart()).text()))
            return QString();
        return c.selectedText();
    }
};

#endif // REFERENCELYRICINDEX_H
