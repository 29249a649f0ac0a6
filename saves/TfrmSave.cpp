// SPDX-License-Identifier: GPL-3.0-or-later
#include "saves/TfrmSave.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/PlainText.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "platform/WindowPlumbing.h"
#include "platform/WriteLock.h"
#include "saves/SaveListBox.h"
#include "saves/SaveNames.h"
#include "saves/SaveWindowLook.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "shared/GameState.h"
#include "shared/ScrambledText.h"
#include "shared/TextRules.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TfrmSave::TfrmSave(Platform& platform, ProgramFolder folder, GameState& game,
                   std::function<SavedGame()> snapshot, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_folder(std::move(folder)), m_game(game),
      m_snapshot(std::move(snapshot)) {
    savewindows::setLook(*this, QStringLiteral("Сохранение игры"), QSize(314, 188));

    // Made in tab order: the name has the focus when the window opens.
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(16, 136, 281, 21);
    plaintext::keepFirstLine(*Edit1);
    Button1 = new QPushButton(QStringLiteral("Сохранить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(16, 160, 129, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(168, 160, 129, 25);
    ListBox1 = new SaveListBox(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(0, 0, 313, 129);

    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmSave::Button1Click));
    connect(Button2, &QPushButton::clicked, this, reported(m_platform, this, &TfrmSave::Button2Click));
    connect(ListBox1, &SaveListBox::dblClick, this, reported(m_platform, this, &TfrmSave::ListBox1DblClick));
    desktop::useButtonKeys(*this, Button2);
    desktop::keepOneSelected(*ListBox1);
}

void TfrmSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Listed once the window's own loop runs, as the open window does.
    runOnShow(
        m_platform, *this, event, [this] { FormShow(); }, ShowRun::Later);
}

void TfrmSave::Save(const QString& path, bool ask) {
    if (path.isEmpty())
        return;
    if (ask && QFileInfo::exists(path) &&
        m_platform.messageBox(QStringLiteral("Сохранение"),
                              QStringLiteral("Файл уже существует! Вы хотите перезапесать его?"),
                              mb::YesNo) != mb::IdYes)
        return;
    const QString content = savedgame::format(m_snapshot());
    WriteLock lock(m_folder.root());
    lock.lockFor(path);
    files::resetAttributes(path);
    WriteScrambledText(path, content, WriteMode::Replace);
    if (isVisible())
        accept();
    m_game.savedTo(path);
}

void TfrmSave::FormShow() {
    desktop::setSelectedText(*Edit1, savenames::defaultName(m_platform.now()));
    ListBox1->clear();
    const QString saveFolder = m_folder.file(savenames::FolderName);
    QDir().mkdir(saveFolder);
    TfrmOpen::GetFiles(saveFolder, ListBox1);
}

void TfrmSave::Button1Click() {
    const QString name = textrules::trimmed(ansi::fromUser(Edit1->text())).toString();
    // A separator would put the file outside the save folder, or in a folder that is not there.
    if (savenames::leavesFolder(name)) {
        m_platform.messageBox(QStringLiteral("Сохранение"),
                              QStringLiteral("Имя файла не может содержать символы \"/\" и \"\\\".\r\n"
                                             "Введите другое имя."),
                              mb::IconExclamation);
        return;
    }
    Save(savenames::filePath(m_folder, name), true);
}

void TfrmSave::Button2Click() {
    reject();
}

void TfrmSave::ListBox1DblClick() {
    if (const QListWidgetItem* entry = ListBox1->selectedEntry())
        Edit1->setText(entry->text().chopped(4));
}
