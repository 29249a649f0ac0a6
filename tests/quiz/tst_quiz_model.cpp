// SPDX-License-Identifier: GPL-3.0-or-later
// Long random runs of game commands against a small model of the game's states.
#include "MainWindowFixture.h"
#include "settings/TfrmSeting.h"
#include "shared/TimeValue.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <random>

namespace {

enum class Step { Answer, Tick, Pause, Resume, Abort, NewGameYes, NewGameNo, Translator, Settings, Count };

// What the player should see, kept by the rules of the state table alone.
struct Model {
    bool running = false;
    bool clock = false;
    qint32 yes = 0, no = 0, points = 0;
    int gameSeconds = 0;
    int leftSeconds = 0;
    QString timeLabel;
    QString labels; // "question", "time up" or "empty"
    QString memo;
    bool save = false, saveAs = false;

    static QString clockText(int seconds) { return timevalue::toText(seconds * timevalue::OneSecond); }

    void newGame() {
        clock = true;
        yes = no = points = 0;
        save = saveAs = true;
        labels = QStringLiteral("question");
    }
    void abort() {
        leftSeconds = gameSeconds;
        clock = running = false;
        timeLabel = QStringLiteral("У вас осталось: ") + clockText(gameSeconds);
        labels = QStringLiteral("empty");
        memo = QStringLiteral("Для начала новой игры нажмите F2");
        yes = no = points = 0;
        save = true;
    }
    void tick() {
        if (clockText(leftSeconds) != QStringLiteral("0:00:01")) {
            leftSeconds -= 1;
            timeLabel = QStringLiteral("У вас осталось: ") + clockText(leftSeconds);
            return;
        }
        leftSeconds = gameSeconds;
        clock = running = false;
        timeLabel = QStringLiteral("У вас осталось: 0:00:00");
        labels = QStringLiteral("time up");
        memo = QStringLiteral("Для начала новой игры нажмите F2");
        save = true;
    }
};

} // namespace

class TestQuizModel : public QObject {
    Q_OBJECT
private slots:
    void randomRunsFollowTheStateTable_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 7u, 2024u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomRunsFollowTheStateTable() {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        MainWindowFixture f;
        QStringList pairs = TestFolder::pairs(12);
        f.folder.writeDictionary("словарь/main.txt", pairs);
        TfrmMain& window = f.start();
        // A short game, so the runs pass through the end of the time often.
        window.game.GameTime = window.game.TimeLeft = timevalue::fromHms(0, 0, 4);

        Model model;
        model.gameSeconds = model.leftSeconds = 4;
        model.timeLabel = control<QLabel>(window, "Label3")->text();
        model.labels = QStringLiteral("empty");
        model.memo = QStringLiteral("Для начала игры нажмите \"F2\"");
        int settingsSeconds = 4;

        for (int stepNumber = 0; stepNumber < 3000; ++stepNumber) {
            const auto step = Step(random() % unsigned(Step::Count));
            f.platform.messages.clear();
            switch (step) {
            case Step::Answer: {
                const int position = int(random() % 4) + 1;
                if (model.running) {
                    const bool right = window.game.RealButton == position;
                    (right ? model.yes : model.no) += 1;
                    model.points += right ? 100 : -100;
                }
                window.AnswerClick(position);
                break;
            }
            case Step::Tick:
                // The clock only ticks while it runs.
                if (!control<QTimer>(window, "Timer1")->isActive())
                    continue;
                model.tick();
                window.Timer1Timer();
                break;
            case Step::Pause:
                model.clock = false;
                control<QAction>(window, "mnuStopGame")->trigger();
                break;
            case Step::Resume:
                model.clock = model.clock || model.running;
                control<QAction>(window, "mnuResumeGame")->trigger();
                break;
            case Step::Abort:
                model.abort();
                control<QAction>(window, "mnuAbortGame")->trigger();
                break;
            case Step::NewGameYes:
            case Step::NewGameNo:
                // The question comes only during a game.
                if (model.running)
                    f.platform.answerMessage(step == Step::NewGameYes ? mb::IdYes : mb::IdNo);
                if (!model.running) {
                    model.newGame();
                    model.running = true;
                } else if (step == Step::NewGameYes) {
                    model.newGame();
                    model.leftSeconds = model.gameSeconds;
                    model.timeLabel =
                        QStringLiteral("У вас осталось: ") + Model::clockText(model.gameSeconds);
                } else {
                    model.clock = true;
                }
                control<QAction>(window, "mnuNewGame")->trigger();
                break;
            case Step::Translator:
                if (model.running)
                    model.clock = true;
                control<QAction>(window, "N13")->trigger();
                QCOMPARE(f.platform.messages.size(), model.running ? 1 : 0);
                break;
            case Step::Settings: {
                // Confirmed settings restart the remaining time at the configured length.
                settingsSeconds = int(random() % 3) + 2;
                f.platform.onModal([settingsSeconds](QDialog& dialog) {
                    auto& settings = static_cast<TfrmSeting&>(dialog);
                    control<QDateTimeEdit>(settings, "TimePicker")->setTime(QTime(0, 0, settingsSeconds));
                    control<QPushButton>(settings, "Button1")->click();
                });
                control<QAction>(window, "mnuSeting")->trigger();
                model.gameSeconds = model.leftSeconds = settingsSeconds;
                model.timeLabel = QStringLiteral("У вас осталось: ") + Model::clockText(settingsSeconds);
                break;
            }
            case Step::Count:
                break;
            }

            const QByteArray where = QByteArray("step ") + QByteArray::number(stepNumber);
            QVERIFY2(window.game.GameRunning == model.running, where);
            QVERIFY2(control<QTimer>(window, "Timer1")->isActive() == model.clock, where);
            QCOMPARE(window.game.YesCount, model.yes);
            QCOMPARE(window.game.NoCount, model.no);
            QCOMPARE(window.game.Points, model.points);
            QCOMPARE(timevalue::toText(window.game.TimeLeft), Model::clockText(model.leftSeconds));
            QCOMPARE(control<QLabel>(window, "Label3")->text(), model.timeLabel);
            QCOMPARE(control<QLabel>(window, "Label16")->text(),
                     QStringLiteral("Количество правильных ответов: %1").arg(model.yes));
            QCOMPARE(control<QLabel>(window, "Label19")->text(),
                     QStringLiteral("Количество набранных очков: %1").arg(model.points));
            QCOMPARE(control<QAction>(window, "mnuSave")->isEnabled(), model.save);
            QCOMPARE(control<QAction>(window, "mnuSaveAs")->isEnabled(), model.saveAs);
            checkDisplay(window, model, pairs);
        }
    }

private:
    // The question on screen: the right answer at RealButton belongs to the word asked, and the three
    // others are other pairs'.
    static void checkDisplay(const TfrmMain& window, const Model& model, const QStringList& pairs) {
        const QString TimeUp = QStringLiteral("Время закончилось!");
        if (model.labels == QStringLiteral("time up")) {
            for (int position = 1; position <= 4; ++position)
                QCOMPARE(control<GameBoard>(window, "board")->answerLabel(position)->text(), TimeUp);
            QCOMPARE(control<GameBoard>(window, "board")->memoText(), model.memo);
            return;
        }
        if (model.labels == QStringLiteral("empty")) {
            for (int position = 1; position <= 4; ++position)
                QCOMPARE(control<GameBoard>(window, "board")->answerLabel(position)->text(), QString());
            QCOMPARE(control<GameBoard>(window, "board")->memoText(), model.memo);
            return;
        }
        const QStringList memo =
            control<GameBoard>(window, "board")->memoText().split(QStringLiteral("\r\n"));
        QCOMPARE(memo.size(), 2);
        QCOMPARE(memo[0], QStringLiteral("Выберете правильный перевод слова:"));
        const QString word = memo[1];
        QVERIFY(window.game.RealButton >= 1 && window.game.RealButton <= 4);
        QSet<QString> seen;
        for (int position = 1; position <= 4; ++position) {
            const QString text = control<GameBoard>(window, "board")->answerLabel(position)->text();
            const QString prefix = QString(QChar(u'A' + position - 1)) + QStringLiteral(".   ");
            QVERIFY(text.startsWith(prefix));
            const QString answer = text.mid(prefix.size());
            const QString pair = word + QLatin1Char('|') + answer;
            QCOMPARE(pairs.contains(pair), position == window.game.RealButton);
            seen.insert(answer);
        }
        QCOMPARE(seen.size(), 4);
    }
};

QTEST_MAIN(TestQuizModel)
#include "tst_quiz_model.moc"
