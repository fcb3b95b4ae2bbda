#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A power-level box as a screen reader meets it: named by the stage it sets
// ("Stage 1 power"), its chosen level its value. Qt's own box takes its name
// from the chosen item on Linux, so three boxes would all read "P00".
class PowerLevelAccessible : public QAccessibleWidget
{
public:
    explicit PowerLevelAccessible(QComboBox *box);

    // The edit dialog's boxes are read through this class from then on.
    static void install();

    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *box() const;
};
