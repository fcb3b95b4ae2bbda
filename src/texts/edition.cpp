#include "edition.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace {

Edition runningEdition = Edition::English;

// One translator per module file; owned here so English can remove them.
std::vector<std::unique_ptr<QTranslator>> &chineseTranslators()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

void removeChineseTranslators()
{
    for (const auto &translator : chineseTranslators())
        QCoreApplication::removeTranslator(translator.get());
    chineseTranslators().clear();
}

} // namespace

Edition currentEdition()
{
    return runningEdition;
}

bool setEdition(Edition edition)
{
    if (!QCoreApplication::instance())
        return false;
    if (edition == Edition::English) {
        removeChineseTranslators();
        runningEdition = Edition::English;
        return true;
    }

    std::vector<std::unique_ptr<QTranslator>> loaded;
    const QDir i18n(QStringLiteral(":/i18n"));
    const QStringList files = i18n.entryList({QStringLiteral("*_zh.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        auto translator = std::make_unique<QTranslator>();
        // A module without texts yet compiles to a file with no messages,
        // which QTranslator refuses; it has nothing to give anyway.
        if (translator->load(i18n.filePath(file)))
            loaded.push_back(std::move(translator));
    }
    if (loaded.empty())
        return false;
    // Qt's own dialogs (files, printing) and its shortcut names in the same
    // language; where the system lacks them they stay English. Mapped, not
    // read: the file costs the start-up nothing to speak of.
    auto qtTexts = std::make_unique<QTranslator>();
    if (qtTexts->load(QStringLiteral("qtbase_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        loaded.push_back(std::move(qtTexts));

    removeChineseTranslators();
    for (auto &translator : loaded) {
        QCoreApplication::installTranslator(translator.get());
        chineseTranslators().push_back(std::move(translator));
    }
    runningEdition = Edition::Chinese;
    return true;
}

namespace EditionLayout {

int mainTitleLabelsY()
{
    return currentEdition() == Edition::Chinese ? 37 : 35;
}

int editCaptionLabelsX()
{
    return currentEdition() == Edition::Chinese ? 14 : 20;
}

int editTotalTimeTagX()
{
    return currentEdition() == Edition::Chinese ? 255 : 270;
}

int hintBoxWidth(int hintId)
{
    const bool chinese = currentEdition() == Edition::Chinese;
    switch (hintId) {
    case 12:
        return chinese ? 640 : 540;
    case 13:
        return chinese ? 640 : 500;
    case 14:
        return 640;
    default:
        return 380;
    }
}

} // namespace EditionLayout
