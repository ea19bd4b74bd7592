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

}  // namespace tandrel
