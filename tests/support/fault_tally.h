#pragma once

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace quenmark::testing {

// What a fault-injection scenario saw: for each call that was made to fail, what followed.
// When it goes it prints one line, "FAULTS | scenario | calls | call: outcome; ...", which
// scripts/reliability gathers into a table.
class FaultTally {
 public:
  explicit FaultTally(std::string scenario) : scenario_(std::move(scenario)) {}
  FaultTally(const FaultTally&) = delete;
  FaultTally& operator=(const FaultTally&) = delete;
  ~FaultTally() {
    std::string line;
    for (const auto& [outcome, seen] : seen_) {
      std::string calls;
      for (const std::string& c : seen.first) calls += (calls.empty() ? "" : ", ") + c;
      line += (line.empty() ? "" : "; ") + outcome + " (" + std::to_string(seen.second) +
              "x: " + calls + ")";
    }
    std::printf("FAULTS | %s | %d | %s |\n", scenario_.c_str(), count_, line.c_str());
    std::fflush(stdout);
  }

  // The n-th call, described as `call`, failed and `outcome` followed.
  void note(const std::string& call, const std::string& outcome) {
    auto& [calls, times] = seen_[outcome];
    calls.insert(call);
    ++times;
    ++count_;
  }

 private:
  std::string scenario_;
  std::map<std::string, std::pair<std::set<std::string>, int>> seen_;  // outcome -> calls, times
  int count_ = 0;
};

}  // namespace quenmark::testing
