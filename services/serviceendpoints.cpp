#include "serviceendpoints.h"

#include <QByteArray>

namespace {

QString baseUrl(const char *variable, const char *builtIn)
{
    QString url = qEnvironmentVariableIsSet(variable) ? qEnvironmentVariable(variable)
                                                      : QString::fromUtf8(builtIn);
    url = url.trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

ServiceEndpoints ServiceEndpoints::fromEnvironment()
{
    ServiceEndpoints endpoints;
    endpoints.apiBaseUrl = baseUrl("QELUN_API_BASE_URL", QELUN_DEFAULT_API_BASE_URL);
    endpoints.siteBaseUrl = baseUrl("QELUN_SITE_BASE_URL", QELUN_DEFAULT_SITE_BASE_URL);
    return endpoints;
}

const ServiceEndpoints &ServiceEndpoints::instance()
{
    static const ServiceEndpoints endpoints = fromEnvironment();
    return endpoints;
}
