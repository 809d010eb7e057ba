#include "hoststub/commands.h"

#include <charconv>
#include <cmath>

namespace zd::hoststub {

std::optional<Words> SplitWords(std::string_view line) {
  Words words;
  std::string word;
  bool in_word = false, quoted = false;
  for (const char c : line) {
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = in_word = true;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (quoted) return std::nullopt;
  if (in_word) words.push_back(std::move(word));
  return words;
}

std::vector<std::string> ScriptLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
      line.remove_suffix(1);
    }
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    lines.emplace_back(line.substr(first));
  }
  return lines;
}

void CommandTable::Add(const std::string& verb, int min_args, int max_args, std::string usage,
                       Handler handler) {
  verbs_[verb] = Verb{min_args, max_args, std::move(usage), std::move(handler)};
}

Outcome CommandTable::Run(std::string_view line, long long waited_ms) const {
  const auto words = SplitWords(line);
  if (!words) return Outcome::Failed("unclosed quote");
  if (words->empty()) return Outcome::Done();
  const auto verb = verbs_.find(words->front());
  if (verb == verbs_.end()) return Outcome::Failed("unknown command '" + words->front() + "'");
  const Words args(words->begin() + 1, words->end());
  const int n = static_cast<int>(args.size());
  if (n < verb->second.min_args || (verb->second.max_args >= 0 && n > verb->second.max_args)) {
    return Outcome::Failed("usage: " + verb->second.usage);
  }
  return verb->second.handler(args, waited_ms);
}

Scenario::State Scenario::Step(const CommandTable& table, long long now_ms) {
  if (state_ == State::kFailed || state_ == State::kFinished) return state_;
  while (next_ < lines_.size()) {
    const long long waited = waiting_since_ ? now_ms - *waiting_since_ : 0;
    const Outcome outcome = table.Run(lines_[next_], waited);
    if (outcome.kind == Outcome::kWaiting) {
      if (!waiting_since_) waiting_since_ = now_ms;
      return state_ = State::kWaiting;
    }
    waiting_since_.reset();
    if (outcome.kind == Outcome::kFailed) {
      error_ = lines_[next_] + ": " + outcome.message;
      return state_ = State::kFailed;
    }
    ++next_;
  }
  return state_ = State::kFinished;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) {
      error = "missing value after " + option;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (option == "--log") {
      options.log_path = value;
    } else if (option == "--class") {
      options.window_class = value;
    } else if (option == "--title") {
      options.title = value;
    } else if (option == "--script") {
      options.sources.push_back({Options::Source::kScript, value});
    } else if (option == "--do") {
      options.sources.push_back({Options::Source::kCommand, value});
    } else {
      error = "unknown option " + option;
      return std::nullopt;
    }
  }
  return options;
}

std::optional<long long> ParseInteger(std::string_view word) {
  long long value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || word.empty()) return std::nullopt;
  return value;
}

std::optional<double> ParseNumber(std::string_view word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || word.empty() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace zd::hoststub
