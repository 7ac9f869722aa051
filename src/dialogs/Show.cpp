#include "dialogs/Show.h"

#include "dialogs/WinUtils.h"
#include "support/GnuGettext.h"
#include "support/ResourceStrings.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace ResourceStrings;

TfrmShow::TfrmShow(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmShow"));
    setWindowTitle(QStringLiteral("Show text"));

    memShow = new QPlainTextEdit(this);
    memShow->setObjectName(QStringLiteral("memShow"));
    memShow->setReadOnly(true);
    memShow->setLineWrapMode(QPlainTextEdit::NoWrap);
    memShow->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memShow->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memShow->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    panButtons = new QWidget(this);
    panButtons->setObjectName(QStringLiteral("panButtons"));
    btnOK = new QPushButton(panButtons);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    auto *buttons = new QHBoxLayout(panButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(memShow, 1);
    layout->addWidget(panButtons);
    resize(ScaleByDpi(640, this), ScaleByDpi(420, this));
}

bool TfrmShow::Prepare(const QString &ATitle, const QString &AText, int Delay)
{
    if (AText.isEmpty())
        return false;
    setWindowTitle(ATitle);
    btnOK->setText(SMsgDlgOK());
    memShow->setPlainText(DisplayText(AText));
    panButtons->setVisible(Delay <= 0);
    PlaceFormAt(this, ScreenCenterPos, false);
    if (Delay <= 0)
        btnOK->setFocus();
    return true;
}

void TfrmShow::Execute(const QString &ATitle, const QString &AText, int Delay)
{
    if (!Prepare(ATitle, AText, Delay))
        return;
    if (Delay <= 0) {
        exec();
        return;
    }
    // The text stays for Delay seconds while the program goes on handling
    // events; closing the window ends the wait early.
    QPointer<TfrmShow> self(this);
    QEventLoop wait;
    QTimer::singleShot(Delay * 1000, &wait, &QEventLoop::quit);
    connect(this, &QDialog::finished, &wait, &QEventLoop::quit);
    show();
    wait.exec();
    if (self)
        close();
}

void ShowTextWindow(const QString &ATitle, const QString &AText, int Delay)
{
    if (AText.isEmpty())
        return;
    if (auto *script = TShowTextScript::current()) {
        script->take(TShownText{ATitle, AText, Delay});
        return;
    }
    QPointer<TfrmShow> window = new TfrmShow(QApplication::activeWindow());
    window->Execute(ATitle, AText, Delay);
    delete window;
}
