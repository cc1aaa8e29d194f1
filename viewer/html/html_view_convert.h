// Reading and converting a day for the HTML view on a worker thread: a
// large or hostile day takes the converter a tenth of a second or more, and
// meanwhile the window's thread answers what other threads send it and
// paints, but takes no input and runs no timer, so that nothing it holds
// changes under the conversion.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_breaks.h"
#include "viewer/html/html_view_links.h"

namespace corvane {

struct ConvertedDay {
  std::string html;   // the file's bytes; empty when it could not be read
  bool same = false;  // they are those given as shown: nothing was converted
  FormattedText document;
  PageBreaks breaks;
  std::vector<LinkSpan> links;
};

// The file at `path`, read and converted, unless it holds `shown` (when
// given); returns when that is done.
ConvertedDay ReadAndConvertAnswering(const std::string& path,
                                     std::optional<std::string> shown = std::nullopt);

}  // namespace corvane
