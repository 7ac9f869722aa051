#pragma once

#include <QString>
#include <QStringList>

// The guesses a folder import makes about one application folder: its name,
// the program that starts it, its manual and icon. Pure functions of names.

// A display name from a folder name: "_" and "." become blanks, words are
// split where a lower-case letter meets a capital or a letter meets a digit,
// words wholly in one letter case get a capital first letter ("monkey_island2"
// gives "Monkey Island 2", "DOOM" gives "Doom"), Roman numerals stay capital,
// and small words inside the name stay small ("Day of the Tentacle").
QString TidyAppName(const QString &folderName);

// .EXE, .COM or .BAT (any case).
bool IsProgramFile(const QString &fileName);
// Installers, set-up and sound or configuration tools, uninstallers and DOS
// extenders: programs that are not the application itself.
bool IsToolProgram(const QString &fileName);

// The program to start among programs (paths below the application folder,
// separated by "/" or "\"); folderName is the folder's own name. A single
// program that is no tool wins; then the one named most like the folder; then
// a start batch (START, RUN, GO, PLAY, GAME, LAUNCH); then the shallowest, an
// .EXE before a .COM before a .BAT. Tools only when a tool is the only
// program. Empty when there is none or only several tools.
QString ChooseProgram(const QString &folderName, const QStringList &programs);

// How well a file serves as the manual: 0 not at all; higher is better
// (MANUAL before README before other documents, shallower before deeper).
int ManualRank(const QString &relativePath);
