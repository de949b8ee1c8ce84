#include "runtime/StrToInt.h"

#include "runtime/ConvertError.h"

#include <charconv>

std::int32_t StrToInt(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const char* last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, value);
    const bool signTwice = digits.size() < text.size() && !digits.empty() && digits.front() == '-';
    if (digits.empty() || error != std::errc() || end != last || signTwice)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value")
                                .arg(QString::fromLatin1(text.data(), qsizetype(text.size()))));
    return value;
}
