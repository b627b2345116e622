#pragma once

#include "TestDatabase.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace kelvora::test {

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

// A strict reader of RFC 4180: records end in CRLF, a field is either plain (no comma, quote, CR or
// LF) or quoted with its quotes doubled. Anything else fails the test that reads it.
inline std::vector<QStringList> parseCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.toUtf8(), bytes) << "not UTF-8";
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    const auto endField = [&] {
        record << field;
        field.clear();
    };
    while (i < text.size()) {
        if (text[i] == u'"' && field.isEmpty()) {
            for (++i;; ++i) {
                if (i >= text.size()) {
                    ADD_FAILURE() << "a quoted field runs to the end";
                    return records;
                }
                if (text[i] == u'"') {
                    if (i + 1 < text.size() && text[i + 1] == u'"') {
                        field += u'"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
        }
        if (i >= text.size()) {
            ADD_FAILURE() << "the last record has no line end";
            return records;
        }
        const QChar c = text[i];
        if (c == u',') {
            endField();
            ++i;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            endField();
            records.push_back(record);
            record.clear();
            i += 2;
        } else if (c == u'"' || c == u'\r' || c == u'\n') {
            ADD_FAILURE() << "a quote, CR or LF outside quotes at " << i;
            return records;
        } else {
            field += c;
            ++i;
        }
    }
    return records;
}

// The text of a PDF as pdftotext reads it; "-raw" keeps the order in which it was drawn. Empty when
// the tool is missing (the caller skips).
inline QString pdfTool(const QString& tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QString pdfText(const QString& path) {
    return pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
}

// The text of a report without what the pages add: the page numbers, each on a line of its own at
// the end of its page, and the form feeds between the pages.
inline QString reportText(const QString& path) {
    return pdfText(path).remove(QLatin1Char('\f')).remove(QRegularExpression(QStringLiteral("(?m)^\\d+\n")));
}

} // namespace kelvora::test
