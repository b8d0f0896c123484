// TTable: a sample data set over one table of a database.
#pragma once

#include "components/DataSet.h"

#pragma GCC visibility push(default)

FW_ENUM(TTableType, ttDefault, ttParadox, ttDBase, ttASCII);

class TTable : public TDBDataSet {
    FW_CLASS(TTable, TDBDataSet)
public:
    explicit TTable(TComponent* owner);

    // Changing these while the table is open fails with EDatabaseError "Cannot perform this operation on
    // an open dataset". Opening without a table name fails with "Missing TableName property".
    const std::string& TableName() const { return FTableName; }
    void SetTableName(const std::string& name);
    TTableType TableType() const { return FTableType; }
    void SetTableType(TTableType type);
    const std::string& IndexName() const { return FIndexName; }
    void SetIndexName(const std::string& name) { FIndexName = name; }
    bool Exclusive() const { return FExclusive; }
    void SetExclusive(bool value);

protected:
    void CheckCanOpen() override;

private:
    void CheckInactive() const;
    std::string FTableName;
    TTableType FTableType = ttDefault;
    std::string FIndexName;
    bool FExclusive = false;
};

#pragma GCC visibility pop
