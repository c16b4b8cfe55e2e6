#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "records/log_reader.h"

namespace qz {

// Right, wrong and timed-out answers of some group of problems.
struct AnswerTally {
  int m_nJudged = 0;
  int m_nRight = 0;
  int m_nWrong = 0;
  int m_nTimedOut = 0;

  void Add(LogOutcome outcome);
  int Misses() const { return m_nWrong + m_nTimedOut; }
  // Share of right answers, 0 to 1; nothing when nothing was judged.
  std::optional<double> Accuracy() const;
  std::optional<double> TimeOutRate() const;
};

// One run of the game as the report shows it.
struct SessionPoint {
  int m_nNumber = 0;  // the session's number among all sessions read, from 1
  LogDateTime m_dtStart;
  // The name the header gave when the session is filed under its summary's name instead (the
  // child was named in the setup panel after the game started); empty otherwise.
  std::string m_strStartName;
  AnswerTally m_tally;
  int m_nFinished = 0;               // right answers and time-outs: problems with a time
  std::int64_t m_nFinishedSecs = 0;  // their response times added up

  std::optional<double> AverageSecs() const;
};

// One multiplication, addition ... fact: the same operands and operation.
struct FactKey {
  int m_nA = 0;
  LogOperation m_eOperation = LogOperation::kAdd;
  int m_nB = 0;
  bool operator==(const FactKey&) const = default;
};

struct FactKeyHash {
  std::size_t operator()(const FactKey& key) const;
};

struct FactTally {
  FactKey m_key;
  int m_nResult = 0;
  AnswerTally m_tally;
};

// Everything the report says about one cadet.
struct CadetReport {
  static constexpr int kTimesTableSize = 10;  // operands 0 to 9

  std::string m_strName;  // empty for sessions of a log cut before its first header
  // Known only from summaries, in their upper case: a header's name of the same letters,
  // typed as the child typed it, takes its place when one turns up.
  bool m_bNamedBySummary = false;
  std::vector<SessionPoint> m_vSessions;
  std::array<AnswerTally, kLogOperationCount> m_aOperations{};
  AnswerTally m_total;
  int m_nFinished = 0;
  std::int64_t m_nFinishedSecs = 0;
  std::unordered_map<FactKey, FactTally, FactKeyHash> m_mFacts;
  // Multiplications by the size of their operands (signs dropped): [first][second].
  std::array<std::array<AnswerTally, kTimesTableSize>, kTimesTableSize> m_aTimesTable{};
  // The summary of the latest session that has one: belt and rank reached.
  std::optional<LogSummary> m_oLatestSummary;
  LogDateTime m_dtLatestSummary;  // the start of that session
  int m_nBestLevel = 0;
  int m_nBestHighScore = 0;

  // The facts with the most misses, worst first (then the lowest accuracy, then the most
  // asked); facts never missed are left out.
  std::vector<FactTally> MostMissedFacts(std::size_t count) const;
  std::optional<double> AverageSecs() const;
};

// One log file given to the report.
struct SourceReport {
  std::string m_strPath;
  bool m_bOpened = false;
  bool m_bReadError = false;
  std::int64_t m_nLines = 0;
  int m_nSessions = 0;
  int m_nDuplicates = 0;  // sessions left out because a fuller copy of them was counted
  std::int64_t m_nDefects = 0;
  std::vector<LogDefect> m_vDefects;  // the first ones, with their line numbers
};

// Sorts the sessions of all logs into cadets and sums them up.
class ReportModel {
 public:
  // Adds the session; 0 when the same session (cadet and start time) was added before,
  // else the session's number. The header is written when the game starts, before a new
  // child is named in the setup panel; the summary is written when it is left and has the name
  // the child played under. A session is filed under its summary's name when the two differ.
  int AddSession(const LogSession& session);
  // The name the session is filed under (see AddSession).
  static std::string FiledName(const LogSession& session);
  // Adds a later part of the session last added (a long session is read in parts, see
  // LogReader), under the number AddSession gave it.
  void AddSessionPart(int number, const LogSession& part);
  // Sorts each cadet's sessions by time and the cadets by name; call once all are added.
  void Finish();

  std::vector<SourceReport>& Sources() { return m_vSources; }
  const std::vector<SourceReport>& Sources() const { return m_vSources; }
  const std::vector<CadetReport>& Cadets() const { return m_vCadets; }

 private:
  CadetReport& Cadet(const std::string& name);
  // The cadet of a name known only in upper case from a summary: the one whose typed name it
  // is, else one of its own.
  CadetReport& CadetBySummaryName(const std::string& upper_name);
  // Counts the part's answers and its summary into the session at `point` of `cadet`.
  static void AddAnswers(CadetReport& cadet, std::size_t point, const LogSession& part);

  std::vector<SourceReport> m_vSources;
  std::vector<CadetReport> m_vCadets;
  std::unordered_map<std::string, std::size_t> m_mCadetIndex;
  std::unordered_map<std::string, std::size_t> m_mUpperIndex;  // by UpperCaseName, the first
  std::set<std::tuple<std::string, LogDateTime>> m_setSeen;
  int m_nSessions = 0;
  // Where the session last added is, for its later parts.
  std::size_t m_nLastCadet = 0;
  std::size_t m_nLastPoint = 0;
};

}  // namespace qz
