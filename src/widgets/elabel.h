#pragma once

#include <QLabel>

class QEnterEvent;

// A label that reports clicks and hovering. The owning window keeps the
// tile's menu in the public members and reads clickedFlag back.
class ELabel : public QLabel
{
    Q_OBJECT

public:
    explicit ELabel(QWidget *parent = nullptr);

    int tileIndex = 0;
    int menuIndex = 0;
    bool clickedFlag = false;
    // 1: draw a frame while the mouse is over the label.
    int hoverFrame = 0;
    // Receives this label's enter and leave as if they were its own, so a
    // tile's text labels light up the tile's background label. Not owned.
    ELabel *hoverPartner = nullptr;

    // Draws what QLabel's own paint would, faded to `opacity`, when that is
    // one plain text in one colour and nothing else (no style sheet, frame,
    // filled background, picture or selectable text); returns false,
    // drawing nothing, otherwise. Style sheets of the label's parents reach
    // it only through its palette.
    bool drawPlainText(QPainter *painter, qreal opacity = 1.0) const;

signals:
    void clicked();
    void mouseHover();
    void mouseLeave();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
};
