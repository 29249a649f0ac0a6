// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/Progress.h"

#include <cstdio>
#include <unistd.h>

namespace {
constexpr qint64 delayMs = 1000;
constexpr qint64 redrawMs = 100;
constexpr int barWidth = 30;
} // namespace

Progress::Progress(QString label) : m_label(std::move(label)) {
    m_clock.start();
}

Progress::~Progress() {
    if (m_drawn)
        std::fputs("\r\033[K", stderr);
}

void Progress::update(qint64 done, qint64 total) {
    const qint64 now = m_clock.elapsed();
    if (total <= 0 || now < delayMs || (m_lastDrawn >= 0 && now - m_lastDrawn < redrawMs) || !isatty(2))
        return;
    m_lastDrawn = now;
    m_drawn = true;
    const int filled = int(qMin(done, total) * barWidth / total);
    const QString bar = QString(filled, u'#') + QString(barWidth - filled, u'.');
    std::fprintf(stderr, "\r%s [%s] %3d%%", m_label.toUtf8().constData(), bar.toUtf8().constData(),
                 int(qMin(done, total) * 100 / total));
    std::fflush(stderr);
}
