// The string table compiled into the code, the same texts the resource
// holds: the Strings port of the native runner, the command-line tool and the
// tests, which have no resource to load from.
#pragma once

#include "platform/strings.h"

namespace tandrel {

class BuiltinStrings final : public Strings {
  public:
    std::string Load(int id) override;
};

}  // namespace tandrel
