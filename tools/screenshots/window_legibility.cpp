// Lists every text the windows show with its colour, its background and their contrast
// ratio, on the default desktop palette and on a dark one, as a Markdown table. Run it on
// the offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/tools/screenshots/window_legibility > table.md
//
// With --pixels it reads the colours off the screen instead: on a real X server, with
// whatever palette the desktop's platform theme hands the program (--dark: our dark one),
// it shows each window and tab, takes its pixels from the server and measures each text
// in them. It prints "window | control | text | background | ratio | needed" lines and
// ends with status 1 when a text falls short of what its size needs
// (tools/screenshots/desktop_legibility.sh runs it under each desktop's palette).

#include "font_substitutions.h"
#include "fx2label.h"
#include "window_look.h"
#include "window_owner.h"

#include "aboutbox.h"
#include "attract.h"
#include "info.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "zast.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QWindow>

#include <memory>

namespace {

struct Pair {
    QColor text;
    QColor background;
};

// The colour behind a widget: its own fill, or the nearest filling parent's.
QColor behind(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow()) {
            return w->palette().color(w->backgroundRole());
        }
    }
    return {};
}

// Every text of every window, by "window / control", with its two colours.
QMap<QString, Pair> pairs(const WindowSet& set)
{
    QMap<QString, Pair> found;
    const QList<QWidget*> windows{set.tandemo,  set.results, set.info,
                                  set.specHelp, set.attract, set.aboutBox};
    for (QWidget* window : windows) {
        window->show();
        QApplication::processEvents();
        const auto add = [&](const QWidget* widget, const QString& what, Pair pair) {
            found.insert(window->objectName() + QStringLiteral(" | ") + widget->objectName() +
                             (what.isEmpty() ? QString() : QStringLiteral(" (") + what + ')'),
                         pair);
        };
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->window() != window ||
                widget->objectName().startsWith(QLatin1String("qt_"))) {
                continue;
            }
            const QPalette& p = widget->palette();
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                if (!label->text().isEmpty()) {
                    add(widget, {}, {p.color(QPalette::WindowText), behind(widget)});
                }
            } else if (qobject_cast<const QCheckBox*>(widget)) {
                add(widget, {}, {p.color(QPalette::WindowText), behind(widget)});
            } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
                if (!button->text().isEmpty()) {
                    add(widget, {}, {p.color(QPalette::ButtonText), p.color(QPalette::Button)});
                }
            } else if (const auto* grid = qobject_cast<const QTableWidget*>(widget)) {
                add(widget, QStringLiteral("cells"),
                    {p.color(QPalette::Text), p.color(QPalette::Base)});
                // The fixed cells are painted by the grid's own delegate: read their face off
                // the screen, beside the text.
                const QRect cell = grid->visualRect(grid->model()->index(1, 0));
                const QImage shot = grid->viewport()->grab().toImage();
                add(widget, QStringLiteral("fixed cells"),
                    {p.color(QPalette::Text),
                     shot.pixelColor(cell.right() - 4, cell.center().y())});
            } else if (qobject_cast<const QLineEdit*>(widget) ||
                       qobject_cast<const QPlainTextEdit*>(widget) ||
                       qobject_cast<const QTextEdit*>(widget)) {
                add(widget, {}, {p.color(QPalette::Text), p.color(QPalette::Base)});
            } else if (qobject_cast<const QTabBar*>(widget) ||
                       qobject_cast<const QMenuBar*>(widget)) {
                add(widget, {}, {p.color(QPalette::WindowText), p.color(QPalette::Window)});
            }
        }
        for (const QTabBar* tabs : window->findChildren<QTabBar*>()) {
            if (tabs->window() == window) {
                add(tabs, QStringLiteral("tabs"),
                    {tabs->palette().color(QPalette::WindowText),
                     tabs->palette().color(QPalette::Button)});
            }
        }
        window->hide();
    }
    return found;
}

QMap<QString, Pair> pairsUnder(const QPalette& palette)
{
    QApplication::setPalette(palette);
    WindowOwner owner;
    owner.createWindows();
    return pairs(owner.windows());
}

QString cell(const Pair& pair)
{
    return QStringLiteral("%1 on %2 | %3")
        .arg(pair.text.name(), pair.background.name())
        .arg(WindowLook::contrastRatio(pair.text, pair.background), 0, 'f', 2);
}

// Where a text lies in its window, and the colour its widget's palette writes it in.
struct TextArea {
    QString control;
    QRect rect;
    QColor written;
    bool onPicture = false;
};

// The colours of a text as the screen has them. The most common colour of its area is the
// background; the pixel that stands out from it most is the text's. Smoothed letters of
// a small font may have no pixel wholly covered, so that pixel is a blend of the two.
// When it lies on the way from the background to the colour the palette writes in, the
// letters were drawn in that colour and it is the text's; otherwise (something else
// painted there) the pixel itself is. A text nobody can see measures 1 : 1.
Pair measured(const QImage& shot, const QRect& area, const QColor& written, bool onPicture)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & shot.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            ++counts[shot.pixel(x, y) | 0xff000000u];
        }
    }
    // A shaded face (a button's gradient) spreads its pixels over many near colours: the
    // background is the most common colour of the most common neighbourhood of colours.
    const auto neighbourhood = [](QRgb rgb) {
        return rgb & 0xfff0f0f0u;
    };
    // On a picture, a tight area may hold more letters than background of any one
    // colour: the letters' own colour does not count there.
    const auto letters = [&](QRgb rgb) {
        return onPicture && rgb == (written.rgb() | 0xff000000u);
    };
    QHash<QRgb, int> near;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (!letters(it.key())) {
            near[neighbourhood(it.key())] += it.value();
        }
    }
    QRgb commonest = 0;
    for (auto it = near.cbegin(); it != near.cend(); ++it) {
        if (it.value() > near.value(commonest)) {
            commonest = it.key();
        }
    }
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (neighbourhood(it.key()) == commonest && !letters(it.key()) && it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    const QColor behind = QColor::fromRgb(background);
    QColor text = behind;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const QColor colour = QColor::fromRgb(it.key());
        if (WindowLook::contrastRatio(colour, behind) > WindowLook::contrastRatio(text, behind)) {
            text = colour;
        }
    }
    // How far along the way from the background to the written colour the pixel lies,
    // by its channel that moves most; each channel must agree within rounding and the
    // background's own shading (a button's face is a gradient).
    const int channels[3][2] = {{behind.red(), written.red()},
                                {behind.green(), written.green()},
                                {behind.blue(), written.blue()}};
    const int pixel[3] = {text.red(), text.green(), text.blue()};
    int widest = 0;
    for (int c = 1; c < 3; ++c) {
        if (std::abs(channels[c][1] - channels[c][0]) >
            std::abs(channels[widest][1] - channels[widest][0])) {
            widest = c;
        }
    }
    const int span = channels[widest][1] - channels[widest][0];
    if (std::abs(span) >= 16) {
        const double along = double(pixel[widest] - channels[widest][0]) / span;
        bool onTheWay = along >= 0.5 && along <= 1.02;
        for (int c = 0; c < 3; ++c) {
            const double expected = channels[c][0] + along * (channels[c][1] - channels[c][0]);
            onTheWay &= std::abs(pixel[c] - expected) <= 12;
        }
        if (onTheWay) {
            text = written;
        }
    }
    return {text, behind};
}

// Where each visible text of a window lies, in the window's coordinates.
QList<TextArea> textAreas(QWidget* window)
{
    QList<TextArea> areas;
    const auto add = [&](const QWidget* widget, const QString& what, const QRect& rect,
                         QPalette::ColorRole role) {
        areas.append({widget->objectName() + (what.isEmpty() ? QString() : " (" + what + ')'),
                      QRect(widget->mapTo(window, rect.topLeft()), rect.size()),
                      widget->palette().color(role)});
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() != window || !widget->isVisibleTo(window)) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (!label->text().trimmed().isEmpty() && label->pixmap().isNull()) {
                add(widget, {}, label->contentsRect(), QPalette::WindowText);
            }
        } else if (const auto* effect = qobject_cast<const Tfx2Label*>(widget)) {
            // Painted text: its letters in the text colour, on whatever lies behind.
            areas.append({widget->objectName(),
                          QRect(widget->mapTo(window, QPoint()), widget->size()),
                          effect->textColor(), true});
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(box);
            add(widget, {}, box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box),
                QPalette::WindowText);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            if (button->text().isEmpty()) {
                continue;
            }
            // Only the caption: the glyph left of it is a picture, not text.
            QStyleOptionButton option;
            option.initFrom(button);
            QRect caption =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            if (!button->icon().isNull()) {
                const int glyph = button->iconSize().width() + 4;
                const int width = button->fontMetrics().horizontalAdvance(button->text());
                caption.setLeft(caption.center().x() - (glyph + width) / 2 + glyph);
            }
            add(widget, {}, caption.adjusted(0, 3, -3, -3), QPalette::ButtonText);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (!edit->text().isEmpty()) {
                add(widget, {}, edit->rect().adjusted(3, 3, -3, -3), QPalette::Text);
            }
        } else if (qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget)) {
            const QWidget* viewport = static_cast<QAbstractScrollArea*>(widget)->viewport();
            add(widget, {}, viewport->geometry(), QPalette::Text);
        } else if (auto* grid = qobject_cast<QTableWidget*>(widget)) {
            for (int row = 0; row < grid->rowCount(); ++row) {
                for (int column = 0; column < grid->columnCount(); ++column) {
                    const QTableWidgetItem* item = grid->item(row, column);
                    if (item && !item->text().isEmpty()) {
                        const QRect cell = grid->visualRect(grid->model()->index(row, column));
                        add(widget, QStringLiteral("cell %1,%2").arg(row).arg(column),
                            QRect(grid->viewport()->mapTo(widget, cell.topLeft()), cell.size())
                                .adjusted(2, 2, -2, -2),
                            QPalette::Text);
                    }
                }
            }
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                add(widget, QStringLiteral("tab %1").arg(tab + 1),
                    tabs->tabRect(tab).adjusted(4, 4, -4, -3), QPalette::WindowText);
            }
        } else if (auto* menus = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* action : menus->actions()) {
                add(widget,
                    action->objectName().isEmpty() ? action->text().remove('&')
                                                   : action->objectName(),
                    menus->actionGeometry(action).adjusted(2, 2, -2, -2), QPalette::ButtonText);
            }
        }
    }
    return areas;
}

// Shows each window (and each page of the results) alone on the screen, takes its
// pixels from the server and measures every text in them.
int measureOnScreen(const QString& shots)
{
    WindowOwner owner;
    owner.createSplash();
    owner.createWindows();
    const WindowSet& set = owner.windows();
    // The questionnaire with a question under way: the current question's caption, the
    // one left behind, the answers and the results button.
    set.tandemo->findChild<QAction*>(QStringLiteral("N2"))->trigger();
    for (const char* name : {"BitBtn1", "BitBtn2"}) {
        set.tandemo->findChild<QPushButton*>(QLatin1String(name))->click();
    }
    set.tandemo->findChild<QWidget*>(QStringLiteral("BitBtn8"))->show();

    QTextStream out(stdout);
    bool allRead = true;
    const auto measure = [&](QWidget* window, const QString& title) {
        window->show();
        window->raise();
        for (int round = 0; round < 200 && !window->windowHandle()->isExposed(); ++round) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        // The server has the window's pixels once they are what the window paints; until
        // then it may show an unpainted (black) window.
        const QImage painted = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage shot;
        for (int round = 0; round < 250 && shot != painted; ++round) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            QApplication::sync();
            shot = window->screen()
                       ->grabWindow(window->winId())
                       .toImage()
                       .convertToFormat(QImage::Format_RGB32);
        }
        if (shot != painted) {
            out << title << " | the screen never showed the window as it paints itself\n";
            allRead = false;
        }
        if (!shots.isEmpty()) {
            shot.save(QStringLiteral("%1/%2.png").arg(shots, title));
        }
        for (const auto& [control, area, written, onPicture] : textAreas(window)) {
            const QRect pixels(area.topLeft() * shot.devicePixelRatio(),
                               area.size() * shot.devicePixelRatio());
            const Pair pair = measured(shot, pixels, written, onPicture);
            const double ratio = WindowLook::contrastRatio(pair.text, pair.background);
            const QWidget* widget = window->findChild<QWidget*>(control.section(' ', 0, 0));
            const double needed =
                WindowLook::neededContrast(widget ? widget->font() : window->font());
            allRead &= ratio >= needed;
            out << title << " | " << control << " | " << pair.text.name() << " | "
                << pair.background.name() << " | " << QString::number(ratio, 'f', 2) << " | "
                << needed << (ratio >= needed ? "" : " | TOO LOW") << '\n';
        }
        window->hide();
    };
    for (QWidget* window :
         {static_cast<QWidget*>(set.zast), static_cast<QWidget*>(set.tandemo),
          static_cast<QWidget*>(set.info), static_cast<QWidget*>(set.specHelp),
          static_cast<QWidget*>(set.attract), static_cast<QWidget*>(set.aboutBox)}) {
        measure(window, window->objectName());
    }
    auto* pages = set.results->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        measure(set.results, QStringLiteral("TResults %1").arg(page + 1));
    }
    return allRead ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("--pixels"))) {
        if (arguments.contains(QStringLiteral("--dark"))) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(WindowLook::darkDesktopPalette());
        }
        registerFontSubstitutions();
        // --shots <folder>: keeps what was measured, to look at.
        const qsizetype shots = arguments.indexOf(QStringLiteral("--shots"));
        return measureOnScreen(shots > 0 && shots + 1 < arguments.size() ? arguments.at(shots + 1)
                                                                         : QString());
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    registerFontSubstitutions();

    const QMap<QString, Pair> light = pairsUnder(QApplication::style()->standardPalette());
    const QMap<QString, Pair> dark = pairsUnder(WindowLook::darkDesktopPalette());

    QTextStream out(stdout);
    out << "| window | control | default desktop | ratio | dark desktop | ratio | follows the "
           "desktop |\n"
        << "|---|---|---|---|---|---|---|\n";
    for (auto it = light.cbegin(); it != light.cend(); ++it) {
        const Pair other = dark.value(it.key());
        const bool fixed = it->text == other.text && it->background == other.background;
        out << "| " << it.key() << " | " << cell(*it) << " | " << cell(other) << " | "
            << (fixed ? "no" : "yes") << " |\n";
    }
    return 0;
}
