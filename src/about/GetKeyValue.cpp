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

bool GetKeyValue(const KeyValueLookup& lookup, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal)
{
    const std::optional<KeyValueLookup::StoredValue> stored = lookup.value(keyName, subKeyRef);
    if (!stored || stored->bytes.size() > bufferSize) {
        keyVal.clear();
        return false;
    }
    QByteArray kept = stored->bytes;
    if (kept.endsWith('\0'))
        kept.chop(1);
    switch (stored->type) {
    case KeyValueLookup::ValueType::String:
        keyVal = QString::fromUtf8(kept);
        break;
    case KeyValueLookup::ValueType::Number32:
        keyVal = numberText(kept);
        break;
    default:
        break;
    }
    return true;
}
