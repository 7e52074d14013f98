#include "script/KorvanaCodeMaker.h"

#include "base/Text.h"

namespace zidezo {

std::size_t ScopeLevels(std::string_view scope) { return scope.size() / kScopeGroupLength; }

bool ScopeLess(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

void TKorvanaCodeMaker::ClearLists() {
  variables_.clear();
  methods_.clear();
  code_.clear();
}

TUserVar& TKorvanaCodeMaker::AddVariable(std::string name, std::string scope, TVarKind kind) {
  TUserVar& variable = variables_.emplace_back();
  variable.index = static_cast<int>(variables_.size()) - 1;
  variable.name = std::move(name);
  variable.scope = std::move(scope);
  variable.kind = kind;
  return variable;
}

TUserMethod& TKorvanaCodeMaker::AddMethod(std::string name, std::string scope) {
  TUserMethod& method = methods_.emplace_back();
  method.index = static_cast<int>(methods_.size()) - 1;
  method.name = std::move(name);
  method.scope = std::move(scope);
  return method;
}

TVMPCode& TKorvanaCodeMaker::Emit(TOpCode op, std::int32_t operand) {
  code_.push_back({op, operand});
  return code_.back();
}

TUserVar* TKorvanaCodeMaker::FindVariable(std::string_view name, std::string_view scope) {
  if (EqualsNoCase(name, "Result")) {
    const std::string result_name = std::string(scope) + "Result";
    for (TUserVar& variable : variables_) {
      if (variable.kind == TVarKind::Result && variable.name == result_name) return &variable;
    }
    return nullptr;
  }
  for (std::size_t level = ScopeLevels(scope); level >= 1; --level) {
    for (TUserVar& variable : variables_) {
      // Constants carry names such as "Number" and "True"; they are no variables a script can name.
      if (variable.kind == TVarKind::Constant) continue;
      if (ScopeLevels(variable.scope) == level && scope.find(variable.scope) != std::string_view::npos &&
          EqualsNoCase(variable.name, name)) {
        return &variable;
      }
    }
  }
  return nullptr;
}

TUserMethod* TKorvanaCodeMaker::FindMethod(std::string_view name, std::string_view scope) {
  const std::size_t levels = ScopeLevels(scope);
  for (const std::size_t wanted : {levels + 1, levels}) {
    for (TUserMethod& method : methods_) {
      if (ScopeLevels(method.scope) == wanted && method.scope.find(scope) != std::string::npos &&
          EqualsNoCase(method.name, name)) {
        return &method;
      }
    }
  }
  for (std::size_t level = levels; level >= 2; --level) {
    const std::string_view prefix = scope.substr(0, (level - 1) * kScopeGroupLength);
    for (TUserMethod& method : methods_) {
      if (ScopeLevels(method.scope) == level && method.scope.find(prefix) != std::string::npos &&
          ScopeLess(method.scope, scope) && EqualsNoCase(method.name, name)) {
        return &method;
      }
    }
  }
  return nullptr;
}

}  // namespace zidezo
