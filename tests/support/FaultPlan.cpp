#include "tests/support/FaultPlan.h"

#include <gtest/gtest.h>

#include <utility>

namespace swivex::testing {

namespace {

const char* KindName(FaultKind kind) {
  switch (kind) {
    case FaultKind::Error:
      return "an error";
    case FaultKind::ShortTransfer:
      return "a short transfer";
    case FaultKind::NoTransfer:
      return "no transfer";
  }
  return "?";
}

}  // namespace

std::vector<Fault> EveryFault(const std::vector<RecordedCall>& calls) {
  std::vector<Fault> faults;
  for (std::size_t k = 0; k < calls.size(); ++k) {
    faults.push_back({k, FaultKind::Error});
    if (!calls[k].transfer) continue;
    if (calls[k].count >= 2) faults.push_back({k, FaultKind::ShortTransfer});
    faults.push_back({k, FaultKind::NoTransfer});
  }
  return faults;
}

std::string Describe(const Fault& fault, const std::vector<RecordedCall>& calls) {
  return "call " + std::to_string(fault.call) + " (" + calls.at(fault.call).name + ") meets " +
         KindName(fault.kind);
}

std::string CallNames(const std::vector<RecordedCall>& calls) {
  std::string names;
  for (const RecordedCall& call : calls) names += (names.empty() ? "" : " ") + call.name;
  return names;
}

bool FaultPlan::Fails(const char* name) {
  const std::optional<FaultKind> fault = Next({name, false, 0});
  if (fault && *fault != FaultKind::Error) ADD_FAILURE() << name << " moves no bytes to cut short";
  return fault.has_value();
}

std::optional<FaultKind> FaultPlan::TransferFault(const char* name, std::size_t count) {
  return Next({name, true, count});
}

std::optional<FaultKind> FaultPlan::Next(RecordedCall call) {
  calls_.push_back(std::move(call));
  if (!fault_ || fault_->call != calls_.size() - 1) return std::nullopt;
  injected_ = true;
  return fault_->kind;
}

}  // namespace swivex::testing
