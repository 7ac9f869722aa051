#pragma once

#include <QString>
#include <QStringList>

// The lines of the launch configuration file "ravelin.conf", built in file
// order in memory and written in one go by Save. Values are written as given:
// the emulator knows no quoting or escaping in its configuration files.
class TConfigList
{
public:
    explicit TConfigList(const QString &AFilename);

    void AddSection(const QString &ASection);
    void AddValue(const QString &AKey, const QString &AValue);
    void AddValue(const QString &AKey, int AValue);
    // A raw line, such as an [autoexec] command.
    void append(const QString &line) { FLines.append(line); }

    // Writes every line with CR LF in the system code page, replacing the
    // file. Raises EFCreateError when the file cannot be created and
    // EWriteError when it cannot be written completely; a failed save leaves
    // an earlier file as it was.
    void Save() const;

    const QStringList &lines() const { return FLines; }
    const QString &fileName() const { return FFilename; }

private:
    QString FFilename;
    QStringList FLines;
};
