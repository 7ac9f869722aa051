#include "mainwindow/MainWindow.h"

#include "texttools/ui/TxtConvertDlg.h"

void TfrmMain::actConvertTextExecute()
{
    if (TxtConvertDialog)
        TxtConvertDialog->Execute(BasicSettings.RootPath, BasicSettings.Codepage);
}
