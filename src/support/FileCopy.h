#pragma once

#include <QString>

inline constexpr int DefaultCopyBufferSize = 262144;

// Copies source to target with the source's last-write time and the given
// POSIX permission bits (-1: those of the source). A target without write
// permission is replaced. Copying a file onto itself does nothing. Raises
// ECopyError with a message naming the file and the failing step (and the
// system's reason); the target is replaced whole or stays as it was.
void SafeCopyFile(const QString &source, const QString &target, int attributes = -1,
                  int bufferSize = DefaultCopyBufferSize);

// POSIX permission bits (0644) and Qt's permission flags.
int PermissionsToMode(int qtPermissions);
int ModeToPermissions(int mode);
