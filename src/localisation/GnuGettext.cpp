#include "localisation/GnuGettext.h"

// Placeholder until the catalogue engine exists: every text stays English.
namespace GnuGettext {

QString gettext(const QString &msgId)
{
    return msgId;
}

QString dgettext(const QString &, const QString &msgId)
{
    return msgId;
}

QString LoadResString(const QString &msgId)
{
    return msgId;
}

} // namespace GnuGettext
