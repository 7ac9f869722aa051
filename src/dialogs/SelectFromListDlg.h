#pragma once

#include "dialogs/DialogTypes.h"
#include "support/SmallSet.h"
#include "support/StringUtils.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

enum TSelectOption
{
    soPrompt,
    soEdit,
    soOrder,
    soMulti,
    soDelAll,
    soNoConfirm
};
using TSelectOptions = TSmallSet<TSelectOption>;

// Decides whether a new or changed entry is acceptable.
using TCheckEntry = std::function<bool(const QString &text)>;

// A list of texts to pick one or several of and, by option, to edit,
// reorder, clear or reset to defaults. Created once and reused.
class TSelectFromListDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TSelectFromListDialog(QWidget *parent = nullptr);

    // Shows the entries modally. Unless the result is mrCancel, entries
    // receives the edited list (soEdit) and text the chosen entry, or with
    // soMulti the selected ones joined by "|". Results: mrOk, mrYes
    // ("Prompt"), mrCancel.
    TModalResult Execute(QPoint pos, const QString &title, const QString &description,
                         const QString &hint, TSelectOptions options, int cols, TTextChange convert,
                         const QString &defaultText, QStringList &entries, QString &text,
                         bool showCancel = true, TCheckEntry checkEntry = {});

    // The steps of Execute around the modal loop, for tests that drive the
    // window without one: fill the controls, then read them back.
    void Prepare(QPoint pos, const QString &title, const QString &description, const QString &hint,
                 TSelectOptions options, int cols, const QString &defaultText,
                 const QStringList &entries, const QString &text, bool showCancel,
                 TCheckEntry checkEntry);
    void ReadBack(TModalResult r, TTextChange convert, QStringList &entries, QString &text);

    // The entries as the list shows them now.
    QStringList Items() const;

    // The window's parts, open to the tests.
    QWidget *paList;
    QLabel *lbDesc;
    QListWidget *lbxStringList;
    QWidget *paEdit;
    QGroupBox *gbxEdit;
    QPushButton *btnInsert;
    QPushButton *btnDelete;
    QPushButton *btnEdit;
    QPushButton *btnDefault;
    QPushButton *btnDelAll;
    QGroupBox *gbxMove;
    QPushButton *UpBtn;
    QPushButton *DownBtn;
    QLabel *lbHint;
    QPushButton *btnPrompt;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

    void btnInsertClick();
    void btnEditClick();
    void lbxStringListDblClick();
    void btnDeleteClick();
    void btnDelAllClick();
    void btnDefaultClick();
    void UpBtnClick();
    void DownBtnClick();

public slots:
    // Escape and the close box: mrCancel.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Places the right part's controls; returns the client height they need.
    int LayoutRightPart();
    void PlaceBottomControls();
    void UpdateColumns();
    void UpdateButtons();
    bool Confirm(QPushButton *pressed, const QString &question);
    bool EditText(QPoint pos, const QString &title, QString &text);
    void ReplaceCurrent(const QString &text);
    void MoveCurrent(int by);

    bool FEdit = false;
    bool FNoConfirm = false;
    bool FOrder = false;
    bool FDelAll = false;
    int FCols = 1;
    QString DefDelimitedText;
    TCheckEntry FCheckEntry;
    int dist = 5;
    int hh = 31;
    bool FScreenWatched = false;
};
