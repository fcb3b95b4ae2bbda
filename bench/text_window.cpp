// A second yardstick for the editor's start-up: what Qt Widgets needs to
// show the texts of the editor's first page, and nothing else. The same
// window size and the same 98 texts, in plain labels at the editor's places
// and font sizes, without style sheets, pictures or fading. Its distance
// from the empty window is the part of the start-up that any window
// showing those texts pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace {

QLabel *addText(QWidget *window, const QString &text, const QRect &geometry, int pixelSize)
{
    auto *label = new QLabel(text, window);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    return label;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(955, 590);
    window.setWindowTitle(QStringLiteral("Text window"));

    const char *titles[][2] = {{"Code", "9"},         {"MenuName", "135"},   {"Stage[#01]", "309"},
                               {"Stage[#02]", "477"}, {"Stage[#03]", "630"}, {"TotalTime", "820"}};
    for (const auto &title : titles)
        addText(&window, QLatin1String(title[0]), QRect(QByteArray(title[1]).toInt(), 35, 160, 20),
                14);
    for (int row = 0; row < 15; ++row) {
        const int top = 70 + 30 * row;
        const QString stage = QStringLiteral("P%1, %2 min %3 s")
                                  .arg(10 - row % 11, 2, 10, QLatin1Char('0'))
                                  .arg(row % 10)
                                  .arg(row * 7 % 60);
        addText(&window, QStringLiteral(" A-%1").arg(row + 1, 2, 10, QLatin1Char('0')),
                QRect(30, top, 520, 20), 13);
        addText(&window, QStringLiteral("Baked Potato Medium"), QRect(135, top, 195, 20), 13);
        addText(&window, stage, QRect(309, top, 161, 20), 13);
        addText(&window, stage, QRect(477, top, 144, 20), 13);
        addText(&window, stage, QRect(630, top, 165, 20), 13);
        addText(&window, QStringLiteral("%1 min %2 s").arg(row + 2).arg(row * 7 % 60),
                QRect(820, top, 90, 20), 13);
    }
    addText(&window, QStringLiteral("SIZE: 297 MENUs"), QRect(290, 555, 241, 21), 18);
    addText(&window, QStringLiteral("TIME: 2026/12/08 04:05:41"), QRect(500, 555, 251, 21), 18);
    window.show();
    return app.exec();
}
