#pragma once

#include <QPushButton>

// A push button whose tool tip appears at a fixed place next to the button
// rather than under the mouse pointer, so it never hides the picture.
class EPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit EPushButton(QWidget *parent = nullptr);

    // Offset of the tool tip from the button's top-left corner.
    void setTipOffset(int x, int y);

protected:
    bool event(QEvent *event) override;

private:
    int tipOffsetX = 0;
    int tipOffsetY = 0;
};
