#include "link_opener.h"

#include <QDesktopServices>

namespace {

// Placeholder hosts under the reserved .example domain, so no real third party is
// ever linked.
const QString developerHost = QStringLiteral("tandemo.example");
const QString mailAddress = QStringLiteral("author@tandemo.example");
const QString shopHost = QStringLiteral("shop.example");
const QString affiliateId = QStringLiteral("tandemo");

const QString http = QStringLiteral("http://");

} // namespace

namespace Links {

QString developerSite()
{
    return http + developerHost;
}

QString consultationPage()
{
    return developerSite() + QStringLiteral("/consult.htm");
}

QString developerMail()
{
    return QStringLiteral("mailto: ") + mailAddress;
}

QString shopStartPage()
{
    return http + shopHost + QStringLiteral("/porta.phtml?from=") + affiliateId;
}

QString shopPartnerPage()
{
    return http + shopHost + QStringLiteral("/partner.phtml?from=") + affiliateId;
}

QString shopPricePage()
{
    return http + QStringLiteral("www.") + shopHost + QStringLiteral("/porta.phtml?from=") +
           affiliateId + QStringLiteral("&to=price4.htm");
}

QString shopDomainCapitals()
{
    return shopHost.toUpper();
}

} // namespace Links

namespace LinkOpener {

QUrl toUrl(const QString& address)
{
    const QString mailto = QStringLiteral("mailto:");
    if (address.startsWith(mailto, Qt::CaseInsensitive)) {
        return QUrl(mailto + address.mid(mailto.size()).trimmed(), QUrl::StrictMode);
    }
    return QUrl(address, QUrl::StrictMode);
}

void open(const QString& address)
{
    QDesktopServices::openUrl(toUrl(address));
}

} // namespace LinkOpener
