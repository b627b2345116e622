#include "DbError.h"

#include <sqlite3.h>

namespace kelvora {

namespace {
int primary(int code) {
    return code & 0xff;
}
} // namespace

bool DbError::isDamage() const {
    return primary(m_code) == SQLITE_CORRUPT || primary(m_code) == SQLITE_NOTADB;
}

bool DbError::isBusy() const {
    return primary(m_code) == SQLITE_BUSY || primary(m_code) == SQLITE_LOCKED;
}

bool DbError::isReadOnly() const {
    return primary(m_code) == SQLITE_READONLY || primary(m_code) == SQLITE_CANTOPEN;
}

bool DbError::isIoError() const {
    return primary(m_code) == SQLITE_IOERR;
}

} // namespace kelvora
