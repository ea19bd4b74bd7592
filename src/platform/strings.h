// Strings port: the library's string table.
#pragma once

#include <string>

namespace tandrel {

class Strings {
  public:
    virtual ~Strings() = default;
    // The text of string-table entry `id`; empty when there is none.
    virtual std::string Load(int id) = 0;
};

// The texts compiled into the code, the same the resource holds.
class BuiltinStrings final : public Strings {
  public:
    std::string Load(int id) override;
};

}  // namespace tandrel
