#pragma once

#include <QString>

#include <array>

// The oven's timing limits in seconds of stage time; each limit itself is
// allowed. The edit dialog refuses menus beyond them and the file reader
// zeroes their stages.
namespace OvenLimits {
constexpr int FullPower = 10;
constexpr int FullPowerStageSeconds = 15 * 60;
constexpr int FullPowerMenuSeconds = 25 * 60;
constexpr int StageSeconds = 60 * 60;
} // namespace OvenLimits

// One cooking stage of a menu. A stage whose three values are 0 does not run.
struct MenuStage
{
    int power = 0;   // 0..10, 10 is full power ("P10")
    int minutes = 0; // 0..60
    int seconds = 0; // 0..99; 60..99 simply add seconds

    int stageTime() const { return minutes * 60 + seconds; }

    friend bool operator==(const MenuStage &a, const MenuStage &b)
    {
        return a.power == b.power && a.minutes == b.minutes && a.seconds == b.seconds;
    }
    friend bool operator!=(const MenuStage &a, const MenuStage &b) { return !(a == b); }
};

// One menu of the book.
struct MenuRecord
{
    int number = 0; // record position + 1
    QString code;   // "A-01", "b-00", "C-99", or "#0300" for a menu added in the edit dialog
    QString name;   // empty: the menu has no name
    std::array<MenuStage, 3> stages{};

    // Records 100 and 200 are b-00 and C-00, which the oven keeps empty.
    static bool isReservedNumber(int number) { return number == 100 || number == 200; }

    friend bool operator==(const MenuRecord &a, const MenuRecord &b)
    {
        return a.number == b.number && a.code == b.code && a.name == b.name && a.stages == b.stages;
    }
    friend bool operator!=(const MenuRecord &a, const MenuRecord &b) { return !(a == b); }
};
