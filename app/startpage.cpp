#include "startpage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const char scheme[] = "qelun";

} // namespace

QString StartPage::examplePath()
{
    // Beside the program in the build and in a portable folder; in the
    // program's data folder when installed.
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("examples/youyuan-zaoluopao.gcp");
    for (const QString &path : {programDir.absoluteFilePath(name),
                                QDir(programDir.absoluteFilePath(QStringLiteral(QELUN_DATA_FROM_BIN)))
                                    .absoluteFilePath(name)}) {
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return QString();
}

QString StartPage::html(const QString &examplePath)
{
    QString page = tr(
        "<html><body style=\"font-family:'Microsoft YaHei UI'; font-size:11pt;\">"
        "<h2>Qelun工尺谱</h2>"
        "<p>编辑昆曲工尺谱的软件：左边输入唱词，右边逐字输入曲谱，每个唱字对应一行曲谱；"
        "曲谱按传统竖排排版，可导出为 PDF、JPG、PNG 和 SVG。</p>"
        "<h3>开始</h3>"
        "<ul>"
        "<li><a href=\"qelun:new\">新建</a>一份曲谱（Ctrl+N）</li>"
        "<li><a href=\"qelun:open\">打开</a>已有的 .gcp 文件（Ctrl+O）</li>");
    if (!examplePath.isEmpty()) {
        page += tr("<li>看一看示例曲谱：<a href=\"qelun:example\">《牡丹亭·游园》【皂罗袍】</a></li>");
    } else {
        page += tr("<li>示例曲谱《牡丹亭·游园》【皂罗袍】在源代码的 examples 文件夹中"
                   "（youyuan-zaoluopao.gcp）</li>");
    }
    page += tr(
        "</ul>"
        "<h3>帮助</h3>"
        "<p>曲谱输入法的拼音字符对应表和规则见菜单“关于 → <a href=\"qelun:help\">帮助</a>”，"
        "也可以点工具栏上的“帮助”按钮。</p>"
        "</body></html>");
    return page;
}

StartPage::Command StartPage::command(const QUrl &link)
{
    if (link.scheme() != QLatin1String(scheme))
        return Command::None;
    const QString name = link.path();
    if (name == QLatin1String("new"))
        return Command::New;
    if (name == QLatin1String("open"))
        return Command::Open;
    if (name == QLatin1String("example"))
        return Command::Example;
    if (name == QLatin1String("help"))
        return Command::Help;
    return Command::None;
}
