#pragma once

#include <QAccessibleWidget>

// What a screen reader meets of the forms: only what the user can see.
// The forms keep widgets that are never shown, frame lines one pixel wide
// (with the form's placeholder text "TextLabel") and bare bands of colour;
// read out, they are noise or, worse, buttons that cannot be found.
namespace ReaderView {

// False for a hidden widget, a line too thin to show any text, and a label
// with neither text, name nor widgets on it (a band, a picture).
bool isSeen(const QWidget *widget);

// A widget whose children a reader meets only as far as they are seen.
class SeenChildrenAccessible : public QAccessibleWidget
{
public:
    SeenChildrenAccessible(QWidget *widget, QAccessible::Role role);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QWidget *> seenChildren() const;
};

} // namespace ReaderView
