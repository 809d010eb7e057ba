// The operator of a scenario run: answers the module's dialogs without changing them,
// OK on the Cabrillo header dialog and OK on the "Output" box, from a second thread while
// the player's thread waits in the export. The headless library shows no dialogs, so
// natively there is nothing to answer.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zd::test {

class DialogConfirmer {
 public:
  virtual ~DialogConfirmer() = default;
  // What was answered, one line per dialog ("ZORVAN-DIGI: OK", "Output: <text>: OK"), and
  // any dialog that did not belong to a scenario run.
  virtual std::vector<std::string> Log() = 0;
};

// Starts answering on behalf of the calling thread; stops when destroyed.
std::unique_ptr<DialogConfirmer> StartDialogConfirmer();

}  // namespace zd::test
