#include "components/Table.h"
#include "core/ClassRegistry.h"

FW_PUBLISH(TTable) {
    p.Property("Exclusive", &TTable::Exclusive, &TTable::SetExclusive).Default(false);
    p.Property("IndexName", &TTable::IndexName, &TTable::SetIndexName);
    p.Property("ReadOnly", &TTable::ReadOnly, &TTable::SetReadOnly).Default(false);
    p.Property("TableName", &TTable::TableName, &TTable::SetTableName);
    p.Property("TableType", &TTable::TableType, &TTable::SetTableType).Default(ttDefault);
}
FW_STREAMABLE(TTable);

TTable::TTable(TComponent* owner) : TDBDataSet(owner) {
}

void TTable::CheckInactive() const {
    if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
}

void TTable::SetTableName(const std::string& name) {
    CheckInactive();
    FTableName = name;
}

void TTable::SetTableType(TTableType type) {
    CheckInactive();
    FTableType = type;
}

void TTable::SetExclusive(bool value) {
    CheckInactive();
    FExclusive = value;
}

void TTable::CheckCanOpen() {
    if (FTableName.empty()) throw EDatabaseError("Missing TableName property");
}
