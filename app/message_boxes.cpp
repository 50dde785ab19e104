#include "message_boxes.h"

#include "application_title.h"
#include "window_centring.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

namespace {

// QMessageBox lays itself out while being shown, so the centring has to wait for
// the show event to know the final size.
class CentredMessageBox : public QMessageBox {
public:
    CentredMessageBox(Icon icon, const QString& text)
        : QMessageBox(icon, applicationTitle(), text, QMessageBox::Ok)
    {
        setObjectName(QStringLiteral("MessageBox"));
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        WindowCentring::centreOnScreen(this);
    }
};

void showBox(QMessageBox::Icon icon, const QString& text)
{
    CentredMessageBox box(icon, text);
    box.exec();
}

} // namespace

namespace MessageBoxes {

void inform(const QString& text)
{
    showBox(QMessageBox::NoIcon, text);
}

void showError(const QString& message)
{
    showBox(QMessageBox::Critical, withFullStop(message));
}

QString withFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + QLatin1Char('.');
    }
    return message;
}

} // namespace MessageBoxes
