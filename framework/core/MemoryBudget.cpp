#include "core/MemoryBudget.h"

#include "core/Exceptions.h"
#include "core/SysUtils.h"

namespace {

struct TOpenBudget {
    int Scopes = 0;
    int64_t Used = 0;
};

thread_local TOpenBudget openBudget;

} // namespace

TMemoryBudgetScope::TMemoryBudgetScope() {
    if (openBudget.Scopes++ == 0) openBudget.Used = 0;
}

TMemoryBudgetScope::~TMemoryBudgetScope() {
    --openBudget.Scopes;
}

void ChargeMemory(int64_t bytes) {
    if (bytes < 0 || bytes > MemoryBudgetLeft())
        throw EOutOfResources(Format("Pictures too large: together they need more than %d MB of memory",
                                     static_cast<int>(LoadMemoryBudget >> 20)));
    if (openBudget.Scopes > 0) openBudget.Used += bytes;
}

int64_t MemoryBudgetLeft() {
    return openBudget.Scopes > 0 ? LoadMemoryBudget - openBudget.Used : LoadMemoryBudget;
}
