// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstring>

// A device in memory that fails after a number of bytes, as a full disk fails a write and a bad sector a
// read: the bytes up to the limit go through, the call that reaches past it gets only those, and every
// later call fails with the reason.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QByteArray content, qint64 failAfter,
                  QString reason = QStringLiteral("No space left on device"))
        : m_content(std::move(content)), m_failAfter(failAfter), m_reason(std::move(reason)) {}

    QByteArray written() const { return m_written; }
    bool isSequential() const override { return true; }
    qint64 size() const override { return m_content.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 allowed = qMin(m_failAfter, m_content.size()) - m_read;
        if (allowed <= 0)
            return m_read < m_content.size() ? fail() : 0;
        const qint64 n = qMin(maxSize, allowed);
        std::memcpy(data, m_content.constData() + m_read, size_t(n));
        m_read += n;
        return n;
    }
    qint64 writeData(const char* data, qint64 maxSize) override {
        const qint64 allowed = m_failAfter - m_written.size();
        if (allowed <= 0)
            return fail();
        const qint64 n = qMin(maxSize, allowed);
        m_written.append(data, n);
        return n;
    }

private:
    qint64 fail() {
        setErrorString(m_reason);
        return -1;
    }

    QByteArray m_content;
    QByteArray m_written;
    qint64 m_read = 0;
    qint64 m_failAfter;
    QString m_reason;
};
