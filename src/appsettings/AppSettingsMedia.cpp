// The CD, mixer and emulation controls of the application settings dialog.

#include "appsettings/AppSettingsDlg.h"

#include "appsettings/AppSettingsRules.h"
#include "catalogue/AppSettings.h"
#include "dialogs/CheckBoxes.h"
#include "dialogs/MsgDialogs.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>

QList<TDriveProperties> TAppSettingsDialog::ReadCdDrives() const
{
    return GetDriveList({TDriveType::dtCdRom});
}

void TAppSettingsDialog::FillCdDriveList()
{
    cbDrive->clear();
    // The launcher takes the mount point in front of the label as the root.
    for (const TDriveProperties &drive : ReadCdDrives())
        cbDrive->addItem(drive.DriveName + QStringLiteral(" (") + drive.VolName + u')');
    if (cbDrive->count() > 0)
        cbDrive->setCurrentIndex(0);
}

void TAppSettingsDialog::ShowMediaMode(bool Iso)
{
    if (!Iso && cbDrive->count() == 0) {
        ErrorDialog(_("No physical CD drives available!"));
        Iso = true;
    }
    pnDrive->setVisible(!Iso);
    pnIsoFile->setVisible(Iso);
    rbDrive->setChecked(!Iso);
    rbIsoIMage->setChecked(Iso);
}

void TAppSettingsDialog::LoadCdControls()
{
    const TDosBoxApp &app = *FDosBoxApp;
    int drive = cbCdRomDrive->findText(QString(app.CdDrv.toUpper()));
    if (drive < 0)
        drive = cbCdRomDrive->findText(QStringLiteral("D"));
    cbCdRomDrive->setCurrentIndex(drive);
    ShowMediaMode(app.IsoImage);
    gbCdDrive->setChecked(app.MountCd);
    if (app.IsoImage) {
        SetIsoText(app.CdPath);
    } else {
        cbDrive->setCurrentIndex(cbDrive->findText(app.CdPath));
        SetIsoText(QString());
    }
}

void TAppSettingsDialog::StoreCdControls(TDosBoxApp &app) const
{
    app.CdDrv = cbCdRomDrive->currentText().at(0);
    app.MountCd = gbCdDrive->Checked();
    app.IsoImage = rbIsoIMage->isChecked();
    app.CdPath = app.IsoImage ? edIsoFile->text() : cbDrive->currentText();
}

void TAppSettingsDialog::SetIsoText(const QString &text)
{
    edIsoFile->setText(text);
    edIsoFile->setToolTip(text);
}

void TAppSettingsDialog::rbDriveClick()
{
    if (FLoading)
        return;
    // A disc inserted since the list was read would otherwise never be offered.
    if (cbDrive->count() == 0)
        FillCdDriveList();
    ShowMediaMode(false);
}

void TAppSettingsDialog::rbIsoIMageClick()
{
    if (!FLoading)
        ShowMediaMode(true);
}

void TAppSettingsDialog::btRebuildClick()
{
    FillCdDriveList();
}

void TAppSettingsDialog::btIsoFileClick()
{
    const QString current = edIsoFile->text();
    const QString start = current.isEmpty() ? edAppPath->text()
                                            : ExtractFilePath(FirstQuotedItem(current, u' ', u'"'));
    const QStringList files = OpenFiles(
        this,
        {SafeFormat(_("Select iso image to be mounted as drive %s"), cbCdRomDrive->currentText()),
         QStringLiteral("iso"),
         {{_("ISO images"), QStringLiteral("*.iso;*.cue")}},
         start,
         true});
    if (!files.isEmpty())
        SetIsoText(IsoFileListText(files));
}

QStringList TAppSettingsDialog::MixerItems() const
{
    QStringList items;
    for (int i = 0; i < lbMixerSettings->count(); ++i)
        items.append(lbMixerSettings->item(i)->text());
    return items;
}

void TAppSettingsDialog::SelectMixerRow(int row)
{
    FSelectingMixer = true;
    if (row >= 0 && row < lbMixerSettings->count()) {
        lbMixerSettings->setCurrentRow(row);
    } else {
        lbMixerSettings->setCurrentRow(-1);
        lbMixerSettings->clearSelection();
    }
    FSelectingMixer = false;
}

void TAppSettingsDialog::ShowMixerEntry(int Index)
{
    const bool valid = Index >= 0 && Index < lbMixerSettings->count();
    if (valid) {
        const TMixerEntry entry = ParseMixerEntry(lbMixerSettings->item(Index)->text());
        cbChannels->setCurrentIndex(MixerChannelOfCode(entry.Code));
        // Connect first, so that an unequal pair is shown as it is.
        cbConnect->setChecked(entry.Left == entry.Right);
        tbLeft->setValue(entry.Left);
        tbRight->setValue(entry.Right);
    } else {
        cbChannels->setCurrentIndex(CdAudioChannel);
        cbConnect->setChecked(true);
        tbLeft->setValue(50);
        tbRight->setValue(50);
    }
    SelectMixerRow(valid ? Index : -1);
}

void TAppSettingsDialog::lbMixerSettingsClick()
{
    ShowMixerEntry(lbMixerSettings->currentRow());
}

void TAppSettingsDialog::tbLeftChange()
{
    if (cbConnect->isChecked())
        tbRight->setValue(tbLeft->value());
}

void TAppSettingsDialog::tbRightChange()
{
    if (cbConnect->isChecked())
        tbLeft->setValue(tbRight->value());
}

void TAppSettingsDialog::bbAddMixerClick()
{
    lbMixerSettings->addItem(MixerEntryText(MixerChannelCode(cbChannels->currentIndex()),
                                            RoundToFive(tbLeft->value()),
                                            RoundToFive(tbRight->value())));
    SelectMixerRow(lbMixerSettings->count() - 1);
}

void TAppSettingsDialog::bbRemMixerClick()
{
    const int row = lbMixerSettings->currentRow();
    QListWidgetItem *item = lbMixerSettings->item(row);
    if (!item || !item->isSelected())
        return;
    FSelectingMixer = true;
    delete lbMixerSettings->takeItem(row);
    FSelectingMixer = false;
    ShowMixerEntry(qMin(row, lbMixerSettings->count() - 1));
}

void TAppSettingsDialog::bbClearMixerClick()
{
    if (!ConfirmDialog(_("Remove all mixer settings?")))
        return;
    FSelectingMixer = true;
    lbMixerSettings->clear();
    FSelectingMixer = false;
    ShowMixerEntry(-1);
}

void TAppSettingsDialog::bbUpClick()
{
    const int row = lbMixerSettings->currentRow();
    QListWidgetItem *item = lbMixerSettings->item(row);
    if (row <= 0 || !item->isSelected())
        return;
    FSelectingMixer = true;
    lbMixerSettings->insertItem(row - 1, lbMixerSettings->takeItem(row));
    FSelectingMixer = false;
    SelectMixerRow(row - 1);
}

void TAppSettingsDialog::bbDownClick()
{
    const int row = lbMixerSettings->currentRow();
    QListWidgetItem *item = lbMixerSettings->item(row);
    if (!item || row >= lbMixerSettings->count() - 1 || !item->isSelected())
        return;
    FSelectingMixer = true;
    lbMixerSettings->insertItem(row + 1, lbMixerSettings->takeItem(row));
    FSelectingMixer = false;
    SelectMixerRow(row + 1);
}

void TAppSettingsDialog::ShowEmulationSettings()
{
    if (!FDosBoxApp)
        return;
    const TDosBoxApp &app = *FDosBoxApp;
    cxFullScreen->setChecked(app.FullScreen);
    cxAutoEnd->setChecked(app.AutoEnd);
    cxAutoClose->setChecked(app.AutoEnd && app.AutoClose);
    cxAutoClose->setEnabled(app.AutoEnd);
    // Without any key map the entry's mapper file is the configuration's
    // folder, which names no file: the field stays empty then.
    const bool noFile =
        app.AppMapper.endsWith(u'/') || app.AppMapper.endsWith(u'\\') || IsDir(app.AppMapper);
    edMapperFile->setText(noFile ? QString() : app.AppMapper);
    cbMemSize->setCurrentIndex(MemSizeIndex(app.MemSize));
    pnMemMan->setVisible(FIsStaging);
    if (FIsStaging) {
        pcCycles->setCurrentWidget(tsStaging);
        cbRealSpeed->setCurrentIndex(RealSpeedIndex(app.Speed.RealSpeed));
        cbProtSpeed->setCurrentIndex(ProtSpeedIndex(app.Speed.ProtSpeed));
        cbThrottling->setCurrentIndex(OnOffIndex(app.Speed.Throttle));
        cbXms->setCurrentIndex(OnOffIndex(app.MemManage.XMS));
        cbEms->setCurrentIndex(OnOffIndex(app.MemManage.EMS));
        cbUmb->setCurrentIndex(OnOffIndex(app.MemManage.UMB));
        cbCycles->setToolTip(QString());
        ShowStagingHints();
    } else {
        pcCycles->setCurrentWidget(tsNormal);
        cbCycles->setCurrentIndex(CyclesIndex(app.Speed.RealSpeed));
        cbCycles->setToolTip(CyclesHint(app.DefaultValues.CpuSpeed.RealSpeed));
        for (QComboBox *box :
             {cbMemSize, cbRealSpeed, cbProtSpeed, cbThrottling, cbXms, cbEms, cbUmb})
            box->setToolTip(QString());
    }
}

void TAppSettingsDialog::ShowStagingHints()
{
    const TDefaultValues &defaults = FDosBoxApp->DefaultValues;
    // A hint tells what "default" stands for, so only a box at default has one.
    const auto hint = [](QComboBox *box, const QString &text) {
        box->setToolTip(box->currentIndex() == 0 ? text : QString());
    };
    hint(cbMemSize, MemSizeHint(defaults.MemSz));
    hint(cbRealSpeed, RealSpeedHint(defaults.CpuSpeed.RealSpeed));
    hint(cbProtSpeed, ProtSpeedHint(defaults.CpuSpeed.ProtSpeed));
    hint(cbThrottling, OnOffHint(defaults.CpuSpeed.Throttle));
    hint(cbXms, OnOffHint(defaults.MemMng.XMS));
    hint(cbEms, OnOffHint(defaults.MemMng.EMS));
    hint(cbUmb, OnOffHint(defaults.MemMng.UMB));
}

void TAppSettingsDialog::StoreEmulationControls(TDosBoxApp &app) const
{
    app.MemSize = MemSizeValue(cbMemSize->currentIndex());
    if (FIsStaging) {
        app.Speed.RealSpeed = RealSpeedValue(cbRealSpeed->currentIndex());
        app.Speed.ProtSpeed = ProtSpeedValue(cbProtSpeed->currentIndex());
        app.Speed.Throttle = OnOffValue(cbThrottling->currentIndex());
        app.MemManage.XMS = OnOffValue(cbXms->currentIndex());
        app.MemManage.EMS = OnOffValue(cbEms->currentIndex());
        app.MemManage.UMB = OnOffValue(cbUmb->currentIndex());
    } else {
        app.Speed.RealSpeed = CyclesValue(cbCycles->currentIndex());
    }
}
