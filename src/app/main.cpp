#include "edition.h"
#include "filedialogchooser.h"
#include "mainwindow.h"
#include "menubook.h"

#include <QApplication>
#include <QDebug>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef MORVEX_CHINESE_EDITION
    if (!setEdition(Edition::Chinese))
        qWarning("The Chinese texts are missing from this build; showing English.");
#endif

    // The one book of the run: it outlives the window that shows it.
    MenuBook book;
    FileDialogChooser chooser;
    book.setFileChooser(&chooser);

    MainWindow window(book);
    window.setWindowTitle(QStringLiteral("Morvex Menu Editor"));
    window.show();
    return app.exec();
}
