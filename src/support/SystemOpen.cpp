#include "support/SystemOpen.h"

#include "support/SystemEditor.h"

#include <QDesktopServices>

namespace {

TShellOpenRecorder *s_recorder = nullptr;

} // namespace

TShellOpenRecorder::TShellOpenRecorder(bool result) : Result(result), m_previous(s_recorder)
{
    s_recorder = this;
}

TShellOpenRecorder::~TShellOpenRecorder()
{
    s_recorder = m_previous;
}

TShellOpenRecorder *TShellOpenRecorder::current()
{
    return s_recorder;
}

bool ShellOpen(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (s_recorder) {
        s_recorder->Opened.append(url);
        return s_recorder->Result;
    }
    // The desktop's opener runs detached from us; the working directory is
    // its own business (the opened program gets the full path).
    return QDesktopServices::openUrl(url);
}

bool ShellOpenFile(const QString &fileName)
{
    return !fileName.isEmpty() && ShellOpen(QUrl::fromLocalFile(fileName));
}

bool ShellCanOpen(const QString &mimeType)
{
    if (s_recorder)
        return s_recorder->Result;
    return HasDefaultProgram(mimeType);
}
