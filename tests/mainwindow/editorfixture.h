#pragma once

#include "bookdocument.h"
#include "editdialog.h"
#include "edition.h"
#include "elabel.h"
#include "emessagebox.h"
#include "eselfdeletehintbox.h"
#include "mainwindow.h"
#include "menubook.h"
#include "scriptedchooser.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

// The expected text of the running edition.
inline QString inEdition(const char *english, const char *chinese)
{
    return QString::fromUtf8(currentEdition() == Edition::Chinese ? chinese : english);
}

// One editor run in a working folder (its own empty one unless a test
// brings a prepared one), with a scripted file chooser, driven and read back
// the way a user sees it.
class EditorFixture
{
public:
    static constexpr int RowCount = 15;

    EditorFixture() : EditorFixture(QString()) {}
    explicit EditorFixture(const QString &workingFolder)
        : workingFolder(workingFolder.isEmpty() ? folder.path() : workingFolder),
          previousFolder(QDir::currentPath())
    {
        QDir::setCurrent(this->workingFolder);
        // Recovery files of this run only, never the user's.
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        book.setFileChooser(&chooser);
    }
    ~EditorFixture()
    {
        window.reset();
        QDir::setCurrent(previousFolder);
    }
    EditorFixture(const EditorFixture &) = delete;
    EditorFixture &operator=(const EditorFixture &) = delete;

    MainWindow &start()
    {
        window = std::make_unique<MainWindow>(document);
        window->setWindowTitle(QStringLiteral("Morvex Menu Editor[*]"));
        window->show();
        return *window;
    }

    QString path(const QString &name) const { return QDir(workingFolder).filePath(name); }

    template <typename Widget = QWidget> Widget *widget(const QString &name) const
    {
        return window->findChild<Widget *>(name);
    }

    ELabel *rowWidget(const char *stem, int row) const
    {
        return widget<ELabel>(QLatin1String(stem) + QString::number(row));
    }

    QSlider *slider() const { return widget<QSlider>(QStringLiteral("verticalSlider")); }
    QPushButton *button(const char *name) const { return widget<QPushButton>(QLatin1String(name)); }

    // The codes on the visible rows, top first.
    QStringList shownCodes() const
    {
        QStringList codes;
        for (int row = 1; row <= RowCount; ++row) {
            if (rowWidget("label_", row)->isVisible())
                codes.append(rowWidget("labelTag_", row)->text().trimmed());
        }
        return codes;
    }

    // Row number (1..15) of the highlighted row; 0 when none or several are.
    int selectedRow() const
    {
        int selected = 0;
        for (int row = 1; row <= RowCount; ++row) {
            if (rowWidget("label_", row)->styleSheet().contains(QLatin1String("#00aaff"))) {
                if (selected != 0)
                    return 0;
                selected = row;
            }
        }
        return selected;
    }

    int selectedMenu() const { return rowWidget("label_", selectedRow())->menuIndex; }

    void clickRowText(int row, const char *stem = "labelValue_")
    {
        QTest::mouseClick(rowWidget(stem, row), Qt::LeftButton);
    }
    void clickRowBackground(int row)
    {
        // Far right of the row, where no text label lies over it.
        QTest::mouseClick(rowWidget("label_", row), Qt::LeftButton, {}, QPoint(930, 14));
    }
    void click(const char *buttonName) { QTest::mouseClick(button(buttonName), Qt::LeftButton); }
    // Buttons hidden under others or outside the window are reached by focus.
    void pressByKeyboard(const char *buttonName)
    {
        QPushButton *target = button(buttonName);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Space);
    }

    // A key pressed as the window's shortcuts see it: on the focused child
    // (a button, the slider) or else on the window.
    void pressKey(const QString &key)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget *focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : window.get(), QKeySequence::fromString(key));
    }
    // A wheel turn over the rows; the labels leave it to the window.
    void turnWheel(int angle)
    {
        const QPointF position(400, 200);
        QWheelEvent event(position, window->mapToGlobal(position), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.get(), &event);
    }

    // Moves the page as a drag of the slider would, to show firstShown first.
    void showPageFrom(int first)
    {
        window->on_highTimerEventProcess();
        slider()->setValue(slider()->maximum() - first);
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

    // The texts of the hints shown, catalogue hints and others alike.
    QStringList takeHintTexts()
    {
        QStringList texts;
        const auto hints = window->findChildren<ESelfDeleteHintBox *>();
        for (ESelfDeleteHintBox *hint : hints) {
            texts.append(hint->accessibleName());
            delete hint;
        }
        return texts;
    }

    EditDialog *editDialog() const { return openWindow<EditDialog>(); }
    EMessageBox *questionBox() const { return openWindow<EMessageBox>(); }

    void answerQuestion(bool apply)
    {
        EMessageBox *box = questionBox();
        QVERIFY(box);
        QTest::mouseClick(box->findChild<QPushButton *>(apply ? QStringLiteral("pushButtonApply")
                                                              : QStringLiteral("pushButtonClose")),
                          Qt::LeftButton);
        flushDeletes();
    }

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Enabled states of the nine command buttons.
    QList<bool> commandStates() const
    {
        QList<bool> states;
        for (const char *name : {"pushButtonEdit", "pushButtonEditAdd", "pushButtonClose",
                                 "pushButtonMin", "pushButtonOpenFile", "pushButtonCreateNewFile",
                                 "pushButtonDelete", "pushButtonSaveFile", "pushButtonSaveNewFile"})
            states.append(button(name)->isEnabled());
        return states;
    }

    QTemporaryDir folder;
    QTemporaryDir dataHome;
    QString workingFolder;
    QString previousFolder;
    MenuBook book;
    BookDocument document{book};
    ScriptedChooser chooser;
    std::unique_ptr<MainWindow> window;

private:
    template <typename Dialog> Dialog *openWindow() const
    {
        const auto dialogs = window->findChildren<Dialog *>();
        for (Dialog *dialog : dialogs) {
            if (dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }
};
