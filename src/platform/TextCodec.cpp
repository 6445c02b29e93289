// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TextCodec.h"

namespace quorin {

TextCodec::TextCodec()
    : encoder_("GB18030", QStringConverter::Flag::Stateless)
    , decoder_("GB18030", QStringConverter::Flag::Stateless)
{
    Q_ASSERT(encoder_.isValid() && decoder_.isValid());
}

QByteArray TextCodec::encode(const QString &text)
{
    return encoder_.encode(text);
}

QString TextCodec::decode(QByteArrayView bytes)
{
    return decoder_.decode(bytes);
}

} // namespace quorin
