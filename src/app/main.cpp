#include "edition.h"
#include "filedialogchooser.h"
#include "mainwindow.h"
#include "menubook.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QUndoStack>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef MORVEX_CHINESE_EDITION
    // The forms ask for "微软雅黑", which Linux systems lack. Left to itself,
    // Qt takes a CJK font by script and, outside a Chinese locale, with
    // Japanese glyph forms. The English edition shows Latin text only and
    // keeps the system's default font, without the cost of a CJK font.
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("Source Han Sans SC"),
                                                            QStringLiteral("WenQuanYi Micro Hei")});
    if (!setEdition(Edition::Chinese))
        qWarning("The Chinese texts are missing from this build; showing English.");
#endif

    // The one book of the run: it outlives the window that shows it.
    MenuBook book;
    FileDialogChooser chooser;
    book.setFileChooser(&chooser);

    QUndoStack history; // the book's changes, for undo and redo
    MainWindow window(book, history);
    window.setWindowTitle(QStringLiteral("Morvex Menu Editor"));
    window.show();
    // Keys work at once, also where no window manager hands out the focus.
    window.activateWindow();
    return app.exec();
}
