#include "about/GetKeyValue.h"

#include "about/KeyValueLookup.h"

namespace {
constexpr qsizetype bufferSize = 1024;

// "&h" and each byte's code in hexadecimal, from the last byte to the first.
QString numberText(const QByteArray& bytes)
{
    QString text = QStringLiteral("&h");
    for (auto byte = bytes.crbegin(); byte != bytes.crend(); ++byte)
        text += QString::number(static_cast<uchar>(*byte), 16).toUpper();
    return text;
}
} // namespace

std::optional<QString> GetKeyValue(const KeyValueLookup& lookup, const QString& keyName,
                                   const QString& subKeyRef)
{
    const std::optional<KeyValueLookup::StoredValue> stored = lookup.value(keyName, subKeyRef);
    if (!stored || stored->bytes.size() > bufferSize)
        return std::nullopt;
    QByteArray kept = stored->bytes;
    if (kept.endsWith('\0'))
        kept.chop(1);
    switch (stored->type) {
    case KeyValueLookup::ValueType::String:
        return QString::fromUtf8(kept);
    case KeyValueLookup::ValueType::Number32:
        return numberText(kept);
    default:
        return QString();
    }
}
