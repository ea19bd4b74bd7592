// The time the test host spends on its own work: in the host functions the
// plug-in calls and in the host's own commands. The UI benchmark subtracts
// it, so that what is left is the plug-in's cost.
#pragma once

namespace tandrel::testhost {

// Counts the time from its making to its end as the host's work; a scope
// inside another counts once.
class HostWorkScope {
  public:
    HostWorkScope();
    ~HostWorkScope();
    HostWorkScope(const HostWorkScope&) = delete;
    HostWorkScope& operator=(const HostWorkScope&) = delete;

  private:
    long long start_ = 0;
};

// The host's work so far, in milliseconds; read from any thread.
double HostWorkMilliseconds();

}  // namespace tandrel::testhost
