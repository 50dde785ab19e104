#include "spechelp.h"
#include "ui_spechelp.h"

#include "event_guard.h"
#include "guarded_clicks.h"
#include "message_boxes.h"
#include "text_window.h"
#include "window_look.h"

TSpecHelp::TSpecHelp(QWidget* parent)
    : DesignedDialog({.frame = WindowLook::sizeableFrame, .buttons = {.defaultButton = true}},
                     parent),
      m_ui(new Ui::TSpecHelp)
{
    m_ui->setupUi(this);
    applyDesign();
    TextWindow::showText(m_ui->RichEdit1, Assets::Disclaimer);
    // Connected only after the fill, which is the window's own doing and no change by
    // the user.
    connect(m_ui->RichEdit1, &QTextEdit::textChanged, this, guarded([this] { RichEdit1Change(); }));

    const struct {
        QPushButton* button;
        const char16_t* message;
    } markers[] = {
        {m_ui->Button1, u"БЕЗРАЗЛИЧИЕ"},  {m_ui->Button2, u"ПРИЯЗНЕННОЕ ОТНОШЕНИЕ"},
        {m_ui->Button3, u"СИМПАТИЯ"},     {m_ui->Button4, u"ЛЁГКОЕ РОМАНТИЧЕСКОЕ ВЛЕЧЕНИЕ"},
        {m_ui->Button5, u"ВЛЮБЛЁННОСТЬ"},
    };
    for (const auto& marker : markers) {
        const QString message = QString::fromUtf16(marker.message);
        onClick(marker.button, this, [message] { MessageBoxes::inform(message); });
    }
    TextWindow::setClosingButton(this, m_ui->BitBtn1, Accepted);
}

TSpecHelp::~TSpecHelp() = default;

void TSpecHelp::setPosition(int percent)
{
    m_ui->ProgressBar1->setValue(percent);
}

// What the form format cannot hold: position, pixel font sizes and colours.
void TSpecHelp::applyDesign()
{
    using namespace WindowLook;
    resize(clientSizeForOuter(QSize(425, 394)));
    move(237, 110);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, silver);
    // The window's text colour, which Label2 and the disclaimer keep: on the silver
    // around the disclaimer it darkens when a dark desktop makes it light, and on the
    // disclaimer's purple it lightens where it is dark.
    setTextColour(this, menuText());
    const double needed = neededContrast(font());
    setTextColour(m_ui->Label2, readableOn(menuText(), silver, needed));

    m_ui->Label5->setFont(pixelFont(QStringLiteral("Small Fonts"), 19, true, true));
    setTextColour(m_ui->Label5, red);
    setBackground(m_ui->Label5, yellow);
    for (QLabel* label : {m_ui->Label1, m_ui->Label3, m_ui->Label4}) {
        setTextColour(label, readableOn(desktopBackground(), silver, needed));
    }

    QPalette disclaimer = m_ui->RichEdit1->palette();
    disclaimer.setColor(QPalette::Base, purple);
    disclaimer.setColor(QPalette::Text, readableOn(menuText(), purple, needed));
    m_ui->RichEdit1->setPalette(disclaimer);

    m_ui->BitBtn1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    setTextColour(m_ui->BitBtn1, red);
}

void TSpecHelp::measure()
{
    WindowLook::condenseToFit(m_ui->Label5);
    for (QLabel* label : {m_ui->Label1, m_ui->Label3, m_ui->Label4, m_ui->Label2}) {
        label->adjustSize();
    }
}

void TSpecHelp::RichEdit1Change()
{
    MessageBoxes::inform(QStringLiteral("НЕ ТРОГАЙТЕ!"));
}
