#include "vantle/script/function_table.h"

#include "vantle/core/log.h"

namespace script {

Result Result::Bool(bool flag) {
    Result result;
    result.kind = Kind::Bool;
    result.flag = flag;
    return result;
}

Result Result::Integer(int number) {
    Result result;
    result.kind = Kind::Integer;
    result.number = number;
    return result;
}

Result Result::Float(float number) {
    Result result;
    result.kind = Kind::Float;
    result.number = number;
    return result;
}

Result Result::Text(const std::string& text) {
    Result result;
    result.kind = Kind::String;
    result.text = text;
    return result;
}

Result Result::Rows(const std::vector<std::vector<std::string>>& rows) {
    Result result;
    result.kind = Kind::Rows;
    result.rows = rows;
    return result;
}

void FunctionTable::Add(const std::vector<Function>& rows) {
    for (const Function& row : rows) {
        if (row.parameters.size() > kMaxParameters || !row.body) {
            core::Log::instance()->Write("FunctionTable: refused %s", row.name.c_str());
            continue;
        }
        _rows.push_back(row);
        if (_listener) _listener(row);
    }
}

}  // namespace script
