#pragma once

#include <QList>
#include <QUrl>

// Hands a file or an address to the desktop, which opens it with the program
// registered for its type (a PDF reader, the web browser, ...). Returns at
// once; false when the desktop knows no way to open it.
bool ShellOpen(const QUrl &url);
// A local file, by its path.
bool ShellOpenFile(const QString &fileName);
// Whether the desktop has a program for the type of file ("text/html"); a
// recorder answers with its Result.
bool ShellCanOpen(const QString &mimeType);

// Test seam: while a recorder exists, ShellOpen starts nothing; it records
// the address and answers with Result. Recorders nest; the newest answers.
class TShellOpenRecorder
{
public:
    explicit TShellOpenRecorder(bool result = true);
    ~TShellOpenRecorder();
    TShellOpenRecorder(const TShellOpenRecorder &) = delete;
    TShellOpenRecorder &operator=(const TShellOpenRecorder &) = delete;

    QList<QUrl> Opened;
    bool Result;

    static TShellOpenRecorder *current();

private:
    TShellOpenRecorder *m_previous;
};
