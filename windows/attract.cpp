#include "attract.h"
#include "ui_attract.h"

#include "assets.h"
#include "event_guard.h"
#include "standard_icon.h"
#include "window_look.h"

#include <QStyle>

TAttract::TAttract(QWidget* parent)
    : DesignedDialog({.frame = WindowLook::sizeableFrame, .buttons = {.cancelButton = true}},
                     parent),
      m_ui(new Ui::TAttract)
{
    m_ui->setupUi(this);
    applyDesign();
    m_ui->Memo1->setPlainText(Assets::readText(Assets::Attraction));
    connect(m_ui->BitBtn1, &QAbstractButton::clicked, this, guarded([this] { reject(); }));
}

TAttract::~TAttract() = default;

// What the form format cannot hold: frame, position, pixel font sizes, colours and the
// button's glyph.
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

    m_ui->Memo1->setTabStopDistance(classicTabStop(m_ui->Memo1->font()));
    m_ui->BitBtn1->setIcon(deferredStandardIcon(this, QStyle::SP_DialogCancelButton));
    m_ui->BitBtn1->setIconSize(QSize(16, 16));
}

void TAttract::measure()
{
    WindowLook::condenseToFit(m_ui->Label1);
}
