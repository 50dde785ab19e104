#include "tandemo.h"
#include "ui_tandemo.h"

#include "aboutbox.h"
#include "attract.h"
#include "event_guard.h"
#include "guarded_clicks.h"
#include "info.h"
#include "link_opener.h"
#include "message_boxes.h"
#include "question_catalogue.h"
#include "results.h"
#include "survey_model.h"
#include "tandemo_version.h"
#include "window_look.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Question buttons' caption sizes are given in points; at the designed 96 dpi the
// toolkit made 14 pt into a 19-pixel and 8 pt into an 11-pixel character height.
constexpr int currentCaptionPixels = 19;
constexpr int leftCaptionPixels = 11;

} // namespace

TTandemo::TTandemo(SurveyModel& model, QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::TTandemo), m_model(model)
{
    m_ui->setupUi(this);
    FormCreate();
    setUpKeyboard();

    onClick(m_ui->N2, this, [this] { N2Click(); });
    onClick(m_ui->N4, this, [this] { N4Click(); });
    onClick(m_ui->N10, this, [this] { N10Click(); });
    onClick(m_ui->N11, this, [this] { N11Click(); });
    onClick(m_ui->N6, this, [this] { N6Click(); });
    onClick(m_ui->N7, this, [this] { N7Click(); });
    onClick(m_ui->N9, this, [this] { N9Click(); });
    onClick(m_ui->Tandemo1, this, [this] { Tandemo1Click(); });
    for (int n = 1; n <= QuestionCatalogue::questionCount; ++n) {
        onClick(questionButton(n), this, [this, n] { questionClick(n); });
    }
    for (int pos = 1; pos <= 6; ++pos) {
        // toggled fires on every change of the tick, the user's or ours, and never for
        // a box that is already in the requested state.
        connect(answerBox(pos), &QCheckBox::toggled, this,
                guarded([this, pos] { answerClick(pos); }));
    }
    onClick(m_ui->BitBtn8, this, [this] { BitBtn8Click(); });
    onClick(m_ui->BitBtn10, this, [this] { BitBtn10Click(); });
}

TTandemo::~TTandemo() = default;

void TTandemo::setDialogs(const Dialogs& dialogs)
{
    m_dialogs = dialogs;
}

// The parts of the design the form format cannot hold: the caption's version, pixel font
// sizes, colours, window flags, the picture and the initial visibility.
void TTandemo::FormCreate()
{
    using namespace WindowLook;
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(windowTitle() + QLatin1Char(' ') + QLatin1String(TandemoVersion::caption));
    resize(clientSizeForOuter(QSize(608, 347)));
    centreAtEveryShowing(this);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(m_ui->Client, purple);
    // The drop-down lists are windows of their own and would take the desktop's menu
    // face; they speak in the menu bar's.
    for (QMenu* menu : findChildren<QMenu*>()) {
        menu->setFont(font());
    }

    for (QLabel* label : {m_ui->Label1, m_ui->Label2}) {
        label->setFont(pixelFont(QStringLiteral("Bookman Old Style"), 13, true));
        setTextColour(label, lime);
        setBackground(label, purple);
    }
    m_ui->Label3->setFont(pixelFont(QStringLiteral("Arial"), 16, true));
    // Pure red on silver is 2.2 : 1; a deeper red reads at this size.
    setTextColour(m_ui->Label3, readableOn(red, silver, neededContrast(m_ui->Label3->font())));
    setBackground(m_ui->Label3, silver);

    m_ui->Edit1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13));
    for (int pos = 1; pos <= 6; ++pos) {
        setBackground(answerBox(pos), olive);
        // The window text, light on a dark desktop, needs darkening on olive.
        setTextColour(answerBox(pos),
                      readableOn(windowText(), olive, neededContrast(answerBox(pos)->font())));
    }
    m_ui->BitBtn8->setFont(pixelFont(QStringLiteral("Tahoma"), 16, true));
    setTextColour(m_ui->BitBtn8, activeCaption());
    m_ui->BitBtn10->setPicture(QPixmap(QStringLiteral(":/assets/banner_site.png")));

    loadQuestion(1, QuestionCatalogue::answerCount(1));

    for (QWidget* control : std::initializer_list<QWidget*>{
             m_ui->Label1, m_ui->Label2, m_ui->Label3, m_ui->Edit1, m_ui->BitBtn8}) {
        control->hide();
    }
    for (int n = 1; n <= 7; ++n) {
        questionButton(n)->hide();
    }
    for (int pos = 1; pos <= 6; ++pos) {
        answerBox(pos)->hide();
    }
}

void TTandemo::setUpKeyboard()
{
    // A bare Alt already highlights the first menu title (the style asks the menu bar for
    // that); F10 opens the first menu, as it does on the desktops the window was designed
    // for.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this] { m_ui->MainMenu1->setActiveAction(m_ui->N1->menuAction()); });
}

void TTandemo::keyPressEvent(QKeyEvent* event)
{
    // A push button clicks on Enter only inside a dialog; here the focused button gets
    // the key when nothing else took it (check boxes answer Space, not Enter).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && button &&
        !button->isCheckable() && button->isVisible() && button->isEnabled()) {
        button->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

QAbstractButton* TTandemo::questionButton(int n) const
{
    QAbstractButton* const buttons[] = {m_ui->BitBtn1, m_ui->BitBtn2, m_ui->BitBtn3, m_ui->BitBtn4,
                                        m_ui->BitBtn5, m_ui->BitBtn6, m_ui->BitBtn7};
    return buttons[n - 1];
}

QCheckBox* TTandemo::answerBox(int pos) const
{
    QCheckBox* const boxes[] = {m_ui->CheckBox1, m_ui->CheckBox2, m_ui->CheckBox3,
                                m_ui->CheckBox4, m_ui->CheckBox5, m_ui->CheckBox6};
    return boxes[pos - 1];
}

void TTandemo::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}

void TTandemo::N2Click()
{
    for (QWidget* control : {m_ui->Label1, m_ui->Label2, m_ui->Label3}) {
        control->show();
    }
    for (int n = 2; n <= 7; ++n) {
        questionButton(n)->show();
    }
    questionButton(1)->show();
}

void TTandemo::N4Click()
{
    for (int n = 1; n <= 7; ++n) {
        questionButton(n)->hide();
    }
    for (int pos = 1; pos <= 6; ++pos) {
        answerBox(pos)->hide();
    }
    for (QWidget* control :
         {static_cast<QWidget*>(m_ui->Label1), static_cast<QWidget*>(m_ui->Label2),
          static_cast<QWidget*>(m_ui->Label3), static_cast<QWidget*>(m_ui->Edit1)}) {
        control->hide();
    }
}

void TTandemo::paintCaption(int n, QuestionCaption caption)
{
    const bool current = caption == QuestionCaption::Current;
    QAbstractButton* button = questionButton(n);
    QFont font = button->font();
    font.setPixelSize(current ? currentCaptionPixels : leftCaptionPixels);
    button->setFont(font);
    WindowLook::setTextColour(button, current ? WindowLook::red : WindowLook::blue);
}

void TTandemo::loadQuestion(int n, int answers)
{
    m_ui->Edit1->setText(fromUtf8(QuestionCatalogue::text(n)));
    m_ui->Edit1->setCursorPosition(0);
    for (int pos = 1; pos <= answers; ++pos) {
        answerBox(pos)->setText(fromUtf8(QuestionCatalogue::answerText(n, pos)));
    }
}

void TTandemo::untickAnswers()
{
    for (int pos = 1; pos <= 5; ++pos) {
        answerBox(pos)->setChecked(false);
    }
}

void TTandemo::questionClick(int n)
{
    if (n == 1) {
        m_ui->Label2->hide();
        m_ui->Label1->setText(QStringLiteral("И Д Ё Т   О П Р О С ..."));
        m_ui->Edit1->show();
        for (int pos = 1; pos <= 6; ++pos) {
            answerBox(pos)->show();
        }
        paintCaption(1, QuestionCaption::Current);
        m_model.selectQuestion(1);
        loadQuestion(1, 6);
        untickAnswers(); // box 6 keeps its tick
        return;
    }
    if (n == 7) {
        // The results button lies partly over the banner; the banner goes for good.
        m_ui->BitBtn10->hide();
    }
    paintCaption(n - 1, QuestionCaption::Left);
    paintCaption(n, QuestionCaption::Current);
    m_model.selectQuestion(n);
    loadQuestion(n, n == 7 ? 4 : 5);
    answerBox(6)->hide();
    if (n == 7) {
        answerBox(5)->hide();
    }
    untickAnswers();
}

void TTandemo::answerClick(int pos)
{
    m_model.answerToggled(pos);
    if (m_model.resultsAvailable()) {
        m_ui->BitBtn8->show();
    }
}

void TTandemo::BitBtn8Click()
{
    m_dialogs.results->showResults(m_model.computeResults());
}

void TTandemo::N9Click()
{
    m_dialogs.info->showPercentage(m_model.currentProbability());
}

void TTandemo::N6Click()
{
    m_dialogs.attract->exec();
}

void TTandemo::Tandemo1Click()
{
    m_dialogs.aboutBox->exec();
}

void TTandemo::N7Click()
{
    MessageBoxes::inform(
        QStringLiteral("Программа предназначена для оценки вероятности развития близких "
                       "отношений с человеком противоположного пола, если Вы с ним (с ней) "
                       "недавно познакомились. Для начала процедуры нажмите ") +
        QStringLiteral("\"УПРАВЛЕНИЕ\" > \"ЗАПУСК ОПРОСНИКА\"") +
        QStringLiteral(". Отвечайте на все вопросы ! "));
}

void TTandemo::N10Click()
{
    MessageBoxes::inform(
        QStringLiteral("ЕСЛИ СЕЙЧАС ВЫ ВОЙДЁТЕ В ИНТЕРНЕТ, ТО СМОЖЕТЕ ПРОЧИТАТЬ ПОЛНУЮ "
                       "ИНФОРМАЦИЮ О НОВОМ ДЕТЕКТОРЕ ЛЖИ, А ТАКЖЕ ПРИОБРЕСТИ ЕГО В МАГАЗИНЕ ") +
        Links::shopDomainCapitals());
    LinkOpener::open(Links::shopPricePage());
}

void TTandemo::N11Click()
{
    close();
}

void TTandemo::BitBtn10Click()
{
    LinkOpener::open(Links::developerSite());
}
