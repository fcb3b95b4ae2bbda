#pragma once

#include <QIcon>

// An icon drawn from a picture file that is read whenever a pixmap is asked
// for, and kept nowhere. Qt's icon from a file keeps the decoded picture for
// as long as the icon lives; a window icon is taken by the window system
// once, when the window is shown, and the main window's 348 x 348 picture
// would otherwise hold half a megabyte for the whole run.
QIcon pictureIcon(const QString &fileName);
