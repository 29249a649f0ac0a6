// SPDX-License-Identifier: GPL-3.0-or-later
// Long random runs of the player's commands (answers, the clock, new, aborted, saved and reopened
// games, players added, chosen, renamed and deleted, games deleted and cleared) against a reference
// model of what the files on disk must hold, checked after every step.
// LEXI_LONGRUN_STEPS sets the steps of each run (scripts/longrun runs 100,000); the test suite runs a
// short one.
#include "MainWindowFixture.h"
#include "platform/KeyStore.h"
#include "platform/RegionalFormats.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "saves/SaveListBox.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "settings/SettingsStore.h"
#include "shared/ScrambledText.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <random>

namespace {

enum class Step {
    Answer,
    Tick,
    Pause,
    Resume,
    Abort,
    NewGameYes,
    NewGameNo,
    Save,
    SaveAs,
    Open,
    AddPlayer,
    ChoosePlayer,
    Rename,
    DeletePlayer,
    DeleteGames,
    Clear,
    Count
};

const QStringList NewPlayers = {QStringLiteral("Olga"), QStringLiteral("пётр"), QStringLiteral("Пётр"),
                                QStringLiteral(" Max "), QStringLiteral("Ёж")};
const QStringList NewNames = {QStringLiteral("Olga"), QStringLiteral("Ольга"), QStringLiteral("Иван"),
                              QString()};
const std::array<QString, 5> Keys = {QStringLiteral("Date:="), QStringLiteral("Yes:="),
                                     QStringLiteral("No:="), QStringLiteral("Очки:="),
                                     QStringLiteral("GameTime:=")};

struct Player {
    QString name;
    QList<std::array<QString, 5>> games;
};

const QStringList SaveNames = {QStringLiteral("a"), QStringLiteral("игра"), QStringLiteral("Ёж и «ёлка» №1"),
                               QString(60, u'x')};

// What a saved-game file must hold, as the player saw the game when saving it.
struct SavedRecord {
    QString date;
    qint32 yes = 0, no = 0, points = 0;
    int leftSeconds = 0;
    QString question;
    std::array<QString, 4> answers;
    qint32 realButton = 0;
    QString player;
};

struct Model {
    bool running = false, clock = false;
    qint32 yes = 0, no = 0, points = 0;
    int gameSeconds = 4, leftSeconds = 4;
    bool save = false, saveAs = false;
    QString saveFile;                 // the entry the game belongs to, empty for none
    QMap<QString, SavedRecord> files; // entry name in the save folder -> content
    QList<Player> players;            // in the player file's order
    QString player;                   // the current player's name
    bool loaded = false;              // the game came from a file: its end records nothing

    // The first player of the name, as every lookup finds it; -1 for none.
    qsizetype find(const QString& name) const {
        for (qsizetype i = 0; i < players.size(); ++i)
            if (players[i].name == name)
                return i;
        return -1;
    }
    QStringList names() const {
        QStringList all;
        for (const Player& p : players)
            all.append(p.name);
        return all;
    }
    // The player file's decoded text.
    QString playerText() const {
        QString text;
        for (const Player& p : players) {
            text += QStringLiteral("$/$/$/$/$") + p.name + QStringLiteral("$\\$\\$\\$\\$\r\n");
            for (int line = 0; line < 5; ++line) {
                text += Keys[line];
                for (const auto& game : p.games)
                    text += game[line] + QLatin1Char('|');
                text += QStringLiteral("\r\n");
            }
        }
        return text;
    }
};

QString clockText(int seconds) {
    return timevalue::toText(seconds * timevalue::OneSecond);
}

int seconds(double value) {
    return int(std::lround(value / timevalue::OneSecond));
}

// The word asked: the line after the prompt in the question box, none after a game.
QString questionShown(const QString& box) {
    const qsizetype start = box.indexOf(QLatin1String("\r\n"));
    if (start < 0)
        return {};
    const QString rest = box.mid(start + 2);
    return rest.left(rest.indexOf(QLatin1String("\r\n")));
}

qsizetype stepsPerRun() {
    bool ok = false;
    const qsizetype steps = qEnvironmentVariableIntValue("LEXI_LONGRUN_STEPS", &ok);
    return ok && steps > 0 ? steps : 1000;
}

} // namespace

class TestLongRunModel : public QObject {
    Q_OBJECT

private:
    MainWindowFixture* f = nullptr;
    TfrmMain* window = nullptr;
    Model model;
    int questions = 0; // questions the step was to ask
    int saves = 0, opens = 0, recorded = 0, playerEdits = 0;

    QString savePath(const QString& entry) const { return f->folder.path(QStringLiteral("Save/") + entry); }

    SavedRecord recordNow() const {
        SavedRecord r;
        r.date = regional::dateTimeText(f->platform.now());
        r.yes = model.yes;
        r.no = model.no;
        r.points = model.points;
        r.leftSeconds = model.leftSeconds;
        r.question = questionShown(control<GameBoard>(*window, "board")->memoText());
        for (int k = 0; k < 4; ++k)
            r.answers[k] = control<GameBoard>(*window, "board")->answerLabel(k + 1)->text();
        r.realButton = window->game.RealButton;
        r.player = model.player;
        return r;
    }

    // The save window given a name; the overwrite question, if it comes, answered as told.
    void saveThroughWindow(const QString& name, bool overwrite, QAction* command) {
        const bool exists = model.files.contains(name + QStringLiteral(".gsv"));
        if (exists) {
            f->platform.answerMessage(overwrite ? mb::IdYes : mb::IdNo);
            ++questions;
        }
        f->platform.onModal([name](QDialog& dialog) {
            auto& save = static_cast<TfrmSave&>(dialog);
            QCoreApplication::processEvents();
            control<QLineEdit>(save, "Edit1")->setText(name);
            control<QPushButton>(save, "Button1")->click();
        });
        if (!exists || overwrite) {
            const QString entry = name + QStringLiteral(".gsv");
            model.files[entry] = recordNow();
            model.saveFile = entry;
            ++saves;
        }
        command->trigger();
    }

    void open(const QString& entry) {
        f->platform.onModal([entry](QDialog& dialog) {
            auto& open = static_cast<TfrmOpen&>(dialog);
            QCoreApplication::processEvents();
            control<SaveListBox>(open, "ListBox1")
                ->setCurrentItem(
                    control<SaveListBox>(open, "ListBox1")->findItems(entry, Qt::MatchExactly).value(0));
            control<QPushButton>(open, "Button1")->click();
        });
        control<QAction>(*window, "mnuOpen")->trigger();
        ++opens;
        const SavedRecord& r = model.files[entry];
        model.yes = r.yes;
        model.no = r.no;
        model.points = r.points;
        model.leftSeconds = r.leftSeconds;
        model.running = model.clock = true;
        model.save = true;
        model.saveFile = entry;
        model.player = r.player;
        model.loaded = true;
        QCOMPARE(control<GameBoard>(*window, "board")->memoText(),
                 QStringLiteral("Выберете перевод слова:\r\n") + r.question);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(control<GameBoard>(*window, "board")->answerLabel(k + 1)->text(), r.answers[k]);
        QCOMPARE(window->game.RealButton, r.realButton);
        QCOMPARE(control<QLabel>(*window, "lblPlayerReccord")->text(),
                 QStringLiteral("Время сохранения: ") + r.date);
    }

    // The end of a game: one game more for the current player, unless it came from a file.
    void recordGame() {
        if (model.loaded)
            return;
        const qsizetype at = model.find(model.player);
        if (at < 0) {
            ++questions; // the result is not written, and the player is told
            return;
        }
        ++recorded;
        model.players[at].games.append({regional::dateTimeText(f->platform.now()), QString::number(model.yes),
                                        QString::number(model.no), QString::number(model.points),
                                        clockText(model.gameSeconds)});
    }

    // The player selection: a player added, or one chosen.
    void choosePlayer(bool adding, std::mt19937& random) {
        const int row = int(random() % unsigned(model.players.size()));
        const QString typed = NewPlayers[random() % NewPlayers.size()];
        f->platform.onModal([adding, row, typed, this](QDialog& dialog) {
            auto& choice = static_cast<TfrmChoiceUser&>(dialog);
            if (adding) {
                f->platform.answerInput(typed);
                control<QPushButton>(choice, "Button2")->click();
            } else {
                control<QListWidget>(choice, "ListBox1")->setCurrentRow(row);
                choice.ListBox1Click();
            }
            control<QPushButton>(choice, "Button1")->click();
        });
        // The window shows with its first player chosen.
        model.player = model.players[0].name;
        if (adding) {
            const QString name = typed.trimmed();
            bool taken = false;
            for (const Player& p : model.players)
                taken = taken || p.name.toLower() == name.toLower();
            if (taken)
                ++questions;
            else
                model.players.append({name, {}});
        } else {
            model.player = model.players[row].name;
        }
        model.loaded = false;
        control<QAction>(*window, "mnuChangePlayer")->trigger();
    }

    // The results window: an edit of the chosen player's block.
    void editResults(Step kind, std::mt19937& random) {
        if (kind == Step::DeletePlayer && model.players.size() < 2)
            return; // without players the program closes
        const int row = int(random() % unsigned(model.players.size()));
        const QString chosen = model.players[row].name;
        const qsizetype at = model.find(chosen);
        const QString newName = NewNames[random() % NewNames.size()];
        QList<int> rows;
        for (int g = 0; g < model.players[at].games.size(); ++g)
            if (random() % 3 == 0)
                rows.append(g);
        f->platform.onModal([=, this](QDialog& dialog) {
            auto& results = static_cast<TfrmUsers&>(dialog);
            control<QListWidget>(results, "ListBox1")->setCurrentRow(row);
            results.ListBox1Click();
            switch (kind) {
            case Step::Rename:
                f->platform.answerInput(newName);
                control<QPushButton>(results, "Button3")->click();
                break;
            case Step::DeletePlayer:
                f->platform.answerMessage(mb::IdYes);
                control<QPushButton>(results, "SpeedButton1")->click();
                break;
            case Step::DeleteGames:
                for (const int g : rows)
                    control<QTableView>(results, "ListView1")
                        ->selectionModel()
                        ->select(control<QTableView>(results, "ListView1")->model()->index(g, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
                results.ListView1Enter();
                control<QPushButton>(results, "SpeedButton2")->click();
                break;
            default:
                f->platform.answerMessage(mb::IdYes);
                control<QPushButton>(results, "Button1")->click();
                break;
            }
        });
        switch (kind) {
        case Step::Rename:
            if (!newName.isEmpty() && newName != chosen)
                model.players[at].name = newName;
            break;
        case Step::DeletePlayer:
            ++questions;
            model.players.removeAt(at);
            break;
        case Step::DeleteGames:
            for (qsizetype k = rows.size() - 1; k >= 0; --k)
                model.players[at].games.removeAt(rows[k]);
            break;
        default:
            ++questions;
            model.players[at].games.clear();
            break;
        }
        ++playerEdits;
        control<QAction>(*window, "mnuShowResults")->trigger();
    }

    void step(std::mt19937& random) {
        // The clock ticks often enough for games to run out between the other commands.
        const auto kind = random() % 3 == 0 ? Step::Tick : Step(random() % unsigned(Step::Count));
        switch (kind) {
        case Step::Answer: {
            const int position = int(random() % 4) + 1;
            if (model.running) {
                const bool right = window->game.RealButton == position;
                (right ? model.yes : model.no) += 1;
                model.points += right ? 100 : -100;
            }
            window->AnswerClick(position);
            break;
        }
        case Step::Tick:
            if (!control<QTimer>(*window, "Timer1")->isActive())
                return;
            if (clockText(model.leftSeconds) != QStringLiteral("0:00:01")) {
                model.leftSeconds -= 1;
            } else {
                model.leftSeconds = model.gameSeconds;
                model.clock = model.running = false;
                model.save = true;
                recordGame();
            }
            window->Timer1Timer();
            break;
        case Step::Pause:
            model.clock = false;
            control<QAction>(*window, "mnuStopGame")->trigger();
            break;
        case Step::Resume:
            model.clock = model.clock || model.running;
            control<QAction>(*window, "mnuResumeGame")->trigger();
            break;
        case Step::Abort:
            model.leftSeconds = model.gameSeconds;
            model.clock = model.running = false;
            model.yes = model.no = model.points = 0;
            model.save = true;
            model.saveFile.clear();
            control<QAction>(*window, "mnuAbortGame")->trigger();
            break;
        case Step::NewGameYes:
        case Step::NewGameNo:
            if (model.running) {
                f->platform.answerMessage(kind == Step::NewGameYes ? mb::IdYes : mb::IdNo);
                ++questions;
            }
            if (!model.running || kind == Step::NewGameYes) {
                // A new game after a reopened one asks for the player first.
                if (model.loaded) {
                    model.player = model.players.value(0).name;
                    model.loaded = false;
                }
                if (model.running)
                    model.leftSeconds = model.gameSeconds;
                model.running = model.clock = true;
                model.yes = model.no = model.points = 0;
                model.save = model.saveAs = true;
            } else {
                model.clock = true;
            }
            // A new game, or one that goes on declined, belongs to no file.
            model.saveFile.clear();
            control<QAction>(*window, "mnuNewGame")->trigger();
            break;
        case Step::Save:
            if (!model.save)
                return;
            if (model.saveFile.isEmpty()) {
                saveThroughWindow(SaveNames[random() % SaveNames.size()], random() % 2,
                                  control<QAction>(*window, "mnuSave"));
            } else {
                model.files[model.saveFile] = recordNow();
                ++saves;
                control<QAction>(*window, "mnuSave")->trigger();
            }
            break;
        case Step::SaveAs:
            if (!model.saveAs)
                return;
            saveThroughWindow(SaveNames[random() % SaveNames.size()], random() % 2,
                              control<QAction>(*window, "mnuSaveAs"));
            break;
        case Step::Open: {
            if (model.files.isEmpty())
                return;
            const QStringList entries = model.files.keys();
            open(entries[random() % entries.size()]);
            break;
        }
        case Step::AddPlayer:
        case Step::ChoosePlayer:
            if (model.running)
                return;
            choosePlayer(kind == Step::AddPlayer, random);
            break;
        case Step::Rename:
        case Step::DeletePlayer:
        case Step::DeleteGames:
        case Step::Clear:
            editResults(kind, random);
            break;
        case Step::Count:
            break;
        }
        // A later moment for the next save, so that each file's date tells which save wrote it.
        f->platform.setNow(f->platform.now().addSecs(1));
    }

    void checkAgainstModel(qsizetype stepNumber) {
        const QByteArray where = "step " + QByteArray::number(stepNumber);
        // The questions the step was to ask, and no failure.
        for (const auto& message : f->platform.messages)
            QVERIFY2(message.caption != QStringLiteral("LexiTrainer"), qPrintable(message.text));
        QCOMPARE(f->platform.messages.size(), questions);
        QVERIFY2(window->game.GameRunning == model.running, where);
        QVERIFY2(control<QTimer>(*window, "Timer1")->isActive() == model.clock, where);
        QCOMPARE(window->game.YesCount, model.yes);
        QCOMPARE(window->game.NoCount, model.no);
        QCOMPARE(window->game.Points, model.points);
        QCOMPARE(timevalue::toText(window->game.TimeLeft), clockText(model.leftSeconds));
        QCOMPARE(control<QAction>(*window, "mnuSave")->isEnabled(), model.save);
        QCOMPARE(control<QAction>(*window, "mnuSaveAs")->isEnabled(), model.saveAs);
        QCOMPARE(window->game.SaveFileName, model.saveFile.isEmpty() ? QString() : savePath(model.saveFile));
        QCOMPARE(window->game.PlayerName, model.player);

        // The player file holds the model's players and games, and the program holds the same text.
        const QString players = ReadScrambledText(f->folder.path(QStringLiteral("Players.ini")));
        QCOMPARE(players, model.playerText());
        QCOMPARE(window->playerStore.MemoPlayers(), players);

        // The save folder holds the model's files and nothing else, each whole.
        QStringList onDisk = QDir(f->folder.path(QStringLiteral("Save")))
                                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        onDisk.sort();
        QCOMPARE(onDisk, model.files.keys());
        for (auto it = model.files.cbegin(); it != model.files.cend(); ++it) {
            const SavedRecord& r = it.value();
            const SavedGame saved = savedgame::parse(ReadScrambledText(savePath(it.key())));
            QVERIFY2(saved.Date == r.date && saved.YesCount == r.yes && saved.NoCount == r.no &&
                         saved.Points == r.points,
                     where + " " + it.key().toUtf8());
            QCOMPARE(timevalue::toText(saved.GameTime), clockText(model.gameSeconds));
            QCOMPARE(seconds(saved.TimeLeft), r.leftSeconds);
            QCOMPARE(saved.PlayerName, r.player);
            QCOMPARE(saved.Question, r.question);
            QCOMPARE(saved.Answers, r.answers);
            QCOMPARE(saved.RealButton, r.realButton);
            QCOMPARE(saved.DirectionTrans, QStringLiteral("EN\\RU"));
        }
    }

private slots:
    void randomRunsKeepTheFiles_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {3u, 11u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomRunsKeepTheFiles() {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        MainWindowFixture fixture;
        f = &fixture;
        model = Model();
        saves = opens = recorded = playerEdits = 0;
        fixture.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(12));
        // A short game, so that runs pass through its end often; stored, since a change of player
        // puts the stored settings back in force.
        {
            KeyStore store(fixture.folder.keyStorePath());
            QVERIFY(store.openKey(settings::KeyPath, true));
            settings::writeGameTime(store, timevalue::fromHms(0, 0, 4));
        }
        model.players = {{QStringLiteral("Иван"), {}}};
        model.player = QStringLiteral("Иван");
        WriteScrambledText(fixture.folder.path(QStringLiteral("Players.ini")), model.playerText(),
                           WriteMode::Replace);
        window = &fixture.start();
        control<QTimer>(*window, "Timer2")->stop();
        window->game.PlayerName = model.player;
        fixture.platform.messages.clear();

        const qsizetype steps = stepsPerRun();
        for (qsizetype n = 0; n < steps; ++n) {
            fixture.platform.messages.clear();
            questions = 0;
            step(random);
            checkAgainstModel(n);
            if (QTest::currentTestFailed())
                return;
        }
        // A run that never saved, reopened or recorded a game would have checked little.
        qInfo("%lld steps: %d saves, %d games reopened, %d games recorded, %d edits in the results window; "
              "%lld saved games and %lld players at the end",
              qlonglong(steps), saves, opens, recorded, playerEdits, qlonglong(model.files.size()),
              qlonglong(model.players.size()));
        if (steps >= 1000)
            QVERIFY(saves > 5 && opens > 5 && recorded > 5 && playerEdits > 5);
    }
};

QTEST_MAIN(TestLongRunModel)
#include "tst_longrun_model.moc"
