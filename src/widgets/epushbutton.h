#pragma once

#include <QPushButton>

// A push button whose tool tip appears at a fixed place next to the button
// rather than under the mouse pointer, so it never hides the picture. The
// tip is also the button's accessible name.
class EPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit EPushButton(QWidget *parent = nullptr);

    // Offset of the tool tip from the button's top-left corner.
    void setTipOffset(int x, int y);

    // Style sheet of a picture button drawn from ":/image/": "<base>_gray.png"
    // at rest, "<base>_blue.png" under the mouse and while pressed.
    static QString pictureStyle(const QString &baseName);
    static QString pictureStyle(const QString &normal, const QString &hover,
                                const QString &pressed);

protected:
    bool event(QEvent *event) override;

private:
    int tipOffsetX = 0;
    int tipOffsetY = 0;
};
