#include "eselfdeletehintbox.h"

#include "edition.h"
#include "framelesshelper.h"
#include "languageini.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QTextDocumentFragment>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace {

struct CatalogueEntry
{
    const char *iniKey; // nullptr: ini-text mode has no text for it
    const char *text;   // English source text, translated per edition
};

// Indexed by hint id. Ids 12 to 16 have their own ini keys: an older
// language.ini lacks them, so the built-in text stands in (see chooseText).
const CatalogueEntry catalogue[] = {
    {"/LHINTS/LHINT_DRUG_BASE_INFO_INVALID",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "MENU Information invalid!")},
    {"/LHINTS/LHINT_FILE_PATH_INVALID",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "File Path Invalid!")},
    {"/LHINTS/LHINT_FILE_OPEN_FAILED_BAD_DATAS",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "File Open Failed!")},
    {"/LHINTS/LHINT_FILE_NOT_CREATED",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "File not Created!")},
    {"/LHINTS/LHINT_FILE_NOT_SAVED", QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "File not Saved!")},
    {"/LHINTS/LHINT_FILE_SAVED", QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "File Saved!")},
    {"/LHINTS/LHINT_NO_DRUGS", QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "No MENU!")},
    {"/LHINTS/LHINT_NOT_FIND_PRINTER",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "No Valid Printer!")},
    {"/LHINTS/LHINT_DRUG_DELETE", QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "MENU Cleared!")},
    {"/LHINTS/LHINT_FILE_NOT_CHANGED",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "File not Changed!")},
    {nullptr, QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "NO HINTS!")},
    {nullptr, QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "NO HINTS!")},
    {"/LHINTS/LHINT_P10_STAGE_OVER_15MIN",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "P10 Should not Work Over 15min in a Single Stage!")},
    {"/LHINTS/LHINT_P10_MENU_OVER_25MIN",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "P10 Should not Work Over 25min in a MENU!")},
    {"/LHINTS/LHINT_STAGE_OVER_60MIN",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox",
                       "All Power Levels Should not Work Over 60min in a Single Stage!")},
    {"/LHINTS/LHINT_MENU_SIZE_OUT_OF_RANGE",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "MENU Size is Out of Range!")},
    {"/LHINTS/LHINT_WORKING_COPY_NOT_SAVED",
     QT_TRANSLATE_NOOP("ESelfDeleteHintBox", "Working Copy not Saved!")},
};

const CatalogueEntry &entryFor(int hintId)
{
    if (hintId < 0 || hintId >= int(std::size(catalogue)))
        return catalogue[LHINT_NO_HINTS];
    return catalogue[hintId];
}

QString builtInText(int hintId)
{
    return QCoreApplication::translate("ESelfDeleteHintBox", entryFor(hintId).text);
}

constexpr int ticksPerHold = 300;

// A report that comes and goes by itself: readers announce an alert when it
// shows, where a dialog is only entered.
class HintBoxAccessible : public QAccessibleWidget
{
public:
    explicit HintBoxAccessible(QWidget *box) : QAccessibleWidget(box, QAccessible::AlertMessage) {}
};

QAccessibleInterface *hintBoxFactory(const QString &, QObject *object)
{
    auto *box = qobject_cast<ESelfDeleteHintBox *>(object);
    return box ? new HintBoxAccessible(box) : nullptr;
}

} // namespace

struct ESelfDeleteHintBox::Form
{
    QLabel *label = nullptr;
};

int ESelfDeleteHintBox::hintTicks = 0;

ESelfDeleteHintBox::ESelfDeleteHintBox(QWidget *parent, int hintId)
    : QDialog(parent), ui(new Form), id(hintId)
{
    static const bool readAsAlerts = [] {
        QAccessible::installFactory(hintBoxFactory);
        return true;
    }();
    Q_UNUSED(readAsAlerts);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("ESelfDeleteHintBox"));
    resize(540, 50);
    setMinimumSize(380, 50);
    setMaximumSize(65535, 50);
    setStyleSheet(QStringLiteral("background-color: rgb(47, 47, 47);"));
    ui->label = new QLabel(this);
    ui->label->setObjectName(QStringLiteral("label"));
    ui->label->setGeometry(0, 0, 540, 50);
    ui->label->setMinimumSize(380, 50);
    ui->label->setMaximumSize(65535, 50);
    QFont font;
    font.setFamilies({QStringLiteral("微软雅黑")});
    font.setPointSize(14);
    ui->label->setFont(font);
    setWindowTitle(tr("Dialog"));
    QMetaObject::connectSlotsByName(this);

    new FramelessHelper(this);
    setWindowOpacity(0.9);
    // A report, not a question: the keys stay with the window that raised
    // it (the user may be typing in the edit dialog, or undoing the change
    // it reports). Not activated by Qt, and a window manager, which may
    // focus every new window, is told that it takes no input.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);

    chooseText();
    setAccessibleName(QTextDocumentFragment::fromHtml(ui->label->text()).toPlainText());
    ui->label->setFixedWidth(width());
    ui->label->setTextFormat(Qt::RichText);
    ui->label->setAlignment(Qt::AlignCenter);
    ui->label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255)"));

    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &ESelfDeleteHintBox::auto_refresh_disp);
    refreshTimer->start(10);
}

ESelfDeleteHintBox::ESelfDeleteHintBox(QWidget *parent, const QString &text)
    : ESelfDeleteHintBox(parent, LHINT_NO_HINTS)
{
    constexpr int margin = 40;
    const int textWidth = ui->label->fontMetrics().horizontalAdvance(text);
    setFixedWidth(std::max(EditionLayout::hintBoxWidth(LHINT_NO_HINTS), textWidth + margin));
    ui->label->setFixedWidth(width());
    ui->label->setText(text.toHtmlEscaped());
    setAccessibleName(text);
}

ESelfDeleteHintBox::~ESelfDeleteHintBox()
{
    delete ui;
}

int ESelfDeleteHintBox::hintId() const
{
    return id;
}

QString ESelfDeleteHintBox::text() const
{
    return ui->label->text();
}

int ESelfDeleteHintBox::sharedTicks()
{
    return hintTicks;
}

void ESelfDeleteHintBox::resetSharedTicks()
{
    hintTicks = 0;
}

void ESelfDeleteHintBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The report goes by itself and takes no focus: without an alert a
    // screen reader would never read it.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void ESelfDeleteHintBox::chooseText()
{
    const LanguageIni ini;
    const CatalogueEntry &entry = entryFor(id);
    if (ini.iniTextMode()) {
        const QString key = entry.iniKey ? QString::fromLatin1(entry.iniKey) : QString();
        const bool newerKey = id >= LHINT_P10_STAGE_OVER_15MIN;
        if (key.isEmpty()) {
            ui->label->setText(QStringLiteral("NO HINTS!"));
        } else if (newerKey && !ini.contains(key)) {
            // Older language.ini files lack the keys of ids 12 to 16, and a
            // broken timing rule or an unsaved working copy must still be
            // named: the edition's own text stands in, at the width that text
            // needs.
            setFixedWidth(EditionLayout::hintBoxWidth(id));
            ui->label->setText(builtInText(id));
        } else {
            // The box keeps its 540 pixels: the file's texts have no widths.
            ui->label->setText(ini.text(key));
        }
        return;
    }
    setFixedWidth(EditionLayout::hintBoxWidth(id));
    ui->label->setText(builtInText(id));
}

void ESelfDeleteHintBox::auto_refresh_disp()
{
    const int ticks = ++hintTicks;
    if (holdPeriods >= 1) {
        if (ticks % ticksPerHold == 0) {
            hintTicks = 0;
            --holdPeriods;
        }
        return;
    }
    if (fadeScale / 0.9 > fadeStep) {
        fadeStep += 1;
        setWindowOpacity(0.9 - fadeStep / fadeScale);
    } else {
        refreshTimer->stop();
        close();
        deleteLater();
    }
}
