// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lineage {

// The body of a whole HTTP/1.1 answer, received up to the server's closing of the
// connection: the status line, the headers, then the body framed by "Transfer-Encoding:
// chunked", by "Content-Length" or by the end of the bytes. Interim (1xx) answers are
// skipped. Nothing for a status other than 2xx (an error page is no horse page) or for an
// answer that was cut short or is not HTTP.
std::optional<std::string> httpResponseBody(std::string_view received);

}  // namespace lineage
