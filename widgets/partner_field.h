#pragma once
// The results window's field for the partner's value. It is a QLineEdit in every respect a
// user or the code can reach: text() is exactly what was typed or pasted, up to the line
// edit's ordinary bound, and editing, the cursor and the selection are the line edit's own.
//
// The bound (maxLength, Qt's default of 32,767 characters) keeps a paste of many megabytes
// from costing more than a field can show: the line edit lays out and repaints its whole
// text, the conversion copies it and the error box quotes it, each in time and memory that
// grow with its length. A longer paste is cut to the bound, as any line edit cuts it, never
// inside a character: a cut between the halves of a surrogate pair would leave a half that
// has no UTF-8 form, so the error box would quote something other than what the field holds.
//
// Only the painting differs, and only for a text longer than drawnWhole or with a cluster of
// more marks or joiners than any script needs: the line edit would draw the whole line, and
// shape the whole run, on every cursor blink (5 ms a blink for 32,767 characters), so the field
// draws the stretch around the cursor, with its clusters bounded (display_text.h), instead; the
// cursor stays at the stretch's right edge or before it.

#include <QLineEdit>

class PartnerField : public QLineEdit {
    Q_OBJECT

public:
    // As many characters (UTF-16 code units) as the field holds.
    static constexpr int bound = 32767;
    // Texts up to this many characters are drawn by the line edit itself.
    static constexpr int drawnWhole = 1024;

    explicit PartnerField(QWidget* parent = nullptr);

    // Whether the field draws a bounded stretch of its text rather than the text itself.
    bool drawsBounded() const { return m_bounded; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bounded = false;
};
