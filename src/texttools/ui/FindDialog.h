#pragma once

#include "texttools/TextSearch.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A small find window beside its owner: search text, direction, match case
// and whole word. It stays open while the owner searches; each "Find Next"
// asks the owner to search with the current settings.
class TFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFindDialog(QWidget *owner);

    QString FindText() const;
    void SetFindText(const QString &text);
    TSearchOptions Options() const;
    bool Down() const;
    void SetDown(bool down);

    // Shows the window with its top-left corner at the point (moved into the
    // work area), the search text selected.
    void Execute(QPoint pos);

    std::function<void()> OnFind;

    QLineEdit *edFind;
    QCheckBox *cbWholeWord;
    QCheckBox *cbMatchCase;
    QGroupBox *gbDirection;
    QRadioButton *rbUp;
    QRadioButton *rbDown;
    QPushButton *btFindNext;
    QPushButton *btCancel;
};
