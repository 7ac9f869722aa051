#pragma once

#include "support/SmallSet.h"

#include <QStringList>

// Values shared by the message dialog, the small dialogs and their callers.
// The numbers are those of the platform types they stand for.

// Result of a modal window (QDialog::exec returns it).
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

// Kind of a message of TShowMsgDialog, or of the option dialog's question
// (picture and default title).
enum TMsgDialogType
{
    mdtInformation,
    mdtWarning,
    mdtError,
    mdtConfirm,
    mdtConfirmError,
    mdtConfirmRetry,
    mdtConfirmCancel,
    mdtConfirmYesNo,
    mdtCustom
};

// A button named as default button of a message.
enum TMsgDlgBtn
{
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbClose
};

// The monitor on which a centred window appears.
enum TDefaultMonitor
{
    dmDesktop,
    dmPrimary,
    dmMainForm,
    dmActiveForm
};

enum TFontStyle
{
    fsBold,
    fsItalic,
    fsUnderline,
    fsStrikeOut
};
using TFontStyles = TSmallSet<TFontStyle>;

// Captions of option buttons.
using TButtonArray = QStringList;
