#pragma once

#include <string_view>

namespace qz {

// The fixed pieces of the session log, shared by the code that writes it and the code that
// reads it back, so the two cannot drift apart. Lines end in CR LF, fields are TAB separated.

inline constexpr std::string_view kLogLineEnd = "\r\n";
inline constexpr char kLogDateTimeFormat[] = "%y-%m-%d %H:%M:%S";

// Session header: "<name>, age 7 years 3 months\tDate: 07-05-14 16:02:11".
inline constexpr std::string_view kHeaderAgeLead = ", age ";
inline constexpr std::string_view kHeaderDateLead = "\tDate: ";

// Problem line result column and tail.
inline constexpr std::string_view kResultOk = "OK";
inline constexpr std::string_view kResultTimedOut = "T/O";
inline constexpr std::string_view kScoreLead = "score: ";

// The operation signs as a problem shows them, in operation order (+, -, x, /).
inline constexpr char kOperationSigns[] = {'+', '-', 'x', '/'};

// Summary block: the heading line, then one labelled line per figure.
inline constexpr std::string_view kSummaryHeading = "SUMMARY";
inline constexpr std::string_view kSummaryLevel = "Difficulty Level\t\t: ";
inline constexpr std::string_view kSummaryRight = "Right Answers\t\t: ";
inline constexpr std::string_view kSummaryWrong = "Wrong Answers\t\t: ";
inline constexpr std::string_view kSummaryDone = "Tasks Completed\t\t: ";
inline constexpr std::string_view kSummaryAnswers = "Total Tasks\t\t: ";
inline constexpr std::string_view kSummaryLongest = "Longest Response Time\t: ";
inline constexpr std::string_view kSummaryShortest = "Shortest Response Time\t: ";
inline constexpr std::string_view kSummaryAverage = "Average Response Time\t: ";
inline constexpr std::string_view kSummarySecondsUnit = " s";
inline constexpr std::string_view kSummaryExercise = "Total Excercise Time\t: ";
inline constexpr std::string_view kSummaryStart = "Time Start\t\t\t: ";
inline constexpr std::string_view kSummaryEnd = "Time End\t\t\t: ";
inline constexpr std::string_view kSummaryTimeframe = "Total Timeframe\t\t: ";
inline constexpr std::string_view kSummaryName = "Quizendo ";
inline constexpr std::string_view kSummaryRank = "Rank:\t\t";
inline constexpr std::string_view kSummarySkill = "Skill:\t\t";
inline constexpr std::string_view kSummaryStyle = "Fight Style:\t";
inline constexpr std::string_view kSummaryHighScore = "High Score:\t";

}  // namespace qz
