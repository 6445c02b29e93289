// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace quorin::test;

// `cmake --install` of this build into a fresh prefix, as a packager runs it,
// comes first. Each installed file then passes its checker, which says nothing
// when all is well (the metadata validator says more); the program starts from
// the prefix and keeps running with its window; bash completes commands, then
// each command's options, with the installed completion alone.
TEST(InstalledPrefix, installedFilesPassTheirCheckers_programKeepsRunning_andBashCompletesWithThem)
{
    const TempFolder prefix;
    prefix.write("complete", "source /usr/share/bash-completion/bash_completion\n"
                             "source \"$(dirname \"$0\")/share/bash-completion/completions/quorin-cli\"\n"
                             "COMP_LINE=quorin-cli\\ $1; COMP_POINT=${#COMP_LINE}; read -ra COMP_WORDS <<< $COMP_LINE\n"
                             "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quorin_cli; echo -n \"${COMPREPLY[*]}\"\n");
    // A command, and what it says when it must say something exactly.
    for (const auto &[command, expected] : QList<std::pair<const char *, const char *>>{
             {"'" QUORIN_CMAKE "' --install '" QUORIN_BUILD_DIR "' --prefix '%1' 2>&1", nullptr},
             {"desktop-file-validate %1share/applications/com.example.quorin.desktop 2>&1", ""},
             {"appstreamcli validate --no-net %1share/metainfo/com.example.quorin.metainfo.xml 2>&1", nullptr},
             {"cd %1share/man/man1 && MANWIDTH=80 man --warnings -l quorin-cli.1 quorin.1 2>&1 >/dev/null", ""},
             // The build copies help.htm beside quorin; the installed program finds it in ../share/quorin.
             {"cmp %1bin/../share/quorin/help.htm \"$(dirname '" QUORIN_PATH "')\"/help.htm 2>&1", ""},
             {"test -e %1share/icons/hicolor/scalable/apps/quorin.svg -a -x %1bin/quorin-cli", ""},
             // A missing plugin or library ends the program while its window is built, before the timeout does.
             {"QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=%1 XDG_CONFIG_HOME=%1 timeout 2 %1bin/quorin 2>&1; "
              "test $? = 124", nullptr},
             // Bash completes what follows "quorin-cli ".
             {"bash %1complete r", "run restore"}, {"bash %1complete 'run --sty'", "--style"},
             {"bash %1complete 'run --style 00'", "001 001_"}, {"bash %1complete 'restore --'", "--yes --help"},
             {"bash %1complete 'help su'", "survey"}}) {
        SCOPED_TRACE(command);
        int status = -1;
        const QByteArray said = shell(QString::fromUtf8(command).replace(QStringLiteral("%1"), prefix.path()), &status);
        EXPECT_EQ(status, 0) << said.constData();
        EXPECT_TRUE(!expected || said == QByteArray(expected)) << "it says: " << said.constData();
    }
}
