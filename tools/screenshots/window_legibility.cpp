// Lists every text the windows show with its colour, its background and their contrast
// ratio, on the default desktop palette and on a dark one, as a Markdown table (the one
// in docs/legibility.md). Run it on the offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/tools/screenshots/window_legibility > docs/legibility-table.md

#include "font_substitutions.h"
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
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTextStream>

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

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
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
