// ScopeGuard: runs a function when the scope ends, whether it ends normally or by an exception, unless
// dismissed. The one way this code base undoes a half-done change on failure:
//
//     auto restore = ScopeGuard([&] { widget->SetUpdating(false); });
//     ... work that may throw ...
//     restore.Dismiss(); // keep the change
//
// The function must not throw: it may run while an exception is already on its way out.
#pragma once

#include <type_traits>
#include <utility>

#pragma GCC visibility push(default)

template <class F> class [[nodiscard]] TScopeGuard {
public:
    explicit TScopeGuard(F&& function) : FFunction(std::move(function)) {}
    TScopeGuard(TScopeGuard&& other) noexcept
        : FFunction(std::move(other.FFunction)), FActive(other.FActive) {
        other.FActive = false;
    }
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;
    ~TScopeGuard() {
        if (FActive) FFunction();
    }

    // The function will not run.
    void Dismiss() { FActive = false; }

private:
    F FFunction;
    bool FActive = true;
};

template <class F> [[nodiscard]] TScopeGuard<std::decay_t<F>> ScopeGuard(F&& function) {
    return TScopeGuard<std::decay_t<F>>(std::decay_t<F>(std::forward<F>(function)));
}

#pragma GCC visibility pop
