#pragma once

#include "dialogs/DialogScript.h"

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;
class QWidget;

// A plain read-only text in a window of its own: modal with an OK button,
// or shown for some seconds without buttons.
class TfrmShow : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmShow(QWidget *parent = nullptr);

    // Nothing happens for an empty text. Delay 0: modal until OK, Enter or
    // Escape; Delay > 0: shown for Delay seconds (or until closed).
    void Execute(const QString &ATitle, const QString &AText, int Delay);
    // Execute up to showing the window. Tests call it, then exec().
    bool Prepare(const QString &ATitle, const QString &AText, int Delay);

    QPlainTextEdit *memShow;
    QWidget *panButtons;
    QPushButton *btnOK;
};

void ShowTextWindow(const QString &ATitle, const QString &AText, int Delay = 0);

// A text window as the test seam records it.
struct TShownText
{
    QString title;
    QString text;
    int delay = 0;
};

// Records ShowTextWindow without a window; see DialogScript.h (the answer is
// unused).
using TShowTextScript = TDialogScript<TShownText, bool>;
