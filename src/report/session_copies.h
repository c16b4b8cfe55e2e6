#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <tuple>

#include "records/log_reader.h"

namespace qz {

// A session can stand in more than one of the logs given (a backup next to the newer log, a
// copy cut short by a crash). Noted in a first pass over all logs, this picks for each session
// (cadet and start time) its fullest copy: the most answers, then the one with a summary, then
// the first one seen; whatever order the logs were given in.
class SessionCopies {
 public:
  // `log` and `ordinal` say where the copy is: which log, which session in it.
  void Note(const LogSession& session, std::size_t log, std::size_t ordinal) {
    Note(session, session.m_vAnswers.size(), session.m_oSummary.has_value(), log, ordinal);
  }
  // The same for a session read in parts: `head` is its first part, `answers` and `summary`
  // say what all its parts held.
  void Note(const LogSession& head, std::size_t answers, bool summary, std::size_t log,
            std::size_t ordinal);
  // Whether this copy is the one to count. A session without header has no time to be known
  // by and always counts.
  bool IsChosen(const LogSession& session, std::size_t log, std::size_t ordinal) const;

 private:
  struct Copy {
    std::size_t m_nAnswers = 0;
    bool m_bSummary = false;
    std::size_t m_nLog = 0;
    std::size_t m_nOrdinal = 0;
  };
  std::map<std::tuple<std::string, LogDateTime>, Copy> m_mBest;
};

}  // namespace qz
