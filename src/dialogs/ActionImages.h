#pragma once

#include "dialogs/WinUtils.h"

#include <QIcon>
#include <QStringList>
#include <QStyle>
#include <optional>

// Images of the main window's actions and menus, by index (ilActions):
// 0 exit, 1 settings, 2 new, 3 edit, 4 remove, 5 run, 6 large icons,
// 7 small icons, 8 details, 9 list, 10 manual, 11 emulator, 12 about,
// 13 convert text, 14 keymapper, 15 duplicate, 16 standard output,
// 17 error output, 18 documentation, 19 language, 20 desktop shortcut.
inline constexpr int ActionImageCount = 21;

// Lets theme icons show on every desktop, also without one (offscreen, a
// bare X server): the standard icon folders are searched and Debian's
// Adwaita theme stands in for icons the desktop's theme lacks.
void InitIconTheme();

// The first of the freedesktop icon names the theme knows; else the first
// found in the Adwaita theme; else the style's standard picture fallback of
// widget, when given; else the program's own icon, so that an image never
// stays empty.
QIcon ThemeIcon(const QStringList &names,
                std::optional<QStyle::StandardPixmap> fallback = std::nullopt,
                const QWidget *widget = nullptr);

// The action images at size×size.
TImageList ActionImageList(int size);
