#include "qt/codec.h"

#include <QList>

namespace orva {

QString fromCp1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        out.append(QChar(cp1252Char(static_cast<unsigned char>(c))));
    return out;
}

char toCp1252(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
    for (unsigned byte = 0x80; byte < 0xA0; ++byte)
        if (cp1252Char(static_cast<unsigned char>(byte)) == ch) return static_cast<char>(byte);
    return '?';
}

std::string toCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t ch : text.toUcs4())
        out.push_back(toCp1252(ch));
    return out;
}

}  // namespace orva
