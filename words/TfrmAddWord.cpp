// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/TfrmAddWord.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/PlainText.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "platform/WindowLook.h"
#include "platform/WindowPlumbing.h"
#include "shared/TextRules.h"
#include "shared/WordPair.h"
#include "words/LoadDictionary.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"
#include "words/WordListModel.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

namespace {

const QString UserCountText = QStringLiteral("Количество слов в словаре пользователя: ");
const QString StandardCountText = QStringLiteral("Количество слов в стандартном словаре: ");
const QString SearchCaption = QStringLiteral("Поиск");
const QString SearchOnCaption = QStringLiteral("Найти далие");
const QString DuplicateCaption = QStringLiteral("Введите другое слово");
const QString NoticeCaption = QStringLiteral("Сообщение");

// What the user typed, as text of the code page, trimmed.
QString typed(const QLineEdit* edit) {
    return textrules::trimmed(ansi::fromUser(edit->text())).toString();
}

QLabel* label(const QString& text, QWidget* parent, int left, int top) {
    auto* result = new QLabel(text, parent);
    result->move(left, top);
    result->adjustSize();
    return result;
}

QLabel* wrappedLabel(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* result = new QLabel(text, parent);
    result->setWordWrap(true);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result->setGeometry(geometry);
    return result;
}

QPushButton* button(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* result = new QPushButton(text, parent);
    result->setGeometry(geometry);
    return result;
}

QLineEdit* edit(QWidget* parent, const QRect& geometry) {
    auto* result = new QLineEdit(parent);
    result->setGeometry(geometry);
    plaintext::keepFirstLine(*result);
    return result;
}

} // namespace

class TfrmAddWord::Busy {
public:
    explicit Busy(TfrmAddWord& window) : m_window(window), m_wasEnabled(window.isEnabled()) {
        m_window.m_busy = true;
        m_window.setEnabled(false);
    }
    ~Busy() {
        m_window.setEnabled(m_wasEnabled);
        m_window.m_busy = false;
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    TfrmAddWord& m_window;
    bool m_wasEnabled;
};

TfrmAddWord::TfrmAddWord(Platform& platform, const ProgramFolder& folder, const WordList& wordList,
                         std::function<void()> reloadWordList, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_folder(folder), m_wordList(wordList),
      m_reloadWordList(std::move(reloadWordList)), m_words(new WordListModel(this)) {
    setWindowTitle(QStringLiteral("Добавление/Удаление слова в словаре пользователя"));
    makeToolWindow(*this);
    setFixedSize(416, 223);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 401, 177);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Добавить"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Удалить"));
    buildAddPage();
    buildDeletePage();

    Label8 = label(QStringLiteral("Количество слов в словаре пользователя:"), this, 8, 188);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label4 = label(StandardCountText, this, 8, 203);
    Label4->setObjectName(QStringLiteral("Label4"));
    Button2 = button(QStringLiteral("Закрыть"), this, QRect(304, 192, 105, 25));
    Button2->setObjectName(QStringLiteral("Button2"));

    connect(Edit1, &QLineEdit::textChanged, this, reported(m_platform, this, &TfrmAddWord::Edit1Change));
    connect(Edit2, &QLineEdit::textChanged, this, reported(m_platform, this, &TfrmAddWord::Edit2Change));
    connect(btnAddWorld, &QPushButton::clicked, this,
            reported(m_platform, this, &TfrmAddWord::btnAddWorldClick));
    connect(Button3, &QPushButton::clicked, this, reported(m_platform, this, &TfrmAddWord::Button3Click));
    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmAddWord::Button1Click));
    connect(Edit3, &QLineEdit::textChanged, this, reported(m_platform, this, &TfrmAddWord::Edit3Change));
    connect(Button2, &QPushButton::clicked, this, reported(m_platform, this, &TfrmAddWord::Button2Click));
    // No default and no cancel button: Enter in a field presses nothing, Escape keeps the typed words.
    desktop::useButtonKeys(*this);
}

TfrmAddWord::~TfrmAddWord() = default;

void TfrmAddWord::buildAddPage() {
    Label1 = label(QStringLiteral("Введите Русское слово"), TabSheet1, 8, 8);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = label(QStringLiteral("Введите перевод слова"), TabSheet1, 8, 32);
    Label2->setObjectName(QStringLiteral("Label2"));
    Edit1 = edit(TabSheet1, QRect(136, 6, 153, 21));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = edit(TabSheet1, QRect(136, 32, 153, 21));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    btnAddWorld = button(QStringLiteral("Добавить"), TabSheet1, QRect(296, 20, 89, 25));
    btnAddWorld->setObjectName(QStringLiteral("btnAddWorld"));
    btnAddWorld->setEnabled(false);
    Label6 = wrappedLabel(
        QStringLiteral("Наберите в поля слово и его перевод. После чего нажмите кнопку Добавить"), TabSheet1,
        QRect(0, 56, 258, 26));
    Label6->setObjectName(QStringLiteral("Label6"));
    Label7 = wrappedLabel(QStringLiteral("Добавленное слово сохраняется в пользовательском словаре, который "
                                         "находится в каталоге программы, в папке \"Словарь\"."),
                          TabSheet1, QRect(0, 88, 375, 26));
    Label7->setObjectName(QStringLiteral("Label7"));
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, btnAddWorld);
}

void TfrmAddWord::buildDeletePage() {
    lstWords = new QListView(TabSheet2);
    lstWords->setObjectName(QStringLiteral("lstWords"));
    lstWords->setGeometry(6, 0, 219, 145);
    lstWords->setModel(m_words);
    // Every line is one text line high, so a long list is laid out without measuring each one.
    lstWords->setUniformItemSizes(true);
    lstWords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstWords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    desktop::keepOneSelected(*lstWords);
    lstWords->setToolTip(
        QStringLiteral("Для заполнения полей удаляемого слова сделайте двойной щелчек миши"));
    Label3 = label(QStringLiteral("Слово для поиска:"), TabSheet2, 232, 8);
    Label3->setObjectName(QStringLiteral("Label3"));
    Edit3 = edit(TabSheet2, QRect(232, 24, 153, 21));
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Button1 = button(SearchCaption, TabSheet2, QRect(264, 56, 89, 25));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button3 = button(QStringLiteral("Удалить выбраное слово"), TabSheet2, QRect(240, 120, 145, 25));
    Button3->setObjectName(QStringLiteral("Button3"));
    setTabOrder(lstWords, Button3);
    setTabOrder(Button3, Edit3);
    setTabOrder(Edit3, Button1);
}

void TfrmAddWord::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the window system is not shown anew.
    runOnShow(m_platform, *this, event, [this] { FormShow(); });
}

void TfrmAddWord::done(int result) {
    if (m_busy)
        return;
    // The reload runs while the window still stands over the main window, so that nothing there acts
    // on a word list that is half loaded.
    runReported(m_platform, [this] { FormClose(); });
    QDialog::done(result);
}

const WordList& TfrmAddWord::userWords() const {
    return m_words->lines();
}

qsizetype TfrmAddWord::selectedRow() const {
    const QModelIndexList selected = lstWords->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TfrmAddWord::selectRow(qsizetype row) {
    const QModelIndex index = m_words->index(int(row));
    lstWords->setCurrentIndex(index);
    lstWords->scrollTo(index);
}

void TfrmAddWord::FormShow() {
    m_words->setLines(WordList());
    const QString userFile = m_folder.file(userdictionary::UserFile);
    WordList lines;
    if (QFileInfo::exists(userFile)) {
        const Busy busy(*this);
        loadDictionary(userFile, lines);
    }
    m_words->setLines(userdictionary::sorted(lines));
    const qsizetype userCount = userWords().count();
    Label8->setText(UserCountText + QString::number(userCount));
    Label8->adjustSize();
    // The standard count is taken once per opening: the word list is not reloaded until the window closes.
    if (Label4->text() == StandardCountText) {
        Label4->setText(StandardCountText + QString::number(m_wordList.count() - userCount));
        Label4->adjustSize();
    }
}

void TfrmAddWord::FormClose() {
    if (!DictionaryChanged || !m_reloadWordList)
        return;
    const Busy busy(*this);
    m_reloadWordList();
}

void TfrmAddWord::Edit1Change() {
    if (!textrules::trimmed(Edit1->text()).isEmpty() && !textrules::trimmed(Edit2->text()).isEmpty())
        btnAddWorld->setEnabled(true);
}

void TfrmAddWord::Edit2Change() {
    Edit1Change();
}

void TfrmAddWord::btnAddWorldClick() {
    const QString word = typed(Edit1);
    const QString translation = typed(Edit2);
    switch (userdictionary::check(m_wordList, userWords(), word, translation)) {
    case userdictionary::Refusal::Blank:
        m_platform.messageBox(QStringLiteral("LexiTrainer"),
                              QStringLiteral("Сначала введите слово и его перевод"), mb::Ok);
        return;
    case userdictionary::Refusal::Separator:
        m_platform.messageBox(DuplicateCaption,
                              QStringLiteral("Слово и его перевод не могут содержать знак \"|\""),
                              mb::Ok | mb::IconExclamation);
        return;
    case userdictionary::Refusal::Duplicate:
        m_platform.messageBox(DuplicateCaption, QStringLiteral("Введенное вами слово уже есть в словаре"),
                              mb::Ok | mb::IconExclamation);
        return;
    case userdictionary::Refusal::None:
        break;
    }
    userdictionary::appendPair(m_folder, word, translation);
    DictionaryChanged = true;
    FormShow();
    btnAddWorld->setEnabled(false);
    Edit1->clear();
    Edit2->clear();
}

void TfrmAddWord::Button3Click() {
    if (userWords().count() == 0) {
        m_platform.informationBox(NoticeCaption,
                                  QStringLiteral("В словаре пользователя нет ни одного слова."));
        return;
    }
    const qsizetype row = selectedRow();
    if (row < 0) {
        m_platform.informationBox(NoticeCaption,
                                  QStringLiteral("Для удаления сначала быберете слово со списка"));
        return;
    }
    const QString word = wordpair::sides(userWords().at(row)).russian.toString();
    const QString question = QStringLiteral("Вы действительно хотите удалить слово \"") + word +
                             QStringLiteral("\" и его перевод со словаря пользователя ?");
    if (m_platform.messageBox(QStringLiteral("Подтверждение удаления"), question,
                              mb::YesNo | mb::IconQuestion) != mb::IdYes)
        return;
    // The list keeps the line until the file no longer holds it, so a failed rewrite leaves both as
    // they were. The file is taken as it is now: pairs added from outside since the list was read stay.
    userdictionary::removeLine(m_folder, userWords().at(row));
    DictionaryChanged = true;
    FormShow();
}

void TfrmAddWord::Button1Click() {
    const QString text = typed(Edit3);
    if (text.isEmpty() || userWords().count() == 0)
        return;
    const bool fresh = Button1->text() == SearchCaption;
    if (fresh)
        selectRow(0);
    qsizetype start = std::max<qsizetype>(selectedRow(), 0);
    if (!fresh)
        ++start;
    const qsizetype found = userdictionary::find(userWords(), text, start);
    if (found < 0)
        return;
    selectRow(found);
    Button1->setText(SearchOnCaption);
}

void TfrmAddWord::Edit3Change() {
    Button1->setText(SearchCaption);
}

void TfrmAddWord::Button2Click() {
    close();
}
