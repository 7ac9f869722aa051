#pragma once

#include <QString>

class QObject;
class QWidget;

// Translation of windows built in code. A window sets its design texts in
// English (marked N_ or ND_) and calls TranslateComponent once, right after
// building itself. The walk covers the window and everything it owns, except
// other windows (dialogs parented to it translate themselves; its menus and
// dock widgets belong to it): window titles, widget texts, tool tips, status
// tips, "What's this" texts, accessible names, placeholder texts, spin box
// prefixes and suffixes, group box and menu titles, tab and tool box texts,
// combo box and list widget items, tree and table header labels, actions.
// The design texts are remembered; RetranslateComponent translates them
// again into the current language.
//
// User data is never touched: line edit contents are excluded by default,
// and a widget or action marked with MarkUserData (the dynamic property
// "ravelinUserData") keeps its texts and items as they are. A text that the
// window itself changed after translation is the window's own text and is
// left alone by retranslation, as are list items the window added later.

// domain: "dialogs" for the shared dialogs and viewers; empty for the
// program's own windows (the component domains, i.e. "default").
void TranslateComponent(QWidget *window, const QString &domain = QString());
// Throws ERavelinError for a window that was never translated.
void RetranslateComponent(QWidget *window);
bool IsTranslated(const QWidget *window);

// Marks an object whose texts are user data (a combo box of categories, a
// list of files, ...): window translation skips its texts and items.
void MarkUserData(QObject *object, bool userData = true);

// Retranslates every translated window of the application; a window that
// fails is skipped.
void RetranslateAllWindows();

// Start-up wiring for the window layer: ChangeLanguage retranslates every
// window, and catalogue problems are shown in a message box.
void InstallWindowTranslation();
