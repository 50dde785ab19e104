#include "info.h"
#include "ui_info.h"

#include "guarded_clicks.h"
#include "window_look.h"

TInfo::TInfo(QWidget* parent)
    : DesignedDialog({.frame = WindowLook::sizeableFrame}, parent), m_ui(new Ui::TInfo)
{
    m_ui->setupUi(this);
    applyDesign();
    onClick(m_ui->BitBtn1, this, [this] { accept(); });
}

TInfo::~TInfo() = default;

void TInfo::showPercentage(int percent)
{
    m_ui->Edit1->setText(QString::number(percent) + QLatin1Char('%'));
    exec();
}

// What the form format cannot hold: position, pixel font sizes and colours.
void TInfo::applyDesign()
{
    using namespace WindowLook;
    resize(clientSizeForOuter(QSize(277, 197)));
    move(192, 109);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    // The window's teal heading reads on the face of a light desktop; a dark desktop's
    // face is taken a shade darker under it.
    setBackground(this, readableOn(btnFace(), teal));

    m_ui->Label1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 19));
    setTextColour(m_ui->Label1, teal);
    m_ui->Edit1->setFont(pixelFont(QStringLiteral("Lucida Sans"), 40));
    setTextColour(m_ui->BitBtn1, red);
}

void TInfo::measure()
{
    WindowLook::condenseToFit(m_ui->Label1);
    // Every percentage the questionnaire writes shows whole, the widest ("100%") too.
    QStringList percentages;
    for (int percent = 0; percent <= 100; ++percent) {
        percentages << QString::number(percent) + QLatin1Char('%');
    }
    WindowLook::condenseToFit(m_ui->Edit1, percentages);
}
