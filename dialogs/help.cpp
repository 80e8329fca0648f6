#include "help.h"
#include "ui_help.h"

#include "fontmanager.h"
#include "pagetext.h"
#include "serviceendpoints.h"

Help::Help(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Help)
{
    ui->setupUi(this);
    ui->textBrowser->setHtml(pageHtml());
}

Help::~Help()
{
    delete ui;
}

QString Help::pageHtml()
{
    const ServiceEndpoints &endpoints = ServiceEndpoints::instance();
    const QString site = endpoints.siteBaseUrl;
    // The symbols are private-use characters: any other font draws boxes.
    return PageText::load(QStringLiteral(":/dialogs/help.html"), "Help",
                          {{QStringLiteral("notation-font"), FontManager::instance().notationFamily()},
                           {QStringLiteral("documentation"),
                            PageText::linkOrNone(site.isEmpty() ? site : site + QStringLiteral("/help/"))}});
}
