// Measures every text of the program's windows on pictures of them that the real program
// showed, taken from the X server by tools/screenshots/desktop_legibility.sh, which drives the
// program to each window and tab:
//
//   window_legibility --pictures <folder> <seven answers>
//
// The pictures are <folder>/<window>.png (the results window's tabs "TResults 1" to "3"),
// each the window's client area. Where each text lies and the colour its widget writes it in
// come from the same windows made here by the program's own code, in the same session (the
// same display and environment, so the same palette), brought to the state the program was
// driven to (the questionnaire answered so) without being shown on the screen. It prints
// "window | control | text | background | ratio | needed" lines and ends with status 1 when
// a text falls short of what its size needs or a picture is missing or of another size.
// --caption prints the main window's title, by which the script finds it.

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
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

struct Pair {
    QColor text;
    QColor background;
};

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
    // Ties are settled alike in every run, whatever order the hash hands the colours in:
    // the rows of a shaded face are as common as each other, and of those the one the
    // letters read worst on is the background.
    QRgb commonest = 0;
    int commonestCount = 0;
    for (auto it = near.cbegin(); it != near.cend(); ++it) {
        if (it.value() > commonestCount || (it.value() == commonestCount && it.key() < commonest)) {
            commonest = it.key();
            commonestCount = it.value();
        }
    }
    QRgb background = 0;
    int most = 0;
    double worst = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (neighbourhood(it.key()) != commonest || letters(it.key())) {
            continue;
        }
        const double against = WindowLook::contrastRatio(QColor::fromRgb(it.key()), written);
        if (it.value() > most ||
            (it.value() == most &&
             (against < worst || (against == worst && it.key() < background)))) {
            most = it.value();
            background = it.key();
            worst = against;
        }
    }
    const QColor behind = QColor::fromRgb(background);
    QColor text = behind;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const QColor colour = QColor::fromRgb(it.key());
        const double ratio = WindowLook::contrastRatio(colour, behind);
        const double best = WindowLook::contrastRatio(text, behind);
        if (ratio > best || (ratio == best && it.key() < text.rgb())) {
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
            // Only the letters' own extent: the caret, which a focused box shows now and
            // then at one end of them, is no text and may stand out more than they do.
            if (!edit->text().isEmpty()) {
                const QRect inside = edit->rect().adjusted(3, 3, -3, -3);
                const int width = edit->fontMetrics().horizontalAdvance(edit->text());
                const Qt::Alignment horizontal = edit->alignment() & Qt::AlignHorizontal_Mask;
                const int left = horizontal & Qt::AlignRight     ? inside.right() - width
                                 : horizontal & Qt::AlignHCenter ? inside.center().x() - width / 2
                                                                 : inside.left();
                add(widget, {}, QRect(left + 2, inside.top(), width - 4, inside.height()) & inside,
                    QPalette::Text);
            }
        } else if (qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget)) {
            // Right of the caret, which a focused box draws at its start: it is no text, and
            // may stand out more than the letters do.
            const QWidget* viewport = static_cast<QAbstractScrollArea*>(widget)->viewport();
            const auto* plain = qobject_cast<QPlainTextEdit*>(widget);
            const QRect caret =
                plain ? plain->cursorRect() : static_cast<QTextEdit*>(widget)->cursorRect();
            add(widget, {}, viewport->geometry().adjusted(caret.right() + 2, 0, 0, 0),
                QPalette::Text);
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

// Opens a dialog as the program does, through its own command, and closes it again as soon
// as it has been shown (off the screen): what the command writes into it stays.
void openAndClose(QDialog* dialog, const std::function<void()>& command)
{
    QTimer::singleShot(0, dialog, &QDialog::reject);
    command();
}

// Brings the windows to the state the program was driven to, and measures each text of
// each window on the picture the program showed of it.
int measurePictures(const QString& folder, const QString& answers)
{
    WindowOwner owner;
    owner.createSplash();
    owner.createWindows();
    const WindowSet& set = owner.windows();
    const QList<QWidget*> windows{set.zast,     set.tandemo, set.info,    set.results,
                                  set.specHelp, set.attract, set.aboutBox};
    for (QWidget* window : windows) {
        window->hide();
        window->setAttribute(Qt::WA_DontShowOnScreen);
    }
    // The questionnaire started from its menu and answered, question by question.
    TTandemo* questionnaire = set.tandemo;
    questionnaire->findChild<QAction*>(QStringLiteral("N2"))->trigger();
    for (int question = 1; question <= answers.size(); ++question) {
        questionnaire->findChild<QAbstractButton*>(QStringLiteral("BitBtn%1").arg(question))
            ->click();
        questionnaire
            ->findChild<QAbstractButton*>(
                QStringLiteral("CheckBox%1").arg(answers.at(question - 1)))
            ->click();
    }
    openAndClose(set.results, [&] {
        questionnaire->findChild<QAbstractButton*>(QStringLiteral("BitBtn8"))->click();
    });
    openAndClose(set.info,
                 [&] { questionnaire->findChild<QAction*>(QStringLiteral("N9"))->trigger(); });

    QTextStream out(stdout);
    bool allRead = true;
    const auto measure = [&](QWidget* window, const QString& title) {
        window->show();
        QApplication::processEvents();
        const QImage shot(QStringLiteral("%1/%2.png").arg(folder, title));
        const QSize size = window->size() * window->devicePixelRatio();
        if (shot.size() != size) {
            out << title << " | the picture is " << shot.width() << 'x' << shot.height()
                << ", the window " << size.width() << 'x' << size.height() << '\n';
            allRead = false;
        }
        for (const auto& [control, area, written, onPicture] : textAreas(window)) {
            const QRect pixels(area.topLeft() * window->devicePixelRatio(),
                               area.size() * window->devicePixelRatio());
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
    registerFontSubstitutions();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 2 && arguments.at(1) == QLatin1String("--caption")) {
        WindowOwner owner;
        owner.createWindows();
        QTextStream(stdout) << owner.windows().tandemo->windowTitle() << '\n';
        return 0;
    }
    static const QRegularExpression answers(QStringLiteral("[1-6]{7}"));
    if (arguments.size() != 4 || arguments.at(1) != QLatin1String("--pictures") ||
        !answers.match(arguments.at(3)).hasMatch()) {
        QTextStream(stderr) << "usage: window_legibility --pictures <folder> <seven answers 1-6>\n"
                               "       window_legibility --caption\n";
        return 2;
    }
    return measurePictures(arguments.at(2), arguments.at(3));
}
