#include "about.h"
#include "ui_about.h"

#include "pagetext.h"
#include "serviceendpoints.h"

About::About(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::About)
{
    ui->setupUi(this);
    ui->textBrowser->setHtml(pageHtml());
}

About::~About()
{
    delete ui;
}

QString About::pageHtml()
{
    const ServiceEndpoints &endpoints = ServiceEndpoints::instance();
    const QString none = PageText::linkOrNone(QString());
    return PageText::load(QStringLiteral(":/dialogs/about.html"), "About",
                          {{QStringLiteral("version"), endpoints.appVersion},
                           {QStringLiteral("site"), PageText::linkOrNone(endpoints.siteBaseUrl)},
                           {QStringLiteral("email"), none},
                           {QStringLiteral("group"), none}});
}
