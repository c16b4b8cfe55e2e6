#pragma once

#include <string>

#include "report/report_model.h"

namespace qz {

// The report as one self-contained HTML page: inline CSS and SVG charts, no script, nothing
// fetched (a content security policy forbids it), every text from the logs escaped.
std::string RenderHtmlReport(const ReportModel& model);

}  // namespace qz
