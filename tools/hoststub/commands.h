// The host stand-in's command language: one command a line, words separated by blanks,
// double quotes group words ("<MODE:RTTY> x" is one word). Commands come from the command
// line, from a script file and, while the stand-in runs, from other programs.
//
// A command either finishes at once, fails, or waits (for a window, a macro, a file); a
// waiting command is asked again on later ticks until it finishes or gives up.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::hoststub {

using Words = std::vector<std::string>;

// The words of one command line; nothing when a quote is not closed.
std::optional<Words> SplitWords(std::string_view line);

// The command lines of a script: blank lines and lines starting with '#' are skipped,
// trailing carriage returns removed.
std::vector<std::string> ScriptLines(std::string_view text);

struct Outcome {
  enum Kind { kDone, kWaiting, kFailed };
  Kind kind = kDone;
  std::string message;  // why it failed

  static Outcome Done() { return {kDone, {}}; }
  static Outcome Waiting() { return {kWaiting, {}}; }
  static Outcome Failed(std::string why) { return {kFailed, std::move(why)}; }
};

// The verbs the stand-in understands. Later features register more of them.
class CommandTable {
 public:
  // `args` are the words after the verb; `waited_ms` is how long the command has been
  // waiting so far (0 on the first attempt).
  using Handler = std::function<Outcome(const Words& args, long long waited_ms)>;

  // min_args/max_args bound the number of words after the verb (max -1: no limit).
  void Add(const std::string& verb, int min_args, int max_args, std::string usage, Handler handler);
  Outcome Run(std::string_view line, long long waited_ms = 0) const;
  bool Has(const std::string& verb) const { return verbs_.count(verb) != 0; }

 private:
  struct Verb {
    int min_args, max_args;
    std::string usage;
    Handler handler;
  };
  std::map<std::string, Verb> verbs_;
};

// A list of commands played one after the other.
class Scenario {
 public:
  enum class State { kRunning, kWaiting, kFinished, kFailed };

  void Append(std::string line) { lines_.push_back(std::move(line)); }
  // Runs commands from the current one on until one waits, one fails or none is left.
  // `now_ms` is a steady clock.
  State Step(const CommandTable& table, long long now_ms);
  State state() const { return state_; }
  // The failed line and why.
  const std::string& error() const { return error_; }

 private:
  std::vector<std::string> lines_;
  size_t next_ = 0;
  std::optional<long long> waiting_since_;
  State state_ = State::kRunning;
  std::string error_;
};

// The stand-in's command line:
//   --log FILE      write the record of calls to FILE ("-": standard output)
//   --class NAME    window class of the main window
//   --title TEXT    caption of the main window
//   --script FILE   play the commands of FILE
//   --do COMMAND    play one command
// Scripts and commands are played in the order given, once the automation object runs.
struct Options {
  struct Source {
    enum Kind { kScript, kCommand } kind;
    std::string text;  // file name or command line
  };
  std::string log_path;
  std::string window_class = "Afx:400000:b:10011:6:1234";
  std::string title = "Vevozi2 (host stand-in)";
  std::vector<Source> sources;
};

// The options, or the reason they are wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// A number given as a command word.
std::optional<long long> ParseInteger(std::string_view word);
std::optional<double> ParseNumber(std::string_view word);

}  // namespace zd::hoststub
