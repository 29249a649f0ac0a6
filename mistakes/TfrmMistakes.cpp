// SPDX-License-Identifier: GPL-3.0-or-later
#include "mistakes/TfrmMistakes.h"

#include "mistakes/MistakesStore.h"
#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/WindowLook.h"
#include "quiz/Question.h"
#include "shared/WindowFonts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

TfrmMistakes::TfrmMistakes(Platform& platform, MistakesStore& store, const QString& player,
                           const QString& direction, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_store(store), m_player(player), m_direction(direction) {
    setWindowTitle(QStringLiteral("Мои ошибки — ") + player);
    makeToolWindow(*this);
    setFont(windowfonts::named("MS Sans Serif", 11));

    table = new QTableWidget(0, 4, this);
    table->setObjectName(QStringLiteral("table"));
    table->setHorizontalHeaderLabels({QStringLiteral("Слово"), QStringLiteral("Перевод"),
                                      QStringLiteral("Ошибок"), QStringLiteral("Последняя ошибка")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    lblEmpty = new QLabel(QStringLiteral("Ошибок пока нет."), this);
    lblEmpty->setObjectName(QStringLiteral("lblEmpty"));
    lblEmpty->setTextFormat(Qt::PlainText);

    btnPractice = new QPushButton(QStringLiteral("Тренировать"), this);
    btnPractice->setObjectName(QStringLiteral("btnPractice"));
    btnPractice->setToolTip(QStringLiteral("Игра только на словах из этого списка"));
    btnDelete = new QPushButton(QStringLiteral("Удалить"), this);
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnDelete->setToolTip(QStringLiteral("Убирает выделенные слова из списка"));
    btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblEmpty);
    buttons->addStretch();
    buttons->addWidget(btnPractice);
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(btnPractice, &QPushButton::clicked, this,
            reported(m_platform, this, &TfrmMistakes::btnPracticeClick));
    connect(btnDelete, &QPushButton::clicked, this,
            reported(m_platform, this, &TfrmMistakes::btnDeleteClick));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(table, &QTableWidget::itemSelectionChanged, this,
            [this] { btnDelete->setEnabled(!table->selectedItems().isEmpty()); });
    // Enter presses a focused button only; Escape presses "Закрыть".
    desktop::useButtonKeys(*this, btnClose);

    runReported(m_platform, [this] { LoadMistakes(); });
}

void TfrmMistakes::LoadMistakes() {
    m_shown = mistakes::mostMissedFirst(mistakes::mistakesOf(m_store.text(), m_player));
    table->clearContents();
    table->setRowCount(int(m_shown.size()));
    for (int row = 0; row < m_shown.size(); ++row) {
        const mistakes::Mistake& m = m_shown[row];
        const question::Sides sides = question::sides(m.pair, m_direction);
        table->setItem(row, 0, cell(sides.word.toString()));
        table->setItem(row, 1, cell(sides.answer.toString()));
        table->setItem(row, 2, cell(QString::number(m.misses), Qt::AlignRight | Qt::AlignVCenter));
        table->setItem(row, 3, cell(m.lastMiss));
    }
    lblEmpty->setVisible(m_shown.isEmpty());
    btnPractice->setEnabled(!m_shown.isEmpty());
    btnDelete->setEnabled(false);
}

void TfrmMistakes::btnPracticeClick() {
    m_practice = true;
    accept();
}

void TfrmMistakes::btnDeleteClick() {
    std::set<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        rows.insert(index.row());
    QStringList pairs;
    for (int row : rows)
        pairs << m_shown[row].pair;
    if (pairs.isEmpty())
        return;
    m_store.apply([&](QStringView text) { return mistakes::withoutPairs(text, m_player, pairs); });
    LoadMistakes();
}
