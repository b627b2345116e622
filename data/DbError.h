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

private:
    int m_code;
};

} // namespace kelvora
