#pragma once

#include <QIcon>
#include <QStringView>

namespace kelvora {

// The program's own pictures, drawn at run time so that they show on any desktop, with or without
// an icon theme. Keys: the toolbar keys (the names of their menu items), "Plus" and "Exit" for the
// journal editors, "Previous", "Next" and "Help" for the day buttons, "MoreRight" and "MoreDown" for
// a toolbar's overflow button. "Program" is the exception: the
// program's icon, the same picture the desktop shows, embedded in the program at the sizes it ships
// in. An unknown key gives a null icon.
QIcon pictogram(QStringView key);

} // namespace kelvora
