// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>

// A progress bar on standard error for work that takes longer than a second; drawn only on a
// terminal, so that redirected output stays clean. The bar is wiped when the work is done.
class Progress {
public:
    explicit Progress(QString label);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(qint64 done, qint64 total);

private:
    QString m_label;
    QElapsedTimer m_clock;
    qint64 m_lastDrawn = -1;
    bool m_drawn = false;
};
