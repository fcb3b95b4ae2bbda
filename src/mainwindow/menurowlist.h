#pragma once

#include <QSet>
#include <QWidget>

#include <array>
#include <functional>

class ELabel;
class QLabel;
class QSlider;

// The 15 menu rows as a screen reader meets them: one list whose items are
// the row labels, the highlighted row its current, selected item. The
// widget draws nothing and takes no mouse; it holds the keyboard focus for
// the rows, whose keys are the window's shortcuts. Nothing here runs on a
// page step unless an assistive technology is listening.
class MenuRowList : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowCount = 15;

    // The widgets a reader would otherwise meet one by one: the row labels,
    // their texts and the parts never shown.
    MenuRowList(QWidget *rowsParent, const std::array<ELabel *, RowCount> &rows,
                const QSet<QWidget *> &unreadWidgets);
    ~MenuRowList() override;

    // The spoken line of a row (0-based), built only when a reader asks.
    std::function<QString(int row)> rowSpeech;
    // The highlighted menu's place in the book, counted from 1, and the
    // number of menus; 0 and 0 without a book.
    std::function<std::pair<int, int>()> bookPosition;

    // The slider reads the highlighted menu's place rather than its own
    // reversed value; the clock is read on demand, not announced.
    void setPositionSlider(QSlider *slider);
    void setQuietClock(QLabel *clock);

    // Tells a listening reader where the highlight is now.
    void highlightChanged(ELabel *highlighted);

    int highlightedRow() const { return currentRow; }
    int rowOf(const QObject *object) const;
    int shownRows() const;
    ELabel *row(int index) const { return rows[index]; }
    bool isUnread(QObject *object) const;
    // Widgets shown but never seen (outside the window, under another
    // button), which a reader would otherwise report as there.
    void hideFromReaders(const QSet<QWidget *> &widgets);
    bool isNeverSeen(QObject *object) const;
    QSlider *positionSlider() const { return slider; }
    QLabel *quietClock() const { return clock; }

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    void announceFocus();

    std::array<ELabel *, RowCount> rows;
    QSet<QWidget *> unread;
    QSet<QWidget *> neverSeen;
    QSlider *slider = nullptr;
    QLabel *clock = nullptr;
    int currentRow = 0;
    int announcedRow = -1;
    int announcedPosition = -1;
};
