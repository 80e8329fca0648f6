#include "gcpfile.h"
#include "modalanswerer.h"
#include "openfailure.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUndoStack>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include "gcptestfiles.h"
#include "smalldisk.h"

using namespace GcpTestFiles;

namespace {

const QString lyrics = QStringLiteral("# 游园\n原来姹紫");
const QString score = QStringLiteral("a\nb\nc\nd");

} // namespace

class TestQLEditFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void openLoadsBothTexts();
    void openRejects_data();
    void openRejects();
    void openUnreadableGivesReason();
    void openEmptyFile();
    void saveAsksBeforeReplacingUnconfirmedFile_data();
    void saveAsksBeforeReplacingUnconfirmedFile();
    void saveDialogAsksAboutTheNameItReturns();
    void saveNewDocument_data();
    void saveNewDocument();
    void saveBoundDocumentWritesWithoutDialog();
    void saveAsWritesCopy();
    void cancelledSaveChangesNothing();
    void failedSaveKeepsChosenPath();
    void failedSaveKeepsOldFile();
    void fullDiskSaveIsReported();
    void savedLinesReadBackTheSame_data();
    void savedLinesReadBackTheSame();
    void olderFileLoadsUnchanged();

private:
    QTemporaryDir dir;
};

void TestQLEditFile::init()
{
    QVERIFY(dir.isValid());
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
        QFile::remove(dir.filePath(name));
}

void TestQLEditFile::openLoadsBothTexts()
{
    const QString path = dir.filePath("song.gcp");
    QVERIFY(writeFile(path, encoded(lyrics, score)));

    QL_Edit doc;
    QSignalSpy spy(&doc, &QL_Edit::modifiedChanged);
    ModalAnswerer answerer;
    QVERIFY(doc.open(path));
    QCOMPARE(doc.lyricEdit()->toPlainText(), lyrics);
    QCOMPARE(doc.scoreEdit()->toPlainText(), score);
    QCOMPARE(doc.filePath(), path);
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.title(), QStringLiteral("song.gcp"));
    QCOMPARE(spy.count() >= 1 ? spy.last().at(0).toBool() : true, false);
    QVERIFY(!doc.document()->isSyncing());
    QVERIFY(!doc.undoStack()->canUndo());
    QVERIFY(!doc.lyricEdit()->document()->isUndoAvailable());
    QVERIFY(answerer.boxes.isEmpty());
}

void TestQLEditFile::openRejects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");

    const QString openError = QStringLiteral("打开文件时发生错误！");
    const QString error = QStringLiteral("错误");
    const QByteArray good = encoded(lyrics, score);
    QTest::addRow("truncated") << "a.gcp" << good.left(good.size() - 3) << error << openError
                               << QStringLiteral("文件不完整，可能在复制或保存时被截断。");
    QTest::addRow("garbage") << "a.gcp" << QByteArray("\x13\x37garbage in, nothing out") << error << openError
                             << QStringLiteral("这不是工尺谱文件，或文件已损坏。");
    QTest::addRow("huge length")
        << "a.gcp" << QByteArray::fromHex("000000017ffffff0") + QByteArray(32, 'z') << error << openError
        << QStringLiteral("这不是工尺谱文件，或文件已损坏。");
    QTest::addRow("text file name")
        << "a.txt" << good << QStringLiteral("文件类型错误") << QStringLiteral("请选择工尺谱文件（.gcp）格式！")
        << QString();
    QTest::addRow("missing file") << "missing.gcp" << QByteArray() << error << openError
                                  << QStringLiteral("找不到此文件。");
    QTest::addRow("missing text file") << "missing.txt" << QByteArray() << error << openError
                                       << QStringLiteral("找不到此文件。");
    QTest::addRow("folder") << "folder.gcp" << QByteArray() << error << openError
                            << QStringLiteral("这是一个文件夹，不是文件。");
    // Refused before it is opened: reading would wait for a writer forever.
    QTest::addRow("FIFO") << "fifo.gcp" << QByteArray() << error << openError
                          << QStringLiteral("这不是普通文件（例如管道或设备文件）。");
}

void TestQLEditFile::openRejects()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, reason);

    const QString path = dir.filePath(name);
    if (name.startsWith(QLatin1String("folder")))
        QVERIFY(QDir(dir.path()).mkpath(name));
    else if (name.startsWith(QLatin1String("fifo")))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (!name.startsWith(QLatin1String("missing")))
        QVERIFY(writeFile(path, bytes));

    QL_Edit doc;
    ModalAnswerer answerer;
    QVERIFY(!doc.open(path));
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, title);
    QCOMPARE(answerer.boxes.first().text, text);
    QCOMPARE(answerer.boxes.first().icon, QMessageBox::Warning);
    // The reason, and the file it is about, below the message.
    const QString informative = answerer.boxes.first().informativeText;
    if (reason.isEmpty())
        QVERIFY(informative.isEmpty());
    else
        QCOMPARE(informative, reason + QLatin1Char('\n') + QDir::toNativeSeparators(path));
    QVERIFY(doc.lyricEdit()->toPlainText().isEmpty());
    QCOMPARE(doc.title(), QStringLiteral("未命名"));
    QDir(dir.path()).rmdir(name);
}

void TestQLEditFile::openUnreadableGivesReason()
{
    // A file its owner may only write, opened by another user. Root reads any
    // file, so as root the opening runs in a child that became "nobody".
    const QFileDevice::Permissions enter = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                           | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(dir.path(), enter));
    const QString path = dir.filePath("locked.gcp");
    QVERIFY(writeFile(path, encoded(lyrics, score)));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const auto refusedWithReason = [&path] {
        GcpFile::Texts texts;
        const GcpFile::LoadResult result = GcpFile::load(path, &texts);
        return result == GcpFile::LoadResult::CannotOpen
               && OpenFailure::reason(path, result) == QStringLiteral("没有读取此文件的权限。");
    };
    if (::geteuid() != 0) {
        QVERIFY(refusedWithReason());
        return;
    }
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::_exit(refusedWithReason() ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

void TestQLEditFile::openEmptyFile()
{
    // A file made with touch is a new document, bound to that file.
    const QString path = dir.filePath("new.gcp");
    QVERIFY(writeFile(path, QByteArray()));
    QL_Edit doc;
    ModalAnswerer answerer;
    QVERIFY(doc.open(path));
    QVERIFY(answerer.boxes.isEmpty());
    QVERIFY(doc.lyricEdit()->toPlainText().isEmpty());
    QVERIFY(doc.scoreEdit()->toPlainText().isEmpty());
    QCOMPARE(doc.title(), QStringLiteral("new.gcp"));
    QVERIFY(!doc.isModified());
    // Saving writes a proper document to it without asking.
    QVERIFY(doc.save(false));
    QCOMPARE(fileBytes(path), QByteArray(16, '\0'));
    QVERIFY(answerer.dialogCaptions.isEmpty());
}

void TestQLEditFile::saveAsksBeforeReplacingUnconfirmedFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::addRow("suffix added, replace") << "Song" << QMessageBox::Yes << true << true;
    QTest::addRow("suffix added, keep") << "Song" << QMessageBox::No << true << false;
    QTest::addRow("other name") << "Other" << QMessageBox::No << false << false;
}

void TestQLEditFile::saveAsksBeforeReplacingUnconfirmedFile()
{
    QFETCH(QString, chosen);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    const QString existing = dir.filePath("Song.gcp");
    const QByteArray before = encoded(lyrics, score);
    QVERIFY(writeFile(existing, before));

    QL_Edit doc;
    ModalAnswerer answerer({dir.filePath(chosen)});
    answerer.questionAnswer = answer;
    const bool saved = doc.save(false);
    QCOMPARE(answerer.boxes.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(answerer.boxes.first().title, QStringLiteral("警告"));
        QCOMPARE(answerer.boxes.first().text, QStringLiteral("\"Song.gcp\"已存在，是否替换？"));
    }
    QCOMPARE(fileBytes(existing), replaced ? QByteArray(16, '\0') : before);
    // Keeping the file is a cancelled save: the document stays unbound.
    const bool kept = asked && !replaced;
    QCOMPARE(saved, !kept);
    QCOMPARE(doc.title(), kept ? QStringLiteral("未命名") : QFileInfo(doc.filePath()).fileName());
}

void TestQLEditFile::saveDialogAsksAboutTheNameItReturns()
{
    // The dialog asks itself about a name it returns whole; it is not asked twice.
    const QString existing = dir.filePath("Song.gcp");
    QVERIFY(writeFile(existing, encoded(lyrics, score)));
    QL_Edit doc;
    ModalAnswerer answerer({existing});
    QVERIFY(doc.save(false));
    QCOMPARE(answerer.boxes.size(), 1);
    QVERIFY(answerer.boxes.first().text != QStringLiteral("\"Song.gcp\"已存在，是否替换？"));
    QCOMPARE(fileBytes(existing), QByteArray(16, '\0'));
}

void TestQLEditFile::saveNewDocument_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addRow("suffix added") << "Song" << "Song.gcp";
    QTest::addRow("upper-case suffix kept") << "Song.GCP" << "Song.GCP";
}

void TestQLEditFile::saveNewDocument()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);

    QL_Edit doc;
    QCOMPARE(doc.title(), QStringLiteral("未命名"));
    ModalAnswerer answerer({dir.filePath(chosen)});
    QSignalSpy spy(&doc, &QL_Edit::modifiedChanged);
    QVERIFY(doc.save(false));

    QCOMPARE(answerer.dialogCaptions, QStringList{QStringLiteral("选择文件")});
    QCOMPARE(answerer.dialogFilters, QStringList{QStringLiteral("工尺谱文件 (*.gcp)")});
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(doc.filePath(), dir.filePath(written));
    QCOMPARE(fileBytes(dir.filePath(written)), QByteArray(16, '\0'));
    QCOMPARE(doc.title(), written);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toBool(), false);
}

void TestQLEditFile::saveBoundDocumentWritesWithoutDialog()
{
    const QString path = dir.filePath("song.gcp");
    QVERIFY(writeFile(path, encoded(lyrics, score)));
    QL_Edit doc;
    QVERIFY(doc.open(path));
    doc.lyricEdit()->setPlainText(QStringLiteral("原来"));
    QCOMPARE(doc.title(), QStringLiteral("song.gcp*"));

    ModalAnswerer answerer;
    QVERIFY(doc.save(false));
    QVERIFY(answerer.dialogCaptions.isEmpty());
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(fileBytes(path), encoded(QStringLiteral("原来"), score));
    QCOMPARE(doc.title(), QStringLiteral("song.gcp"));
}

void TestQLEditFile::saveAsWritesCopy()
{
    const QString path = dir.filePath("song.gcp");
    const QByteArray original = encoded(lyrics, score);
    QVERIFY(writeFile(path, original));
    QL_Edit doc;
    QVERIFY(doc.open(path));
    doc.scoreEdit()->setPlainText(QStringLiteral("x"));
    QVERIFY(doc.isModified());

    const QString copy = dir.filePath("copy.gcp");
    {
        ModalAnswerer answerer({dir.filePath("copy")});
        QSignalSpy spy(&doc, &QL_Edit::modifiedChanged);
        QVERIFY(doc.save(true));
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.first().title, QStringLiteral("提示"));
        QCOMPARE(answerer.boxes.first().text, copy + QStringLiteral("保存成功！"));
        QCOMPARE(answerer.boxes.first().icon, QMessageBox::Information);
        QCOMPARE(spy.count(), 0);
    }
    QCOMPARE(fileBytes(copy), encoded(lyrics, QStringLiteral("x")));
    QCOMPARE(fileBytes(path), original);
    QCOMPARE(doc.filePath(), path);
    QCOMPARE(doc.title(), QStringLiteral("song.gcp*"));

    // The next save still goes to the document's own file, without a dialog.
    ModalAnswerer answerer;
    QVERIFY(doc.save(false));
    QVERIFY(answerer.dialogCaptions.isEmpty());
    QCOMPARE(fileBytes(path), encoded(lyrics, QStringLiteral("x")));
}

void TestQLEditFile::cancelledSaveChangesNothing()
{
    QL_Edit doc;
    doc.lyricEdit()->setPlainText(QStringLiteral("原"));
    ModalAnswerer answerer({QString(), QString()});
    QVERIFY(!doc.save(false));
    QVERIFY(!doc.save(true));
    QCOMPARE(answerer.dialogCaptions.size(), 2);
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(doc.filePath(), QStringLiteral("未命名"));
    QVERIFY(doc.isModified());
    QCOMPARE(doc.title(), QStringLiteral("未命名*"));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestQLEditFile::failedSaveKeepsChosenPath()
{
    QL_Edit doc;
    doc.lyricEdit()->setPlainText(QStringLiteral("原"));
    const QString chosen = dir.filePath("no-such-folder/song.gcp");
    ModalAnswerer answerer({dir.filePath("no-such-folder/song")});
    const bool saved = doc.save(false);

    QVERIFY(!saved);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("错误"));
    QVERIFY(answerer.boxes.first().text.startsWith(QStringLiteral("保存文件时发生错误！")));
    QCOMPARE(doc.filePath(), chosen);
    QVERIFY(doc.isModified());
}

void TestQLEditFile::failedSaveKeepsOldFile()
{
    const QString path = dir.filePath("song.gcp");
    const QByteArray original = encoded(lyrics, score);
    QVERIFY(writeFile(path, original));
    QL_Edit doc;
    QVERIFY(doc.open(path));
    doc.lyricEdit()->setPlainText(QString(50000, QChar(0x4E00)));

    ModalAnswerer answerer;
    bool saved = true;
    {
        // As a full disk would: writes beyond 64 bytes fail.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved_limit {};
        getrlimit(RLIMIT_FSIZE, &saved_limit);
        rlimit limited = saved_limit;
        limited.rlim_cur = 64;
        if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
            QSKIP("cannot limit the file size");
        saved = doc.save(false);
        setrlimit(RLIMIT_FSIZE, &saved_limit);
    }
    QVERIFY(!saved);
    QCOMPARE(answerer.boxes.size(), 1);
    QVERIFY(answerer.boxes.first().text.startsWith(QStringLiteral("保存文件时发生错误！")));
    QCOMPARE(fileBytes(path), original);
    QVERIFY(doc.isModified());
    QCOMPARE(doc.title(), QStringLiteral("song.gcp*"));
}

void TestQLEditFile::fullDiskSaveIsReported()
{
    SmallDisk::Disk disk;
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = disk.filePath(QStringLiteral("song.gcp"));
    const QByteArray original = encoded(lyrics, score);
    QVERIFY(writeFile(path, original));
    QL_Edit doc;
    QVERIFY(doc.open(path));
    doc.lyricEdit()->setPlainText(lyrics + QStringLiteral("\n不到园林"));
    QVERIFY(disk.fill());

    ModalAnswerer answerer;
    QVERIFY(!doc.save(false));
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, QStringLiteral("错误"));
    // The box says why.
    QCOMPARE(answerer.boxes.first().text, QStringLiteral("保存文件时发生错误！\n原因：磁盘空间不足"));
    QCOMPARE(fileBytes(path), original);
    QCOMPARE(doc.title(), QStringLiteral("song.gcp*"));

    // Once there is room the same save goes through.
    disk.empty();
    QVERIFY(doc.save(false));
    QCOMPARE(doc.title(), QStringLiteral("song.gcp"));
    GcpFile::Texts texts;
    QCOMPARE(GcpFile::load(path, &texts), GcpFile::LoadResult::Loaded);
    QCOMPARE(texts.lyric, lyrics + QStringLiteral("\n不到园林"));
}

void TestQLEditFile::savedLinesReadBackTheSame_data()
{
    QTest::addColumn<QString>("typedLyric");
    QTest::addColumn<QString>("typedScore");
    QTest::addColumn<QStringList>("lyricLines");
    QTest::addRow("no-break space between sung characters")
        << QStringLiteral(u"你\u00A0好") << QString() << QStringList{QStringLiteral(u"你\u00A0好")};
    QTest::addRow("line separator")
        << QStringLiteral(u"你\u2028好") << QString() << QStringList{QStringLiteral("你"), QStringLiteral("好")};
    QTest::addRow("no-break space in the notation")
        << QStringLiteral("你好") << QStringLiteral(u"\U000F002C\u00A0\U000F002A") << QStringList{QStringLiteral("你好")};
    QTest::addRow("characters outside the BMP and format characters")
        << QStringLiteral(u"\U00020000你\u200D\u00AD\uE000好") << QString()
        << QStringList{QStringLiteral(u"\U00020000你\u200D\u00AD\uE000好")};
}

void TestQLEditFile::savedLinesReadBackTheSame()
{
    // A document saved and opened again has the same lines, and so the same
    // pairing, as the one the user typed.
    QFETCH(QString, typedLyric);
    QFETCH(QString, typedScore);
    QFETCH(QStringList, lyricLines);
    const QString path = dir.filePath("song.gcp");
    QVERIFY(writeFile(path, encoded(QString(), QString())));
    QL_Edit doc;
    QVERIFY(doc.open(path));
    QInputMethodEvent lyricCommit;
    lyricCommit.setCommitString(typedLyric);
    QApplication::sendEvent(doc.lyricEdit(), &lyricCommit);
    QTextCursor start(doc.scoreEdit()->document());
    doc.scoreEdit()->setTextCursor(start);
    QInputMethodEvent scoreCommit;
    scoreCommit.setCommitString(typedScore);
    QApplication::sendEvent(doc.scoreEdit(), &scoreCommit);
    QVERIFY(doc.save(false));

    QL_Edit reopened;
    QVERIFY(reopened.open(path));
    QStringList lines;
    for (QTextBlock block = reopened.lyricEdit()->document()->firstBlock(); block.isValid(); block = block.next())
        lines.append(block.text());
    QCOMPARE(lines, lyricLines);
    QCOMPARE(reopened.lyricEdit()->lyricText(), doc.lyricEdit()->lyricText());
    QCOMPARE(reopened.scoreEdit()->document()->firstBlock().text(),
             doc.scoreEdit()->document()->firstBlock().text());
    QCOMPARE(reopened.scoreEdit()->blockCount(), doc.scoreEdit()->blockCount());
    QVERIFY(reopened.pairing().isPaired());
}

void TestQLEditFile::olderFileLoadsUnchanged()
{
    // Older versions saved one score line more than there are sung
    // characters; such a file opens and saves as it is, and says so.
    const QString path = dir.filePath("old.gcp");
    const QByteArray bytes = encoded(QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    QVERIFY(writeFile(path, bytes));
    QL_Edit doc;
    QSignalSpy changes(&doc, &QL_Edit::pairingChanged);
    QVERIFY(doc.open(path));
    QCOMPARE(doc.scoreEdit()->toPlainText(), QStringLiteral("a\nb\n"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(doc.pairing().firstSurplusLine(), 2);
    QVERIFY(doc.save(false));
    QCOMPARE(fileBytes(path), bytes);
}

QTEST_MAIN(TestQLEditFile)
#include "tst_ql_edit_file.moc"
