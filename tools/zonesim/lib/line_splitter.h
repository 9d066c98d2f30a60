// Cuts received bytes into lines the way the zone server reads them.
#pragma once

#include <QByteArray>
#include <QList>

namespace zonesim {

// Any run of CR and LF ends a line; empty lines vanish. Like the real server's fixed input buffer,
// a line that grows to `limit` bytes without an end loses those bytes and reading goes on with the
// rest as a new line (limit 0: no limit).
class LineSplitter {
  public:
    explicit LineSplitter(int limit = 0) : limit_(limit) {}
    QList<QByteArray> feed(const QByteArray& bytes);
    const QByteArray& pending() const { return buf_; }

  private:
    int limit_;
    QByteArray buf_;
};

// The leading decimal value of a field, as the server reads numbers: "7x" is 7, "abc" is 0.
long long leadingNumber(const QByteArray& field);

}  // namespace zonesim
