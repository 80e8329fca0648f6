#include "inputmethod.h"
#include "randomediting.h"

#include <QTemporaryDir>
#include <QTest>

// Drives documents through random editing, as a user would: keys and input-
// method commits of every kind of character in both editors, the insert
// actions, clipboard pastes, score lines split and joined on purpose, undo
// and redo, and a save and reopen in the middle. See RandomEditingEpisode for
// what is checked after every step. bench_editinvariant runs many more
// episodes.
class TestEditInvariant : public QObject
{
    Q_OBJECT

private slots:
    void randomEpisodes_data();
    void randomEpisodes();

private:
    QTemporaryDir folder;
};

void TestEditInvariant::randomEpisodes_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 30; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestEditInvariant::randomEpisodes()
{
    QFETCH(quint32, seed);
    QVERIFY(folder.isValid());
    RandomEditingEpisode episode(seed, 80, folder.path());
    const QString failure = episode.run();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

QTEST_MAIN(TestEditInvariant)
#include "tst_editinvariant.moc"
