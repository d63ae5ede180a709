#pragma once

// A device that reads and writes normally until `limit` bytes have passed, then fails as a full
// disk does. Like a pipe, it hands out at most `step` bytes per read.

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <climits>
#include <cstring>

namespace orvane::testing
{

class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 limit, qint64 step = INT_MAX)
        : data_(std::move(data)), limit_(limit), step_(step)
    {
    }
    QByteArray written;

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (pos_ >= limit_)
            return fail();
        const qint64 n = std::min({max, step_, limit_ - pos_, qint64(data_.size()) - pos_});
        if (n <= 0)
            return 0;
        std::memcpy(out, data_.constData() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        if (qint64(written.size()) >= limit_)
            return fail();
        const qint64 n = std::min(size, limit_ - qint64(written.size()));
        written.append(in, n);
        return n;
    }
    bool isSequential() const override { return true; }

private:
    qint64 fail()
    {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }

    QByteArray data_;
    qint64 limit_;
    qint64 step_;
    qint64 pos_ = 0;
};

} // namespace orvane::testing
