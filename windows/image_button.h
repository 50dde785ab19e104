#pragma once
// A push button whose face is a picture: the picture is drawn centred on the button
// and clipped by it (the pictures are larger than their buttons), there is no
// caption, and the cursor over it is the pointing hand. Since nothing readable is
// painted, the button always carries an accessible name. With the focus on it, Space
// and Enter press it, as on any button of the classic desktops.

#include <QAbstractButton>
#include <QPixmap>

class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap m_picture;
};
