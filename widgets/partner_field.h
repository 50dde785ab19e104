#pragma once
// The results window's field for the partner's value. It is a QLineEdit in every respect a
// user or the code can reach: text() is exactly what was typed or pasted, and editing, the
// cursor and the selection are the line edit's own. Only the painting differs, and only for a
// text with a cluster of more marks or joiners than any script needs: the line edit would
// shape and draw the whole run on every cursor blink, so the field draws the stretch around
// the cursor with its clusters bounded (display_text.h) instead.

#include <QLineEdit>

class PartnerField : public QLineEdit {
    Q_OBJECT

public:
    explicit PartnerField(QWidget* parent = nullptr);

    // Whether the field draws a bounded stretch of its text rather than the text itself.
    bool drawsBounded() const { return m_bounded; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bounded = false;
};
