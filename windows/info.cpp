#include "info.h"
#include "ui_info.h"

#include "dialog_keys.h"
#include "event_guard.h"
#include "tandemo.h"
#include "window_look.h"
#include "window_set.h"

#include <QKeyEvent>

TInfo::TInfo(WindowSet& windows, QWidget* parent)
    : QDialog(parent ? parent : windows.tandemo), m_ui(new Ui::TInfo)
{
    m_ui->setupUi(this);
    applyDesign();
    DialogKeys::keepDesignedDefaults(this);
    connect(m_ui->BitBtn1, &QAbstractButton::clicked, this, guarded([this] { accept(); }));
}

TInfo::~TInfo() = default;

QLineEdit* TInfo::Edit1() const
{
    return m_ui->Edit1;
}

// What the form format cannot hold: frame, position, pixel font sizes and colours.
void TInfo::applyDesign()
{
    using namespace WindowLook;
    setWindowFlags(sizeableFrame);
    resize(clientSizeForOuter(QSize(277, 197)));
    move(192, 109);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    // The window's teal heading reads on the face of a light desktop; a dark desktop's
    // face is taken a shade darker under it.
    setBackground(this, readableOn(btnFace(), teal));

    m_ui->Label1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 19));
    setTextColour(m_ui->Label1, teal);
    beforeFirstShow(this, [this] { condenseToFit(m_ui->Label1); });
    m_ui->Edit1->setFont(pixelFont(QStringLiteral("Lucida Sans"), 40));
    // Every percentage the questionnaire writes shows whole, the widest ("100%") too.
    beforeFirstShow(this, [this] {
        QStringList percentages;
        for (int percent = 0; percent <= 100; ++percent) {
            percentages << QString::number(percent) + QLatin1Char('%');
        }
        condenseToFit(m_ui->Edit1, percentages);
    });
    setTextColour(m_ui->BitBtn1, red);
}

void TInfo::keyPressEvent(QKeyEvent* event)
{
    if (DialogKeys::reachesMissingButton(event, {})) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
