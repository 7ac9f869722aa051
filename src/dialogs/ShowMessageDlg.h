#pragma once

#include "dialogs/DialogTypes.h"
#include "dialogs/WinUtils.h"

#include <QDialog>
#include <QMessageBox>
#include <QPoint>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

// Splits a message text at its first "|" into window title and message; a
// text without "|" is all message (empty title).
void SplitMessageText(const QString &text, QString &title, QString &message);
// The icon of a message of this kind; none for mdtCustom.
QMessageBox::Icon MessageIconOf(TMsgDialogType kind);
// The title of a message without a title of its own, by its icon.
QString DefaultMessageTitle(TMsgDialogType kind);
// The pictures of warning, error, information and question, in that order,
// at the message windows' icon size for the monitor of window.
TImageList MessageIconList(const QWidget *window);
// The position of an icon's picture in MessageIconList; -1 for none.
int MessageIconIndex(QMessageBox::Icon icon);

// The program's message window: icon, unwrapped text that sizes the window,
// up to three buttons, optional auto-close timer. Created for one message by
// MessageDialog.
class TShowMsgDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TShowMsgDialog(QWidget *parent = nullptr);
    ~TShowMsgDialog() override;

    // Shows the message modally and returns the answer; an empty text shows
    // nothing and answers mrNone.
    TModalResult Execute(QPoint APos, const QString &AHint, int Delay, TMsgDialogType DlgType,
                         TMsgDlgBtn DefaultButton, TDefaultMonitor AMonitor);
    // The part of Execute before the window is shown: configures, sizes and
    // places it. False for an empty text. Tests call it, then exec().
    bool Prepare(QPoint APos, const QString &AHint, int Delay, TMsgDialogType DlgType,
                 TMsgDlgBtn DefaultButton, TDefaultMonitor AMonitor);

    // The window's parts, open to the tests.
    QLabel *imgIcon;
    QLabel *stInfo;
    QPushButton *btLeft;
    QPushButton *btCenter;
    QPushButton *btClose;
    QTimer *Timer;
    TImageList ilIcons;
    TImageList ilGlyphs;
    bool RunTimer = false;
    TMsgDialogType FDlgType = mdtInformation;
    QString FCaption;

public slots:
    // The close box: mrCancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setButton(QPushButton *button, const QString &caption, int glyph, TModalResult result);
    void adjustWindow();
};
