#include "texttools/ui/TxtConvertDlg.h"

#include "dialogs/ActionImages.h"
#include "dialogs/Application.h"
#include "dialogs/FileOpenDialog.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"
#include "texttools/CodePages.h"
#include "texttools/TextConversion.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int DesignClientWidth = 387;
constexpr int DesignClientHeight = 221;
constexpr int RadioColumns = 3;

QString AllFilesFilter()
{
    return _("All") + QStringLiteral("|*.*");
}

} // namespace

TTxtConvertDialog::TTxtConvertDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    CreateControls();
    LastFile.clear();
    TranslateComponent(this);
}

void TTxtConvertDialog::CreateControls()
{
    setObjectName(QStringLiteral("TxtConvertDialog"));
    setWindowTitle(N_("Convert Unicode text"));

    edTextfile = new QLineEdit(this);
    edTextfile->setObjectName(QStringLiteral("edTextfile"));
    auto *caption = new QLabel(N_("Filename:"), this);
    caption->setBuddy(edTextfile);
    btTextFile = new QToolButton(this);
    btTextFile->setObjectName(QStringLiteral("btTextFile"));
    btTextFile->setIcon(
        ThemeIcon({QStringLiteral("document-open"), QStringLiteral("document-open-symbolic")}));
    btTextFile->setToolTip(N_("Select text file to be converted"));

    rgCodePages = new QGroupBox(N_("Convert to code page"), this);
    rgCodePages->setObjectName(QStringLiteral("rgCodePages"));
    CodePageButtons = new QButtonGroup(this);
    auto *grid = new QGridLayout(rgCodePages);
    const int rows = int((CodePageTable.size() + RadioColumns - 1) / RadioColumns);
    for (int i = 0; i < int(CodePageTable.size()); ++i) {
        // Filled column by column, as a radio group with columns is.
        auto *button = new QRadioButton(CodePageTable[size_t(i)].Name(), rgCodePages);
        button->setObjectName(QStringLiteral("rbCodePage%1").arg(i));
        MarkUserData(button);
        CodePageButtons->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }

    btbConvert = new QPushButton(N_("Convert"), this);
    btbConvert->setObjectName(QStringLiteral("btbConvert"));
    btbConvert->setDefault(true);
    btbConvert->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    btbCancel = new QPushButton(N_("Close"), this);
    btbCancel->setObjectName(QStringLiteral("btbCancel"));
    btbCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    auto *fileRow = new QHBoxLayout;
    fileRow->setSpacing(2);
    fileRow->addWidget(edTextfile, 1);
    fileRow->addWidget(btTextFile);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btbConvert);
    buttons->addWidget(btbCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(fileRow);
    layout->addSpacing(ScaleByDpi(4, this));
    layout->addWidget(rgCodePages);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btTextFile, &QToolButton::clicked, this, &TTxtConvertDialog::btTextFileClick);
    connect(btbConvert, &QPushButton::clicked, this, &TTxtConvertDialog::btbConvertClick);
    connect(btbCancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(ScaleByDpi(DesignClientWidth, this), ScaleByDpi(DesignClientHeight, this));
}

void TTxtConvertDialog::LoadControls(const QString &ARootPath, int ACodePage)
{
    FRootPath = ARootPath;
    edTextfile->clear();
    const int index = CodePageIndex(ACodePage);
    CodePageButtons->button(index >= 0 ? index : 0)->setChecked(true);
}

void TTxtConvertDialog::Execute(const QString &ARootPath, int ACodePage)
{
    LoadControls(ARootPath, ACodePage);
    PlaceFormAt(this, CenterPos, false);
    edTextfile->setFocus();
    exec();
}

int TTxtConvertDialog::TargetCodePage() const
{
    const int index = CodePageButtons->checkedId();
    return CodePageTable[size_t(index >= 0 ? index : 0)].CodePageNr;
}

void TTxtConvertDialog::btTextFileClick()
{
    TFileOpenRequest request;
    request.Title = _("Select text file to be converted");
    request.DefaultExt = QStringLiteral("txt");
    request.Filters = {TFileTypeFilter{_("All"), QStringLiteral("*.*")}};
    request.StartDir = LastFile.isEmpty() ? FRootPath : QFileInfo(LastFile).absolutePath();
    const QStringList files = OpenFiles(this, request);
    if (!files.isEmpty())
        edTextfile->setText(files.first());
}

void TTxtConvertDialog::btbConvertClick()
{
    const QString source = edTextfile->text();
    if (source.trimmed().isEmpty()) {
        ErrorDialogAt(BelowControl(edTextfile), _("Please choose the text file to convert."));
        return;
    }
    if (!QFileInfo(source).isFile()) {
        ErrorDialogAt(BelowControl(edTextfile), SafeFormat(_("File not found: %s"), source));
        return;
    }
    LastFile = source;
    const int codePage = TargetCodePage();
    TFileSaveRequest request;
    request.Title = _("Save converted text as");
    request.StartDir = QFileInfo(source).absolutePath();
    request.FileName = ConvertedFileName(source, codePage);
    request.DefaultExt = QStringLiteral("txt");
    request.Filter = AllFilesFilter();
    const QString target = ChooseTargetFile(request);
    if (target.isEmpty())
        return;
    const TConversionReport report = ConvertTextFile(source, target, codePage);
    QString message =
        SafeFormat(_("Written: %s\r\nLines: %d, code page %d."), target, report.Lines, codePage);
    if (report.NoFit > 0)
        message += QStringLiteral("\r\n") +
                   SafeFormat(_("Characters without an equivalent in this code page, written as "
                                "\"?\": %d"),
                              report.NoFit);
    InfoDialogAt(BelowControl(btbConvert), message);
}

QString TTxtConvertDialog::ChooseTargetFile(const TFileSaveRequest &request)
{
    return SaveFileAs(this, request);
}
