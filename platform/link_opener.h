#pragma once
// Every web and mail address the program hands to the desktop is formed here from
// four values, and opened through LinkOpener::open(), which ignores the outcome.
// To point the program at other sites, change the four constants in link_opener.cpp.

#include <QString>
#include <QUrl>

namespace Links {

QString developerSite();      // http://<developer host>
QString consultationPage();   // http://<developer host>/consult.htm
QString developerMail();      // mailto: <address>   (with the space)
QString shopStartPage();      // http://<shop host>/porta.phtml?from=<id>
QString shopPartnerPage();    // http://<shop host>/partner.phtml?from=<id>
QString shopPricePage();      // http://www.<shop host>/porta.phtml?from=<id>&to=price4.htm
QString shopDomainCapitals(); // the shop's bare host name in capitals

} // namespace Links

namespace LinkOpener {

// What actually reaches the desktop for a formed address: the "mailto: " form is
// not a valid URL, so its space is dropped here, at the last step.
QUrl toUrl(const QString& address);

void open(const QString& address);

} // namespace LinkOpener
