#pragma once

#include <QJsonObject>
#include <QString>

// One place where what the editor holds after reading differs from what the
// file says, or where the editor cannot show the file's menu whole.
struct CheckFinding
{
    qint64 line = 0;     // physical line of the file, counted from 1
    QString code;        // menu code ("A-03"); empty when the line is no menu
    QString kind;        // a stable word for scripts, e.g. "name-emptied"
    QString message;     // one sentence for people
    QJsonObject details; // the facts behind the message, for scripts
};
