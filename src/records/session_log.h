#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_appender.h"
#include "platform/message_box.h"
#include "platform/platform.h"

namespace qz {

// The log's name, relative to the working folder.
inline constexpr char kLogFileName[] = "qz.log";
// The caption of the box that reports a log failure: the application's name.
inline constexpr char kLogBoxCaption[] = "Quizendo";

// Appends one whole record to the log; an empty text does not touch the file. A failure is
// shown in a message box (exclamation when the file could not be opened, stop when a later
// step failed) and the record is dropped; the caller carries on either way. When the log is
// empty (deleted during the run and made anew), `header_if_empty` is written first, so the
// record does not stand in the log without the session header it belongs to.
void AppendLog(FileAppender& files, MessageBox& message_box, const std::filesystem::path& log_path,
               std::string_view text, std::string_view header_if_empty = {});
// The same, with the platform's writer, message box and log path.
void AppendLog(Platform& platform, std::string_view text, std::string_view header_if_empty = {});

// ", age 7 years 3 months": "month" only for exactly 1, "years" always; negative parts (a
// birth date in the future) print as they come. Years and months come from the age breakdown.
std::string AgePhrase(int years, int months);

// The record that opens a session: two line breaks, the name (case kept), the age phrase,
// a TAB, "Date: " with `run_start` in local time, then three line breaks.
std::string FormatSessionHeader(std::string_view cadet_name, std::string_view age_phrase,
                                std::int64_t run_start);

// What a problem line shows.
struct ProblemLine {
  int m_nProblem = 0;       // problems finished in the match (N minus those to go)
  std::int64_t m_tNow = 0;  // time of writing, calendar seconds
  int m_nA = 0;             // operands as shown
  std::string m_strSign;    // "+", "-", "x" or "/"
  int m_nB = 0;
  int m_nAnswer = 0;         // the answer read from the box
  int m_nResult = 0;         // the correct result
  bool m_bTimedOut = false;  // the clock ran out
  int m_nLastSecs = 0;       // response time of the last finished problem
  int m_nScore = 0;          // match score at the time of writing
};

// One line for a judged answer: the result column is "T/O (result)" on a time-out, else "OK"
// when the answer equals the result, else "answer (result)".
std::string FormatProblemLine(const ProblemLine& line);

}  // namespace qz
