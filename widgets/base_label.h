// The plain label state that the effect label builds on: caption, font and font colour,
// background colour (following the parent's unless set), alignment, layout, word wrap,
// auto-size and transparency. Setters change the state and then react as a label does (repaint,
// auto-size, or both); auto-size itself is adjustBounds(), which subclasses supply. While a form
// is being set up (a FormLoading scope is alive) auto-size waits, and runs once when the scope
// ends.
#pragma once

#include "effect_colour.h"
#include "text_block.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class BaseLabel : public QWidget {
    Q_OBJECT

public:
    // Labels created while a FormLoading object lives count as being read from a stored form:
    // they defer auto-size (and effect notifications) until it ends, then auto-size once.
    // Typical use is around setupUi and the font settings that follow it.
    class FormLoading {
    public:
        FormLoading();
        ~FormLoading();
        FormLoading(const FormLoading&) = delete;
        FormLoading& operator=(const FormLoading&) = delete;

    private:
        friend class BaseLabel;
        FormLoading* m_outer;
        QList<QPointer<BaseLabel>> m_labels;
    };

    explicit BaseLabel(QWidget* parent = nullptr);
    ~BaseLabel() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor colour);
    // The font colour as forms store colours.
    QColor textColor() const { return m_fontColor.resolve(palette()); }
    void setTextColor(const QColor& colour) { setFontColor(TColor::fromQColor(colour)); }
    TColor color() const { return m_color; }
    // Setting a colour stops following the parent's.
    void setColor(TColor colour);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool follow);
    fx2::TAlignment alignment() const { return m_alignment; }
    void setAlignment(fx2::TAlignment alignment);
    fx2::TTextLayout layout() const { return m_layout; }
    void setLayout(fx2::TTextLayout layout);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);
    // Kept for forms that set it; the effect label draws an ampersand as itself either way.
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool show) { m_showAccelChar = show; }

    bool isLoading() const { return m_loading; }
    // The background the label paints with, resolved now: the parent's own background when
    // following the parent.
    QColor backgroundColor() const;

protected:
    // The auto-size operation; called after every change that can alter the needed size. The
    // plain label has nothing of its own to measure.
    virtual void adjustBounds();
    // The end of loading from a stored form.
    virtual void loaded();
    void changeEvent(QEvent* event) override;

private:
    QString m_caption;
    TColor m_fontColor = clWindowText;
    TColor m_color = clBtnFace;
    bool m_parentColor = true;
    fx2::TAlignment m_alignment = fx2::taLeftJustify;
    fx2::TTextLayout m_layout = fx2::tlTop;
    bool m_wordWrap = false;
    bool m_autoSize = true;
    bool m_transparent = false;
    bool m_showAccelChar = true;
    bool m_loading = false;
};
