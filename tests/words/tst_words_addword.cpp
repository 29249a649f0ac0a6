// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFolder.h"
#include "TestHelpers.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedPlatform.h"
#include "shared/ScrambledText.h"
#include "words/LoadDictionary.h"
#include "words/TfrmAddWord.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString UserCount = QStringLiteral("Количество слов в словаре пользователя: ");
const QString StandardCount = QStringLiteral("Количество слов в стандартном словаре: ");

} // namespace

class TestAddWord : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFolder> m_folder;
    ScriptedPlatform* m_platform = nullptr;
    WordList m_wordList;
    int m_reloads = 0;

    QString userFile() const { return m_folder->file(userdictionary::UserFile); }
    QString mainFile() const { return m_folder->file(userdictionary::MainFile); }

    // The dictionaries on disk and the word list loaded from them, as at start-up.
    void start(const QStringList& standard, const QStringList& user) {
        WriteScrambledText(mainFile(), listText(standard), WriteMode::Replace);
        if (!user.isEmpty())
            WriteScrambledText(userFile(), listText(user), WriteMode::Replace);
        reload();
        m_reloads = 0;
    }
    void reload() {
        ++m_reloads;
        m_wordList.clear();
        loadDictionary(mainFile(), m_wordList);
        if (QFile::exists(userFile()))
            loadDictionary(userFile(), m_wordList);
    }
    std::unique_ptr<TfrmAddWord> window() {
        return std::make_unique<TfrmAddWord>(*m_platform, *m_folder, m_wordList, [this] { reload(); });
    }
    // Runs the checks inside the shown window, then closes it.
    void open(TfrmAddWord& window, std::function<void()> checks) {
        m_platform->onModal([&window, checks](QDialog&) {
            checks();
            control<QPushButton>(window, "Button2")->click();
        });
        m_platform->showModal(window);
    }
    static void add(TfrmAddWord& window, const QString& word, const QString& translation) {
        control<QLineEdit>(window, "Edit1")->setText(word);
        control<QLineEdit>(window, "Edit2")->setText(translation);
        control<QPushButton>(window, "btnAddWorld")->click();
    }
    static void select(TfrmAddWord& window, int row) {
        control<QListView>(window, "lstWords")
            ->setCurrentIndex(control<QListView>(window, "lstWords")->model()->index(row, 0));
    }
    ScriptedPlatform::Message lastMessage() const {
        return m_platform->messages.isEmpty() ? ScriptedPlatform::Message() : m_platform->messages.last();
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("словарь")));
        m_folder = std::make_unique<ProgramFolder>(m_dir->path());
        m_platform = new ScriptedPlatform;
        m_wordList.clear();
    }
    void cleanup() {
        delete m_platform;
        m_folder.reset();
        m_dir.reset();
    }

    void addButtonAndBlankFields() {
        start({"кот|cat", "пёс|dog", "ёж|hedgehog", "шляпа|hat"}, {});
        auto w = window();
        open(*w, [&] {
            control<QLineEdit>(*w, "Edit1")->setText(QStringLiteral("  "));
            control<QLineEdit>(*w, "Edit2")->setText(QStringLiteral("cow"));
            QVERIFY(!control<QPushButton>(*w, "btnAddWorld")->isEnabled());
            control<QLineEdit>(*w, "Edit1")->setText(QStringLiteral("корова"));
            QVERIFY(control<QPushButton>(*w, "btnAddWorld")->isEnabled());
            control<QLineEdit>(*w, "Edit1")->clear();
            QVERIFY(control<QPushButton>(*w, "btnAddWorld")->isEnabled());
            control<QPushButton>(*w, "btnAddWorld")->click();
            QCOMPARE(lastMessage().caption, QStringLiteral("LexiTrainer"));
            QCOMPARE(lastMessage().text, QStringLiteral("Сначала введите слово и его перевод"));
            QCOMPARE(lastMessage().flags, mb::Ok);
        });
        QVERIFY(!QFile::exists(userFile()));
        QCOMPARE(m_reloads, 0);
    }

    void refusedAddsWriteNothing_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("text");
        const QString duplicate = QStringLiteral("Введенное вами слово уже есть в словаре");
        QTest::addRow("first standard line") << "КОТ"
                                             << "tomcat" << duplicate;
        QTest::addRow("last user line, other case") << "мышка"
                                                    << "Mouse" << duplicate;
        QTest::addRow("bar in the word") << "кот|x"
                                         << "cat"
                                         << "Слово и его перевод не могут содержать знак \"|\"";
    }
    void refusedAddsWriteNothing() {
        QFETCH(QString, word);
        QFETCH(QString, translation);
        QFETCH(QString, text);
        start({"кот|cat", "пёс|dog", "ёж|hedgehog", "шляпа|hat"}, {"мышь|mouse"});
        const QByteArray before = readBytes(userFile());
        auto w = window();
        open(*w, [&] {
            add(*w, word, translation);
            QCOMPARE(lastMessage().caption, QStringLiteral("Введите другое слово"));
            QCOMPARE(lastMessage().text, text);
            QCOMPARE(lastMessage().flags, mb::Ok | mb::IconExclamation);
            QCOMPARE(control<QLineEdit>(*w, "Edit1")->text(), word);
            QCOMPARE(control<QLineEdit>(*w, "Edit2")->text(), translation);
        });
        QCOMPARE(readBytes(userFile()), before);
        QCOMPARE(m_reloads, 0);
    }

    void addsReachTheWordListOnClose() {
        start({"кот|cat", "пёс|dog", "ёж|hedgehog"}, {"мышь|mouse"});
        auto w = window();
        open(*w, [&] {
            QCOMPARE(control<QLabel>(*w, "Label8")->text(), UserCount + "1");
            QCOMPARE(control<QLabel>(*w, "Label4")->text(), StandardCount + "3");
            add(*w, QStringLiteral("  слон "), QStringLiteral("elephant\t"));
            // Typed text outside the code page is stored as it comes through it.
            add(*w, QStringLiteral("кит"), QStringLiteral("whale ü"));
            QCOMPARE(control<QLabel>(*w, "Label8")->text(), UserCount + "3");
            QCOMPARE(control<QLabel>(*w, "Label4")->text(), StandardCount + "3");
            QCOMPARE(control<QLineEdit>(*w, "Edit1")->text(), QString());
            QVERIFY(!control<QPushButton>(*w, "btnAddWorld")->isEnabled());
            // A pair added in this opening is already a duplicate, though the word list lacks it.
            add(*w, QStringLiteral("СЛОН"), QStringLiteral("jumbo"));
            QCOMPARE(lastMessage().text, QStringLiteral("Введенное вами слово уже есть в словаре"));
            QCOMPARE(itemsOf(w->userWords()), QStringList({"кит|whale ?", "мышь|mouse", "слон|elephant"}));
            QCOMPARE(m_wordList.count(), 4);
        });
        QCOMPARE(ReadScrambledText(userFile()), listText({"мышь|mouse", "слон|elephant", "кит|whale ?"}));
        QCOMPARE(m_reloads, 1);
        QCOMPARE(m_wordList.count(), 6);
    }

    void deleteAsksAndRewritesInOrder() {
        start({"кот|cat"}, {"шляпа|hat", "Арбуз|melon", "ёж|hedgehog"});
        auto w = window();
        open(*w, [&] {
            control<QPushButton>(*w, "Button3")->click();
            QCOMPARE(lastMessage().text, QStringLiteral("Для удаления сначала быберете слово со списка"));
            QCOMPARE(lastMessage().flags, mb::IconInformation);
            select(*w, 2);
            m_platform->answerMessage(mb::IdNo);
            control<QPushButton>(*w, "Button3")->click();
            QCOMPARE(lastMessage().caption, QStringLiteral("Подтверждение удаления"));
            QCOMPARE(lastMessage().text,
                     QStringLiteral("Вы действительно хотите удалить слово \"шляпа\" и его "
                                    "перевод со словаря пользователя ?"));
            QCOMPARE(lastMessage().flags, mb::YesNo | mb::IconQuestion);
            QVERIFY(!w->DictionaryChanged);
            select(*w, 1);
            m_platform->answerMessage(mb::IdYes);
            control<QPushButton>(*w, "Button3")->click();
            QCOMPARE(control<QLabel>(*w, "Label8")->text(), UserCount + "2");
            QCOMPARE(control<QLabel>(*w, "Label4")->text(), StandardCount + "1");
        });
        QCOMPARE(ReadScrambledText(userFile()), listText({"Арбуз|melon", "шляпа|hat"}));
        QCOMPARE(m_reloads, 1);
    }

    void deleteTheOnlyLineThenNone() {
        start({"кот|cat"}, {"слон"});
        auto w = window();
        open(*w, [&] {
            select(*w, 0);
            m_platform->answerMessage(mb::IdYes);
            control<QPushButton>(*w, "Button3")->click();
            QCOMPARE(m_platform->messages.last().text.count(QStringLiteral("\"слон\"")), 1);
            QCOMPARE(control<QLabel>(*w, "Label8")->text(), UserCount + "0");
            control<QPushButton>(*w, "Button3")->click();
            QCOMPARE(lastMessage().caption, QStringLiteral("Сообщение"));
            QCOMPARE(lastMessage().text, QStringLiteral("В словаре пользователя нет ни одного слова."));
        });
        QVERIFY(QFile::exists(userFile()));
        QCOMPARE(readBytes(userFile()), QByteArray());
    }

    void failedDeleteKeepsFileAndList() {
        start({"кот|cat"}, {"а|a", "б|b"});
        QFile(userFile()).setPermissions(QFileDevice::ReadOwner);
        const QByteArray before = readBytes(userFile());
        auto w = window();
        open(*w, [&] {
            select(*w, 0);
            m_platform->answerMessage(mb::IdYes);
            control<QPushButton>(*w, "Button3")->click();
            QCOMPARE(lastMessage().caption, QStringLiteral("LexiTrainer"));
            QVERIFY(lastMessage().text.contains(userFile()));
            QCOMPARE(itemsOf(w->userWords()), QStringList({"а|a", "б|b"}));
            QVERIFY(!w->DictionaryChanged);
        });
        QCOMPARE(readBytes(userFile()), before);
        QCOMPARE(m_reloads, 0);
    }

    void searchGoesForwardWithoutWrapping() {
        start({"a|b"}, {"шляпа|hat", "кот|cat"});
        auto w = window();
        open(*w, [&] {
            control<QLineEdit>(*w, "Edit3")->setText(QStringLiteral("at"));
            control<QPushButton>(*w, "Button1")->click();
            QCOMPARE(w->selectedRow(), 0);
            QCOMPARE(control<QPushButton>(*w, "Button1")->text(), QStringLiteral("Найти далие"));
            control<QPushButton>(*w, "Button1")->click();
            QCOMPARE(w->selectedRow(), 1);
            control<QPushButton>(*w, "Button1")->click();
            QCOMPARE(w->selectedRow(), 1);
            QCOMPARE(control<QPushButton>(*w, "Button1")->text(), QStringLiteral("Найти далие"));
            control<QLineEdit>(*w, "Edit3")->setText(QStringLiteral("AT"));
            QCOMPARE(control<QPushButton>(*w, "Button1")->text(), QStringLiteral("Поиск"));
            control<QPushButton>(*w, "Button1")->click();
            QCOMPARE(w->selectedRow(), 0);
            QCOMPARE(control<QPushButton>(*w, "Button1")->text(), QStringLiteral("Поиск"));
        });
        QCOMPARE(m_reloads, 0);
    }

    // The load lets pending events run: a close request or a click then must not act on a list that
    // is half loaded.
    void closingWaitsForTheLoad() {
        start({"кот|cat"}, TestFolder::pairs(50));
        auto w = window();
        bool ranDuringLoad = false;
        bool enabledDuringLoad = true;
        bool openAfterClose = false;
        QTimer::singleShot(0, w.get(), [&] {
            ranDuringLoad = w->userWords().count() == 0;
            enabledDuringLoad = w->isEnabled();
            w->reject();
            openAfterClose = w->isVisible();
        });
        open(*w, [&] { QCOMPARE(w->userWords().count(), 50); });
        QVERIFY(ranDuringLoad);
        QVERIFY(!enabledDuringLoad);
        QVERIFY(openAfterClose);
        QVERIFY(w->isEnabled());
    }

    // Whatever a user dictionary holds, the editor shows what reading it gives and writes only what
    // the user asks for.
    void damagedDictionary() {
        QByteArray bytes;
        QRandomGenerator random(20240611);
        for (int i = 0; i < 4000; ++i)
            bytes.append(char(random.bounded(256)));
        bytes.replace('\x0A', '\x0B').replace('\x0D', '\x0E').replace('\x1A', '\x1B');
        // Lines without a bar, a lone CR and a lone LF inside lines, then a raw end-of-file byte.
        const QString plain =
            QStringLiteral("слово\r\nа\rб|в\r\nг\nд|е\r\n") + Coding(QString::fromLatin1(bytes));
        WriteScrambledText(m_folder->file(userdictionary::UserFile), plain, WriteMode::Replace);
        QFile file(userFile());
        QVERIFY(file.open(QIODevice::Append));
        file.write("\x1A\x01\x02");
        file.close();
        start({"кот|cat"}, {});
        WordList read;
        loadDictionary(userFile(), read);
        const QByteArray before = readBytes(userFile());
        auto w = window();
        open(*w, [&] { QCOMPARE(itemsOf(w->userWords()), itemsOf(userdictionary::sorted(read))); });
        QCOMPARE(readBytes(userFile()), before);

        auto again = window();
        open(*again, [&] { add(*again, QStringLiteral("новое"), QStringLiteral("new")); });
        WriteScrambledText(m_folder->file(u"line.txt"), u"новое|new\r\n", WriteMode::Replace);
        QCOMPARE(readBytes(userFile()), before + readBytes(m_folder->file(u"line.txt")));
    }
};

QTEST_MAIN(TestAddWord)
#include "tst_words_addword.moc"
