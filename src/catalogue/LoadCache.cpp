#include "catalogue/LoadCache.h"

#include <QFileInfo>

namespace {
int depth = 0;
quint64 generation = 0;
} // namespace

TLoadCacheScope::TLoadCacheScope()
{
    if (depth++ == 0)
        ++generation;
}

TLoadCacheScope::~TLoadCacheScope()
{
    --depth;
}

bool TLoadCacheScope::Active()
{
    return depth > 0;
}

quint64 TLoadCacheScope::Generation()
{
    return generation;
}

TFileStamp TFileStamp::Of(const QString &fileName)
{
    TFileStamp stamp;
    if (fileName.isEmpty())
        return stamp;
    const QFileInfo info(fileName);
    stamp.IsFile = info.isFile();
    if (stamp.IsFile) {
        stamp.Size = info.size();
        stamp.ModifiedMs = info.lastModified().toMSecsSinceEpoch();
    }
    return stamp;
}
