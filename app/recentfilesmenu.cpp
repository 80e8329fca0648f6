#include "recentfilesmenu.h"

#include "recentfiles.h"

#include <QDir>
#include <QFileInfo>

RecentFilesMenu::RecentFilesMenu(QWidget *parent)
    : QMenu(tr("最近打开(&R)"), parent)
{
    setObjectName(QStringLiteral("recentFilesMenu"));
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    clear();
    const QStringList files = RecentFiles::forApplication().files();
    int number = 0;
    for (const QString &file : files) {
        ++number;
        // "&" in a file name would be read as a mnemonic.
        QString name = QFileInfo(file).fileName();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(name)
                                         : QStringLiteral("%1 %2").arg(number).arg(name);
        QAction *action = addAction(text);
        action->setToolTip(QDir::toNativeSeparators(file));
        action->setStatusTip(QDir::toNativeSeparators(file));
        connect(action, &QAction::triggered, this, [this, file] {
            if (!QFileInfo(file).isFile())
                RecentFiles::forApplication().remove(file);
            emit fileChosen(file);
        });
    }
    if (files.isEmpty())
        addAction(tr("（无）"))->setEnabled(false);
    addSeparator();
    QAction *clearList = addAction(tr("清除列表"));
    clearList->setObjectName(QStringLiteral("clearRecentFilesAction"));
    clearList->setEnabled(!files.isEmpty());
    connect(clearList, &QAction::triggered, this, [] { RecentFiles::forApplication().clear(); });
    setEnabled(true);
}
