#include "dialogs/FileOpenDialog.h"

#include <QFileDialog>

namespace {

// Qt's form: «Executables (*.exe *.com)».
QString QtFilter(const TFileTypeFilter &filter)
{
    QString patterns = filter.Patterns;
    patterns.replace(u';', u' ');
    // "All" must show names without an extension too.
    if (patterns == QStringLiteral("*.*"))
        patterns = QStringLiteral("*");
    return filter.Description + QStringLiteral(" (") + patterns + u')';
}

// «All|*.*» as Qt's chooser shows it: «All (*)», so that names without an
// extension are offered too.
QString QtFilter(const QString &filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    return QtFilter(TFileTypeFilter{filter.left(bar), filter.mid(bar + 1)});
}

} // namespace

QStringList OpenFiles(QWidget *parent, const TFileOpenRequest &request)
{
    if (auto *script = TFileOpenScript::current())
        return script->take(request);

    QFileDialog dialog(parent, request.Title, request.StartDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    // Qt's own dialog matches the patterns without regard to case, as DOS
    // names («START.EXE») need, and follows the program's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(request.DefaultExt);
    QStringList filters;
    for (const TFileTypeFilter &filter : request.Filters)
        filters.append(QtFilter(filter));
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString SaveFileAs(QWidget *parent, const TFileSaveRequest &request)
{
    if (auto *script = TFileSaveScript::current())
        return script->take(request);
    QFileDialog dialog(parent, request.Title, request.StartDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own chooser follows the program's language; it asks before
    // replacing a file.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(request.DefaultExt);
    dialog.setNameFilter(QtFilter(request.Filter));
    dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
