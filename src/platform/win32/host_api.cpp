#include "platform/win32/host_api.h"

namespace tandrel::win32 {

const char* HostFunctionName(int index) {
    static const char* const kNames[] = {
#define TANDREL_HOST_NAME(name) "BKA_" #name,
        TANDREL_HOST_FUNCTIONS(TANDREL_HOST_NAME)
#undef TANDREL_HOST_NAME
    };
    return index >= 0 && index < kHostFunctionCount ? kNames[index] : "";
}

bool BindHostApi(HostApi& api) {
    if (api.module != nullptr) {
        return true;
    }
    HMODULE executable = GetModuleHandleA(nullptr);
    if (executable == nullptr) {
        return false;
    }
    for (int i = 0; i < kHostFunctionCount; ++i) {
        api.functions[i] = GetProcAddress(executable, HostFunctionName(i));
        if (api.functions[i] == nullptr) {
            api.module = nullptr;
            return false;
        }
    }
    api.module = executable;
    return true;
}

}  // namespace tandrel::win32
