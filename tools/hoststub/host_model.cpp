#include "hoststub/host_model.h"

#include <cstdio>

namespace zd::hoststub {
namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string FormatNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace

const MemberInfo* FindMember(std::string_view name) {
  for (const auto& m : kMembers) {
    if (SameNameIgnoringCase(m.name, name)) return &m;
  }
  return nullptr;
}

const MemberInfo* FindMember(long dispid) {
  for (const auto& m : kMembers) {
    if (m.dispid == dispid) return &m;
  }
  return nullptr;
}

void HostModel::AddCommands(CommandTable& table) {
  table.Add("set", 2, 3,
            "set Mode|HostMode TEXT | set HostFrequency HZ | set HostEntryText INDEX TEXT",
            [this](const Words& a, long long) {
              const MemberInfo* m = FindMember(a[0]);
              if (!m || m->member == Member::kExecuteMacros) {
                return Outcome::Failed("no property '" + a[0] + "'");
              }
              if (m->member == Member::kHostEntryText) {
                const auto index = a.size() == 3 ? ParseInteger(a[1]) : std::nullopt;
                if (!index) return Outcome::Failed("usage: set HostEntryText INDEX TEXT");
                entry_texts_[*index] = a[2];
                return Outcome::Done();
              }
              if (a.size() != 2) return Outcome::Failed("one value expected");
              if (m->member == Member::kHostFrequency) {
                const auto hz = ParseNumber(a[1]);
                if (!hz) return Outcome::Failed("not a number: " + a[1]);
                frequency_ = *hz;
              } else if (m->member == Member::kMode) {
                mode_ = a[1];
              } else {
                host_mode_ = a[1];
              }
              return Outcome::Done();
            });
  table.Add("fail", 1, 2, "fail MEMBER [COUNT]  (the next COUNT calls, all when omitted)",
            [this](const Words& a, long long) {
              const MemberInfo* m = FindMember(a[0]);
              if (!m) return Outcome::Failed("no member '" + a[0] + "'");
              long long count = -1;
              if (a.size() == 2) {
                const auto n = ParseInteger(a[1]);
                if (!n || *n < 1) return Outcome::Failed("not a count: " + a[1]);
                count = *n;
              }
              failures_[m->member] = count;
              return Outcome::Done();
            });
  table.Add("succeed", 1, 1, "succeed MEMBER", [this](const Words& a, long long) {
    const MemberInfo* m = FindMember(a[0]);
    if (!m) return Outcome::Failed("no member '" + a[0] + "'");
    failures_.erase(m->member);
    return Outcome::Done();
  });
  table.Add("log", 0, -1, "log TEXT...", [this](const Words& a, long long) {
    std::string line = "log";
    for (const auto& w : a) line += " " + w;
    record_(line);
    return Outcome::Done();
  });
}

bool HostModel::Admit(Member member) {
  const auto it = failures_.find(member);
  if (it == failures_.end()) return true;
  if (it->second > 0 && --it->second == 0) failures_.erase(it);
  return false;
}

const MemberInfo* HostModel::LookUp(std::string_view name) {
  const MemberInfo* m = FindMember(name);
  record_("name " + std::string(name) + (m ? "" : " -> unknown"));
  return m;
}

bool HostModel::ExecuteMacros(std::string_view macro) {
  const bool ok = Admit(Member::kExecuteMacros);
  record_("call ExecuteMacros " + std::string(macro) + (ok ? "" : " -> failed"));
  if (ok) macros_.emplace_back(macro);
  return ok;
}

std::optional<std::string> HostModel::Mode() {
  const bool ok = Admit(Member::kMode);
  record_("get Mode -> " + (ok ? mode_ : "failed"));
  if (!ok) return std::nullopt;
  return mode_;
}

std::optional<std::string> HostModel::HostMode() {
  const bool ok = Admit(Member::kHostMode);
  record_("get HostMode -> " + (ok ? host_mode_ : "failed"));
  if (!ok) return std::nullopt;
  return host_mode_;
}

std::optional<double> HostModel::HostFrequency() {
  const bool ok = Admit(Member::kHostFrequency);
  record_("get HostFrequency -> " + (ok ? FormatNumber(frequency_) : "failed"));
  if (!ok) return std::nullopt;
  return frequency_;
}

std::optional<std::string> HostModel::HostEntryText(long long index) {
  const bool ok = Admit(Member::kHostEntryText);
  const auto it = entry_texts_.find(index);
  const std::string text = it == entry_texts_.end() ? std::string() : it->second;
  record_("call HostEntryText " + std::to_string(index) + " -> " + (ok ? text : "failed"));
  if (!ok) return std::nullopt;
  return text;
}

}  // namespace zd::hoststub
