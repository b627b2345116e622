#include "TestDatabase.h"

#include "deData.h"

#include <QFile>

#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace kelvora::test {

namespace {

const QString& templateFor(SeedContents contents, int version) {
    static QTemporaryDir templates;
    static std::map<std::pair<SeedContents, int>, QString> paths;
    auto it = paths.find({contents, version});
    if (it == paths.end()) {
        const QString path =
            templates.filePath(QString::number(static_cast<int>(contents)) + QStringLiteral("-v") +
                               QString::number(version) + QStringLiteral(".mdb"));
        buildDatabase(path, contents, version);
        it = paths.emplace(std::pair{contents, version}, path).first;
    }
    return it->second;
}

} // namespace

TestDatabase::TestDatabase(SeedContents contents, int version) {
    if (!m_dir.isValid() || !QFile::copy(templateFor(contents, version), path()))
        throw std::runtime_error("cannot make the test database");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
}

QString TestDatabase::path() const {
    return deData::databasePathIn(m_dir.path());
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addToEveryCatalogue(Connection& con, const QStringList& names) {
    const auto insert = [&](const char* sql, qint32 id, const QString& name) {
        Statement statement(con, QString::fromLatin1(sql));
        statement.bind(1, id);
        statement.bind(2, name);
        statement.step();
    };
    qint32 id = 0;
    for (const QString& name : names) {
        ++id;
        insert("insert into MealCategory (MealCategoryID, Name) values (?1, ?2)", id, name);
        insert("insert into Meal (MealID, MealCategoryID, Name, Unit) values (?1, 1, ?2, 'piece')", id, name);
        insert("insert into Exercise (ExerciseID, Name, Unit) values (?1, ?2, 'hour')", id, name);
    }
}

} // namespace kelvora::test
