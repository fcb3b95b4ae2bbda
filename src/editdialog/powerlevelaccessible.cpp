#include "powerlevelaccessible.h"

#include "editdialog.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

QAccessibleInterface *powerLevelFactory(const QString &, QObject *object)
{
    auto *box = qobject_cast<QComboBox *>(object);
    // Asked first while the dialog is still being built, before the box has
    // its name: the dialog it lies in decides.
    return box && qobject_cast<EditDialog *>(box->parentWidget()) ? new PowerLevelAccessible(box)
                                                                  : nullptr;
}

} // namespace

PowerLevelAccessible::PowerLevelAccessible(QComboBox *box)
    : QAccessibleWidget(box, QAccessible::ComboBox)
{}

void PowerLevelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(powerLevelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QComboBox *PowerLevelAccessible::box() const
{
    return static_cast<QComboBox *>(widget());
}

QString PowerLevelAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Name)
        return box()->accessibleName();
    if (kind == QAccessible::Value || kind == QAccessible::Description)
        return box()->currentText();
    return QAccessibleWidget::text(kind);
}

// The list of levels it opens, as Qt's own box offers it.
int PowerLevelAccessible::childCount() const
{
    return box()->view() ? 1 : 0;
}

QAccessibleInterface *PowerLevelAccessible::child(int index) const
{
    return index == 0 && box()->view() ? QAccessible::queryAccessibleInterface(box()->view())
                                       : nullptr;
}

int PowerLevelAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && child->object() == box()->view() ? 0 : -1;
}

QStringList PowerLevelAccessible::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void PowerLevelAccessible::doAction(const QString &actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction())
        box()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
}
