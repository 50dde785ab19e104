// What a screen reader finds in every window: each element a user can operate has a
// name, a button without a caption is named and described in Russian, and the painted
// version line reads as its caption. And what a reader's eyes find: every text whose
// colours come from the desktop reads on its background, under Qt's palette, our dark
// one and Plasma's Breeze Light and Breeze Dark.

#include "desktop_palette.h"
#include "font_substitutions.h"
#include "tandemo.h"
#include "tandemo_version.h"
#include "window_look.h"
#include "window_owner.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QtTest>
#include <memory>

namespace {

struct Element {
    QString path; // object names from the window down, for the failure message
    QAccessible::Role role;
    QString name;
    QString description;
    QObject* object;
    bool focusable;
};

void collect(QAccessibleInterface* node, const QString& path, QList<Element>& out, int depth = 0)
{
    if (!node || !node->isValid() || depth > 30) {
        return;
    }
    QObject* object = node->object();
    const QString here =
        path + QLatin1Char('/') +
        (object && !object->objectName().isEmpty() ? object->objectName()
                                                   : QString::number(int(node->role()), 16));
    out.append({here, node->role(), node->text(QAccessible::Name),
                node->text(QAccessible::Description), object, node->state().focusable != 0});
    for (int i = 0; i < node->childCount(); ++i) {
        collect(node->child(i), here, out, depth + 1);
    }
}

// Elements a user operates: the roles of buttons, boxes, fields, tabs and menu items, and
// anything that takes the keyboard focus.
bool interactive(const Element& element)
{
    switch (element.role) {
    // A grid's cells are its content: read with their row and column, named by the grid.
    case QAccessible::Cell:
    case QAccessible::ColumnHeader:
    case QAccessible::RowHeader:
        return false;
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::Link:
    case QAccessible::Table:
        return true;
    default:
        return element.focusable;
    }
}

bool russian(const QString& text)
{
    static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
    return text.contains(cyrillic);
}

// Plasma's Breeze schemes as Qt's KDE theme makes a palette of them: the scheme's faces,
// fields, texts and selection, and the shades derived from the button face.
QPalette breeze(bool dark)
{
    const QColor button = dark ? QColor(41, 44, 48) : QColor(239, 240, 241);
    QPalette palette(button, dark ? QColor(32, 35, 38) : button);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, dark ? QColor(252, 252, 252) : QColor(35, 38, 41));
    }
    palette.setColor(QPalette::Base, dark ? QColor(20, 22, 24) : QColor(255, 255, 255));
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, dark ? QColor(29, 153, 243) : QColor(41, 128, 185));
    palette.setColor(QPalette::Midlight, button.lighter(dark ? 75 : 150));
    return palette;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyInteractiveElementHasAName_data();
    void everyInteractiveElementHasAName();
    void paintedVersionLineReadsAsItsCaption();
    void contrastOfKnownPairs();
    void systemColouredTextsRead_data();
    void systemColouredTextsRead();

private:
    QList<Element> tree(const QString& windowName) const;

    std::unique_ptr<WindowOwner> m_owner;
    QPalette m_desktop;
};

void TestAccessibility::initTestCase()
{
    registerFontSubstitutions();
    m_desktop = QApplication::palette();
}

void TestAccessibility::cleanup()
{
    m_owner.reset();
    QApplication::setPalette(m_desktop);
}

void TestAccessibility::init()
{
    m_owner = std::make_unique<WindowOwner>();
    m_owner->createSplash();
    m_owner->createWindows();
    // Everything the questionnaire can show, shown: started, on question 1, with results.
    QWidget* tandemo = m_owner->windows().tandemo;
    tandemo->show();
    answerQuestionnaire(tandemo, QStringLiteral("1111111"));
    click(tandemo, QStringLiteral("BitBtn1"));
}

QList<Element> TestAccessibility::tree(const QString& windowName) const
{
    QWidget* top = topLevel(windowName);
    top->show();
    QList<Element> elements;
    collect(QAccessible::queryAccessibleInterface(top), QString(), elements);
    // Menus drop down as windows of their own, outside the window's tree.
    for (QMenu* menu : top->findChildren<QMenu*>()) {
        collect(QAccessible::queryAccessibleInterface(menu), windowName, elements);
    }
    return elements;
}

// A button without a caption is named and described, in Russian, for a reader to know it.
void TestAccessibility::everyInteractiveElementHasAName_data()
{
    QTest::addColumn<QString>("windowName");
    // Controls that must be among those found, so that the walk cannot pass by seeing
    // nothing.
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("captionless"); // buttons without a caption in the window
    QTest::newRow("splash") << "TZast" << QStringList{} << 0;
    QTest::newRow("questionnaire")
        << "TTandemo" << QStringList{"BitBtn1",   "BitBtn7", "BitBtn8", "Edit1",   "CheckBox1",
                                     "CheckBox6", "N2",      "N11",     "Tandemo1"}
        << 1;
    QTest::newRow("results") << "TResults"
                             << QStringList{"StringGrid1", "BitBtn9",  "Button1", "Edit1",
                                            "Edit4",       "Edit2",    "Edit3",   "BitBtn1",
                                            "Memo1",       "BitBtn11", "BitBtn2"}
                             << 2;
    QTest::newRow("current probability") << "TInfo" << QStringList{"Edit1", "BitBtn1"} << 0;
    QTest::newRow("indicator") << "TSpecHelp"
                               << QStringList{"Button1", "Button5", "RichEdit1", "BitBtn1"} << 5;
    QTest::newRow("attraction") << "TAttract" << QStringList{"Memo1", "BitBtn1"} << 0;
    QTest::newRow("about") << "TAboutBox" << QStringList{"OKButton"} << 0;
}

void TestAccessibility::everyInteractiveElementHasAName()
{
    QFETCH(QString, windowName);
    QFETCH(QStringList, expected);
    const QList<Element> elements = tree(windowName);
    QVERIFY(!elements.isEmpty());
    QStringList nameless;
    QStringList seen;
    int captionless = 0;
    for (const Element& element : elements) {
        auto* button = qobject_cast<QAbstractButton*>(element.object);
        // The tab strip's scroll arrows are the toolkit's own and named by it.
        if (button && button->text().trimmed().isEmpty() &&
            !qobject_cast<QTabBar*>(button->parentWidget())) {
            ++captionless;
            const QString name = button->objectName();
            QVERIFY2(russian(element.name), qPrintable(name + " name: " + element.name));
            QVERIFY2(russian(element.description),
                     qPrintable(name + " description: " + element.description));
            QVERIFY2(element.name != element.description, qPrintable(name));
        }
        if (!interactive(element)) {
            continue;
        }
        if (element.object) {
            seen << element.object->objectName();
        }
        if (element.name.trimmed().isEmpty()) {
            nameless << element.path;
        }
    }
    QVERIFY2(nameless.isEmpty(), qPrintable("no accessible name: " + nameless.join(", ")));
    for (const QString& name : expected) {
        QVERIFY2(seen.contains(name), qPrintable(name + " was not found as an operable element"));
    }
    QTEST(captionless, "captionless");
}

void TestAccessibility::paintedVersionLineReadsAsItsCaption()
{
    const QList<Element> elements = tree(QStringLiteral("TZast"));
    const auto label = std::find_if(elements.begin(), elements.end(), [](const Element& e) {
        return e.object && e.object->objectName() == QLatin1String("fx2Label1");
    });
    QVERIFY(label != elements.end());
    QCOMPARE(label->name.trimmed(), QStringLiteral("VERSION ") +
                                        QLatin1String(TandemoVersion::release) +
                                        QStringLiteral(" *FREEWARE*"));
}

void TestAccessibility::contrastOfKnownPairs()
{
    using WindowLook::contrastRatio;
    QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
    QCOMPARE(contrastRatio(Qt::white, Qt::white), 1.0);
    // Teal under the classic caption blue, and under Fusion's highlight.
    QCOMPARE(qRound(contrastRatio(WindowLook::teal, QColor(0, 0, 128)) * 100), 335);
    QCOMPARE(qRound(contrastRatio(QColor(48, 140, 198), WindowLook::teal) * 100), 129);
}

void TestAccessibility::systemColouredTextsRead_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("control");
    QTest::addColumn<double>("minimum");
    // Texts in a system colour on a designed one, designed texts on a system colour, and
    // the fields whose designed black text sits on the desktop's field colour. Text needs
    // 4.5 : 1, text of 19 px and more 3 : 1.
    const struct {
        const char* window;
        const char* control;
        double minimum;
    } pairs[] = {
        {"TResults", "Label16", 3},       {"TResults", "Label18", 3},
        {"TTandemo", "BitBtn8", 4.5},     {"TSpecHelp", "Label1", 4.5},
        {"TSpecHelp", "Label2", 4.5},     {"TSpecHelp", "Label3", 4.5},
        {"TSpecHelp", "Label4", 4.5},     {"TAboutBox", "ProductName", 4.5},
        {"TAboutBox", "Comments", 4.5},   {"TResults", "Button1", 4.5},
        {"TResults", "BitBtn1", 4.5},     {"TResults", "BitBtn4", 4.5},
        {"TResults", "BitBtn2", 4.5},     {"TResults", "BitBtn5", 4.5},
        {"TInfo", "BitBtn1", 4.5},        {"TInfo", "Label1", 3},
        {"TSpecHelp", "BitBtn1", 4.5},    {"TResults", "Edit1", 4.5},
        {"TResults", "Label2", 4.5},      {"TResults", "Label9", 4.5},
        {"TResults", "EditR", 4.5},       {"TSpecHelp", "RichEdit1", 4.5},
        {"TTandemo", "CheckBox1", 4.5},   {"TTandemo", "Label3", 4.5},
        {"TResults", "Edit4", 4.5},       {"TResults", "Memo1", 4.5},
        {"TResults", "StringGrid1", 4.5}, {"TInfo", "Edit1", 4.5},
        {"TAttract", "Memo1", 4.5},       {"TTandemo", "Edit1", 4.5},
    };
    for (const char* desktop : {"Qt's", "dark", "Breeze Light", "Breeze Dark"}) {
        for (const auto& pair : pairs) {
            QTest::addRow("%s %s, %s palette", pair.window, pair.control, desktop)
                << QString::fromLatin1(desktop) << pair.window << pair.control << pair.minimum;
        }
    }
}

void TestAccessibility::systemColouredTextsRead()
{
    QFETCH(QString, desktop);
    QFETCH(QString, windowName);
    QFETCH(QString, control);
    QFETCH(double, minimum);
    if (desktop != QLatin1String("Qt's")) {
        m_owner.reset();
        QApplication::setPalette(desktop == QLatin1String("dark")
                                     ? darkDesktopPalette()
                                     : breeze(desktop == QLatin1String("Breeze Dark")));
        init();
    }
    QWidget* top = topLevel(windowName);
    top->show();
    auto* widget = child<QWidget>(top, control);
    const QPalette& colours = widget->palette();
    const auto [text, background] =
        qobject_cast<QPushButton*>(widget) ? std::pair(QPalette::ButtonText, QPalette::Button)
        : qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)
            ? std::pair(QPalette::WindowText, QPalette::Window)
            : std::pair(QPalette::Text, QPalette::Base);
    const double contrast =
        WindowLook::contrastRatio(colours.color(text), colours.color(background));
    QVERIFY2(contrast >= minimum,
             qPrintable(QStringLiteral("%1 on %2: %3 : 1")
                            .arg(colours.color(text).name(), colours.color(background).name())
                            .arg(contrast, 0, 'f', 2)));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
