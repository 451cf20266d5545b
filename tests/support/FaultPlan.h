#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace swivex::testing {

// How one call of a run is made to fail.
enum class FaultKind {
  Error,          // the call fails with an error and does nothing
  ShortTransfer,  // a read or write moves half of what was asked (at least one byte), no error
  NoTransfer,     // a read or write moves nothing, no error
};

struct Fault {
  std::size_t call;  // counted from 0
  FaultKind kind;
};

// One call that an operation made through a system interface.
struct RecordedCall {
  std::string name;
  bool transfer = false;  // a read or a write, which can also move less than asked
  std::size_t count = 0;  // bytes asked for, for transfers
};

// Every fault to inject into a run that made `calls` without one: each call failing with an
// error, and each transfer also moving part of what it asked (where it asked for more than one
// byte) and moving nothing.
std::vector<Fault> EveryFault(const std::vector<RecordedCall>& calls);

// "call 7 (WriteFile) meets a short transfer", for the trace of a failing check.
std::string Describe(const Fault& fault, const std::vector<RecordedCall>& calls);

// The calls' names in order, for the record of a sweep.
std::string CallNames(const std::vector<RecordedCall>& calls);

// The calls of one run, recorded by the wrappers of the system interfaces that the run goes
// through, and the one fault, if any, that the run is to meet. The wrappers of every interface
// share one plan, so that the calls are numbered across them in the order they were made.
class FaultPlan {
 public:
  explicit FaultPlan(std::optional<Fault> fault = std::nullopt) : fault_(fault) {}

  // Records a call that can fail only with an error; true if it must fail.
  bool Fails(const char* name);
  // Records a transfer of `count` bytes; the fault it meets, if any.
  std::optional<FaultKind> TransferFault(const char* name, std::size_t count);
  // What a short transfer of `count` bytes moves.
  static std::size_t ShortCount(std::size_t count) { return count / 2; }

  // The calls that can fail, in order: the run's failure points. Calls that cannot fail (an
  // announcement that returns nothing) are not recorded.
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  bool Injected() const { return injected_; }

 private:
  std::optional<FaultKind> Next(RecordedCall call);

  std::optional<Fault> fault_;
  std::vector<RecordedCall> calls_;
  bool injected_ = false;
};

}  // namespace swivex::testing
