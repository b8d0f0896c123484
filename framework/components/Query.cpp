#include "components/Query.h"
#include "core/ClassRegistry.h"

#include "core/StringList.h"

FW_PUBLISH(TQuery) {
    p.Property("RequestLive", &TQuery::RequestLive, &TQuery::SetRequestLive).Default(false);
    p.Property("SQL", &TQuery::SQL, &TQuery::SetSQL);
    p.Property("UniDirectional", &TQuery::UniDirectional, &TQuery::SetUniDirectional).Default(false);
}
FW_STREAMABLE(TQuery);

TQuery::TQuery(TComponent* owner) : TDBDataSet(owner), FSQL(std::make_unique<TStringList>()) {
    SetReadOnly(true);
    FSQL->SetOnChange([this](TStringList&) {
        if (!ComponentState().Contains(csLoading)) Close();
    });
}

TQuery::~TQuery() {
    FSQL->SetOnChange(nullptr);
}

TStrings* TQuery::SQL() const {
    return FSQL.get();
}

void TQuery::SetSQL(TStrings* sql) {
    if (sql)
        FSQL->Assign(*sql);
    else
        FSQL->Clear();
}

void TQuery::SetRequestLive(bool value) {
    FRequestLive = value;
    SetReadOnly(!value);
}

void TQuery::CheckCanOpen() {
    bool empty = true;
    for (int i = 0; i < FSQL->Count() && empty; ++i)
        empty = FSQL->Strings(i).find_first_not_of(" \t\r\n") == std::string::npos;
    if (empty) throw EDatabaseError("No SQL statement available");
}
