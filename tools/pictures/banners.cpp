// The three banner pictures. Each is larger than the button that shows it: the button
// draws it centred and clips it, so everything that must be read stays inside the part the
// button shows (`seen` below), and only the field and its decoration run out to the edges.

#include "paint_kit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");

QRectF seenPart(const QImage& picture, QSizeF button)
{
    return QRectF((picture.width() - button.width()) / 2.0,
                  (picture.height() - button.height()) / 2.0, button.width(), button.height());
}

QImage blankPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A gentle diagonal sheen and a sprinkle of light dots, so that the flat orange reads as a
// printed glossy card rather than a fill.
void decorateField(QPainter& p, const QRectF& area, std::uint32_t seed)
{
    QLinearGradient sheen(area.topLeft(), QPointF(area.left() + area.width() * 0.6, area.bottom()));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 46));
    sheen.setColorAt(0.62, QColor(255, 255, 255, 0));
    p.fillRect(area, sheen);
    for (int i = 0; i < 40; ++i) {
        const double x = area.left() + kit::hashUnit(i, 0, seed) * area.width();
        const double y = area.top() + kit::hashUnit(i, 1, seed) * area.height();
        const double r = 0.6 + kit::hashUnit(i, 2, seed) * 1.2;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 220, 40 + static_cast<int>(kit::hashUnit(i, 3, seed) * 50)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

// A rounded "button" with a caption, the call to action of a banner.
void drawPill(QPainter& p, const QRectF& box, const QString& caption, const QColor& fill,
              int pixelSize)
{
    QLinearGradient body(box.topLeft(), box.bottomLeft());
    body.setColorAt(0.0, fill.lighter(135));
    body.setColorAt(0.5, fill);
    body.setColorAt(1.0, fill.darker(125));
    p.setPen(QPen(fill.darker(160), 1.0));
    p.setBrush(body);
    p.drawRoundedRect(box, box.height() / 2, box.height() / 2);
    p.setFont(kit::pixelFont(kSans, pixelSize, true));
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, caption);
}

void drawHeadline(QPainter& p, const QPointF& baseline, const QString& text, const QFont& font,
                  const QColor& colour, const QColor& shadow)
{
    p.setFont(font);
    p.setPen(shadow);
    p.drawText(baseline + QPointF(1, 1), text);
    p.setPen(colour);
    p.drawText(baseline, text);
}

void drawCheck(QPainter& p, const QPointF& centre, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(centre, 5.0, 5.0);
    QPainterPath tick;
    tick.moveTo(centre + QPointF(-2.6, 0.2));
    tick.lineTo(centre + QPointF(-0.7, 2.2));
    tick.lineTo(centre + QPointF(2.8, -2.2));
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void drawGlossyHeart(QPainter& p, const QRectF& box, const QColor& light, const QColor& dark)
{
    const QPainterPath heart = kit::heartPath(box);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 30, 0, 70));
    p.drawPath(heart.translated(1.5, 2.0));
    QRadialGradient body(box.left() + box.width() * 0.35, box.top() + box.height() * 0.3,
                         box.width() * 0.8);
    body.setColorAt(0.0, light);
    body.setColorAt(1.0, dark);
    p.setBrush(body);
    p.setPen(QPen(dark.darker(140), 1.0));
    p.drawPath(heart);
    QLinearGradient gloss(box.topLeft(), QPointF(box.left(), box.top() + box.height() * 0.5));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 190));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(box.left() + box.width() * 0.14, box.top() + box.height() * 0.08,
                         box.width() * 0.3, box.height() * 0.26));
}

} // namespace

QImage drawSiteBanner()
{
    QImage image = blankPicture(174, 79);
    const QRectF seen = seenPart(image, QSizeF(145, 57));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient field(0, 0, image.width(), image.height());
    field.setColorAt(0.0, QColor(255, 104, 12));
    field.setColorAt(0.5, QColor(255, 160, 24));
    field.setColorAt(1.0, QColor(255, 228, 80));
    p.fillRect(image.rect(), field);
    decorateField(p, image.rect(), 17);

    // Faint hearts scattered over the field, mostly where the text is not.
    for (int i = 0; i < 9; ++i) {
        const double x = 92 + kit::hashUnit(i, 0, 23) * 80;
        const double y = -4 + kit::hashUnit(i, 1, 23) * 82;
        const double size = 6 + kit::hashUnit(i, 2, 23) * 7;
        p.save();
        p.translate(x, y);
        p.rotate(-25 + kit::hashUnit(i, 3, 23) * 50);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 36));
        p.drawPath(kit::heartPath(QRectF(-size / 2, -size / 2, size, size * 0.9)));
        p.restore();
    }

    const QPointF heartCentre(seen.left() + 23, seen.center().y());
    QRadialGradient halo(heartCentre, 30);
    halo.setColorAt(0.0, QColor(255, 255, 225, 200));
    halo.setColorAt(1.0, QColor(255, 255, 225, 0));
    p.fillRect(image.rect(), halo);
    drawGlossyHeart(p, QRectF(heartCentre.x() - 17, heartCentre.y() - 15, 34, 31),
                    QColor(255, 96, 110), QColor(196, 0, 36));

    const double textLeft = seen.left() + 47;
    QFont headline = kit::pixelFont(kSerif, 17, true);
    headline.setItalic(true);
    drawHeadline(p, QPointF(textLeft, seen.top() + 17), QStringLiteral("О любви"), headline,
                 QColor(128, 0, 24), QColor(255, 236, 180, 200));
    drawHeadline(p, QPointF(textLeft + 6, seen.top() + 34), QStringLiteral("и красоте"), headline,
                 QColor(128, 0, 24), QColor(255, 236, 180, 200));
    drawPill(p, QRectF(textLeft - 2, seen.top() + 39, seen.right() - 5 - (textLeft - 2), 14),
             QStringLiteral("на нашем сайте »"), QColor(200, 30, 50), 10);
    return image;
}

QImage drawShopBanner()
{
    QImage image = blankPicture(219, 97);
    const QRectF seen = seenPart(image, QSizeF(201, 89));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient field(0, 0, 0, image.height());
    field.setColorAt(0.0, QColor(255, 160, 40));
    field.setColorAt(1.0, QColor(236, 96, 0));
    p.fillRect(image.rect(), field);
    decorateField(p, image.rect(), 29);

    // A laptop with a phone standing in front of it, on a soft shadow.
    const double left = seen.left() + 6;
    const double top = seen.top() + 20;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 40, 0, 80));
    p.drawEllipse(QRectF(left - 4, top + 44, 74, 9));

    const QRectF lid(left + 2, top, 52, 35);
    p.setBrush(QColor(44, 46, 56));
    p.setPen(QPen(QColor(20, 20, 26), 1.0));
    p.drawRoundedRect(lid, 3, 3);
    QLinearGradient screen(lid.topLeft(), lid.bottomRight());
    screen.setColorAt(0.0, QColor(110, 190, 255));
    screen.setColorAt(1.0, QColor(20, 60, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    const QRectF glass = lid.adjusted(3, 3, -3, -4);
    p.drawRect(glass);
    QPainterPath glare;
    glare.moveTo(glass.topLeft());
    glare.lineTo(glass.left() + glass.width() * 0.55, glass.top());
    glare.lineTo(glass.left() + glass.width() * 0.25, glass.bottom());
    glare.lineTo(glass.left(), glass.bottom());
    glare.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawPath(glare);
    QPainterPath base;
    base.moveTo(lid.left() - 2, lid.bottom() + 1);
    base.lineTo(lid.right() + 2, lid.bottom() + 1);
    base.lineTo(lid.right() + 7, lid.bottom() + 6);
    base.lineTo(lid.left() - 7, lid.bottom() + 6);
    base.closeSubpath();
    QLinearGradient metal(0, lid.bottom(), 0, lid.bottom() + 6);
    metal.setColorAt(0.0, QColor(225, 228, 235));
    metal.setColorAt(1.0, QColor(140, 144, 156));
    p.setBrush(metal);
    p.setPen(QPen(QColor(90, 92, 100), 0.8));
    p.drawPath(base);

    const QRectF phone(left + 44, top + 14, 21, 38);
    p.setPen(QPen(QColor(12, 12, 16), 1.0));
    p.setBrush(QColor(36, 36, 44));
    p.drawRoundedRect(phone, 3.5, 3.5);
    QLinearGradient phoneScreen(phone.topLeft(), phone.bottomRight());
    phoneScreen.setColorAt(0.0, QColor(150, 235, 255));
    phoneScreen.setColorAt(1.0, QColor(30, 120, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(phoneScreen);
    p.drawRect(phone.adjusted(2.5, 5, -2.5, -6));
    p.setBrush(QColor(120, 120, 130));
    p.drawEllipse(QPointF(phone.center().x(), phone.bottom() - 3), 1.4, 1.4);

    const double textLeft = seen.left() + 80;
    const QFont headline = kit::pixelFont(kSans, 16, true);
    const QColor shadow(150, 50, 0, 200);
    drawHeadline(p, QPointF(textLeft, seen.top() + 22), QStringLiteral("Портативная"), headline,
                 Qt::white, shadow);
    drawHeadline(p, QPointF(textLeft, seen.top() + 40), QStringLiteral("электроника"), headline,
                 Qt::white, shadow);

    p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
    p.drawLine(QPointF(textLeft, seen.top() + 47.5), QPointF(seen.right() - 6, seen.top() + 47.5));

    const QColor featureColour(110, 30, 0);
    const QFont feature = kit::pixelFont(kSans, 12, true);
    p.setFont(feature);
    const double rows[] = {seen.top() + 61, seen.top() + 78};
    const QString captions[] = {QStringLiteral("Доставка"), QStringLiteral("Гарантия")};
    for (int i = 0; i < 2; ++i) {
        drawCheck(p, QPointF(textLeft + 5, rows[i] - 4), QColor(0, 140, 40));
        p.setPen(featureColour);
        p.drawText(QPointF(textLeft + 14, rows[i]), captions[i]);
    }
    return image;
}

QImage drawPartnerBanner()
{
    QImage image = blankPicture(218, 98);
    const QRectF seen = seenPart(image, QSizeF(201, 89));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient field(0, 0, image.width(), image.height());
    field.setColorAt(0.0, QColor(255, 150, 20));
    field.setColorAt(1.0, QColor(240, 100, 0));
    p.fillRect(image.rect(), field);
    decorateField(p, image.rect(), 41);

    // A rising chart behind two stacks of coins.
    const double left = seen.left() + 5;
    const double ground = seen.bottom() - 8;
    for (int i = 0; i < 4; ++i) {
        const double h = 12 + i * 10;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 240, 200, 70));
        p.drawRect(QRectF(left + 2 + i * 15, ground - 4 - h, 10, h));
    }
    QPainterPath trend;
    trend.moveTo(left, ground - 22);
    trend.lineTo(left + 20, ground - 34);
    trend.lineTo(left + 32, ground - 30);
    trend.lineTo(left + 55, ground - 58);
    p.setPen(QPen(QColor(0, 150, 50), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trend);
    QPainterPath arrowHead;
    arrowHead.moveTo(left + 62, ground - 67);
    arrowHead.lineTo(left + 48, ground - 62);
    arrowHead.lineTo(left + 58, ground - 53);
    arrowHead.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 150, 50));
    p.drawPath(arrowHead);

    // A coin seen from above at an angle: its rim, then its face; `centre` is the face's.
    auto coin = [&p](const QPointF& centre) {
        const QRectF face(centre.x() - 11, centre.y() - 4, 22, 8);
        p.setPen(QPen(QColor(150, 100, 0), 0.8));
        QLinearGradient edge(face.left(), 0, face.right(), 0);
        edge.setColorAt(0.0, QColor(200, 140, 10));
        edge.setColorAt(0.5, QColor(255, 220, 90));
        edge.setColorAt(1.0, QColor(190, 130, 0));
        p.setBrush(edge);
        p.drawRect(QRectF(face.left(), centre.y(), face.width(), 3));
        p.drawEllipse(face.translated(0, 3));
        QLinearGradient top(face.topLeft(), face.bottomRight());
        top.setColorAt(0.0, QColor(255, 240, 150));
        top.setColorAt(1.0, QColor(230, 170, 20));
        p.setBrush(top);
        p.drawEllipse(face);
    };
    // The lowest face sits 7 pixels above the ground line (rim and lower half below it).
    for (int i = 0; i < 5; ++i)
        coin(QPointF(left + 14, ground - 7 - i * 4));
    for (int i = 0; i < 3; ++i)
        coin(QPointF(left + 37, ground - 5 - i * 4));

    const double textLeft = seen.left() + 72;
    const QFont headline = kit::pixelFont(kSans, 15, true);
    const QColor shadow(150, 50, 0, 200);
    drawHeadline(p, QPointF(textLeft, seen.top() + 20), QStringLiteral("Зарабатывайте"), headline,
                 Qt::white, shadow);
    drawHeadline(p, QPointF(textLeft, seen.top() + 37), QStringLiteral("в Интернете!"), headline,
                 Qt::white, shadow);
    p.setFont(kit::pixelFont(kSans, 11, true));
    p.setPen(QColor(110, 30, 0));
    p.drawText(QPointF(textLeft, seen.top() + 53), QStringLiteral("с нашим магазином"));
    drawPill(p, QRectF(textLeft, seen.top() + 62, seen.right() - 8 - textLeft, 17),
             QStringLiteral("Стать партнёром »"), QColor(0, 140, 50), 11);
    return image;
}
