#pragma once
// The system's texts in the toolkit's strings and back: UTF-8 on both sides.

#include <QString>

#include <string>
#include <string_view>

namespace tavlo {

inline QString fromSystem(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toSystem(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace tavlo
