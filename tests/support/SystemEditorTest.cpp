#include "support/SystemEditor.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FindTextEditor, DesktopDefaultForTextFiles)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    root.mkpath(QStringLiteral("bin"));
    root.mkpath(QStringLiteral("share/applications/vendor"));
    auto write = [&](const QString &name, const QByteArray &text, bool exec) {
        if (exec)
            WriteTestProgram(dir.filePath(name), text);
        else
            WriteTestFile(dir.filePath(name), text);
    };
    write(QStringLiteral("bin/xdg-mime"), "#!/bin/sh\necho vendor-myedit.desktop\n", true);
    write(QStringLiteral("bin/myedit"), "#!/bin/sh\n", true);
    write(QStringLiteral("share/applications/vendor/myedit.desktop"),
          "[Desktop Entry]\n# comment\nName=My editor\nExec=myedit %F\n"
          "[Desktop Action new]\nExec=other\n",
          false);
    const QByteArray oldPath = qgetenv("PATH");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("PATH", dir.filePath(QStringLiteral("bin")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("share")).toLocal8Bit());

    QString editor;
    FindTextEditor(editor);
    EXPECT_EQ(editor, dir.filePath(QStringLiteral("bin/myedit")));
    QString kept = dir.filePath(QStringLiteral("bin/xdg-mime"));
    FindTextEditor(kept);
    EXPECT_EQ(kept, dir.filePath(QStringLiteral("bin/xdg-mime")));
    QString missing = QStringLiteral("/no/editor");
    write(QStringLiteral("bin/xdg-mime"), "#!/bin/sh\necho gone.desktop\n", true);
    FindTextEditor(missing);
    EXPECT_EQ(missing, QStringLiteral("/no/editor"));

    qputenv("PATH", oldPath);
    qputenv("XDG_DATA_HOME", oldData);
}
