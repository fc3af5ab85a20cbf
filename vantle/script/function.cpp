#include "vantle/script/function.h"

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

}  // namespace script
