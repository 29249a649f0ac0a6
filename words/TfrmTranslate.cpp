// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/TfrmTranslate.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/PlainText.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "platform/WindowLook.h"
#include "platform/WindowPlumbing.h"
#include "shared/TextRules.h"
#include "words/Translator.h"
#include "words/WordList.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QColor LightBlue(216, 228, 248);

} // namespace

TfrmTranslate::TfrmTranslate(Platform& platform, const WordList& wordList, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_wordList(wordList) {
    setWindowTitle(QStringLiteral("Мини переводчик"));
    makeToolWindow(*this);
    setFixedSize(365, 172);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(6, 6, 273, 21);
    plaintext::keepFirstLine(*Edit1);
    Edit1->setToolTip(QStringLiteral("Введите сюда слово для перевода на русском или английском языке"));
    setFieldColours(*Edit1, LightBlue, Qt::black);

    Button1 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(284, 4, 74, 25);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(6, 33, 353, 134);
    ListBox1->setToolTip(QStringLiteral("10 наиболее подходящих вариантов перевода слова"));
    setFieldColours(*ListBox1, LightBlue, Qt::black);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    mnuCopy = PopupMenu1->addAction(QStringLiteral("Копировать"));
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });

    setTabOrder(Edit1, ListBox1);
    setTabOrder(ListBox1, Button1);

    connect(Edit1, &QLineEdit::textChanged, this, reported(m_platform, this, &TfrmTranslate::Edit1Change));
    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmTranslate::Button1Click));
    connect(mnuCopy, &QAction::triggered, this, reported(m_platform, this, &TfrmTranslate::mnuCopyClick));
    // Enter in the field presses nothing; Escape presses "Закрыть".
    desktop::useButtonKeys(*this, Button1);
}

void TfrmTranslate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    runOnShow(m_platform, *this, event, [this] { FormShow(); });
}

QString TfrmTranslate::GetLanguage() const {
    return translator::language(ansi::fromUser(Edit1->text()));
}

void TfrmTranslate::Edit1Change() {
    // Taking the leading blanks out of the field changes its text once more; the list is built once.
    if (m_trimming)
        return;
    ListBox1->clear();
    const QString text = Edit1->text();
    const QStringView rest = textrules::trimmedLeft(text);
    if (rest.size() != text.size()) {
        const int cursor = Edit1->cursorPosition() - int(text.size() - rest.size());
        m_trimming = true;
        Edit1->setText(rest.toString());
        m_trimming = false;
        Edit1->setCursorPosition(std::max(cursor, 0));
    }
    if (Edit1->text().isEmpty())
        return;
    const QString word = textrules::trimmed(ansi::fromUser(Edit1->text())).toString();
    ListBox1->addItems(translator::results(m_wordList, word, GetLanguage()));
}

void TfrmTranslate::FormShow() {
    setWindowTitle(QStringLiteral("Мини переводчик на %1 слов(а)").arg(m_wordList.count()));
}

void TfrmTranslate::mnuCopyClick() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (!selected.isEmpty())
        m_platform.setClipboardText(selected.first()->text());
}

void TfrmTranslate::Button1Click() {
    close();
}
