#include "edition.h"
#include "filedialogchooser.h"
#include "mainwindow.h"
#include "menubook.h"

#include <QApplication>
#include <QDebug>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The forms ask for "微软雅黑", which Linux systems lack. Left to itself,
    // Qt then draws Latin text in the default font and, outside a Chinese
    // locale, takes Japanese glyph forms for Chinese text; a simplified
    // Chinese CJK font keeps both editions' text as intended.
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("Source Han Sans SC"),
                                                            QStringLiteral("WenQuanYi Micro Hei")});
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
