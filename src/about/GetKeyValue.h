#pragma once

#include <QString>

#include <optional>

class KeyValueLookup;

// The value `subKeyRef` of the key `keyName` as text, or nothing when it cannot be read. A string
// loses one final zero character; a 32-bit number becomes "&h" and the codes of its bytes in
// hexadecimal, last byte first, each without leading zeros; a value of any other type reads as an
// empty text. A value too long for a buffer of 1024 characters is not read.
std::optional<QString> GetKeyValue(const KeyValueLookup& lookup, const QString& keyName,
                                   const QString& subKeyRef);
