#include "line_splitter.h"

namespace zonesim {

namespace {
qsizetype findLineEnd(const QByteArray& buf) {
    for (qsizetype i = 0; i < buf.size(); ++i) {
        if (buf[i] == '\n' || buf[i] == '\r') return i;
    }
    return -1;
}
}  // namespace

QList<QByteArray> LineSplitter::feed(const QByteArray& bytes) {
    buf_.append(bytes);
    QList<QByteArray> lines;
    for (;;) {
        const qsizetype end = findLineEnd(buf_);
        if (limit_ > 0 && (end < 0 ? buf_.size() : end) >= limit_) {
            buf_.remove(0, limit_);
            continue;
        }
        if (end < 0) break;
        if (end > 0) lines.append(buf_.left(end));
        buf_.remove(0, end + 1);
    }
    return lines;
}

long long leadingNumber(const QByteArray& field) {
    qsizetype i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    long long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        if (value < 1'000'000'000'000LL) value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace zonesim
