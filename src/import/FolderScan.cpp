#include "import/FolderScan.h"

#include "emulator/DosBoxInterface.h"
#include "import/ImportRules.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

enum class TFileKind
{
    None,
    Program,
    Image,
    Icon,
    Config,
    Document
};

QString LowerExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.mid(dot + 1).toLower() : QString();
}

TFileKind KindOf(const QString &name)
{
    const QString ext = LowerExtension(name);
    if (ext == u"exe" || ext == u"com" || ext == u"bat")
        return TFileKind::Program;
    if (ext == u"iso" || ext == u"cue")
        return TFileKind::Image;
    if (ext == u"ico")
        return TFileKind::Icon;
    if (ext == u"conf")
        return name.compare(DosBox::LaunchConfigName, Qt::CaseInsensitive) == 0 ? TFileKind::None
                                                                                : TFileKind::Config;
    return ManualRank(name) > 0 ? TFileKind::Document : TFileKind::None;
}

bool IsReadableDir(const QFileInfo &info)
{
    return info.isReadable() && info.isExecutable();
}

class TScanner
{
public:
    explicit TScanner(TScanResult &result) : m_result(result) {}

    // The candidates among paths, each once.
    QStringList Candidates(const QStringList &paths);
    void Scan(const QString &folder);

private:
    bool Visit(const QString &canonical)
    {
        if (m_visited.contains(canonical))
            return false;
        m_visited.insert(canonical);
        return true;
    }
    bool HoldsApplication(const QString &folder) const;

    TScanResult &m_result;
    QSet<QString> m_visited;
    QSet<QString> m_candidates;
    QSet<QString> m_confFiles;
};

bool TScanner::HoldsApplication(const QString &folder) const
{
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const TFileKind kind = KindOf(it.nextFileInfo().fileName());
        if (kind == TFileKind::Program || kind == TFileKind::Config)
            return true;
    }
    return false;
}

QStringList TScanner::Candidates(const QStringList &paths)
{
    QStringList result;
    const auto add = [&](const QString &path) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty() && !m_candidates.contains(canonical)) {
            m_candidates.insert(canonical);
            result.append(path);
        }
    };
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isFile() && LowerExtension(info.fileName()) == u"conf") {
            const QString canonical = info.canonicalFilePath();
            if (!m_confFiles.contains(canonical)) {
                m_confFiles.insert(canonical);
                result.append(info.absoluteFilePath());
            }
            continue;
        }
        if (!info.isDir() || !IsReadableDir(info)) {
            ++m_result.Unreadable;
            continue;
        }
        const QString folder = info.absoluteFilePath();
        if (HoldsApplication(folder)) {
            add(folder);
            continue;
        }
        QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList subFolders;
        while (it.hasNext())
            subFolders.append(it.next());
        std::sort(subFolders.begin(), subFolders.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        for (const QString &sub : subFolders) {
            if (IsReadableDir(QFileInfo(sub)))
                add(sub);
            else
                ++m_result.Unreadable;
        }
    }
    return result;
}

void TScanner::Scan(const QString &path)
{
    const QFileInfo pathInfo(path);
    if (pathInfo.isFile()) {
        TScannedFolder conf;
        conf.Folder = pathInfo.absolutePath();
        conf.Configs.append(pathInfo.fileName());
        conf.ConfGiven = true;
        m_result.Folders.push_back(conf);
        return;
    }
    TScannedFolder found;
    found.Folder = path;
    struct TDir
    {
        QString Path;
        QString Relative; // "" or "SUB/"
        QString Canonical;
        int Depth;
    };
    std::vector<TDir> stack{{path, QString(), pathInfo.canonicalFilePath(), 0}};
    if (!Visit(stack.back().Canonical))
        return;
    int entries = 0;
    while (!stack.empty() && entries < MaxScanEntries) {
        const TDir dir = stack.back();
        stack.pop_back();
        QDirIterator it(dir.Path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        while (it.hasNext() && ++entries < MaxScanEntries) {
            const QFileInfo info = it.nextFileInfo();
            const QString name = info.fileName();
            const QString relative = dir.Relative + name;
            if (info.isDir()) {
                if (dir.Depth + 1 > MaxScanDepth || info.isHidden())
                    continue;
                if (!IsReadableDir(info)) {
                    ++m_result.Unreadable;
                    continue;
                }
                const QString canonical =
                    info.isSymLink() ? info.canonicalFilePath() : dir.Canonical + u'/' + name;
                if (!canonical.isEmpty() && Visit(canonical))
                    stack.push_back({info.filePath(), relative + u'/', canonical, dir.Depth + 1});
                continue;
            }
            switch (KindOf(name)) {
            case TFileKind::Program:
                found.Programs.append(relative);
                break;
            case TFileKind::Image:
                found.CdImages.append(relative);
                break;
            case TFileKind::Icon:
                found.Icons.append(relative);
                break;
            case TFileKind::Config:
                if (dir.Depth <= 1)
                    found.Configs.append(relative);
                break;
            case TFileKind::Document:
                found.Documents.append(relative);
                break;
            case TFileKind::None:
                break;
            }
        }
    }
    if (found.Programs.isEmpty() && found.Configs.isEmpty())
        return;
    const auto byName = [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    };
    for (QStringList *list :
         {&found.Programs, &found.CdImages, &found.Documents, &found.Icons, &found.Configs})
        std::sort(list->begin(), list->end(), byName);
    m_result.Folders.push_back(std::move(found));
}

} // namespace

TScanResult ScanFolders(const QStringList &paths, const TScanProgress &progress)
{
    TScanResult result;
    TScanner scanner(result);
    const QStringList candidates = scanner.Candidates(paths);
    const int total = int(candidates.size());
    for (int i = 0; i < total; ++i) {
        scanner.Scan(candidates.at(i));
        if (progress && !progress(i + 1, total)) {
            result.Cancelled = true;
            break;
        }
    }
    return result;
}
