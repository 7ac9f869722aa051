#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QUrl>

class QAction;
class QLineEdit;
class QTextBrowser;
class QToolBar;
class QToolButton;
class TUnicodeIniFile;

// A small browser window for local HTML manuals: address box, back, forward,
// home, reload, three fixed page sizes and a button that switches back to the
// calling window. Web and mail addresses, and files it cannot show, go to the
// desktop's programs. Created once and reused; its place, size and state live
// in a section of the catalogue file, written with the catalogue.
class TWebBrowserWin : public QDialog
{
    Q_OBJECT
public:
    explicit TWebBrowserWin(QWidget *parent = nullptr);

    // Shows URL (an address, or a file path) with the caption Title. An empty
    // ShCut shows the window modally, with an OK action when ShowOk; otherwise
    // the window stays beside the others and ShCut switches back to ACaller.
    // A window already showing this address only comes to the front. True
    // only when a modal window was ended with OK.
    bool Execute(QWidget *ACaller, const QString &Title, const QString &URL, const QString &Org,
                 bool ShowOk, const QKeySequence &ShCut);

    // Binds the window to a section of the settings and applies the place,
    // size and state stored there.
    void LoadFromIni(const TUnicodeIniFile &ini, const QString &ASection);
    // Writes place, size (only for a normal window) and state into the bound
    // section when they changed since they were read or last written.
    void SaveToIni(TUnicodeIniFile &ini);

    void GotoHomePage();
    // Goes to a typed address: a relative path is taken from the folder of
    // the page shown.
    void Navigate(const QString &address);
    // Brings the window to the front, out of the task bar if minimised.
    void BringToFront();

    // False once the browser control could not be created.
    bool Available() const { return FAvailable; }
    // The address given to the last Execute, as the address box shows it.
    QString Home;
    // Place and size read by LoadFromIni, and the state (0 normal,
    // 1 minimised, 2 maximised).
    QRect HForm;
    int WSt = 0;

    // Handlers.
    void ActionRefreshExecute();
    void ActionBackExecute();
    void ActionHomeExecute();
    void ActionFwdExecute();
    void ActionEditExecute();
    void ActionExitExecute();
    void ActionCancelExecute();
    void btnSize1Click();
    void btnSize2Click();
    void btnSize3Click();

    // Components. WebBrowser exists from the first Execute on.
    QWidget *paTop;
    QLineEdit *edURL;
    QToolButton *btnSize1;
    QToolButton *btnSize2;
    QToolButton *btnSize3;
    QToolBar *tbButtons;
    QAction *ActionRefresh;
    QAction *ActionBack;
    QAction *ActionHome;
    QAction *ActionFwd;
    QAction *ActionEdit;
    QAction *ActionExit;
    QAction *ActionCancel;
    QTextBrowser *WebBrowser = nullptr;

    static constexpr int DefaultLeft = 10;
    static constexpr int DefaultTop = 10;
    static constexpr int DefaultWidth = 600;
    static constexpr int DefaultHeight = 450;

public slots:
    void done(int r) override;

protected:
    // The browser control, or null when it cannot be created.
    virtual QTextBrowser *CreateBrowser();
    // Reports that there is no browser control (a platform message box).
    virtual void ShowNotAvailable(const QString &message);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void CreateActions();
    void CreateBrowserControl();
    void GoTo(const QUrl &url);
    // Hands an address the viewer cannot show to the desktop; says so when
    // nothing there opens it.
    void OpenOutside(const QUrl &url);
    void LinkClicked(const QUrl &link);
    void SetPageSize(int width, int height);
    bool BrowserButton(QMouseEvent *event);
    // The window state as stored: 0 normal, 1 minimised, 2 maximised.
    int StateNumber() const;

    QPointer<QWidget> FCaller;
    QString FSection;
    // Place, size and state as the section holds them.
    QRect FStoredBounds;
    int FStoredState = 0;
    QString FOrg;
    QUrl FHomeUrl;
    bool FAvailable = true;
};
