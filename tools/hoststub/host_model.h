// What the host stand-in's automation object answers, and the record of every call.
//
// Each call is written as one line to the record:
//   name ExecuteMacros              a member looked up by name ("name Foo -> unknown")
//   call ExecuteMacros <MODE:RTTY>  a macro; " -> failed" appended when it was rejected
//   get Mode -> RTTY                a property read and its value (or "-> failed")
//   call HostEntryText 5 -> UA3ABC  a method and its result (or "-> failed")
// Tests and scenarios can make any member reject its next calls ("fail").
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hoststub/commands.h"
#include "platform/host_automation.h"

namespace zd::hoststub {

enum class Member { kExecuteMacros, kMode, kHostMode, kHostFrequency, kHostEntryText };

struct MemberInfo {
  Member member;
  std::string_view name;
  long dispid;
};

// Every member of the object. Mode has no fixed number in the contract; it is looked up
// by name.
inline constexpr MemberInfo kMembers[] = {
    {Member::kExecuteMacros, "ExecuteMacros", host::kDispidExecuteMacros},
    {Member::kMode, "Mode", 21},
    {Member::kHostMode, "HostMode", host::kDispidHostMode},
    {Member::kHostFrequency, "HostFrequency", host::kDispidHostFrequency},
    {Member::kHostEntryText, "HostEntryText", host::kDispidHostEntryText},
};

// The member of a name (case-insensitive, as automation names are) or of a number.
const MemberInfo* FindMember(std::string_view name);
const MemberInfo* FindMember(long dispid);

class HostModel {
 public:
  using Recorder = std::function<void(const std::string& line)>;
  explicit HostModel(Recorder recorder) : record_(std::move(recorder)) {}

  // Registers "set", "fail", "succeed" and "log".
  void AddCommands(CommandTable& table);

  // The automation object's calls; false or nothing when the call is to be rejected.
  const MemberInfo* LookUp(std::string_view name);
  bool ExecuteMacros(std::string_view macro);
  std::optional<std::string> Mode();
  std::optional<std::string> HostMode();
  std::optional<double> HostFrequency();
  std::optional<std::string> HostEntryText(long long index);

  // Every macro accepted so far, in order.
  const std::vector<std::string>& macros() const { return macros_; }
  void Record(const std::string& line) { record_(line); }

 private:
  // True when the call goes through; consumes one planned failure otherwise.
  bool Admit(Member member);

  Recorder record_;
  std::string mode_ = "RTTY";
  std::string host_mode_ = "RTTY";
  double frequency_ = 14080000.0;
  std::map<long long, std::string> entry_texts_;
  std::map<Member, long long> failures_;  // remaining rejections; -1 for all
  std::vector<std::string> macros_;
};

}  // namespace zd::hoststub
