#include "textlayouts.h"

#include <QCache>
#include <QFont>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextLine>

#include <tuple>

namespace {

struct TextKey
{
    QString text;
    QFont font;
    int dpiX;
    int dpiY;

    bool operator==(const TextKey &other) const
    {
        return std::tie(text, font, dpiX, dpiY) ==
               std::tie(other.text, other.font, other.dpiX, other.dpiY);
    }
};

size_t qHash(const TextKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font, key.dpiX, key.dpiY);
}

struct KeptLine
{
    QTextLayout layout;
    qreal width = 0;
    qreal height = 0;
};

// A page step shows 84 of its 90 texts again, one row further up, so a
// few pages' worth of lines is all that pays; about 1.5 KiB each.
constexpr int KeptLines = 256;

bool keepable(int flags, const QString &text, const QFont &font)
{
    constexpr int multiLine = Qt::TextWordWrap | Qt::TextWrapAnywhere | Qt::TextJustificationForced;
    constexpr int mnemonics = Qt::TextShowMnemonic | Qt::TextHideMnemonic;
    if ((flags & (multiLine | mnemonics | Qt::AlignJustify)) || !(flags & Qt::TextForceLeftToRight))
        return false;
    if (font.underline() || font.overline() || font.strikeOut())
        return false;
    // Line breaks, tabs and length variants each change the text before
    // it is laid out.
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == u'\x9c' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return false;
    }
    return !text.isEmpty();
}

// Lays the text out as Qt's own rectangle text drawing does for one line.
KeptLine *layOut(const QString &text, const QFont &font)
{
    auto *kept = new KeptLine;
    kept->layout.setText(text);
    kept->layout.setFont(font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    kept->layout.setTextOption(option);
    kept->layout.setCacheEnabled(true);
    kept->layout.beginLayout();
    QTextLine line = kept->layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    kept->height = line.ascent() + line.descent();
    kept->width = line.naturalTextWidth();
    kept->layout.endLayout();
    return kept;
}

} // namespace

bool drawKeptTextLine(QPainter *painter, const QRect &rect, int flags, const QString &text)
{
    static QCache<TextKey, KeptLine> lines(KeptLines);
    const QFont &font = painter->font();
    if (!keepable(flags, text, font) || painter->pen().style() == Qt::NoPen)
        return false;
    const QPaintDevice *device = painter->device();
    TextKey key{text, font, device ? device->logicalDpiX() : 0, device ? device->logicalDpiY() : 0};
    KeptLine *kept = lines.object(key);
    if (!kept) {
        kept = layOut(text, font);
        if (kept->layout.lineCount() != 1) {
            delete kept;
            return false;
        }
        lines.insert(key, kept);
    }

    const QRectF area(rect);
    qreal yOffset = 0;
    if (flags & Qt::AlignBottom)
        yOffset = area.height() - kept->height;
    else if (flags & Qt::AlignVCenter)
        yOffset = (area.height() - kept->height) / 2;
    qreal xOffset = 0;
    if (flags & Qt::AlignRight)
        xOffset = area.width() - kept->width;
    else if (flags & Qt::AlignHCenter)
        xOffset = (area.width() - kept->width) / 2;
    const bool clip =
        !(flags & Qt::TextDontClip) &&
        !area.contains(QRectF(area.x() + xOffset, area.y() + yOffset, kept->width, kept->height));
    if (clip) {
        painter->save();
        painter->setClipRect(area, Qt::IntersectClip);
    }
    const QTextLine line = kept->layout.lineAt(0);
    const qreal advance = line.horizontalAdvance();
    xOffset = 0;
    if (flags & Qt::AlignRight)
        xOffset = area.width() - advance;
    else if (flags & Qt::AlignHCenter)
        xOffset = (area.width() - advance) / 2;
    line.draw(painter, QPointF(area.x() + xOffset, area.y() + yOffset));
    if (clip)
        painter->restore();
    return true;
}
