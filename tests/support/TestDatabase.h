#pragma once

#include "DatabaseBuilder.h"

#include <QString>
#include <QTemporaryDir>

namespace kelvora::test {

// A fresh database of its own for one test, in a temporary program folder, made by the same
// builder that makes the shipped file (built once per process and contents, then copied).
class TestDatabase {
public:
    explicit TestDatabase(SeedContents contents = SeedContents::Full);

    QString folder() const { return m_dir.path(); }
    QString path() const;

private:
    QTemporaryDir m_dir;
};

} // namespace kelvora::test
