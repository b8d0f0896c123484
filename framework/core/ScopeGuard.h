// Cleanup when a scope ends, whether it ends normally or by an exception: the one way this code base undoes
// a half-done change on failure.
//
//     auto restore = ScopeGuard([&] { widget->SetUpdating(false); });
//     ... work that may throw ...
//     restore.Dismiss(); // keep the change
//
// A cleanup that fails while an exception is already leaving the scope is dropped, so the first failure is
// the one reported; a cleanup that fails at a normal end of the scope throws as any statement there would.
#pragma once

#include <exception>
#include <type_traits>
#include <utility>

#pragma GCC visibility push(default)

template <class F> class [[nodiscard]] TScopeGuard {
public:
    explicit TScopeGuard(F&& function) : FFunction(std::move(function)) {}
    TScopeGuard(TScopeGuard&& other) noexcept
        : FFunction(std::move(other.FFunction)), FActive(other.FActive), FUncaught(other.FUncaught) {
        other.FActive = false;
    }
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;
    ~TScopeGuard() noexcept(false) {
        if (!FActive) return;
        if (std::uncaught_exceptions() == FUncaught) {
            FFunction();
            return;
        }
        try {
            FFunction();
        } catch (...) {
            // Already failing: the exception on its way out is the one to report.
        }
    }

    // The function will not run.
    void Dismiss() { FActive = false; }

private:
    F FFunction;
    bool FActive = true;
    int FUncaught = std::uncaught_exceptions();
};

template <class F> [[nodiscard]] TScopeGuard<std::decay_t<F>> ScopeGuard(F&& function) {
    return TScopeGuard<std::decay_t<F>>(std::decay_t<F>(std::forward<F>(function)));
}

// Keeps a variable's value and puts it back when the scope ends; the two-argument form also gives the
// variable `value` for the scope.
template <class T> class [[nodiscard]] TRestore {
public:
    explicit TRestore(T& target) : FTarget(target), FSaved(target) {}
    TRestore(T& target, T value) : FTarget(target), FSaved(std::exchange(target, std::move(value))) {}
    ~TRestore() { FTarget = std::move(FSaved); }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;

private:
    T& FTarget;
    T FSaved;
};

// BeginUpdate now and EndUpdate when the scope ends, for anything with the pair (string lists, collections).
template <class T> [[nodiscard]] auto UpdateScope(T& target) {
    target.BeginUpdate();
    return ScopeGuard([&target] { target.EndUpdate(); });
}

#pragma GCC visibility pop
