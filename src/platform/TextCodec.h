// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quorin {

// Text files are GB18030: byte for byte the same as GBK for every GBK
// character, and still able to hold any other character a file name may have.
class TextCodec final {
public:
    TextCodec();
    QByteArray encode(const QString &text);
    QString decode(QByteArrayView bytes);

private:
    QStringEncoder encoder_;
    QStringDecoder decoder_;
};

} // namespace quorin
