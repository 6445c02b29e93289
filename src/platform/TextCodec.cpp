// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TextCodec.h"

namespace quorin {

TextCodec::TextCodec()
    : encoder_("GB18030", QStringConverter::Flag::Stateless)
    , decoder_("GB18030", QStringConverter::Flag::Stateless)
{
    Q_ASSERT(encoder_.isValid() && decoder_.isValid());
}

// Plain ASCII is the same in GB18030, and most paths are plain ASCII.
QByteArray TextCodec::encode(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return encoder_.encode(text);
    return text.toLatin1();
}

QString TextCodec::decode(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return decoder_.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace quorin
