// SPDX-License-Identifier: MIT
// Any bytes received from the web server must end in a page body or in nothing: never a
// crash, a hang or a read outside the buffer. A body is never longer than what arrived,
// and the answer cut short (by a server that closed the connection early) never gives a
// longer body than the whole answer.
#include "lineage/http_response.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
    const auto bytes = std::make_unique<char[]>(size);
    std::copy(data, data + size, bytes.get());
    const std::string_view received(bytes.get(), size);
    const auto body = lineage::httpResponseBody(received);
    if (body && body->size() > size) __builtin_trap();
    const auto cutBody = lineage::httpResponseBody(received.substr(0, size / 2));
    if (cutBody && (!body || cutBody->size() > body->size())) __builtin_trap();
    return 0;
}
