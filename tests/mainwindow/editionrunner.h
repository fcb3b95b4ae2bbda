#pragma once

#include "edition.h"

#include <QApplication>
#include <QTest>

// Runs every case of a test class once per text edition.
template <typename Test> int runInBothEditions(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int failures = 0;
    for (Edition edition : {Edition::English, Edition::Chinese}) {
        if (!setEdition(edition)) {
            qCritical("The %s texts are not linked in.",
                      edition == Edition::Chinese ? "Chinese" : "English");
            return 1;
        }
        Test test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
