#pragma once

#include "eselfdeletehintbox.h"
#include "mainwindow.h"
#include "menubook.h"
#include "scriptedchooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

// One run of the editor in a given working folder, with a scripted file
// chooser, driven through the window's buttons as a user would.
class EditorRun
{
public:
    explicit EditorRun(const QString &workingFolder) : previousFolder(QDir::currentPath())
    {
        QDir::setCurrent(workingFolder);
        book.setFileChooser(&chooser);
    }
    ~EditorRun()
    {
        window.reset();
        QDir::setCurrent(previousFolder);
    }
    EditorRun(const EditorRun &) = delete;
    EditorRun &operator=(const EditorRun &) = delete;

    void start()
    {
        window = std::make_unique<MainWindow>(book);
        window->show();
    }

    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QLatin1String(name));
    }

    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Create lies under Save; the user reaches it with Tab and Space.
    void pressByKeyboard(const char *name)
    {
        QPushButton *target = button(name);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Space);
    }

    // The ids of the hints shown since the last call, oldest first.
    QList<int> takeHints()
    {
        QList<int> ids;
        const auto hints = window->findChildren<ESelfDeleteHintBox *>();
        for (ESelfDeleteHintBox *hint : hints) {
            ids.append(hint->hintId());
            delete hint;
        }
        return ids;
    }

    // The codes on the visible rows, top first.
    QStringList shownCodes() const
    {
        QStringList codes;
        for (int row = 1; row <= 15; ++row) {
            const auto *background =
                window->findChild<QLabel *>(QStringLiteral("label_%1").arg(row));
            if (background->isVisible())
                codes.append(window->findChild<QLabel *>(QStringLiteral("labelTag_%1").arg(row))
                                 ->text()
                                 .trimmed());
        }
        return codes;
    }

    QList<bool> commandStates() const
    {
        QList<bool> states;
        for (const char *name : {"pushButtonEdit", "pushButtonEditAdd", "pushButtonClose",
                                 "pushButtonMin", "pushButtonOpenFile", "pushButtonCreateNewFile",
                                 "pushButtonDelete", "pushButtonSaveFile", "pushButtonSaveNewFile"})
            states.append(button(name)->isEnabled());
        return states;
    }

    QString previousFolder;
    MenuBook book;
    ScriptedChooser chooser;
    std::unique_ptr<MainWindow> window;
};
