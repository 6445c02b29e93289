// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace quorin::test {

// Every file under a folder (its "Restore" log folders left out) by relative
// path, with a hash of its content.
QMap<QString, QByteArray> snapshot(const QString &root);

} // namespace quorin::test
