// Draws a sheet of effect labels, one cell per effect alone and then combined and rotated, over
// a striped backdrop so that transparency shows. Each cell names its settings; a grey frame
// marks the label's own rectangle, so auto-size can be judged as well as the drawing.
#include "fx2label.h"

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kColumns = 4;
constexpr QSize kCell(230, 170);
constexpr int kTitleHeight = 22;

QFont labelFont(int pixels, bool bold = true, const char* family = "Liberation Sans")
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QImage stripes()
{
    QImage glyph(12, 12, QImage::Format_RGB32);
    QPainter painter(&glyph);
    painter.fillRect(glyph.rect(), QColor(250, 200, 40));
    painter.setPen(QPen(QColor(200, 30, 30), 3));
    painter.drawLine(-2, 14, 14, -2);
    painter.drawLine(-8, 8, 8, -8);
    painter.drawLine(4, 20, 20, 4);
    return glyph;
}

struct Sample {
    const char* title;
    std::function<void(Tfx2Label&)> setUp;
};

class Sheet : public QWidget {
public:
    explicit Sheet(const std::vector<Sample>& samples)
    {
        const int rows = (static_cast<int>(samples.size()) + kColumns - 1) / kColumns;
        resize(kCell.width() * kColumns, kCell.height() * rows);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(236, 233, 216));
        setPalette(p);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const QRect cell = cellRect(static_cast<int>(i));
            m_titles.push_back(QString::fromLatin1(samples[i].title));
            auto* label = new Tfx2Label(this);
            label->move(cell.left() + 14, cell.top() + kTitleHeight + 14);
            label->setFont(labelFont(26));
            label->setFontColor(clNavy);
            label->setTransparent(true);
            samples[i].setUp(*label);
            m_labels.push_back(label);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (std::size_t i = 0; i < m_titles.size(); ++i) {
            const QRect cell = cellRect(static_cast<int>(i));
            QLinearGradient sky(cell.topLeft(), cell.bottomRight());
            // Mid tones, so that both the white highlight and the grey shadow show.
            sky.setColorAt(0, QColor(196, 192, 178));
            sky.setColorAt(1, QColor(160, 172, 196));
            painter.fillRect(cell, sky);
            painter.setPen(QColor(255, 255, 255, 120));
            for (int x = cell.left() - cell.height(); x < cell.right(); x += 10)
                painter.drawLine(x, cell.bottom(), x + cell.height(), cell.top());
            painter.fillRect(cell.left(), cell.top(), cell.width(), kTitleHeight,
                             QColor(60, 60, 70));
            painter.setPen(Qt::white);
            painter.setFont(labelFont(12, false, "DejaVu Sans"));
            painter.drawText(cell.adjusted(6, 0, -4, kTitleHeight - cell.height()),
                             Qt::AlignVCenter | Qt::AlignLeft, m_titles[i]);
            painter.setPen(QColor(90, 90, 90));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
            painter.drawRect(m_labels[i]->geometry().adjusted(-1, -1, 0, 0));
        }
    }

private:
    static QRect cellRect(int index)
    {
        return QRect(QPoint(index % kColumns * kCell.width(), index / kColumns * kCell.height()),
                     kCell);
    }

    std::vector<QString> m_titles;
    std::vector<Tfx2Label*> m_labels;
};

std::vector<Sample> samples()
{
    using L = Tfx2Label;
    return {
        {"Splash line, defaults",
         [](L& l) {
             l.setFont(labelFont(11));
             l.setFontColor(clMaroon);
             l.setCaption("VERSION 1.1.3 *FREEWARE*\r\n");
         }},
        {"Shadow 315, depth 4",
         [](L& l) {
             l.effects()->setShadowDepth(4);
             l.setCaption("Tandemo");
         }},
        {"Shadow 135, depth 3, red",
         [](L& l) {
             l.effects()->setShadowAngle(135);
             l.effects()->setShadowDepth(3);
             l.effects()->setShadowColor(clRed);
             l.setCaption("Tandemo");
         }},
        {"Raised",
         [](L& l) {
             l.effects()->setStyle(fx2::tsRaised);
             l.setCaption("Tandemo");
         }},
        {"Lowered",
         [](L& l) {
             l.effects()->setStyle(fx2::tsLowered);
             l.setCaption("Tandemo");
         }},
        {"Disabled (any style)",
         [](L& l) {
             l.effects()->setStyle(fx2::tsRaised);
             l.setEnabled(false);
             l.setCaption("Tandemo");
         }},
        {"Outline, black pen",
         [](L& l) {
             l.setFont(labelFont(34));
             l.effects()->setOutline(true);
             l.setCaption("Tandemo");
         }},
        {"Outline 2 px + shadow",
         [](L& l) {
             l.setFont(labelFont(34));
             l.effects()->setOutline(true);
             l.effects()->setPen(
                 {clPurple, 2, Qt::SolidLine, QPainter::CompositionMode_SourceOver});
             l.effects()->setShadowDepth(4);
             l.setCaption("Tandemo");
         }},
        {"Glyph fill",
         [](L& l) {
             l.setFont(labelFont(40));
             l.effects()->setGlyph(stripes());
             l.setCaption("Tandemo");
         }},
        {"Glyph + lowered + shadow",
         [](L& l) {
             l.setFont(labelFont(40));
             l.effects()->setGlyph(stripes());
             l.effects()->setStyle(fx2::tsLowered);
             l.effects()->setShadowDepth(5);
             l.effects()->setShadowColor(clGray);
             l.setCaption("Tandemo");
         }},
        {"Angle 30",
         [](L& l) {
             l.effects()->setAngle(30);
             l.setCaption("Tandemo");
         }},
        {"Angle 90",
         [](L& l) {
             l.effects()->setAngle(90);
             l.setCaption("Tandemo");
         }},
        {"Angle 180, two lines",
         [](L& l) {
             l.effects()->setAngle(180);
             l.setCaption("Tandemo\r\n1.1.3");
         }},
        {"Angle 270, two lines, centred",
         [](L& l) {
             l.effects()->setAngle(270);
             l.setAlignment(fx2::taCenter);
             l.setCaption("Tandemo\r\n1.1.3");
         }},
        {"Angle 45 + shadow + raised",
         [](L& l) {
             l.effects()->setAngle(45);
             l.effects()->setShadowDepth(3);
             l.effects()->setStyle(fx2::tsRaised);
             l.setCaption("Tandemo");
         }},
        {"Angle 15, outline, glyph, shadow",
         [](L& l) {
             l.setFont(labelFont(36));
             l.effects()->setAngle(15);
             l.effects()->setOutline(true);
             l.effects()->setGlyph(stripes());
             l.effects()->setShadowDepth(4);
             l.effects()->setStyle(fx2::tsLowered);
             l.setCaption("Tandemo");
         }},
        {"Opaque, silver background",
         [](L& l) {
             l.setTransparent(false);
             l.setColor(clSilver);
             l.effects()->setShadowDepth(3);
             l.setCaption("Tandemo");
         }},
        {"Word wrap, centre, from 180 px",
         [](L& l) {
             l.setFont(labelFont(16));
             l.setAutoSize(false);
             l.resize(180, 100);
             l.setWordWrap(true);
             l.setAlignment(fx2::taCenter);
             // Caption first: auto-size wraps at the width the label has at that moment.
             l.setCaption("A label that wraps its words to the width it has");
             l.setAutoSize(true);
         }},
        {"Right, bottom, box 200 x 100",
         [](L& l) {
             l.setFont(labelFont(18));
             l.setAutoSize(false);
             l.resize(200, 100);
             l.setAlignment(fx2::taRightJustify);
             l.setLayout(fx2::tlBottom);
             l.effects()->setShadowDepth(2);
             l.setCaption("right\r\nand bottom");
         }},
        {"Right-to-left, angle 90",
         [](L& l) {
             l.setFont(labelFont(18));
             l.setAutoSize(false);
             l.resize(200, 110);
             l.setLayoutDirection(Qt::RightToLeft);
             l.effects()->setAngle(90);
             l.setCaption("left is right\r\nhere");
         }},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "label_gallery.png";
    Sheet sheet(samples());
    const QImage image = sheet.grab().toImage();
    if (!image.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
