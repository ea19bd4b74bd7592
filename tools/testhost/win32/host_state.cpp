#include "testhost/win32/host_state.h"

namespace tandrel::testhost {

HostState& Host() {
    static HostState state;
    return state;
}

void ReportProblem(const std::string& what) {
    HostState& host = Host();
    host.problems.push_back(what);
    if (host.model) {
        host.model->Log("host-error " + HostModel::Quote(what));
    }
}

}  // namespace tandrel::testhost
