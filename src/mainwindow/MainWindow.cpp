#include "mainwindow/MainWindow.h"

#include "localisation/GnuGettext.h"

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(N_("Manage DOSBox applications"));
    resize(554, 390);
}
