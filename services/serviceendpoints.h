#ifndef SERVICEENDPOINTS_H
#define SERVICEENDPOINTS_H

#include <QString>

// The one read-only record of the product's server addresses and request
// constants, shared by everything that talks to the servers.
//
// The base addresses come from the environment (QELUN_API_BASE_URL,
// QELUN_SITE_BASE_URL) or, failing that, from the build (the CMake cache
// variables of the same names). Both default to no address at all, and
// without an API address the start page, the update check and the statistics
// send nothing at all.
struct ServiceEndpoints
{
    QString apiBaseUrl;
    QString siteBaseUrl;
    QString formContentType = QStringLiteral("application/x-www-form-urlencoded");
    QString appVersion = QStringLiteral(QELUN_VERSION);
    QString updateCheckPath = QStringLiteral("/update_check.json");
    QString sponsorPagePath = QStringLiteral("/sponsor.html");
    QString downloadPagePath = QStringLiteral("/");
    QString statisticsPath = QStringLiteral("statistics.php");

    // Built on first use; the environment is read then and only then.
    static const ServiceEndpoints &instance();

    // The record as the environment and the build give it now; instance()
    // keeps the first such record for the life of the process.
    static ServiceEndpoints fromEnvironment();
};

#endif // SERVICEENDPOINTS_H
