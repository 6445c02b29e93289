// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "HelpText.h"

namespace quorin::cli {

const char *const UsageText = R"(usage: quorin-cli survey [--subdirs] [--hidden] DIR
       quorin-cli run --source DIR --type TYPE [--dest DIR] [--copy | --move]
                      [--subdirs] [--continuous] [--hidden] [--new-ext EXT]
                      [--add TEXT] [--prefix | --suffix | --drop-old-name] [--style 001|001_|1|1_]
                      [--replace FIND --with TEXT | --delete-text TEXT
                       | --insert TEXT [--at-end] | --delete-count N [--at-end]]
                      [--yes] [--dry-run [-z]]
       quorin-cli restore [--yes] LOG
       quorin-cli help [COMMAND] | --help | --version
)";

namespace {

const char *const Overview = R"(
Renames, copies or moves every file of one type in a folder, and writes the
whole plan to a rename log before it touches a file, so that any run can be
undone. Standard output carries only results (the log's path, the survey, the
plan of a dry run); messages, summaries and errors go to standard error.

  --version          print the version
)";

const char *const SurveyHelp = R"(
quorin-cli survey [--subdirs] [--hidden] DIR
  Prints the number of files and file types in DIR, then each type, one a
  line, on standard output. DIR becomes the remembered folder.

  --subdirs          count every sub-folder too, at every level
  --hidden           count hidden files and folders (names starting with ".")
)";

const char *const RunHelp = R"(
quorin-cli run --source DIR --type TYPE [options]
  Gives every file of the type in DIR a new name built from a text and a
  number, or changed by one advanced edit. The plan goes to the log
  DEST/Restore/Restore<TYPE>.log first; its path is printed on standard
  output. A file whose new name is taken keeps its name (exit status 1).

  --source DIR       the folder whose files are renamed
  --type TYPE        the file type, the name's end after the dot, in any case: jpg
  --dest DIR         where the log goes, and the files with --copy or --move;
                     the source folder when not given
  --copy             copy each file into --dest under its new name; the
                     original keeps its name
  --move             move each file into --dest under its new name
  --subdirs          rename in every sub-folder too, at every level, each file
                     in its own folder (not with --copy or --move)
  --hidden           include hidden files and folders (names starting with ".")

 New names from a text and a number:
  --add TEXT         the text each new name starts with, or ends with
  --prefix           the text and number before the old name: trip001IMG_2041.JPG
  --suffix           the text and number after the old name: IMG_2041trip001.JPG
  --drop-old-name    the text and number alone: trip001.JPG; without --subdirs
                     and with the source folder as --dest, asks first whether
                     to go on
  --style STYLE      how the numbers are written, one of:
                       001    three digits at least   trip001IMG_2041.JPG
                       001_   the same and "_"        trip001_IMG_2041.JPG
                       1      as few digits as needed trip1IMG_2041.JPG
                       1_     the same and "_"        trip1_IMG_2041.JPG
  --continuous       with --subdirs, number on from folder to folder instead
                     of starting again at 1 in each

 Or one advanced edit of the old name (its part before the type's dot); a
 file the edit does not fit keeps its name:
  --replace FIND --with TEXT
                     replace the first FIND with TEXT
  --delete-text TEXT
                     delete the first TEXT
  --insert TEXT      put TEXT at the front of the name
  --delete-count N   delete N characters (one or two digits) from the front
  --at-end           with --insert or --delete-count: at the end of the name,
                     before the type's dot, instead of the front

 Either way:
  --new-ext EXT      give the new names the type EXT (at most 3 characters)
  --yes              answer yes to the question --drop-old-name asks
  --dry-run          change nothing and write no log: print the plan, one line
                     per file, the old path, a tab, the new path (a tab, line
                     feed or backslash in a path written \t, \n, \\), then
                     on standard error how many files would be renamed, passed
                     over because the new name is taken (by a file, or by an
                     earlier rename of the plan), and left alone; asks nothing
  -z                 with --dry-run: each path ends in a NUL, written as it is
)";

const char *const RestoreHelp = R"(
quorin-cli restore [--yes] LOG
  Asks whether to go on, then gives every file of a run's log its old name
  back, the last record first, and removes the log once every file is back;
  files the run copied or passed over are left as they are. The states file
  beside the log (.Restore<TYPE>.log.state) says what the run did to each
  file; a log without one, such as a log written by an earlier version, is
  trusted as before: every file is renamed back unless its old name is taken.
  Ctrl+C stops after the file in hand and keeps the log: running the same
  restore again finishes it.

  --yes              answer yes to the question
)";

const char *const Closing = R"(
  -h, --help         print the help; after a command, that command's alone

Questions: on a terminal a question is asked with [y/N]; only y or yes answers
yes, and Enter, Ctrl+C and the end of input answer no. When standard input is
not a terminal nothing is asked: without --yes the answer is no.

Exit status:
  0  every file handled (a dry run: the plan printed)
  1  done, but some files kept their names or were not restored
  2  usage error, or a folder or log that does not exist
  3  refused by a check, a question answered no, a refused log, a log that
     could not be created, or a log another run or restore is using
  4  stopped by Ctrl+C: a run is rolled back; a restore is partly done and its
     log kept
  5  an unexpected failure

Examples:
  quorin-cli run --source ~/Photos --type jpg --add trip --prefix --style 001_ --dry-run
  quorin-cli run --source ~/Photos --type jpg --add trip --prefix --style 001_
  quorin-cli restore --yes ~/Photos/Restore/RestoreJPG.log
)";

} // namespace

QByteArray helpText(Command topic)
{
    switch (topic) {
    case Command::Survey: return QByteArray(SurveyHelp).mid(1) + Closing;
    case Command::Run: return QByteArray(RunHelp).mid(1) + Closing;
    case Command::Restore: return QByteArray(RestoreHelp).mid(1) + Closing;
    case Command::Help:
    case Command::Version: break;
    }
    return QByteArray(UsageText) + Overview + SurveyHelp + RunHelp + RestoreHelp + Closing;
}

} // namespace quorin::cli
