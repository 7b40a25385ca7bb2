#pragma once

#include <functional>
#include <utility>

// Runs a clean-up when it goes out of scope, also when the scope is left by
// an exception: panels, cursors and gauges are restored whatever happened.
class ScopeGuard {
public:
    explicit ScopeGuard(std::function<void()> cleanup) : m_cleanup(std::move(cleanup)) {}
    ~ScopeGuard() {
        if (m_cleanup)
            m_cleanup();
    }
    ScopeGuard(const ScopeGuard &) = delete;
    ScopeGuard &operator=(const ScopeGuard &) = delete;

    void dismiss() { m_cleanup = nullptr; }

private:
    std::function<void()> m_cleanup;
};
