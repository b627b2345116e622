#pragma once

#include <QLocale>

namespace kelvora::test {

// Runs a scope in another language and puts the pinned one back after it.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(m_before); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale m_before;
};

} // namespace kelvora::test
