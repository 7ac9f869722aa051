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
