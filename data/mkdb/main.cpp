// kelvora_mkdb <path of Kelvora.mdb>
// Writes the shipped database where none exists or the existing one has never been used; a diary
// that has been started or holds the user's rows is kept as it is.
#include "DatabaseBuilder.h"
#include "DbError.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvora_mkdb <path of Kelvora.mdb>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    try {
        switch (kelvora::installShippedDatabase(path)) {
        case kelvora::InstallResult::Created:
            std::printf("kelvora_mkdb: created %s\n", argv[1]);
            break;
        case kelvora::InstallResult::Replaced:
            std::printf("kelvora_mkdb: refreshed the unused %s\n", argv[1]);
            break;
        case kelvora::InstallResult::Kept:
            std::printf("kelvora_mkdb: kept %s: it holds a diary (or is not a Kelvora database)\n", argv[1]);
            break;
        }
    } catch (const kelvora::DbError& error) {
        std::fprintf(stderr, "kelvora_mkdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
