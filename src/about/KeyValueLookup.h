#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A store of named values grouped under keys, read the way a system settings store hands them
// out: the value's type and its bytes up to the size the store reports as used.
class KeyValueLookup
{
public:
    enum class ValueType : quint32
    {
        String = 1,
        Binary = 3,
        Number32 = 4
    };

    struct StoredValue
    {
        ValueType type;
        QByteArray bytes;
    };

    virtual ~KeyValueLookup() = default;

    // The value, or nothing when the key or the value cannot be read.
    virtual std::optional<StoredValue> value(const QString& keyName, const QString& valueName) const = 0;
};
