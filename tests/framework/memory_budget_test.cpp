// The memory budget of one load or paste: scopes that join the open one, charges that add up within it,
// and a fresh budget for the next load.
#include "core/Exceptions.h"
#include "core/MemoryBudget.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t MiB = int64_t(1) << 20;
const char* const TooLarge = "Pictures too large: together they need more than 512 MB of memory";

std::string MessageOfCharge(int64_t bytes) {
    try {
        ChargeMemory(bytes);
    } catch (const EOutOfResources& e) {
        return e.Message();
    }
    return "(charged)";
}

TEST(MemoryBudget, ChargesOfOneLoadAddUpAndTheNextLoadStartsAfresh) {
    EXPECT_EQ(LoadMemoryBudget, 512 * MiB);
    {
        const TMemoryBudgetScope load;
        EXPECT_EQ(MessageOfCharge(300 * MiB), "(charged)");
        {
            const TMemoryBudgetScope block; // a paste's block joins the paste's budget
            EXPECT_EQ(MemoryBudgetLeft(), 212 * MiB);
            EXPECT_EQ(MessageOfCharge(200 * MiB), "(charged)");
        }
        EXPECT_EQ(MemoryBudgetLeft(), 12 * MiB);
        EXPECT_EQ(MessageOfCharge(13 * MiB), TooLarge);
        EXPECT_EQ(MemoryBudgetLeft(), 12 * MiB) << "a refused charge takes nothing";
        EXPECT_EQ(MessageOfCharge(12 * MiB), "(charged)");
    }
    const TMemoryBudgetScope next;
    EXPECT_EQ(MemoryBudgetLeft(), LoadMemoryBudget);
}

TEST(MemoryBudget, WithoutAnOpenBudgetEachChargeIsWeighedAlone) {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(MessageOfCharge(500 * MiB), "(charged)");
    EXPECT_EQ(MessageOfCharge(513 * MiB), TooLarge);
    EXPECT_EQ(MessageOfCharge(-1), TooLarge);
    EXPECT_EQ(MemoryBudgetLeft(), LoadMemoryBudget);
}

} // namespace
