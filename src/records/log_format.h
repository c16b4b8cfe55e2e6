#pragma once

namespace qz {

// The fixed pieces of the session log, shared by the code that writes it and the code that
// reads it back, so the two cannot drift apart. Lines end in CR LF, fields are TAB separated.
// Plain character arrays: they go into printf formats as well as into comparisons.

inline constexpr char kLogDateTimeFormat[] = "%y-%m-%d %H:%M:%S";

// Session header: "<name>, age 7 years 3 months\tDate: 07-05-14 16:02:11".
inline constexpr char kHeaderAgeLead[] = ", age ";
inline constexpr char kHeaderDateLead[] = "\tDate: ";

// Problem line result column and tail.
inline constexpr char kResultOk[] = "OK";
inline constexpr char kResultTimedOut[] = "T/O";
inline constexpr char kScoreLead[] = "score: ";

// The operation signs as a problem shows them, in operation order (+, -, x, /).
inline constexpr char kOperationSigns[] = {'+', '-', 'x', '/'};

// Summary block: the heading line, then one labelled line per figure.
inline constexpr char kSummaryHeading[] = "SUMMARY";
inline constexpr char kSummaryLevel[] = "Difficulty Level\t\t: ";
inline constexpr char kSummaryRight[] = "Right Answers\t\t: ";
inline constexpr char kSummaryWrong[] = "Wrong Answers\t\t: ";
inline constexpr char kSummaryDone[] = "Tasks Completed\t\t: ";
inline constexpr char kSummaryAnswers[] = "Total Tasks\t\t: ";
inline constexpr char kSummaryLongest[] = "Longest Response Time\t: ";
inline constexpr char kSummaryShortest[] = "Shortest Response Time\t: ";
inline constexpr char kSummaryAverage[] = "Average Response Time\t: ";
inline constexpr char kSummarySecondsUnit[] = " s";
inline constexpr char kSummaryExercise[] = "Total Excercise Time\t: ";
inline constexpr char kSummaryStart[] = "Time Start\t\t\t: ";
inline constexpr char kSummaryEnd[] = "Time End\t\t\t: ";
inline constexpr char kSummaryTimeframe[] = "Total Timeframe\t\t: ";
inline constexpr char kSummaryName[] = "Quizendo ";
inline constexpr char kSummaryRank[] = "Rank:\t\t";
inline constexpr char kSummarySkill[] = "Skill:\t\t";
inline constexpr char kSummaryStyle[] = "Fight Style:\t";
inline constexpr char kSummaryHighScore[] = "High Score:\t";

}  // namespace qz
