#include "aboutbox.h"
#include "ui_aboutbox.h"

#include "assets.h"
#include "dialog_keys.h"
#include "event_guard.h"
#include "tandemo.h"
#include "window_look.h"
#include "window_set.h"

#include <QKeyEvent>
#include <QShowEvent>

TAboutBox::TAboutBox(WindowSet& windows, QWidget* parent)
    : QDialog(parent ? parent : windows.tandemo), m_ui(new Ui::TAboutBox)
{
    m_ui->setupUi(this);
    applyDesign();
    DialogKeys::keepDesignedDefaults(this);
    connect(m_ui->OKButton, &QAbstractButton::clicked, this, guarded([this] { accept(); }));
}

TAboutBox::~TAboutBox() = default;

// What the form format cannot hold: the fixed dialog border, pixel font sizes, colours
// and the icon.
void TAboutBox::applyDesign()
{
    using namespace WindowLook;
    setWindowFlags(dialogBorder);
    setFixedSize(306, 213);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, purple);
    // The panel's bevel is drawn in the system's button shades, whatever the window's colour.
    setBackground(m_ui->Panel1, silver);
    setTextColour(m_ui->Panel1, readableOn(windowText(), silver));

    // A 32 x 32 icon stretched over its 33 x 33 frame.
    m_ui->ProgramIcon->setPixmap(QPixmap(Assets::ProgramIcon));

    beforeFirstShow(this, [this] {
        for (QLabel* label : {m_ui->ProductName, m_ui->Version, m_ui->Copyright}) {
            label->adjustSize();
        }
    });
}

void TAboutBox::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        WindowLook::centreOnScreen(this);
    }
    QDialog::showEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    if (DialogKeys::reachesMissingButton(event, {.defaultButton = true})) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
