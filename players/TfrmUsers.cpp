// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/TfrmUsers.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"
#include "platform/WindowLook.h"
#include "platform/WindowPlumbing.h"
#include "players/GamesModel.h"
#include "players/PlayerActions.h"
#include "players/PlayerFile.h"
#include "players/PlayerHost.h"
#include "players/PlayerStore.h"
#include "players/PlayerWidgets.h"
#include "shared/GameState.h"
#include "shared/TextRules.h"
#include "shared/WindowFonts.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>

namespace {

// The client size the controls are placed for; resizing moves them by the difference.
constexpr int DesignWidth = 488;
constexpr int DesignHeight = 478;

QPushButton* button(QWidget* parent, const QString& text, const QRect& place, const QString& hint = {}) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(place);
    b->setToolTip(hint);
    return b;
}

} // namespace

TfrmUsers::TfrmUsers(Platform& platform, const GameState& game, players::PlayerStore& players,
                     PlayerHost& host, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_game(game), m_players(players), m_host(host),
      m_anchors(QSize(DesignWidth, DesignHeight)) {
    setWindowTitle(QStringLiteral("Результаты игр"));
    makeToolWindow(*this);
    setFont(windowfonts::named("MS Sans Serif", 11));

    ListBox1 = playerwidgets::nameList(this, QRect(8, 8, 369, 89), "Courier New");
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setToolTip(QStringLiteral("Список всех игроков"));
    SpeedButton1 = button(this, QStringLiteral("Удалить игрока"), QRect(384, 8, 97, 25),
                          QStringLiteral("Удаляет текущего игрока"));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    Button3 = button(this, QStringLiteral("Переименовать"), QRect(384, 40, 97, 25),
                     QStringLiteral("Переименовует выделеного игрока"));
    Button3->setObjectName(QStringLiteral("Button3"));
    SpeedButton2 = button(this, QStringLiteral("Удалить запись"), QRect(384, 72, 97, 25));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    SpeedButton2->setEnabled(false);

    ListView1 = new ReportView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(8, 104, 473, 345);
    games = new GamesModel(ListView1);
    games->setObjectName(QStringLiteral("games"));
    ListView1->setModel(games);
    ListView1->setShowGrid(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setWordWrap(false);
    ListView1->verticalHeader()->hide();
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 4);
    QHeaderView* columns = ListView1->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(0, QHeaderView::Interactive);
    columns->resizeSection(0, 110);
    // The other four share what is left of the width.
    for (int c = 1; c < players::RecordLineCount; ++c)
        columns->setSectionResizeMode(c, QHeaderView::Stretch);
    setFieldColours(*ListView1, QColor(122, 150, 223), Qt::black);
    ListView1->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("Всего игр:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 453);
    Label1->adjustSize();
    Button1 = button(this, QStringLiteral("Очистить весь список"), QRect(344, 451, 137, 25),
                     QStringLiteral("Очищает весь список результатов игр"));
    Button1->setObjectName(QStringLiteral("Button1"));

    m_anchors.anchor(ListBox1, Anchors::Left | Anchors::Top | Anchors::Right);
    m_anchors.anchor(SpeedButton1, Anchors::Top | Anchors::Right);
    m_anchors.anchor(Button3, Anchors::Top | Anchors::Right);
    // Unlike the two buttons above it, it stays where it is when the window widens.
    m_anchors.anchor(SpeedButton2, Anchors::Left | Anchors::Top);
    m_anchors.anchor(ListView1, Anchors::Left | Anchors::Top | Anchors::Right | Anchors::Bottom);
    m_anchors.anchor(Label1, Anchors::Left | Anchors::Bottom);
    m_anchors.anchor(Button1, Anchors::Right | Anchors::Bottom);

    setTabOrder(ListView1, Button3);
    setTabOrder(Button3, ListBox1);
    setTabOrder(ListBox1, Button1);
    // The player list takes the focus first, so "Удалить запись" waits until the table is chosen.
    ListBox1->setFocus();

    connect(ListBox1, &QListWidget::itemSelectionChanged, this,
            reported(m_platform, this, &TfrmUsers::ListBox1Click));
    connect(SpeedButton1, &QPushButton::clicked, this,
            reported(m_platform, this, &TfrmUsers::SpeedButton1Click));
    connect(Button3, &QPushButton::clicked, this, reported(m_platform, this, &TfrmUsers::Button3Click));
    connect(SpeedButton2, &QPushButton::clicked, this,
            reported(m_platform, this, &TfrmUsers::SpeedButton2Click));
    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmUsers::Button1Click));
    // No default button: Enter in the lists clears or deletes nothing. No cancel button: only the
    // close box closes the window.
    desktop::useButtonKeys(*this);
    desktop::keepOneSelected(*ListBox1);

    resize(DesignWidth, DesignHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmUsers::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    runOnShow(m_platform, *this, event, [this] { FormShow(); });
}

void TfrmUsers::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_anchors.follow(size());
}

bool TfrmUsers::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1) {
        if (event->type() == QEvent::FocusIn) {
            ListView1Enter();
        } else if (event->type() == QEvent::FocusOut) {
            // Another window or a menu coming up leaves the table the focused control of this one.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                ListView1Exit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<QString> TfrmUsers::selectedName() const {
    if (const QListWidgetItem* item = playerwidgets::selectedItem(ListBox1))
        return item->text();
    return std::nullopt;
}

void TfrmUsers::FormShow() {
    const QStringList names = players::playerNames(m_players.MemoPlayers());
    {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(names);
        playerwidgets::setItemHeights(ListBox1);
        if (!names.isEmpty()) {
            const qsizetype current = names.indexOf(m_game.PlayerName);
            ListBox1->setCurrentRow(int(current < 0 ? names.size() - 1 : current));
        }
    }
    if (names.isEmpty()) {
        games->clear();
        showCount();
        return;
    }
    LoadInformation(*selectedName());
}

void TfrmUsers::ListBox1Click() {
    const std::optional<QString> name = selectedName();
    if (name && *name != ShownPlayer)
        LoadInformation(*name);
}

void TfrmUsers::LoadInformation(const QString& Name) {
    games->load(m_players.MemoPlayers(), textrules::trimmed(Name).toString());
    showCount();
    ShownPlayer = Name;
    ShownPlayerIndex = ListBox1->currentRow();
}

void TfrmUsers::showCount() {
    Label1->setText(QStringLiteral("Всего игр: ") + QString::number(games->rowCount()));
    Label1->adjustSize();
}

void TfrmUsers::refreshLabels() {
    players::showPlayerLabels(m_host, m_players.MemoPlayers(), m_game.PlayerName);
}

void TfrmUsers::selectAgain(int index) {
    const QSignalBlocker blocker(ListBox1);
    ListBox1->setCurrentRow(index);
}

void TfrmUsers::Button3Click() {
    const std::optional<QString> old = selectedName();
    if (!old)
        return;
    const QString typed =
        m_platform.inputText(QStringLiteral("Изменение"), QStringLiteral("Введите новое имя"), *old)
            .value_or(*old);
    const QString name = textrules::trimmed(typed).toString();
    if (name.isEmpty() || name == *old)
        return;
    if (!players::isSafeName(name)) {
        players::refuseUnsafeName(m_platform);
        return;
    }
    if (m_players.apply([&](const QString& text) { return players::renamed(text, *old, name); }))
        m_host.playerRenamed(textrules::trimmed(*old).toString(), name);
    refreshLabels();
    FormShow();
}

void TfrmUsers::SpeedButton1Click() {
    if (ListBox1->count() == 0)
        return;
    if (m_platform.messageBox(QStringLiteral("Подтверждение удаления"),
                              QStringLiteral("Вы действительно хотите удалить выбранного игрока"),
                              mb::YesNo) == mb::IdYes)
        DeletePlayer();
}

void TfrmUsers::DeletePlayer() {
    const std::optional<QString> name = selectedName();
    if (!name)
        return;
    if (m_players.apply([&](const QString& text) { return players::withoutPlayer(text, *name); }))
        m_host.playerDeleted(textrules::trimmed(*name).toString());
    refreshLabels();
    FormShow();
}

void TfrmUsers::ListView1Enter() {
    SpeedButton2->setEnabled(true);
}

void TfrmUsers::ListView1Exit() {
    SpeedButton2->setEnabled(false);
}

void TfrmUsers::SpeedButton2Click() {
    const std::optional<QString> name = selectedName();
    if (!name)
        return;
    QList<bool> selected(games->rowCount(), false);
    for (const QModelIndex& row : ListView1->selectionModel()->selectedRows())
        selected[row.row()] = true;
    m_players.apply([&](const QString& text) {
        return players::withoutGames(text, textrules::trimmed(*name).toString(), selected);
    });
    if (!m_game.LoadedGame)
        refreshLabels();
    LoadInformation(*name);
    selectAgain(ShownPlayerIndex);
    showCount();
    ListView1->setFocus(Qt::OtherFocusReason);
}

void TfrmUsers::Button1Click() {
    const std::optional<QString> name = selectedName();
    if (!name)
        return;
    if (m_platform.messageBox(QStringLiteral("Вопрос"),
                              QStringLiteral("Вы действительно хотите очистить список ?"),
                              mb::YesNo | mb::IconQuestion) != mb::IdYes)
        return;
    m_players.apply([&](const QString& text) {
        return players::withGamesCleared(text, textrules::trimmed(*name).toString());
    });
    if (!m_game.LoadedGame)
        refreshLabels();
    LoadInformation(*name);
    selectAgain(ShownPlayerIndex);
}
