#pragma once

#include "dialogs/DialogScript.h"
#include "dialogs/DialogTypes.h"
#include "dialogs/WinUtils.h"

#include <QDialog>
#include <QList>
#include <QPoint>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

// A question answered by one of several freely labelled buttons, with an
// optional check box. The buttons stand in rows of three at the right; the
// last button cancels.
class TSelectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TSelectDialog(QWidget *parent = nullptr);

    // The number of the pressed option button (0, 1, ...), plus 256 when the
    // check box is checked; -1 for the cancel button, Escape and the close
    // box (0 for the cancel button when there are no option buttons).
    // preSelection picks the focused button (-1: cancel); its bit 256 checks
    // the check box at start.
    int Execute(QPoint pos, const QString &title, const QString &caption, TMsgDialogType kind,
                TFontStyles captionFormat, const TButtonArray &buttons, const QString &option,
                int buttonWidth, int preSelection, const QString &defaultButton);
    // Execute up to showing the window; Result() after exec() is the answer.
    void Prepare(QPoint pos, const QString &title, const QString &caption, TMsgDialogType kind,
                 TFontStyles captionFormat, const TButtonArray &buttons, const QString &option,
                 int buttonWidth, int preSelection, const QString &defaultButton);
    int Result() const;

    QLabel *imgIcon;
    QLabel *stCaption;
    QCheckBox *cbOption;
    TImageList ilIcons;
    // The buttons of the current call: the option buttons, then the cancel button.
    QList<QPushButton *> Buttons;
    int Selection = -1;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void layoutWindow();
    void clearButtons();

    int FBw = 0;
    int FPreSel = -1;
    QString FCaption;
    QString FOption;
    QString FDefault;
    TButtonArray FButtons;
};

int SelectOptionDialog(const QString &title, const QString &caption, TMsgDialogType kind,
                       TFontStyles captionFormat, const TButtonArray &buttons,
                       const QString &option = QString(), int buttonWidth = 0,
                       int preSelection = -1, const QString &defaultButton = QString());

// An option question as the test seam records it.
struct TAskedSelection
{
    QString title;
    QString caption;
    TMsgDialogType kind = mdtCustom;
    TButtonArray buttons;
    QString option;
    int preSelection = -1;
    QString defaultButton;
};

// Answers SelectOptionDialog without a window (-1, the close box, when no
// answer is queued); see DialogScript.h.
class TSelectOptionScript : public TDialogScript<TAskedSelection, int>
{
public:
    TSelectOptionScript() : TDialogScript(-1) {}
};
