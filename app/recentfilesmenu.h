#ifndef RECENTFILESMENU_H
#define RECENTFILESMENU_H

#include <QMenu>

// 最近打开: the documents opened or saved last, newest first, read from the
// settings each time the menu opens (another window may have added one), and
// 清除列表. A file that is gone by the time it is chosen leaves the list.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT

public:
    explicit RecentFilesMenu(QWidget *parent = nullptr);

signals:
    void fileChosen(const QString &path);

private:
    void rebuild();
};

#endif // RECENTFILESMENU_H
