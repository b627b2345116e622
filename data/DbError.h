#pragma once

#include <QString>

#include <stdexcept>

namespace kelvora {

// A failure of the database: the message is SQLite's own (or the data layer's, for misuse such as
// an unknown column), the code SQLite's extended result code or 0.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, int code = 0)
        : std::runtime_error(message.toStdString()), m_code(code) {}
    int code() const { return m_code; }
    QString message() const { return QString::fromStdString(what()); }

    // What kind of failure this is, by SQLite's primary result code.
    // The file is damaged or is no database at all.
    bool isDamage() const;
    // Another connection, of this program or another, holds a lock the wait did not outlast.
    bool isBusy() const;
    // The file, its folder or the connection may not be written: the database is read-only, or no
    // journal could be made beside it.
    bool isReadOnly() const;
    // The operating system failed to read or write the file.
    bool isIoError() const;

private:
    int m_code;
};

} // namespace kelvora
