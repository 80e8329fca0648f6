// Feeds the .gcp reader a deterministic stream of mutated files and checks
// that it neither crashes, nor trips the address and undefined-behaviour
// sanitizers it is built with, nor hangs, and that whatever it accepts is a
// document that writes back and reads again unchanged.
#include "gcpfile.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <random>

#include "gcptestfiles.h"

using namespace GcpTestFiles;

namespace {

class Mutator
{
public:
    explicit Mutator(quint32 seed) : random(seed) {}

    QByteArray mutate(QByteArray bytes, const QList<QByteArray> &seeds)
    {
        const int rounds = 1 + int(below(4));
        for (int i = 0; i < rounds; ++i)
            mutateOnce(bytes, seeds);
        return bytes;
    }

private:
    quint32 below(quint32 n) { return n == 0 ? 0 : random() % n; }

    void mutateOnce(QByteArray &bytes, const QList<QByteArray> &seeds)
    {
        // Lengths the stream takes seriously: empty, odd, huge, the null
        // marker, sign bits, and the true size give or take one.
        const quint32 interesting[] = {0, 1, 2, 3, 0x7FFFFFFF, 0x7FFFFFFE, 0xFFFFFFFF, 0xFFFFFFFE,
                                       0x80000000, 0x00010000, 0x00FFFFFF,
                                       quint32(bytes.size()), quint32(bytes.size() - 1),
                                       quint32(bytes.size() + 1)};
        switch (below(8)) {
        case 0: // flip one bit
            if (!bytes.isEmpty())
                bytes[int(below(bytes.size()))] ^= char(1 << below(8));
            break;
        case 1: // set one byte
            if (!bytes.isEmpty())
                bytes[int(below(bytes.size()))] = char(below(256));
            break;
        case 2: { // overwrite a 32-bit field with an interesting value
            if (bytes.size() < 4)
                break;
            const int at = int(below(bytes.size() - 3)) & (below(4) ? ~3 : ~0);
            const quint32 v = interesting[below(sizeof interesting / sizeof *interesting)];
            bytes[at] = char(v >> 24);
            bytes[at + 1] = char(v >> 16);
            bytes[at + 2] = char(v >> 8);
            bytes[at + 3] = char(v);
            break;
        }
        case 3: { // insert random bytes
            QByteArray extra;
            for (quint32 n = 1 + below(16); n > 0; --n)
                extra.append(char(below(256)));
            bytes.insert(int(below(bytes.size() + 1)), extra);
            break;
        }
        case 4: { // delete a range
            if (bytes.isEmpty())
                break;
            const int at = int(below(bytes.size()));
            bytes.remove(at, int(1 + below(qMin<quint32>(32, bytes.size() - at))));
            break;
        }
        case 5: // truncate
            bytes.truncate(int(below(bytes.size() + 1)));
            break;
        case 6: { // duplicate a chunk
            if (bytes.isEmpty())
                break;
            const int at = int(below(bytes.size()));
            const QByteArray chunk = bytes.mid(at, int(1 + below(64)));
            bytes.insert(int(below(bytes.size() + 1)), chunk);
            break;
        }
        default: { // splice with another seed
            const QByteArray &other = seeds.at(int(below(seeds.size())));
            const int cut = int(below(bytes.size() + 1));
            bytes = bytes.left(cut) + other.mid(int(below(other.size() + 1)));
            break;
        }
        }
    }

    std::mt19937 random;
};

} // namespace

class TestGcpFileFuzz : public QObject
{
    Q_OBJECT

private slots:
    void mutatedFiles();
};

void TestGcpFileFuzz::mutatedFiles()
{
    QList<QByteArray> seeds = {
        encoded(QString(), QString()),
        encoded(QStringLiteral("你好"), QString()),
        encoded(QStringLiteral("# 游园\n【皂罗袍】\n原来姹紫嫣红开遍"),
                QString::fromUcs4(U"\U000F002C\U000F0000\n\U000F0041\n\n\U000F0020")),
    };
    QFile example(QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp"));
    if (example.open(QIODevice::ReadOnly))
        seeds.append(example.readAll());

    const int inputs = qEnvironmentVariableIntValue("QELUN_FUZZ_INPUTS") > 0
                           ? qEnvironmentVariableIntValue("QELUN_FUZZ_INPUTS")
                           : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath("fuzz.gcp");
    Mutator mutator(20261208);
    int accepted = 0;
    QElapsedTimer timer;
    timer.start();

    for (int i = 0; i < inputs; ++i) {
        const QByteArray input = mutator.mutate(seeds.at(i % seeds.size()), seeds);
        GcpFile::Texts texts;
        QBuffer buffer;
        buffer.setData(input);
        buffer.open(QIODevice::ReadOnly);
        const bool ok = GcpFile::read(&buffer, &texts);
        if (ok) {
            ++accepted;
            // Whatever was accepted is a document: it writes back and reads
            // again as the same two texts.
            const QByteArray again = encoded(texts.lyric, texts.score);
            QCOMPARE(again.size(), 16 + 2 * int(texts.lyric.size() + texts.score.size()));
            GcpFile::Texts reread;
            QBuffer copy;
            copy.setData(again);
            copy.open(QIODevice::ReadOnly);
            QVERIFY(GcpFile::read(&copy, &reread));
            QCOMPARE(reread.lyric, texts.lyric);
            QCOMPARE(reread.score, texts.score);
        }
        // Every hundredth input also goes through a real file.
        if (i % 100 == 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(input);
            file.close();
            GcpFile::Texts fromFile;
            const bool loaded = GcpFile::load(path, &fromFile) == GcpFile::LoadResult::Loaded;
            // An empty file is a new, empty document.
            QCOMPARE(loaded, ok || input.isEmpty());
        }
    }

    qInfo("fuzzed %d inputs: %d accepted, %d rejected, in %lld ms", inputs, accepted,
          inputs - accepted, timer.elapsed());
    // The mutations must reach both outcomes, or the loop tests nothing.
    QVERIFY(accepted > 0);
    QVERIFY(accepted < inputs);
}

QTEST_GUILESS_MAIN(TestGcpFileFuzz)
#include "tst_gcpfile_fuzz.moc"
