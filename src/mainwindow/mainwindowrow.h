#pragma once

#include <array>

class ELabel;
class QLabel;
class QPushButton;

// The widgets of one of the 15 menu rows. The background label stands for
// the row: it carries the row's menu index and the selection highlight; the
// text labels lie over it and pass their clicks on to it.
struct MainWindowRow
{
    ELabel *background = nullptr; // label_N
    ELabel *tag = nullptr;        // labelTag_N: the menu code
    ELabel *value = nullptr;      // labelValue_N: the menu name
    ELabel *softMinNum = nullptr; // labelSoftMinNum_N: first stage
    ELabel *softMaxNum = nullptr; // labelSoftMaxNum_N: second stage
    ELabel *hardMaxNum = nullptr; // labelHardMaxNum_N: third stage
    ELabel *timeTag = nullptr;    // labelTimeTag_N: total time

    // Kept on the form for its layout but never shown.
    ELabel *timeNum = nullptr;
    QLabel *softMinPic = nullptr;
    QLabel *softMaxPic = nullptr;
    QLabel *hardMaxPic = nullptr;
    QPushButton *foldButton = nullptr;

    // The labels whose clicks select the row.
    std::array<ELabel *, 6> texts() const
    {
        return {tag, value, softMinNum, softMaxNum, hardMaxNum, timeTag};
    }
};
