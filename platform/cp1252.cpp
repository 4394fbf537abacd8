#include "platform/cp1252.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; zero marks the bytes Windows leaves unassigned.
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

char32_t cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
    return byte;
}

std::optional<unsigned char> unicodeToCp1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == 0 ? code == char32_t(0x80 + i) : kHigh[i] == code)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<std::string> utf8ToCp1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t code;
        int extra;
        if (b < 0x80) {
            code = b;
            extra = 0;
        } else if ((b & 0xE0) == 0xC0) {
            code = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            code = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            code = b & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + extra >= utf8.size() && extra > 0) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (c & 0x3F);
        }
        const auto byte = unicodeToCp1252(code);
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
        i += extra + 1;
    }
    return out;
}

std::string cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char byte : text) {
        const char32_t code = cp1252ToUnicode(byte);
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

unsigned char upper1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 16; // š œ ž
    if (c == 0xFF) return 0x9F;                             // ÿ -> Ÿ
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32; // à..þ except ÷
    return c;
}

unsigned char lower1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
    if (c == 0x9F) return 0xFF;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

std::string upper1252(const std::string& text) {
    std::string out = text;
    for (char& ch : out) ch = static_cast<char>(upper1252(static_cast<unsigned char>(ch)));
    return out;
}

std::string lower1252(const std::string& text) {
    std::string out = text;
    for (char& ch : out) ch = static_cast<char>(lower1252(static_cast<unsigned char>(ch)));
    return out;
}

} // namespace platform

std::string cp(const char* utf8) {
    auto text = platform::utf8ToCp1252(utf8);
    if (!text) {
        std::fprintf(stderr, "texte hors de la page de code Windows-1252 : %s\n", utf8);
        std::abort();
    }
    return *text;
}

std::string cp(const std::string& utf8) {
    return cp(utf8.c_str());
}
