#pragma once

#include <QDir>
#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private folder for one end-to-end test: a catalogue file, application
// folders and files in it, and the program under test run on it. Emulator
// processes still running in the folder when the test ends are killed.
class TE2eFolder
{
public:
    // With blankInName the folder's own name holds a blank.
    explicit TE2eFolder(bool blankInName = false);
    ~TE2eFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &name = {}) const;
    QString makeDir(const QString &name) const;
    // Writes data (text: as given, no conversion) to name below the folder.
    QString writeFile(const QString &name, const QByteArray &data) const;
    // A small primary emulator configuration without sound.
    QString writePrimaryConfig() const;

    // Writes the catalogue "ravelin.ini": [Config] and one section per entry,
    // key by key, UTF-16 LE with byte-order mark like the program writes it.
    using Keys = QList<QPair<QString, QString>>;
    QString writeCatalogue(const Keys &config, const QList<Keys> &entries) const;

    struct Result
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Runs the program with "/ini:<catalogue>" and args; at most 30 s.
    Result
    runRavelin(const QStringList &args,
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) const;

    // True once no process works in the folder any more (the emulator ended
    // by itself); false after timeoutMs.
    bool waitForEmulatorsToEnd(int timeoutMs = 20000) const;
    // Ids of processes whose working directory lies in the folder.
    QList<qint64> processesInFolder() const;

private:
    QTemporaryDir m_dir;
};

// Double quotes around a path with a blank, as the catalogue stores CD images.
QString Quoted(const QString &path);
