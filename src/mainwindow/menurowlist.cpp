#include "menurowlist.h"

#include "elabel.h"
#include "readerview.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QLabel>
#include <QSlider>

#include <algorithm>

namespace {

QList<MenuRowList *> &rowLists()
{
    static QList<MenuRowList *> lists;
    return lists;
}

// The window's body as a reader walks it: the rows' labels give way to the
// one list that stands for them.
class RowsAreaAccessible : public QAccessibleWidget
{
public:
    explicit RowsAreaAccessible(MenuRowList *list)
        : QAccessibleWidget(list->parentWidget(), QAccessible::Client), list(list)
    {}

    int childCount() const override { return int(readChildren().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = readChildren();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(readChildren().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> readChildren() const
    {
        QList<QWidget *> children;
        bool listPlaced = false;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (!child || child->isWindow() || child == list)
                continue;
            if (list->isUnread(child)) {
                // Where the rows lie in the stacking order.
                if (!listPlaced)
                    children.append(list);
                listPlaced = true;
                continue;
            }
            if (ReaderView::isSeen(child) && !list->isNeverSeen(child))
                children.append(child);
        }
        if (!listPlaced)
            children.append(list);
        return children;
    }

    MenuRowList *list;
};

class RowListAccessible : public QAccessibleWidget
{
public:
    explicit RowListAccessible(MenuRowList *list) : QAccessibleWidget(list, QAccessible::List) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return MenuRowList::tr("Menus");
        return QAccessibleWidget::text(kind);
    }
    int childCount() const override { return list()->shownRows(); }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < childCount()
                   ? QAccessible::queryAccessibleInterface(list()->row(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const int row = child ? list()->rowOf(child->object()) : -1;
        return row < childCount() ? row : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int index = 0; index < childCount(); ++index) {
            QAccessibleInterface *row = child(index);
            if (row && row->rect().contains(x, y))
                return row;
        }
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        return list()->hasFocus() ? child(list()->highlightedRow()) : nullptr;
    }

private:
    MenuRowList *list() const { return static_cast<MenuRowList *>(widget()); }
};

// A row reads as the one line of its menu; the highlighted row is the
// list's selected item and, while the rows hold the focus, its focused one.
class RowItemAccessible : public QAccessibleWidget
{
public:
    RowItemAccessible(MenuRowList *list, ELabel *row)
        : QAccessibleWidget(row, QAccessible::ListItem), list(list)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return list->rowSpeech ? list->rowSpeech(list->rowOf(object())) : QString();
        return QAccessibleWidget::text(kind);
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(list);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.focusable = true;
        if (list->rowOf(object()) == list->highlightedRow()) {
            state.selected = true;
            state.focused = list->hasFocus();
        }
        return state;
    }

private:
    MenuRowList *list;
};

// The slider's own value runs against the page (the top is its maximum);
// a reader hears the highlighted menu's place in the book instead.
class PositionSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    PositionSliderAccessible(MenuRowList *list, QSlider *slider)
        : QAccessibleWidget(slider, QAccessible::Slider), list(list)
    {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return MenuRowList::tr("Menu position");
        if (kind == QAccessible::Value)
            return QString::number(position().first);
        return QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return position().first; }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return position().second; }
    QVariant minimumValue() const override { return std::min(1, position().second); }
    QVariant minimumStepSize() const override { return 1; }

private:
    std::pair<int, int> position() const
    {
        return list->bookPosition ? list->bookPosition() : std::pair<int, int>{0, 0};
    }

    MenuRowList *list;
};

// Read when asked; its label has a fixed accessible name so that the
// ticking text is not announced ten times a second.
class QuietClockAccessible : public QAccessibleWidget
{
public:
    explicit QuietClockAccessible(QLabel *clock) : QAccessibleWidget(clock, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *rowListFactory(const QString &, QObject *object)
{
    for (MenuRowList *list : std::as_const(rowLists())) {
        if (object == list)
            return new RowListAccessible(list);
        if (object == list->parent())
            return new RowsAreaAccessible(list);
        if (object->parent() != list->parent())
            continue;
        const int row = list->rowOf(object);
        if (row >= 0)
            return new RowItemAccessible(list, list->row(row));
        if (object == list->positionSlider())
            return new PositionSliderAccessible(list, list->positionSlider());
        if (object == list->quietClock())
            return new QuietClockAccessible(list->quietClock());
    }
    return nullptr;
}

// Qt keeps the interface an object first got; one made before the list
// existed (a label's text set while the form was built) is replaced.
template <typename Wanted> void claimReader(QObject *object)
{
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(object);
    if (reader && !dynamic_cast<Wanted *>(reader)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(reader));
        QAccessible::queryAccessibleInterface(object);
    }
}

} // namespace

MenuRowList::MenuRowList(QWidget *rowsParent, const std::array<ELabel *, RowCount> &rows,
                         const QSet<QWidget *> &unreadWidgets)
    : QWidget(rowsParent), rows(rows), unread(unreadWidgets)
{
    setObjectName(QStringLiteral("menuRowList"));
    static const bool installed = [] {
        QAccessible::installFactory(rowListFactory);
        return true;
    }();
    Q_UNUSED(installed);
    rowLists().append(this);

    // Under every other widget, over the rows' area, drawing nothing: the
    // window looks and answers the mouse as before.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
    QRect area;
    for (ELabel *row : rows)
        area |= row->geometry();
    setGeometry(area);
    lower();

    claimReader<RowsAreaAccessible>(rowsParent);
    for (ELabel *row : rows)
        claimReader<RowItemAccessible>(row);
}

MenuRowList::~MenuRowList()
{
    rowLists().removeOne(this);
}

void MenuRowList::setPositionSlider(QSlider *positionSlider)
{
    slider = positionSlider;
    claimReader<PositionSliderAccessible>(slider);
}

void MenuRowList::setQuietClock(QLabel *quietClock)
{
    clock = quietClock;
    clock->setAccessibleName(QStringLiteral("clock"));
    claimReader<QuietClockAccessible>(clock);
}

int MenuRowList::rowOf(const QObject *object) const
{
    const auto found = std::find(rows.begin(), rows.end(), object);
    return found == rows.end() ? -1 : int(found - rows.begin());
}

int MenuRowList::shownRows() const
{
    // The page fills its rows from the top.
    int shown = 0;
    while (shown < RowCount && !rows[shown]->isHidden())
        ++shown;
    return shown;
}

bool MenuRowList::isUnread(QObject *object) const
{
    return unread.contains(qobject_cast<QWidget *>(object));
}

void MenuRowList::hideFromReaders(const QSet<QWidget *> &widgets)
{
    neverSeen = widgets;
}

bool MenuRowList::isNeverSeen(QObject *object) const
{
    return neverSeen.contains(qobject_cast<QWidget *>(object));
}

void MenuRowList::highlightChanged(ELabel *highlighted)
{
    const int row = std::max(0, rowOf(highlighted));
    currentRow = row;
    if (!QAccessible::isActive()) {
        announcedRow = row;
        announcedPosition = -1;
        return;
    }
    const int position = bookPosition ? bookPosition().first : 0;
    if (row == announcedRow && position == announcedPosition)
        return;
    // As a list view tells of a new current item: the selection moves,
    // then the focus follows it.
    const int shown = shownRows();
    if (row != announcedRow) {
        if (announcedRow >= 0 && announcedRow < shown) {
            QAccessibleEvent removed(this, QAccessible::SelectionRemove);
            removed.setChild(announcedRow);
            QAccessible::updateAccessibility(&removed);
        }
        if (row < shown) {
            QAccessibleEvent added(this, QAccessible::SelectionAdd);
            added.setChild(row);
            QAccessible::updateAccessibility(&added);
        }
    }
    announcedRow = row;
    announcedPosition = position;
    if (hasFocus())
        announceFocus();
    if (slider) {
        QAccessibleValueChangeEvent moved(slider, position);
        QAccessible::updateAccessibility(&moved);
    }
}

void MenuRowList::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // After Qt has told of the list's own focus, the reader is sent on to
    // the highlighted row.
    if (QAccessible::isActive())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (hasFocus())
                    announceFocus();
            },
            Qt::QueuedConnection);
}

void MenuRowList::announceFocus()
{
    if (currentRow >= shownRows())
        return;
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(currentRow);
    QAccessible::updateAccessibility(&focused);
}
