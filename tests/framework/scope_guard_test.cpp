#include "core/ScopeGuard.h"

#include "core/StringList.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(TScopeGuard, RunsOnEveryExitUnlessDismissed) {
    int runs = 0;
    {
        const auto guard = ScopeGuard([&] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
    EXPECT_THROW(
        {
            const auto guard = ScopeGuard([&] { ++runs; });
            throw std::runtime_error("work failed");
        },
        std::runtime_error);
    EXPECT_EQ(runs, 2);
    {
        auto guard = ScopeGuard([&] { ++runs; });
        guard.Dismiss();
    }
    EXPECT_EQ(runs, 2);
}

TEST(TScopeGuard, FirstFailureIsTheOneReported) {
    // The cleanup fails too while the work's exception leaves the scope: the work's failure comes out.
    try {
        const auto guard = ScopeGuard([] { throw std::logic_error("cleanup failed"); });
        throw std::runtime_error("work failed");
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "work failed");
    } catch (...) {
        ADD_FAILURE() << "the cleanup's failure replaced the work's";
    }
    // At a normal end the cleanup's failure is the failure of the scope.
    EXPECT_THROW({ const auto guard = ScopeGuard([] { throw std::logic_error("cleanup failed"); }); },
                 std::logic_error);
}

TEST(TRestore, PutsTheValueBackAlsoOnFailure) {
    std::string value = "before";
    {
        const TRestore<std::string> restore(value, "during");
        EXPECT_EQ(value, "during");
        value = "changed";
    }
    EXPECT_EQ(value, "before");
    EXPECT_THROW(
        {
            const TRestore<std::string> restore(value);
            value = "half done";
            throw std::runtime_error("work failed");
        },
        std::runtime_error);
    EXPECT_EQ(value, "before");
}

TEST(UpdateScope, EndsTheUpdateWhenTheWorkFails) {
    TStringList list;
    int changes = 0;
    list.SetOnChange([&](TStringList&) { ++changes; });
    EXPECT_THROW(
        {
            const auto update = UpdateScope(list);
            list.Add("one");
            list.Add("two");
            throw std::runtime_error("work failed");
        },
        std::runtime_error);
    EXPECT_EQ(changes, 1); // one notice for the whole update, and the list is no longer updating
    list.Add("three");
    EXPECT_EQ(changes, 2);
}

} // namespace
