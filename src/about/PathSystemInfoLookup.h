#pragma once

#include "about/KeyValueLookup.h"

#include <QStringList>

// Where the system-information program is: the first program of a short fixed list that is
// found among the executable files of the search folders. It answers the one value
// `programValue` of the key `programKey`, a string holding the program's full path.
class PathSystemInfoLookup : public KeyValueLookup
{
public:
    static constexpr const char* programKey = "SystemInformation";
    static constexpr const char* programValue = "Program";

    // The programs looked for, in this order.
    static QStringList programNames();

    // No search folders means the folders of PATH.
    explicit PathSystemInfoLookup(QStringList searchFolders = {});

    std::optional<StoredValue> value(const QString& keyName, const QString& valueName) const override;

private:
    QStringList m_searchFolders;
};
