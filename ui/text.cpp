#include "ui/text.h"

#include "platform/cp1252.h"

namespace ui {

QString qs(const std::string& cp1252) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1252.size()));
    for (unsigned char c : cp1252)
        out.append(QChar(static_cast<char16_t>(platform::cp1252ToUnicode(c))));
    return out;
}

std::string fromQ(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const auto code = platform::unicodeToCp1252(ch.unicode());
        out.push_back(code ? static_cast<char>(*code) : '?');
    }
    return out;
}

std::optional<int> cp1252Code(QChar ch) {
    const auto code = platform::unicodeToCp1252(ch.unicode());
    if (!code) return std::nullopt;
    return *code;
}

QChar qchar(int code) {
    return QChar(
        static_cast<char16_t>(platform::cp1252ToUnicode(static_cast<unsigned char>(code))));
}

QString toWidgetLines(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QStringList textLines(const std::string& cp1252) {
    return toWidgetLines(qs(cp1252)).split(QLatin1Char('\n'));
}

QString fromWidgetLines(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return out;
}

} // namespace ui
