#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The languages the program offers: entry 0 is "&System default" (identifier
// 0), the others follow sorted by their English names, each shown under its
// name in the current language. The list comes from the built-in resource
// IDR_LANGUAGES, or from the file path + fileName when a file name is given.
// The menu binding is TLanguageMenu (localisation/ui/LanguageMenu.h).
class TLanguageList
{
public:
    TLanguageList(const QString &path, const QString &fileName);
    virtual ~TLanguageList();

    // Rereads the list (a missing source leaves it unchanged).
    void ReadLanguageList();
    // Rereads the list with names in the current language and selects
    // langCode; an empty code changes nothing.
    void LoadLanguageNames(const QString &langCode);

    // The code for the entry (empty for "&System default").
    QString GetLangCode(int index) const;
    // The first entry with the identifier of the code, -1 for none.
    int IndexOfLanguage(const QString &code) const;

    // Selects the entry of the code; a code without an entry changes nothing.
    void SetSelectedLanguageCode(const QString &code);
    // The code last selected and the name of its entry.
    QString LanguageCode() const { return FLangCode; }
    QString CurrentLanguage() const { return FCurrentLanguage; }
    // The entry whose item carries the check mark, -1 for none.
    int SelectedIndex() const { return FSelected; }

    int Count() const { return int(FEntries.size()); }
    QString Name(int index) const { return FEntries.at(index).name; }
    int LanguageId(int index) const { return FEntries.at(index).id; }

    // One line of a language list: code "=" name, optionally followed by "#"
    // and a comment. False for empty and comment lines and for lines that
    // lack the code or the name.
    static bool ParseLanguageLine(const QString &line, QString &code, QString &name);

protected:
    // Called whenever the entries were rebuilt or the selection changed.
    virtual void RebuildMenuItems() {}
    virtual void CheckMenuItem(int index) { Q_UNUSED(index); }

private:
    struct Entry
    {
        QString name;
        int id = 0;
    };
    bool ReadSource(QStringList &lines) const;
    void ApplyNameFile(const QString &langCode);

    QList<Entry> FEntries;
    int FSelected = -1;
    QString FPath;
    QString FLangName;
    QString FLangCode;
    QString FCurrentLanguage;
};
