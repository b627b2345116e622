#include "TestDatabase.h"

#include "deData.h"

#include <QFile>

#include <map>
#include <memory>
#include <stdexcept>

namespace kelvora::test {

namespace {

const QString& templateFor(SeedContents contents) {
    static QTemporaryDir templates;
    static std::map<SeedContents, QString> paths;
    auto it = paths.find(contents);
    if (it == paths.end()) {
        const QString path =
            templates.filePath(QString::number(static_cast<int>(contents)) + QStringLiteral(".mdb"));
        buildDatabase(path, contents);
        it = paths.emplace(contents, path).first;
    }
    return it->second;
}

} // namespace

TestDatabase::TestDatabase(SeedContents contents) {
    if (!m_dir.isValid() || !QFile::copy(templateFor(contents), path()))
        throw std::runtime_error("cannot make the test database");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
}

QString TestDatabase::path() const {
    return deData::databasePathIn(m_dir.path());
}

} // namespace kelvora::test
