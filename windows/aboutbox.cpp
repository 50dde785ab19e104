#include "aboutbox.h"
#include "ui_aboutbox.h"

#include "assets.h"
#include "guarded_clicks.h"
#include "tandemo_version.h"
#include "window_look.h"

TAboutBox::TAboutBox(QWidget* parent)
    : DesignedDialog({.frame = WindowLook::dialogBorder,
                      .centredOnShow = true,
                      .buttons = {.defaultButton = true}},
                     parent),
      m_ui(new Ui::TAboutBox)
{
    m_ui->setupUi(this);
    applyDesign();
    onClick(m_ui->OKButton, this, [this] { accept(); });
}

TAboutBox::~TAboutBox() = default;

// What the form format cannot hold: the version, the fixed size, pixel font sizes, colours and the
// icon.
void TAboutBox::applyDesign()
{
    using namespace WindowLook;
    setFixedSize(306, 213);
    m_ui->Version->setText(m_ui->Version->text() + QLatin1Char(' ') +
                           QLatin1String(TandemoVersion::release));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, purple);
    // The panel's bevel is drawn in the system's button shades, whatever the window's colour.
    setBackground(m_ui->Panel1, silver);
    setTextColour(m_ui->Panel1, readableOn(windowText(), silver, neededContrast(font())));

    // A 32 x 32 icon stretched over its 33 x 33 frame.
    m_ui->ProgramIcon->setPixmap(QPixmap(Assets::ProgramIcon));
}

void TAboutBox::measure()
{
    for (QLabel* label : {m_ui->ProductName, m_ui->Version, m_ui->Copyright}) {
        label->adjustSize();
    }
}
