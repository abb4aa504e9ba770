#include "command_report_json.h"

#include "json_string.h"
#include "textcore/utf8.h"

namespace zil::cli {

std::string CommandReportJson(const standin::CommandReport& report) {
  std::string out = "{\"command\": " + EncodeJsonString(report.text);
  if (report.error.empty() || !report.events.empty()) {
    out += ", \"ran\": [";
    for (std::size_t i = 0; i < report.events.size(); ++i) {
      const standin::CommandEvent& event = report.events[i];
      out += std::string(i ? ", " : "") + "{\"" + event.kind + "\": " + EncodeJsonString(event.detail);
      if (event.kind == "alert") out += ", \"answer\": " + EncodeJsonString(event.answer);
      out += '}';
    }
    out += ']';
  }
  if (!report.error.empty()) out += ", \"error\": " + EncodeJsonString(textcore::FromUtf8(report.error));
  return out + "}";
}

}  // namespace zil::cli
