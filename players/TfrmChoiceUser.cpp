// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/TfrmChoiceUser.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/WindowLook.h"
#include "platform/WindowPlumbing.h"
#include "players/PlayerActions.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "players/PlayerStore.h"
#include "players/PlayerWidgets.h"
#include "shared/GameState.h"
#include "shared/TextRules.h"
#include "shared/WindowFonts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

TfrmChoiceUser::TfrmChoiceUser(Platform& platform, GameState& game, players::PlayerStore& players,
                               PlayerHost& host, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_game(game), m_players(players), m_host(host) {
    setWindowTitle(QStringLiteral("Список игроков"));
    // A small caption without any button. Not kept above all windows: the message boxes it raises would
    // open beneath it and block it unseen; as a modal child it stays above the main window anyway.
    makeToolWindow(*this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setFixedSize(351, 136);
    // Centred on the main window; a window manager places tool windows where it likes otherwise.
    if (parent)
        move(parent->geometry().center() - rect().center());
    setFont(windowfonts::named("MS Sans Serif", 11));

    ListBox1 = playerwidgets::nameList(this, QRect(0, 0, 257, 137), "Times New Roman");
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Button1 = new QPushButton(QStringLiteral("ОК"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(264, 8, 81, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Добавить"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(264, 40, 81, 25);
    Button3 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(264, 72, 81, 25);
    Button3->hide();
    Label1 = new QLabel(QStringLiteral("Выберете игрока со списка"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(259, 104, 88, 26);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    // Every change of the selection, by mouse or keys; the window's own changes block the signal.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this,
            reported(m_platform, this, &TfrmChoiceUser::ListBox1Click));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            reported(m_platform, this, &TfrmChoiceUser::ListBox1DblClick));
    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmChoiceUser::Button1Click));
    connect(Button2, &QPushButton::clicked, this, reported(m_platform, this, &TfrmChoiceUser::Button2Click));
    connect(Button3, &QPushButton::clicked, this, reported(m_platform, this, &TfrmChoiceUser::Button3Click));
    // No button cancels this window, so Escape does nothing.
    desktop::useButtonKeys(*this);
    desktop::keepOneSelected(*ListBox1);
}

void TfrmChoiceUser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    runOnShow(m_platform, *this, event, [this] { FormShow(); });
}

void TfrmChoiceUser::done(int result) {
    runReported(m_platform, [this] { FormClose(); });
    QDialog::done(result);
}

void TfrmChoiceUser::FormShow() {
    {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(players::playerNames(m_players.MemoPlayers()));
        playerwidgets::setItemHeights(ListBox1);
        if (ListBox1->count() > 0)
            ListBox1->setCurrentRow(0);
    }
    if (ListBox1->count() > 0) {
        ListBox1Click();
        Button1->setEnabled(true);
        Button3->hide();
        Label1->move(Label1->x(), 72);
        Label1->setText(QStringLiteral("Выберете игрока со списка"));
        m_host.stopGameClock();
    } else {
        Button1->setEnabled(false);
        Button3->show();
        Label1->move(Label1->x(), 104);
        Label1->setText(QStringLiteral("Создайте нового игрока"));
    }
}

void TfrmChoiceUser::ListBox1Click() {
    if (const QListWidgetItem* item = playerwidgets::selectedItem(ListBox1))
        LoadPlayerInfo(item->text());
}

void TfrmChoiceUser::LoadPlayerInfo(const QString& Name) {
    if (playerwidgets::selectedItem(ListBox1))
        m_game.choosePlayer(Name);
    players::showPlayerLabels(m_host, m_players.MemoPlayers(), m_game.PlayerName);
}

void TfrmChoiceUser::Button1Click() {
    accept();
}

void TfrmChoiceUser::Button3Click() {
    accept();
}

void TfrmChoiceUser::ListBox1DblClick() {
    accept();
}

void TfrmChoiceUser::Button2Click() {
    const QString typed =
        m_platform
            .inputText(QStringLiteral("Новый игрок"), QStringLiteral("Введите имя или ник ирока"), QString())
            .value_or(QString());
    const QString name = textrules::trimmed(typed).toString();
    if (name.isEmpty())
        return;
    if (!players::isSafeName(name)) {
        players::refuseUnsafeName(m_platform);
        return;
    }
    if (players::isDuplicateName(m_players.MemoPlayers(), name)) {
        m_platform.messageBox(QStringLiteral("Отмена ввода"), QStringLiteral("Этот игрок уже есть в игре"),
                              mb::Ok);
        return;
    }
    try {
        files::createIfMissing(m_players.path());
    } catch (const Failure&) {
        m_platform.messageBox(QStringLiteral("Отмена создания"),
                              QStringLiteral("Невозможно создать файл списка игроков.\r\nВозможно диск "
                                             "защищён от записи."),
                              mb::IconExclamation);
        return;
    }
    files::resetAttributes(m_players.path());
    // Added to the file as it is now; a player of the same name added meanwhile by another game stays
    // the only one.
    m_players.apply([&name](const QString& text) -> std::optional<QString> {
        if (players::isDuplicateName(text, name))
            return std::nullopt;
        return text + players::newBlock(name);
    });
    FormShow();
}

void TfrmChoiceUser::FormClose() {
    if (ListBox1->count() == 0)
        m_host.closeMainWindow();
    if (m_game.LoadedGame) {
        m_host.reloadSettings();
        m_game.leaveReopenedGame();
    }
}
