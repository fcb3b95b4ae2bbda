#pragma once

#include <QRect>
#include <QString>

class QPainter;

// Draws one line of text as QPainter::drawText(rect, flags, text) does, to
// the pixel, but keeps the shaped line of each text it has drawn: paging
// the main window shows the same few hundred texts again and again, and
// shaping them is a quarter of a page step. Returns false, drawing
// nothing, for what it does not keep (several lines, tabs, wrapping,
// justification, a right-to-left text, decorated fonts); draw those the
// usual way.
bool drawKeptTextLine(QPainter *painter, const QRect &rect, int flags, const QString &text);
