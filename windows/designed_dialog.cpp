#include "designed_dialog.h"

#include "window_centring.h"
#include "window_look.h"

#include <QBackingStore>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTabWidget>

DesignedDialog::DesignedDialog(const Design& design, QWidget* parent)
    : QDialog(parent), m_buttons(design.buttons), m_centred(design.centredOnShow)
{
    setWindowFlags(design.frame);
    if (design.centredOnShow) {
        WindowLook::centreAtEveryShowing(this);
    }
}

void DesignedDialog::prepare()
{
    if (m_prepared) {
        return;
    }
    m_prepared = true;
    DialogKeys::keepDesignedDefaults(this);
    measure();
    ensurePolished();
    // One paint off screen of the window and of every page of its tabs loads the fonts,
    // lays out the texts and resolves the style's pictures the real paints will use.
    QImage scratch(size(), QImage::Format_ARGB32_Premultiplied);
    render(&scratch);
    for (QTabWidget* tabs : findChildren<QTabWidget*>()) {
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->widget(page)->render(&scratch);
        }
    }
    // The native window, and its backing store at the window's size with every page of it
    // written once: a first showing would otherwise allocate it and take a page fault for
    // each 4 KiB it paints (some 250 for the results window), which a later one never does.
    create();
    // Where its showing will centre it, so that the first showing, like a later one, finds
    // its native window in place.
    if (m_centred) {
        WindowCentring::placeForShowing(this);
    }
    if (QBackingStore* store = backingStore()) {
        store->resize(size());
        store->beginPaint(QRegion(rect()));
        QPainter(store->paintDevice()).fillRect(rect(), palette().window());
        store->endPaint();
    }
}

void DesignedDialog::setVisible(bool visible)
{
    // Before QDialog's own showing, which picks a default button unless the form has one.
    if (visible) {
        prepare();
    }
    QDialog::setVisible(visible);
}

void DesignedDialog::keyPressEvent(QKeyEvent* event)
{
    if (DialogKeys::reachesMissingButton(event, m_buttons)) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
