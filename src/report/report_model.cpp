#include "report/report_model.h"

#include <algorithm>
#include <cstdlib>

#include "records/summary.h"

namespace qz {

void AnswerTally::Add(LogOutcome outcome) {
  ++m_nJudged;
  switch (outcome) {
    case LogOutcome::kRight:
      ++m_nRight;
      break;
    case LogOutcome::kWrong:
      ++m_nWrong;
      break;
    case LogOutcome::kTimedOut:
      ++m_nTimedOut;
      break;
  }
}

std::optional<double> AnswerTally::Accuracy() const {
  if (m_nJudged == 0)
    return std::nullopt;
  return static_cast<double>(m_nRight) / m_nJudged;
}

std::optional<double> AnswerTally::TimeOutRate() const {
  if (m_nJudged == 0)
    return std::nullopt;
  return static_cast<double>(m_nTimedOut) / m_nJudged;
}

std::optional<double> SessionPoint::AverageSecs() const {
  if (m_nFinished == 0)
    return std::nullopt;
  return static_cast<double>(m_nFinishedSecs) / m_nFinished;
}

std::size_t FactKeyHash::operator()(const FactKey& key) const {
  std::uint64_t h = static_cast<std::uint32_t>(key.m_nA);
  h = h * 1000003u ^ static_cast<std::uint32_t>(key.m_nB);
  h = h * 1000003u ^ static_cast<std::uint32_t>(key.m_eOperation);
  return static_cast<std::size_t>(h ^ (h >> 29));
}

std::optional<double> CadetReport::AverageSecs() const {
  if (m_nFinished == 0)
    return std::nullopt;
  return static_cast<double>(m_nFinishedSecs) / m_nFinished;
}

std::vector<FactTally> CadetReport::MostMissedFacts(std::size_t count) const {
  std::vector<FactTally> missed;
  for (const auto& [key, fact] : m_mFacts) {
    if (fact.m_tally.Misses() > 0)
      missed.push_back(fact);
  }
  const auto worse = [](const FactTally& x, const FactTally& y) {
    if (x.m_tally.Misses() != y.m_tally.Misses())
      return x.m_tally.Misses() > y.m_tally.Misses();
    // Fewer right of as many asked: compare right/judged without division.
    const auto x_rate = static_cast<std::int64_t>(x.m_tally.m_nRight) * y.m_tally.m_nJudged;
    const auto y_rate = static_cast<std::int64_t>(y.m_tally.m_nRight) * x.m_tally.m_nJudged;
    if (x_rate != y_rate)
      return x_rate < y_rate;
    if (x.m_tally.m_nJudged != y.m_tally.m_nJudged) {
      return x.m_tally.m_nJudged > y.m_tally.m_nJudged;
    }
    // A fixed order for ties keeps the page the same from run to run.
    return std::tie(x.m_key.m_eOperation, x.m_key.m_nA, x.m_key.m_nB) <
           std::tie(y.m_key.m_eOperation, y.m_key.m_nA, y.m_key.m_nB);
  };
  const std::size_t keep = std::min(count, missed.size());
  std::partial_sort(missed.begin(), missed.begin() + static_cast<std::ptrdiff_t>(keep),
                    missed.end(), worse);
  missed.resize(keep);
  return missed;
}

CadetReport& ReportModel::Cadet(const std::string& name) {
  if (const auto found = m_mCadetIndex.find(name); found != m_mCadetIndex.end())
    return m_vCadets[found->second];
  // The child first seen by the summary of the session in which it was named.
  const std::string upper = UpperCaseName(name);
  if (const auto found = m_mUpperIndex.find(upper); found != m_mUpperIndex.end()) {
    CadetReport& cadet = m_vCadets[found->second];
    if (cadet.m_bNamedBySummary) {
      cadet.m_strName = name;
      cadet.m_bNamedBySummary = false;
      m_mCadetIndex.emplace(name, found->second);
      return cadet;
    }
  }
  m_mCadetIndex.emplace(name, m_vCadets.size());
  m_mUpperIndex.try_emplace(upper, m_vCadets.size());
  m_vCadets.emplace_back().m_strName = name;
  return m_vCadets.back();
}

CadetReport& ReportModel::CadetBySummaryName(const std::string& upper_name) {
  const auto [it, added] = m_mUpperIndex.try_emplace(upper_name, m_vCadets.size());
  if (added) {
    CadetReport& cadet = m_vCadets.emplace_back();
    cadet.m_strName = upper_name;
    cadet.m_bNamedBySummary = true;
  }
  return m_vCadets[it->second];
}

std::string ReportModel::FiledName(const LogSession& session) {
  if (!session.m_bHeader)
    return std::string();
  if (session.m_oSummary && !session.m_oSummary->m_strName.empty() &&
      session.m_oSummary->m_strName != UpperCaseName(session.m_strCadet)) {
    return session.m_oSummary->m_strName;
  }
  return session.m_strCadet;
}

int ReportModel::AddSession(const LogSession& session) {
  // The same log given twice, or a copy of a log next to the newer original, would count every
  // answer twice. A session without header has no time of its own and is always taken.
  if (session.m_bHeader && !m_setSeen.emplace(session.m_strCadet, session.m_dtStart).second) {
    return 0;
  }
  // A session longer than one part has its summary in its last part: it stays under the
  // header's name.
  const std::string name = FiledName(session);
  const bool renamed = session.m_bHeader && name != session.m_strCadet;
  CadetReport& cadet = renamed ? CadetBySummaryName(name) : Cadet(name);
  SessionPoint& point = cadet.m_vSessions.emplace_back();
  point.m_nNumber = ++m_nSessions;
  point.m_dtStart = session.m_dtStart;
  if (renamed)
    point.m_strStartName = session.m_strCadet;
  if (!session.m_bHeader && !session.m_vAnswers.empty()) {
    point.m_dtStart = session.m_vAnswers.front().m_dtWhen;
  }
  m_nLastCadet = static_cast<std::size_t>(&cadet - m_vCadets.data());
  m_nLastPoint = cadet.m_vSessions.size() - 1;
  AddAnswers(cadet, m_nLastPoint, session);
  return point.m_nNumber;
}

void ReportModel::AddSessionPart(int number, const LogSession& part) {
  if (m_nLastCadet >= m_vCadets.size())
    return;
  CadetReport& cadet = m_vCadets[m_nLastCadet];
  if (m_nLastPoint < cadet.m_vSessions.size() &&
      cadet.m_vSessions[m_nLastPoint].m_nNumber == number) {
    AddAnswers(cadet, m_nLastPoint, part);
  }
}

void ReportModel::AddAnswers(CadetReport& cadet, std::size_t at, const LogSession& session) {
  SessionPoint added;
  for (const LogAnswer& answer : session.m_vAnswers) {
    added.m_tally.Add(answer.m_eOutcome);
    cadet.m_aOperations[static_cast<int>(answer.m_eOperation)].Add(answer.m_eOutcome);
    // A wrong answer's time belongs to the problem before it; only finished problems have one.
    if (answer.m_eOutcome != LogOutcome::kWrong) {
      ++added.m_nFinished;
      added.m_nFinishedSecs += answer.m_nSeconds;
    }
    const FactKey key{answer.m_nA, answer.m_eOperation, answer.m_nB};
    FactTally& fact = cadet.m_mFacts[key];
    fact.m_key = key;
    fact.m_nResult = answer.m_nResult;
    fact.m_tally.Add(answer.m_eOutcome);
    if (answer.m_eOperation == LogOperation::kMultiply) {
      // abs of INT_MIN is out of range; such an operand is far outside the table anyway.
      const std::int64_t a = std::abs(static_cast<std::int64_t>(answer.m_nA));
      const std::int64_t b = std::abs(static_cast<std::int64_t>(answer.m_nB));
      if (a < CadetReport::kTimesTableSize && b < CadetReport::kTimesTableSize) {
        cadet.m_aTimesTable[a][b].Add(answer.m_eOutcome);
      }
    }
  }
  SessionPoint& point = cadet.m_vSessions[at];
  point.m_tally.m_nJudged += added.m_tally.m_nJudged;
  point.m_tally.m_nRight += added.m_tally.m_nRight;
  point.m_tally.m_nWrong += added.m_tally.m_nWrong;
  point.m_tally.m_nTimedOut += added.m_tally.m_nTimedOut;
  point.m_nFinished += added.m_nFinished;
  point.m_nFinishedSecs += added.m_nFinishedSecs;
  cadet.m_total.m_nJudged += added.m_tally.m_nJudged;
  cadet.m_total.m_nRight += added.m_tally.m_nRight;
  cadet.m_total.m_nWrong += added.m_tally.m_nWrong;
  cadet.m_total.m_nTimedOut += added.m_tally.m_nTimedOut;
  cadet.m_nFinished += added.m_nFinished;
  cadet.m_nFinishedSecs += added.m_nFinishedSecs;
  if (session.m_oSummary) {
    const LogSummary& summary = *session.m_oSummary;
    if (!cadet.m_oLatestSummary || !(point.m_dtStart < cadet.m_dtLatestSummary)) {
      cadet.m_oLatestSummary = summary;
      cadet.m_dtLatestSummary = point.m_dtStart;
    }
    cadet.m_nBestLevel = std::max(cadet.m_nBestLevel, summary.m_nLevel);
    cadet.m_nBestHighScore = std::max(cadet.m_nBestHighScore, summary.m_nHighScore);
  }
}

void ReportModel::Finish() {
  for (CadetReport& cadet : m_vCadets) {
    std::stable_sort(
        cadet.m_vSessions.begin(), cadet.m_vSessions.end(),
        [](const SessionPoint& x, const SessionPoint& y) { return x.m_dtStart < y.m_dtStart; });
  }
  std::stable_sort(
      m_vCadets.begin(), m_vCadets.end(),
      [](const CadetReport& x, const CadetReport& y) { return x.m_strName < y.m_strName; });
  m_mCadetIndex.clear();
  m_mUpperIndex.clear();
  for (std::size_t i = 0; i < m_vCadets.size(); ++i) {
    if (!m_vCadets[i].m_bNamedBySummary)
      m_mCadetIndex.try_emplace(m_vCadets[i].m_strName, i);
    m_mUpperIndex.try_emplace(UpperCaseName(m_vCadets[i].m_strName), i);
  }
}

}  // namespace qz
