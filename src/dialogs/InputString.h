#pragma once

#include "dialogs/DialogScript.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// A one-line text input with a description above and an optional short text
// (a unit, an extension) right of the field.
class TInputStringDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TInputStringDialog(QWidget *parent = nullptr);

    // True and the typed text (empty included) for OK; false and text
    // unchanged for Cancel, Escape or the close box.
    bool Execute(QPoint pos, const QString &title, const QString &description,
                 const QString &suffix, QString &text);
    // Execute up to showing the window. Tests call it, then exec().
    void Prepare(QPoint pos, const QString &title, const QString &description,
                 const QString &suffix, const QString &text);

    QLabel *Descriptor;
    QLineEdit *TextFeld;
    QLabel *SuffixText;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
    int defWidth = 0;

protected:
    void showEvent(QShowEvent *event) override;
};

bool InputTextWithSuffix(QPoint pos, const QString &title, const QString &description,
                         const QString &suffix, QString &text);
bool InputText(QPoint pos, const QString &title, const QString &description, QString &text);

// A text input as the test seam records it.
struct TAskedText
{
    QPoint pos;
    QString title;
    QString description;
    QString suffix;
    QString text;
};

// Answers InputText without a window: a text for OK, std::nullopt for
// Cancel (also the answer when none is queued); see DialogScript.h.
using TInputTextScript = TDialogScript<TAskedText, std::optional<QString>>;
