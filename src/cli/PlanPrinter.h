// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "CliHost.h"

#include "run/PreviewRun.h"

namespace quorin::cli {

// A path as one field of a line: tab, line feed and backslash are written
// "\t", "\n" and "\\", so that any path fits between the tab and the line end.
QByteArray escapedPath(const QString &path);

// Prints each planned rename of a preview on standard output: the old path, a
// tab, the new path and a line feed; or, NUL-separated, each path as it is
// followed by a NUL. A file with no new name is not printed.
class PlanPrinter final : public PreviewSink {
public:
    PlanPrinter(CliHost &host, bool nulSeparated) : host_(host), nulSeparated_(nulSeparated) {}
    FileError take(const PreviewRow &rename) override;

private:
    CliHost &host_;
    const bool nulSeparated_;
};

} // namespace quorin::cli
