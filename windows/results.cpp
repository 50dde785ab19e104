#include "results.h"
#include "ui_results.h"

#include "assets.h"
#include "guarded_clicks.h"
#include "link_opener.h"
#include "message_boxes.h"
#include "spechelp.h"
#include "standard_icon.h"
#include "survey_model.h"
#include "window_look.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <qdrawutil.h>

#include <string_view>

namespace {

constexpr int gridRows = 8;
constexpr int gridColumns = 2;
constexpr int rowHeights[gridRows] = {24, 22, 24, 24, 24, 24, 24, 24};
constexpr int columnWidth = 100;

QString percentText(int percent)
{
    return QString::number(percent) + QLatin1Char('%');
}

bool isFixedCell(const QModelIndex& index)
{
    return index.row() == 0 || index.column() == 0;
}

// The first row and column are the grid's fixed header: drawn in button face with a
// raised edge, like the header cells of a classic string grid, and never highlighted.
class FixedCellDelegate : public QStyledItemDelegate {
public:
    static constexpr int textMargin = 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!isFixedCell(index)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        const QRect cell = option.rect;
        const QColor text = option.palette.color(QPalette::Text);
        painter->fillRect(cell, WindowLook::readableOn(WindowLook::btnFace(), text, 4.5));
        qDrawShadePanel(painter, cell, option.palette, false, 1);
        // The cell keeps its text margin on both sides; a heading wider than that (the
        // stand-in for the designed face runs wider) is condensed to it.
        const QRect textArea = cell.adjusted(textMargin, 0, -textMargin, 0);
        const QString caption = index.data().toString();
        QFont font = option.font;
        for (int stretch = 100;
             stretch > 50 && QFontMetrics(font).horizontalAdvance(caption) > textArea.width();
             --stretch) {
            font.setStretch(stretch);
        }
        painter->setFont(font);
        painter->setPen(text);
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, caption);
        painter->restore();
    }
};

} // namespace

TResults::TResults(SurveyModel& model, QWidget* parent)
    : DesignedDialog({.frame = WindowLook::sizeableFrame, .centredOnShow = true}, parent),
      m_ui(new Ui::TResults), m_model(model)
{
    m_ui->setupUi(this);
    applyDesign();
    FormCreate();

    onClick(m_ui->BitBtn1, this, [this] { BitBtn1Click(); });
    onClick(m_ui->Button1, this, [this] { Button1Click(); });
    onClick(m_ui->BitBtn3, this, [this] { BitBtn3Click(); });
    onClick(m_ui->BitBtn2, this, [this] { close(); });
    onClick(m_ui->BitBtn4, this, [] { LinkOpener::open(Links::consultationPage()); });
    onClick(m_ui->BitBtn5, this, [] { LinkOpener::open(Links::developerMail()); });
    onClick(m_ui->BitBtn9, this, [] { LinkOpener::open(Links::shopStartPage()); });
    onClick(m_ui->BitBtn11, this, [] { LinkOpener::open(Links::shopPartnerPage()); });
}

TResults::~TResults() = default;

void TResults::setIndicator(TSpecHelp* indicator)
{
    m_indicator = indicator;
}

void TResults::showResults(const SurveyResults& results)
{
    for (int k = 1; k <= 7; ++k) {
        m_ui->StringGrid1->item(k, 1)->setText(percentText(results.percent[k - 1]));
    }
    m_indicator->setPosition(results.type1);
    m_ui->Edit1->setText(percentText(results.type1));
    const QString type2 = percentText(results.type2);
    m_ui->Edit2->setText(type2);
    exec();
    m_ui->Edit2->setText(type2);
}

// What the form format cannot hold: pixel font sizes, colours, pictures, texts
// and the grid's cells.
void TResults::applyDesign()
{
    using namespace WindowLook;
    resize(clientSizeForOuter(QSize(584, 465)));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, purple);

    m_ui->Label1->setFont(pixelFont(QStringLiteral("Times New Roman"), 25, true));
    setTextColour(m_ui->Label1, yellow);
    setBackground(m_ui->Label1, green);

    m_ui->PageControl1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setTextColour(m_ui->PageControl1, black);
    // The tabs write in that black too, on faces a dark desktop would make as dark.
    setTabFaceReadable(m_ui->PageControl1->tabBar());
    // The controls on the pages write in the pages' black; a dark desktop's dark field
    // colour is lightened under it.
    for (QWidget* field : std::initializer_list<QWidget*>{
             m_ui->Edit1, m_ui->Edit4, m_ui->Edit2, m_ui->Edit3, m_ui->Memo1, m_ui->StringGrid1}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, readableOn(palette.color(QPalette::Base), black, 4.5));
        field->setPalette(palette);
    }
    setPanelColour(m_ui->PageControl1, btnFace());
    // The pages' texts are in the highlight-text colour, which the classic button face
    // carried legibly; a modern, almost white button face would swallow them. The pages
    // take the palette's next darker shade, as dark as the classic face was, and where
    // the highlight text still does not read on it (white on a light grey, or on the
    // white a light desktop makes of that shade), the text darkens until it does.
    const QColor page = palette().color(QPalette::Midlight);
    for (QWidget* sheet : {m_ui->TabSheet1, m_ui->TabSheet2, m_ui->TabSheet3}) {
        setBackground(sheet, page);
    }
    const auto onPage = [&page](const QLabel* label) {
        return readableOn(highlightText(), page, neededContrast(label->font()));
    };

    // First tab.
    for (QLabel* label : {m_ui->Label2, m_ui->Label3}) {
        label->setFont(pixelFont(QStringLiteral("Times New Roman"), 17));
        setTextColour(label, onPage(label));
    }
    for (QLabel* label : {m_ui->Label17, m_ui->Label4}) {
        label->setFont(pixelFont(QStringLiteral("Tahoma"), 12));
        setTextColour(label, yellow);
        setBackground(label, green);
    }
    m_ui->Button1->setFont(pixelFont(QStringLiteral("Bookman Old Style"), 16));
    setTextColour(m_ui->Button1, purple);
    m_ui->BitBtn9->setPicture(QPixmap(Assets::ShopBanner));

    QTableWidget* grid = m_ui->StringGrid1;
    grid->setItemDelegate(new FixedCellDelegate(grid));
    for (int row = 0; row < gridRows; ++row) {
        grid->setRowHeight(row, rowHeights[row]);
        for (int column = 0; column < gridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            const bool fixed = row == 0 || column == 0;
            item->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid->setItem(row, column, item);
        }
    }

    // Second tab.
    for (QLabel* label :
         {m_ui->Label5, m_ui->Label6, m_ui->Label7, m_ui->Label8, m_ui->Label9, m_ui->Label10,
          m_ui->Label11, m_ui->Label12, m_ui->Label13, m_ui->Label14, m_ui->EditR, m_ui->Label15}) {
        label->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13));
        setTextColour(label, onPage(label));
    }
    for (QLabel* label : {m_ui->Label16, m_ui->Label18}) {
        label->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 19));
        setTextColour(label, activeCaption());
        setBackground(label, teal);
    }
    for (QLineEdit* edit :
         std::initializer_list<QLineEdit*>{m_ui->Edit1, m_ui->Edit4, m_ui->Edit2, m_ui->Edit3}) {
        edit->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 19));
    }
    m_ui->BitBtn1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));
    setTextColour(m_ui->BitBtn1, maroon);

    // Third tab.
    m_ui->Memo1->setPlainText(Assets::readText(Assets::Recommendations));
    m_ui->Memo1->setTabStopDistance(classicTabStop(m_ui->Memo1->font()));
    const QSize glyphSize(16, 16);
    m_ui->BitBtn4->setIcon(twoStateGlyph(QPixmap(Assets::ConsultGlyph)));
    m_ui->BitBtn5->setIcon(twoStateGlyph(QPixmap(Assets::DeveloperGlyph)));
    m_ui->BitBtn3->setIcon(deferredStandardIcon(this, QStyle::SP_DialogHelpButton));
    m_ui->BitBtn2->setIcon(deferredStandardIcon(this, QStyle::SP_DialogCloseButton));
    for (QPushButton* button : {m_ui->BitBtn4, m_ui->BitBtn5, m_ui->BitBtn3, m_ui->BitBtn2}) {
        button->setIconSize(glyphSize);
    }
    for (QPushButton* button : {m_ui->BitBtn4, m_ui->BitBtn3}) {
        setTextColour(button, red);
    }
    // The other two write in the pages' black, which keeps their faces light enough too.
    for (QPushButton* button : {m_ui->BitBtn5, m_ui->BitBtn2}) {
        setTextColour(button, black);
    }
    m_ui->BitBtn11->setPicture(QPixmap(Assets::PartnerBanner));
}

// Labels without a designed size take the size of their text.
void TResults::measure()
{
    WindowLook::condenseToFit(m_ui->Label1);
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label != m_ui->Label1) {
            label->adjustSize();
        }
    }
}

void TResults::FormCreate()
{
    QTableWidget* grid = m_ui->StringGrid1;
    grid->item(0, 0)->setText(QStringLiteral("НОМЕР ВОПРОСА"));
    grid->item(0, 1)->setText(QStringLiteral("ВЕРОЯТНОСТЬ"));
    grid->setColumnWidth(0, columnWidth);
    grid->setColumnWidth(1, columnWidth);
    for (int row = 1; row < gridRows; ++row) {
        grid->item(row, 0)->setText(QStringLiteral("  №") + QString::number(row));
    }
}

void TResults::BitBtn1Click()
{
    const QByteArray partner = m_ui->Edit4->text().toUtf8();
    const int percent = m_model.mutualPercent(
        std::string_view(partner.constData(), static_cast<std::size_t>(partner.size())));
    m_ui->Edit3->setText(percentText(percent));
}

void TResults::Button1Click()
{
    MessageBoxes::inform(QStringLiteral(
        "Вероятность, которая колеблется от 0% до 35% свидетельствует о низкой возможности "
        "возникновения близких отношений; от 35 до 70 - о средней; выше 70 - о высокой. Однако "
        "помните, что это всего лишь вероятность."));
}

void TResults::BitBtn3Click()
{
    m_indicator->exec();
}
