#pragma once

#include <QString>

class KeyValueLookup;

// Reads the value `subKeyRef` of the key `keyName` into `keyVal` as text. True when it was
// read; false leaves `keyVal` empty. A string loses one final zero character; a 32-bit number
// becomes "&h" and the codes of its bytes in hexadecimal, last byte first, each without leading
// zeros; a value of any other type leaves `keyVal` as it was. A value too long for a buffer of
// 1024 characters is not read.
bool GetKeyValue(const KeyValueLookup& lookup, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal);
