#include "report/session_copies.h"

namespace qz {

void SessionCopies::Note(const LogSession& session, std::size_t answers, bool summary,
                         std::size_t log, std::size_t ordinal) {
  if (!session.m_bHeader)
    return;
  const Copy copy{answers, summary, log, ordinal};
  const auto [it, added] = m_mBest.try_emplace({session.m_strCadet, session.m_dtStart}, copy);
  if (added)
    return;
  const Copy& best = it->second;
  if (std::tie(copy.m_nAnswers, copy.m_bSummary) > std::tie(best.m_nAnswers, best.m_bSummary))
    it->second = copy;
}

bool SessionCopies::IsChosen(const LogSession& session, std::size_t log,
                             std::size_t ordinal) const {
  if (!session.m_bHeader)
    return true;
  const auto it = m_mBest.find({session.m_strCadet, session.m_dtStart});
  return it == m_mBest.end() || (it->second.m_nLog == log && it->second.m_nOrdinal == ordinal);
}

}  // namespace qz
