#include "attract.h"
#include "ui_attract.h"

#include "text_window.h"
#include "window_look.h"

TAttract::TAttract(QWidget* parent)
    : DesignedDialog({.frame = WindowLook::sizeableFrame, .buttons = {.cancelButton = true}},
                     parent),
      m_ui(new Ui::TAttract)
{
    m_ui->setupUi(this);
    applyDesign();
    TextWindow::showText(m_ui->Memo1, Assets::Attraction);
    TextWindow::setClosingButton(this, m_ui->BitBtn1, Rejected);
}

TAttract::~TAttract() = default;

// What the form format cannot hold: frame, position, pixel font sizes and colours.
void TAttract::applyDesign()
{
    using namespace WindowLook;
    resize(clientSizeForOuter(QSize(475, 335)));
    move(211, 107);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, purple);

    // Transparent: the window's purple shows through around the letters.
    m_ui->Label1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 27));
    setTextColour(m_ui->Label1, yellow);
    m_ui->Label1->setAutoFillBackground(false);
}

void TAttract::measure()
{
    WindowLook::condenseToFit(m_ui->Label1);
}
