#pragma once

#include "support/GnuGettext.h"

// Resource strings of the library layer, in one place so that every dialog
// uses the same captions and the "runtime" and "units" catalogues carry them.
namespace ResourceStrings {

// Buttons and titles of the message dialogs.
inline QString SMsgDlgYes()
{
    return R_("&Yes");
}
inline QString SMsgDlgNo()
{
    return R_("&No");
}
inline QString SMsgDlgOK()
{
    return R_("OK");
}
inline QString SMsgDlgCancel()
{
    return R_("Cancel");
}
inline QString SMsgDlgRetry()
{
    return R_("&Retry");
}
inline QString SCloseButton()
{
    return R_("&Close");
}
inline QString SMsgDlgWarning()
{
    return R_("Warning");
}
inline QString SMsgDlgError()
{
    return R_("Error");
}
inline QString SMsgDlgInformation()
{
    return R_("Information");
}
inline QString SMsgDlgConfirm()
{
    return R_("Confirm");
}

// Texts of the support library.
inline QString SSystemDefault()
{
    return U_("&System default");
}
inline QString SFormatError()
{
    return U_("Format error: ");
}
inline QString SVersion()
{
    return U_("Version");
}
inline QString SNotAvailable()
{
    return U_("not available");
}
inline QString SUnlabeled()
{
    return U_("unlabeled");
}

} // namespace ResourceStrings
