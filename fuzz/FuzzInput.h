// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace quorin::fuzz {

// A folder of this process's own for the files an input is written to.
QString scratchFolder();

// Writes the bytes to a file in the scratch folder and returns its path.
QString writeFile(const QString &name, QByteArrayView bytes);

// The input cut into fields at NUL bytes; missing fields are empty.
QList<QByteArray> fields(const uint8_t *data, size_t size, int count);

// Stops the fuzzer with a message when a property does not hold.
void require(bool holds, const char *what);

} // namespace quorin::fuzz
