#pragma once

#include <string>

namespace tessaline {

// A reason or warning the pipeline gave in English ("cannot be opened: No such file or
// directory"), in the run's language. The English wording is the key, as in gettext: its opening phrase is looked up,
// and the system's explanation after it is told by the kind its words name. Anything not in the
// table stays as it is.
std::string reason_in_run_language(const std::string& english);

}  // namespace tessaline
