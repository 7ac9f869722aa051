#pragma once

#include <QString>

// While a TLoadCacheScope exists (the catalogue loader holds one), the file
// that every entry reads — the emulator configuration — is examined once per
// path; outside a scope each use looks at the file again. Used on the GUI
// thread only.
class TLoadCacheScope
{
public:
    TLoadCacheScope();
    ~TLoadCacheScope();
    TLoadCacheScope(const TLoadCacheScope &) = delete;
    TLoadCacheScope &operator=(const TLoadCacheScope &) = delete;

    static bool Active();
    // Changes whenever an outermost scope begins, so that caches can tell
    // results of an earlier load from those of the current one.
    static quint64 Generation();
};

// What identifies one state of a file: its absence, or its size and time.
struct TFileStamp
{
    bool IsFile = false;
    qint64 Size = -1;
    qint64 ModifiedMs = 0;

    static TFileStamp Of(const QString &fileName);
    friend bool operator==(const TFileStamp &a, const TFileStamp &b)
    {
        return a.IsFile == b.IsFile && a.Size == b.Size && a.ModifiedMs == b.ModifiedMs;
    }
};
