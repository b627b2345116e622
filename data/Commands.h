#pragma once

#include <QString>

#include <span>
#include <vector>

namespace kelvora {

// How a command's parameter is converted before it is bound.
enum class ParamKind {
    Identifier, // 32-bit signed integer
    Date,       // calendar date: a whole day serial
    Int16,
    Int32,
    Single, // single-precision number
    Currency,
    Text,
};

struct CommandDef {
    QString name;
    bool returnsRows = true;
    QString sql; // parameters are ?1, ?2, ... in the order of `params`
    std::vector<ParamKind> params;
    // For the commands whose recordset is updatable: the table rows are written back to, and its key.
    QString baseTable;
    QString keyColumn;
};

// The fixed set of named commands through which every window reads and writes.
std::span<const CommandDef> commandDefinitions();
const CommandDef* findCommand(const QString& name); // without regard to case; nullptr if unknown

} // namespace kelvora
