#include "records/session_log.h"

#include "platform/calendar.h"
#include "platform/string_printf.h"
#include "records/file_error_text.h"
#include "records/log_format.h"

namespace qz {

void AppendLog(FileAppender& files, MessageBox& message_box, const std::filesystem::path& log_path,
               std::string_view text, std::string_view header_if_empty) {
  if (text.empty())
    return;
  const AppendResult result = files.Append(log_path, text, header_if_empty);
  if (result.cause == FileErrorCause::kNone)
    return;
  message_box.Show(kLogBoxCaption, FileErrorText(result.cause, result.path),
                   result.failed_at_open ? MessageIcon::kExclamation : MessageIcon::kStop);
}

void AppendLog(Platform& platform, std::string_view text, std::string_view header_if_empty) {
  AppendLog(platform.files, platform.message_box, platform.log_path, text, header_if_empty);
}

std::string AgePhrase(int years, int months) {
  return StringPrintf("%s%d years %d month%s", kHeaderAgeLead, years, months,
                      months == 1 ? "" : "s");
}

std::string FormatSessionHeader(std::string_view cadet_name, std::string_view age_phrase,
                                std::int64_t run_start) {
  std::string text = "\r\n\r\n";
  text += cadet_name;
  text += age_phrase;
  text += kHeaderDateLead + FormatLocalTime(run_start, kLogDateTimeFormat) + "\r\n";
  text += "\r\n\r\n";
  return text;
}

std::string FormatProblemLine(const ProblemLine& line) {
  std::string text = StringPrintf("%03d ", line.m_nProblem);
  text += FormatLocalTime(line.m_tNow, kLogDateTimeFormat) + "\t";
  text += StringPrintf("\t%d %s %d =", line.m_nA, line.m_strSign.c_str(), line.m_nB);
  // The time-out test comes first, so the log says what the screen said: a problem that timed
  // out with its result in the box (or with an empty box and a result of 0, as an empty box
  // reads 0) was not answered. Logs written before this read such a line as OK.
  if (line.m_bTimedOut) {
    text += StringPrintf("%s (%d)\t\t", kResultTimedOut, line.m_nResult);
  } else if (line.m_nAnswer == line.m_nResult) {
    text += StringPrintf("%d\t\t%s\t", line.m_nAnswer, kResultOk);
  } else {
    text += StringPrintf("%d (%d)\t\t", line.m_nAnswer, line.m_nResult);
  }
  text += StringPrintf(" %ds\t%s%d\r\n", line.m_nLastSecs, kScoreLead, line.m_nScore);
  return text;
}

}  // namespace qz
