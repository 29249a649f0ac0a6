// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/TfrmOpen.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/WindowPlumbing.h"
#include "saves/SaveListBox.h"
#include "saves/SaveNames.h"
#include "saves/SaveWindowLook.h"
#include "saves/SavedGame.h"
#include "shared/ScrambledText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>

namespace {

// Events run about this often while a folder is listed; running them for every entry would cost more
// than the listing.
constexpr qint64 EventIntervalMs = 10;

} // namespace

TfrmOpen::TfrmOpen(Platform& platform, ProgramFolder folder, GameState& game,
                   std::function<void(const SavedGame&)> showRestored, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_folder(std::move(folder)), m_game(game),
      m_showRestored(std::move(showRestored)) {
    savewindows::setLook(*this, QStringLiteral("Открытие игры"), QSize(313, 189));

    // Made in tab order: "Открыть" has the focus when the window opens.
    Button1 = new QPushButton(QStringLiteral("Открыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(16, 160, 129, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(168, 160, 129, 25);
    ListBox1 = new SaveListBox(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(0, 0, 313, 153);

    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmOpen::Button1Click));
    connect(Button2, &QPushButton::clicked, this, reported(m_platform, this, &TfrmOpen::Button2Click));
    connect(ListBox1, &SaveListBox::dblClick, this, reported(m_platform, this, &TfrmOpen::Button1Click));
    desktop::useButtonKeys(*this, Button2);
    desktop::keepOneSelected(*ListBox1);
}

void TfrmOpen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Listed once the window's own loop runs: closing it in the middle of a long folder then ends the
    // loop, where closing it while it is still being shown would leave the loop running for ever.
    runOnShow(
        m_platform, *this, event, [this] { FormShow(); }, ShowRun::Later);
}

void TfrmOpen::GetFiles(const QString& folder, QListWidget* list) {
    const QStringList names = files::listFolder(folder, savenames::Pattern);
    const QPointer<QListWidget> guard(list);
    const bool shown = list->isVisible();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (const QString& name : names) {
        if (sinceEvents.hasExpired(EventIntervalMs)) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
            if (!guard || (shown && !list->isVisible()))
                return;
        }
        list->addItem(name);
    }
}

void TfrmOpen::FormShow() {
    ListBox1->clear();
    const QString saveFolder = m_folder.file(savenames::FolderName);
    QDir().mkdir(saveFolder);
    GetFiles(saveFolder, ListBox1);
    Button1->setEnabled(ListBox1->count() > 0);
    ListBox1->setCurrentRow(0);
}

void TfrmOpen::Button1Click() {
    const QListWidgetItem* entry = ListBox1->selectedEntry();
    if (!entry)
        return;
    const QString path = savenames::entryPath(m_folder, entry->text());
    // Read and checked whole before anything changes, so a bad file leaves the running game as it is.
    const SavedGame saved = savedgame::parse(ReadScrambledText(path));
    savedgame::restore(m_game, saved, path);
    m_showRestored(saved);
    accept();
}

void TfrmOpen::Button2Click() {
    reject();
}
