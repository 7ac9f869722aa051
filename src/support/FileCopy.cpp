#include "support/FileCopy.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>
#include <memory>

namespace {

constexpr int MaxCopyBufferSize = 64 * 1024 * 1024;
// Configuration files and key maps; anything larger is no file of theirs.
constexpr qint64 MaxCopySize = 256 * 1024 * 1024;

struct ModeBit
{
    int mode;
    QFileDevice::Permissions flags;
};

const ModeBit ModeBits[] = {
    {0400, QFileDevice::ReadOwner | QFileDevice::ReadUser},
    {0200, QFileDevice::WriteOwner | QFileDevice::WriteUser},
    {0100, QFileDevice::ExeOwner | QFileDevice::ExeUser},
    {0040, QFileDevice::ReadGroup},
    {0020, QFileDevice::WriteGroup},
    {0010, QFileDevice::ExeGroup},
    {0004, QFileDevice::ReadOther},
    {0002, QFileDevice::WriteOther},
    {0001, QFileDevice::ExeOther},
};

[[noreturn]] void Fail(const QString &message, const QString &fileName)
{
    throw ECopyError(SafeFormat(message, QFileInfo(fileName).absoluteFilePath()));
}

// A file is closed with its error recorded, so a failed final write shows.
bool CloseChecked(QFile &file)
{
    file.unsetError();
    file.close();
    return file.error() == QFileDevice::NoError;
}

bool SameFile(const QString &a, const QString &b)
{
    if (SameFileName(a, b))
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

int PermissionsToMode(int qtPermissions)
{
    const QFileDevice::Permissions p = QFileDevice::Permissions::fromInt(qtPermissions);
    int mode = 0;
    for (const ModeBit &bit : ModeBits) {
        if (p & bit.flags)
            mode |= bit.mode;
    }
    return mode;
}

int ModeToPermissions(int mode)
{
    QFileDevice::Permissions p;
    for (const ModeBit &bit : ModeBits) {
        if (mode & bit.mode)
            p |= bit.flags;
    }
    return p.toInt();
}

void SafeCopyFile(const QString &source, const QString &target, int attributes, int bufferSize)
{
    // Opening the target would truncate the source.
    if (SameFile(source, target))
        return;
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.isFile() || target.isEmpty())
        Fail(U_("File not found: \"%s\""), source);

    const QDateTime modified = sourceInfo.lastModified();
    const QFileDevice::Permissions permissions =
        attributes < 0 ? sourceInfo.permissions()
                       : QFileDevice::Permissions::fromInt(ModeToPermissions(attributes));
    if (bufferSize <= 0 || bufferSize > MaxCopyBufferSize)
        bufferSize = DefaultCopyBufferSize;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        Fail(U_("Error opening \"%s\""), source);
    if (in.size() > MaxCopySize)
        Fail(U_("Error reading from \"%s\""), source);
    // Read whole, so that the target is replaced in one step and a failed
    // copy leaves the old target as it was.
    QByteArray data;
    const auto buffer = std::make_unique<char[]>(size_t(bufferSize));
    for (;;) {
        const qint64 got = in.read(buffer.get(), bufferSize);
        if (got < 0 || data.size() + got > MaxCopySize)
            Fail(U_("Error reading from \"%s\""), source);
        data.append(buffer.get(), got);
        if (got < bufferSize)
            break;
    }
    if (data.size() != in.size() || !CloseChecked(in))
        Fail(U_("Error reading from \"%s\""), source);

    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && !targetInfo.isWritable() &&
        !QFile::setPermissions(target, targetInfo.permissions() | QFileDevice::WriteOwner |
                                           QFileDevice::WriteUser))
        Fail(U_("Error creating \"%s\""), target);
    try {
        WriteFileSafely(target, data);
    } catch (const ERavelinError &e) {
        throw ECopyError(e.message());
    }

    QFile out(target);
    const bool timeSet =
        out.open(QIODevice::Append) && out.setFileTime(modified, QFileDevice::FileModificationTime);
    if (!timeSet || !CloseChecked(out))
        Fail(U_("Error setting timestamps of \"%s\""), target);
    if (!QFile::setPermissions(target, permissions))
        Fail(U_("Error setting attributes of \"%s\""), target);
}
