// The layout's UTF-8 texts and names as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace brindle::text {

inline QString qt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace brindle::text
