#pragma once

// The two text editions are built from one source: English texts are the
// tr() source texts, Chinese is a Linguist translation linked in through the
// texts_zh library. The edition is chosen once by main (and freely by tests).
enum class Edition
{
    English,
    Chinese
};

Edition currentEdition();

// Installs the Chinese translators found under :/i18n/ into the application,
// or removes them for English. Returns false, leaving the edition as it was,
// when no application exists or Chinese is asked for but not linked in.
// Widgets pick their texts at construction: switch before building them.
bool setEdition(Edition edition);

// The few sizes and positions that follow the length of an edition's texts.
namespace EditionLayout {
int mainTitleLabelsY();
int editCaptionLabelsX();
int editTotalTimeTagX();
// Width of a hint box showing its built-in text.
int hintBoxWidth(int hintId);
} // namespace EditionLayout
