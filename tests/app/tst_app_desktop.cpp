// SPDX-License-Identifier: GPL-3.0-or-later
// Keys, lists and focus in the real windows, driven by key and mouse events as a player drives them.
#include "MainWindowFixture.h"
#include "info/TfrmAbout.h"
#include "platform/ProgramFolder.h"
#include "players/PlayerFile.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "saves/SaveListBox.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "settings/SettingsStore.h"
#include "settings/TfrmSeting.h"
#include "shared/TimeValue.h"
#include "words/TfrmAddWord.h"
#include "words/TfrmTranslate.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace {

// A player block with one game per points value given.
QString playerBlock(const QString& name, const QStringList& points) {
    QStringList lines{players::headerOf(name), QStringLiteral("Date:="), QStringLiteral("Yes:="),
                      QStringLiteral("No:="),  QStringLiteral("Очки:="), QStringLiteral("GameTime:=")};
    for (const QString& value : points) {
        lines[1] += QStringLiteral("05.03.2007 18:42:10|");
        lines[2] += QStringLiteral("1|");
        lines[3] += QStringLiteral("0|");
        lines[4] += value + QLatin1Char('|');
        lines[5] += QStringLiteral("0:03:00|");
    }
    return listText(lines);
}

void showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// The main window, not shown, over a folder with players, saved games, a user dictionary and settings;
// and each of the other windows over it.
struct Desk {
    MainWindowFixture f;
    ProgramFolder folder{f.folder.path()};
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<QDialog> window;

    Desk() {
        WriteScrambledText(f.folder.path("Players.ini"),
                           playerBlock("Olga", {"1100", "300"}) + playerBlock("Max", {}), WriteMode::Replace);
        QDir().mkpath(f.folder.path("Save"));
        for (const QString& name : {QStringLiteral("first"), QStringLiteral("second")}) {
            SavedGame saved;
            saved.PlayerName = QStringLiteral("Olga");
            saved.Question = QStringLiteral("кот");
            saved.Answers = {"A.   cat", "B.   dog", "C.   cow", "D.   pig"};
            saved.RealButton = 1;
            saved.GameTime = saved.TimeLeft = timevalue::fromHms(0, 3, 0);
            saved.DirectionTrans = QStringLiteral("RU\\EN");
            WriteScrambledText(f.folder.path("Save/" + name + ".gsv"), savedgame::format(saved),
                               WriteMode::Replace);
        }
        f.folder.writeDictionary("словарь/User.txt", {"дом|house", "кот|cat", "пёс|dog"});
        KeyStore keys(f.folder.keyStorePath());
        keys.openKey(settings::KeyPath, true);
        settings::writeGameTime(keys, timevalue::fromHms(1, 0, 0));
        settings::writeTranslation(keys, settings::RussianEnglish);
        settings::writeBackgroundImage(keys, false);
        keys.closeKey();
        main = std::make_unique<TfrmMain>(f.platform, f.keyStore, folder);
        main->LoadPlayersInformation();
        main->LoadWordLists();
    }

    QDialog& open(const QString& name) {
        Platform& p = f.platform;
        GameState& game = main->game;
        if (name == "results")
            window = std::make_unique<TfrmUsers>(p, game, main->playerStore, *main);
        else if (name == "player selection")
            window = std::make_unique<TfrmChoiceUser>(p, game, main->playerStore, *main);
        else if (name == "save")
            window = std::make_unique<TfrmSave>(p, folder, game, [] { return SavedGame(); });
        else if (name == "open")
            window = std::make_unique<TfrmOpen>(p, folder, game, [](const SavedGame&) {});
        else if (name == "editor")
            window = std::make_unique<TfrmAddWord>(p, folder, main->lstQuestion, [] {});
        else if (name == "translator")
            window = std::make_unique<TfrmTranslate>(p, main->lstQuestion);
        else if (name == "about")
            window = std::make_unique<TfrmAbout>(p, folder);
        else if (name == "settings")
            window = std::make_unique<TfrmSeting>(p, folder, f.keyStore, [] {});
        showActive(*window);
        return *window;
    }

    // The window's list that holds one selected name, filled.
    QAbstractItemView* list(const QString& name) {
        if (auto* w = qobject_cast<TfrmUsers*>(window.get()))
            return control<QListWidget>(*w, "ListBox1");
        if (auto* w = qobject_cast<TfrmChoiceUser*>(window.get()))
            return control<QListWidget>(*w, "ListBox1");
        if (auto* w = qobject_cast<TfrmSave*>(window.get()))
            return control<SaveListBox>(*w, "ListBox1");
        if (auto* w = qobject_cast<TfrmOpen*>(window.get()))
            return control<SaveListBox>(*w, "ListBox1");
        if (auto* w = qobject_cast<TfrmAddWord*>(window.get())) {
            control<QTabWidget>(*w, "PageControl1")->setCurrentIndex(1);
            return control<QListView>(*w, "lstWords");
        }
        qFatal("no list in %s", qPrintable(name));
    }
};

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void theSaveWindowsNameIsSelectedAndTypingReplacesIt() {
        Desk d;
        auto& w = static_cast<TfrmSave&>(d.open("save"));
        QTRY_COMPARE(control<SaveListBox>(w, "ListBox1")->count(), 2);
        QCOMPARE(w.focusWidget(), control<QLineEdit>(w, "Edit1"));
        // The name may also come after the field has the focus.
        w.FormShow();
        QCOMPARE(control<QLineEdit>(w, "Edit1")->selectedText(), QStringLiteral("06.03.2007 19-5-33"));
        QTest::keyClicks(control<QLineEdit>(w, "Edit1"), "abc");
        QCOMPARE(control<QLineEdit>(w, "Edit1")->text(), QStringLiteral("abc"));
    }

    void aListKeepsItsSelection_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("control"); // a Ctrl+click on the selected name, else a click below the names
        for (const char* window : {"results", "player selection", "save", "open", "editor"}) {
            QTest::addRow("%s, click on the empty part", window) << QString::fromLatin1(window) << false;
            QTest::addRow("%s, Ctrl+click on the selected name", window)
                << QString::fromLatin1(window) << true;
        }
    }
    void aListKeepsItsSelection() {
        QFETCH(QString, window);
        QFETCH(bool, control);
        Desk d;
        d.open(window);
        QAbstractItemView* list = d.list(window);
        QTRY_VERIFY(list->model()->rowCount() >= 2);
        const QModelIndex second = list->model()->index(1, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
        QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{second});

        if (control)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualRect(second).center());
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              QPoint(10, list->viewport()->height() - 3));
        QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{second});
        QCOMPARE(list->currentIndex(), second);
    }

    void tabLeavesTheResultsTableInTheWindowsOrder() {
        Desk d;
        d.main->game.PlayerName = QStringLiteral("Olga");
        auto& w = static_cast<TfrmUsers&>(d.open("results"));
        QCOMPARE(control<QTableView>(w, "ListView1")->model()->rowCount(), 2);
        control<QTableView>(w, "ListView1")->setFocus(Qt::MouseFocusReason);
        const QList<QWidget*> forwards{control<QPushButton>(w, "Button3"),
                                       control<QListWidget>(w, "ListBox1"),
                                       control<QPushButton>(w, "Button1")};
        for (QWidget* next : forwards) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("stillOpen");
        QTest::addColumn<int>("userWords");
        QTest::addRow("about, OK") << "about" << false << 3;
        QTest::addRow("translator, Закрыть") << "translator" << false << 3;
        QTest::addRow("editor, Добавить") << "editor" << true << 4;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(QString, window);
        QFETCH(bool, stillOpen);
        QFETCH(int, userWords);
        Desk d;
        QDialog& w = d.open(window);
        QWidget* target = nullptr;
        if (auto* about = qobject_cast<TfrmAbout*>(&w)) {
            target = control<QPushButton>(*about, "Button1");
        } else if (auto* translator = qobject_cast<TfrmTranslate*>(&w)) {
            target = control<QPushButton>(*translator, "Button1");
        } else if (auto* editor = qobject_cast<TfrmAddWord*>(&w)) {
            control<QLineEdit>(*editor, "Edit1")->setText(QStringLiteral("лес"));
            control<QLineEdit>(*editor, "Edit2")->setText(QStringLiteral("forest"));
            target = control<QPushButton>(*editor, "btnAddWorld");
        }
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(w.isVisible(), stillOpen);
        if (auto* editor = qobject_cast<TfrmAddWord*>(&w))
            QCOMPARE(editor->userWords().count(), userWords);
    }

    void escapeClosesOnlyWindowsWithACancelButton_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("closes");
        for (const char* window : {"editor", "results", "player selection"})
            QTest::addRow("%s", window) << QString::fromLatin1(window) << false;
        for (const char* window : {"about", "translator", "save", "open", "settings"})
            QTest::addRow("%s", window) << QString::fromLatin1(window) << true;
    }
    void escapeClosesOnlyWindowsWithACancelButton() {
        QFETCH(QString, window);
        QFETCH(bool, closes);
        Desk d;
        QDialog& w = d.open(window);
        if (auto* editor = qobject_cast<TfrmAddWord*>(&w))
            control<QLineEdit>(*editor, "Edit1")->setText(QStringLiteral("лес"));
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &w, Qt::Key_Escape);
        QCOMPARE(!w.isVisible(), closes);
        if (auto* editor = qobject_cast<TfrmAddWord*>(&w))
            QCOMPARE(control<QLineEdit>(*editor, "Edit1")->text(), QStringLiteral("лес"));
    }

    void aTypedGameLengthIsThatLength_data() {
        QTest::addColumn<bool>("selectAll"); // else the field is entered by Tab
        QTest::addColumn<QString>("typed");
        for (const char* typed : {"0:05:00", "2:00:00", "23:59:59", "12:30:00", "0:00:45"}) {
            QTest::addRow("over the whole text, %s", typed) << true << QString::fromLatin1(typed);
            QTest::addRow("after Tab, %s", typed) << false << QString::fromLatin1(typed);
        }
    }
    void aTypedGameLengthIsThatLength() {
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        Desk d;
        auto& w = static_cast<TfrmSeting&>(d.open("settings"));
        QCOMPARE(control<QDateTimeEdit>(w, "TimePicker")->text(), QStringLiteral("1:00:00"));
        if (selectAll) {
            control<QDateTimeEdit>(w, "TimePicker")->setFocus(Qt::MouseFocusReason);
            control<QDateTimeEdit>(w, "TimePicker")->selectAll();
        } else {
            control<QRadioButton>(w, "RadioButton2")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(control<QRadioButton>(w, "RadioButton2"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control<QDateTimeEdit>(w, "TimePicker"));
        }
        QTest::keyClicks(control<QDateTimeEdit>(w, "TimePicker"), typed);
        QCOMPARE(control<QDateTimeEdit>(w, "TimePicker")->text(), typed);
        QTest::keyClick(control<QDateTimeEdit>(w, "TimePicker"), Qt::Key_Return);
        QVERIFY(!w.isVisible());
        d.f.keyStore.openKey(settings::KeyPath, false);
        QCOMPARE(timevalue::toText(settings::readGameTime(d.f.keyStore)), typed);
    }

    void upWrapsRoundWithinTheField_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addRow("hours") << int(QDateTimeEdit::HourSection) << "23:59:00"
                               << "0:59:00";
        QTest::addRow("minutes") << int(QDateTimeEdit::MinuteSection) << "23:59:00"
                                 << "23:00:00";
        QTest::addRow("seconds") << int(QDateTimeEdit::SecondSection) << "0:10:59"
                                 << "0:10:00";
    }
    void upWrapsRoundWithinTheField() {
        QFETCH(int, section);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Desk d;
        auto& w = static_cast<TfrmSeting&>(d.open("settings"));
        control<QDateTimeEdit>(w, "TimePicker")->setTime(QTime::fromString(before, "H:mm:ss"));
        control<QDateTimeEdit>(w, "TimePicker")->setFocus(Qt::TabFocusReason);
        control<QDateTimeEdit>(w, "TimePicker")->setSelectedSection(QDateTimeEdit::Section(section));
        QTest::keyClick(control<QDateTimeEdit>(w, "TimePicker"), Qt::Key_Up);
        QCOMPARE(control<QDateTimeEdit>(w, "TimePicker")->text(), after);
        QCOMPARE(control<QDateTimeEdit>(w, "TimePicker")->date(), QDate(2007, 3, 6));
    }

    void theFocusStartsOnTheCheckedDirection_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("russianFirst");
        QTest::addRow("EN\\RU") << settings::EnglishRussian << false;
        QTest::addRow("RU\\EN") << settings::RussianEnglish << true;
    }
    void theFocusStartsOnTheCheckedDirection() {
        QFETCH(QString, stored);
        QFETCH(bool, russianFirst);
        Desk d;
        d.f.keyStore.openKey(settings::KeyPath, false);
        settings::writeTranslation(d.f.keyStore, stored);
        d.f.keyStore.closeKey();
        auto& w = static_cast<TfrmSeting&>(d.open("settings"));
        QRadioButton* checked = russianFirst ? control<QRadioButton>(w, "RadioButton2")
                                             : control<QRadioButton>(w, "RadioButton1");
        QCOMPARE(QApplication::focusWidget(), checked);
        QTest::keyClick(checked, Qt::Key_Space);
        QVERIFY(checked->isChecked());
    }

    // A record that cannot be read still leaves the main window naming the player who plays.
    void thePlayerLabelNamesTheChosenPlayerFirst() {
        MainWindowFixture f;
        WriteScrambledText(f.folder.path("Players.ini"),
                           playerBlock("Max", {"500"}) + playerBlock("Zed", {"x"}), WriteMode::Replace);
        f.platform.onModal(
            [](QDialog& dialog) { control<QListWidget>(dialog, "ListBox1")->setCurrentRow(1); });
        TfrmMain& window = f.start();
        QTRY_VERIFY(!control<QTimer>(window, "Timer2")->isActive());
        QCOMPARE(window.game.PlayerName, QStringLiteral("Zed"));
        QCOMPARE(control<QLabel>(window, "lblCurrentPlayer")->text(), QStringLiteral("Текущий игрок: Zed"));
        QCOMPARE(f.platform.messages.last().text, QStringLiteral("'x' is not a valid integer value"));
    }

    void anUnreadableStandardDictionaryLeavesTheRestOfTheStartUp() {
        MainWindowFixture f;
        QDir().mkpath(f.folder.path("словарь/main.txt"));
        f.folder.writeDictionary("словарь/User.txt", {"дом|house"});
        {
            KeyStore keys(f.folder.keyStorePath());
            keys.openKey(settings::KeyPath, true);
            settings::writeGameTime(keys, timevalue::fromHms(0, 5, 0));
        }
        WriteScrambledText(f.folder.path("Players.ini"), playerBlock("Max", {"500"}), WriteMode::Replace);
        bool selectionShown = false;
        f.platform.onModal([&](QDialog&) { selectionShown = true; });
        TfrmMain& window = f.start();
        QTRY_VERIFY(selectionShown);
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY(f.platform.messages[0].text.contains("main.txt"));
        QCOMPARE(window.lstQuestion.count(), 1);
        QCOMPARE(timevalue::toText(window.game.GameTime), QStringLiteral("0:05:00"));
        QCOMPARE(window.game.PlayerName, QStringLiteral("Max"));
    }

    void theMainWindowHasTheKeysAfterStartUp() {
        MainWindowFixture f;
        f.folder.writeDictionary("словарь/User.txt", {"дом|house"});
        WriteScrambledText(f.folder.path("Players.ini"), playerBlock("Max", {}), WriteMode::Replace);
        TfrmMain& window = f.start();
        QTRY_VERIFY(!control<QTimer>(window, "Timer2")->isActive());
        QCOMPARE(f.platform.messages.size(), 1);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_app_desktop.moc"
