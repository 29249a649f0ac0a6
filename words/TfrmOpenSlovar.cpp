// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/TfrmOpenSlovar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include <climits>

TfrmOpenSlovar::TfrmOpenSlovar(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Открытие словаря программы"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(329, 97);

    Label1 = new QLabel(QStringLiteral("Загрузка и разшифровка словаря программы"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(48, 8);
    Label1->adjustSize();

    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setGeometry(8, 32, 313, 25);
    ProgBar->setRange(0, 100);
    ProgBar->setValue(0);
    ProgBar->setTextVisible(false);

    lblPersent = new QLabel(QStringLiteral("Загружено 0 %"), this);
    lblPersent->setObjectName(QStringLiteral("lblPersent"));
    lblPersent->move(112, 72);
    lblPersent->adjustSize();

    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void TfrmOpenSlovar::setMaximum(qint64 maximum) {
    m_maximum = maximum;
    m_scaleShift = 0;
    while ((m_maximum >> m_scaleShift) > INT_MAX)
        ++m_scaleShift;
    updateBar();
}

void TfrmOpenSlovar::setPosition(qint64 position) {
    m_position = position;
    updateBar();
    ShowPercent();
}

void TfrmOpenSlovar::showProgress() {
    show();
}

void TfrmOpenSlovar::processEvents() {
    QCoreApplication::processEvents();
}

void TfrmOpenSlovar::finish() {
    m_loading = false;
    close();
}

void TfrmOpenSlovar::updateBar() {
    ProgBar->setRange(0, int(m_maximum >> m_scaleShift));
    ProgBar->setValue(int(m_position >> m_scaleShift));
}

void TfrmOpenSlovar::ShowPercent() {
    const qint64 percent = m_maximum > 0 ? m_position * 100 / m_maximum : 0;
    lblPersent->setText(QStringLiteral("Загружено ") + QString::number(percent) + QStringLiteral(" %"));
    lblPersent->adjustSize();
}

void TfrmOpenSlovar::FormKeyDown(int& Key, Qt::KeyboardModifiers Shift) {
    if ((Shift & Qt::AltModifier) && Key == Qt::Key_F4)
        Key = 0;
}

void TfrmOpenSlovar::reject() {
    if (!m_loading)
        QDialog::reject();
}

void TfrmOpenSlovar::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    FormKeyDown(key, event->modifiers());
    // Every key stops here: the dialog's own Escape handling would hide the window mid-load.
    event->accept();
}

void TfrmOpenSlovar::closeEvent(QCloseEvent* event) {
    if (m_loading)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
