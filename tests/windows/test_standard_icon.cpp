// The dialogs' standard button pictures: the style is not asked while the dialogs are made,
// only when a picture is first needed, and what is then drawn is exactly the style's picture.

#include "standard_icon.h"

#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QtTest>

namespace {

class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override
    {
        ++asked;
        return QProxyStyle::standardIcon(which, option, widget);
    }

    mutable int asked = 0;
};

QImage rendered(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

} // namespace

class TestStandardIcon : public QObject {
    Q_OBJECT
private slots:
    void styleIsAskedOnFirstUseOnly();
    void sameAsTheStyles_data();
    void sameAsTheStyles();
    void buttonDrawsTheStylesPicture();
};

void TestStandardIcon::styleIsAskedOnFirstUseOnly()
{
    CountingStyle style;
    QWidget dialog;
    dialog.setStyle(&style);
    auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setIcon(WindowLook::deferredStandardIcon(&dialog, QStyle::SP_DialogOkButton));
    button->setIconSize(QSize(16, 16));
    QVERIFY(!button->icon().isNull());
    button->adjustSize();
    QCOMPARE(style.asked, 0);

    const QImage first = button->icon().pixmap(16).toImage();
    QCOMPARE(style.asked, 1);
    QVERIFY(!first.isNull());
    // Copies of the icon share the answer.
    const QIcon copy = button->icon();
    QCOMPARE(copy.pixmap(32).toImage().isNull(), false);
    QCOMPARE(style.asked, 1);
}

void TestStandardIcon::sameAsTheStyles_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("which");
    QTest::addColumn<int>("extent");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("OK 16") << QStyle::SP_DialogOkButton << 16 << qreal(1);
    QTest::newRow("Close 16") << QStyle::SP_DialogCloseButton << 16 << qreal(1);
    QTest::newRow("Help 32") << QStyle::SP_DialogHelpButton << 32 << qreal(1);
    QTest::newRow("Cancel 16 at double density") << QStyle::SP_DialogCancelButton << 16 << qreal(2);
}

void TestStandardIcon::sameAsTheStyles()
{
    QFETCH(QStyle::StandardPixmap, which);
    QFETCH(int, extent);
    QFETCH(qreal, ratio);
    QWidget dialog;
    const QIcon deferred = WindowLook::deferredStandardIcon(&dialog, which);
    const QIcon direct = dialog.style()->standardIcon(which);
    const QSize size(extent, extent);
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
        const QPixmap got = deferred.pixmap(size, ratio, mode);
        const QPixmap expected = direct.pixmap(size, ratio, mode);
        QCOMPARE(got.devicePixelRatio(), expected.devicePixelRatio());
        QCOMPARE(got.toImage(), expected.toImage());
    }
    QCOMPARE(deferred.actualSize(size), direct.actualSize(size));
    QCOMPARE(deferred.availableSizes(), direct.availableSizes());
}

void TestStandardIcon::buttonDrawsTheStylesPicture()
{
    QWidget dialog;
    dialog.resize(200, 40);
    auto* deferred = new QPushButton(QStringLiteral("ВСЁ ПОНЯТНО"), &dialog);
    auto* direct = new QPushButton(QStringLiteral("ВСЁ ПОНЯТНО"), &dialog);
    deferred->setIcon(WindowLook::deferredStandardIcon(&dialog, QStyle::SP_DialogOkButton));
    direct->setIcon(dialog.style()->standardIcon(QStyle::SP_DialogOkButton));
    for (QPushButton* button : {deferred, direct}) {
        button->setIconSize(QSize(16, 16));
        button->setGeometry(0, 0, 147, 25);
    }
    QCOMPARE(deferred->sizeHint(), direct->sizeHint());
    QCOMPARE(rendered(*deferred), rendered(*direct));
    deferred->setEnabled(false);
    direct->setEnabled(false);
    QCOMPARE(rendered(*deferred), rendered(*direct));
}

QTEST_MAIN(TestStandardIcon)
#include "test_standard_icon.moc"
