// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"

#include "app/MenuIcons.h"
#include "info/AppIcon.h"
#include "info/ReadMe.h"
#include "info/TfrmAbout.h"
#include "platform/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/KeyStore.h"
#include "platform/Platform.h"
#include "platform/WindowPlumbing.h"
#include "platform/WriteLock.h"
#include "quiz/GameBoard.h"
#include "quiz/GameRules.h"
#include "quiz/Question.h"
#include "saves/SavedGame.h"
#include "saves/SavedGameBoard.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "settings/TfrmSeting.h"
#include "shared/MouseLabel.h"
#include "shared/WindowFonts.h"
#include "words/DictionaryReader.h"
#include "words/LoadDictionary.h"
#include "words/TfrmAddWord.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {

// The pair of a reopened game's question, so that a miss on it is kept like any other.
QString reopenedPair(const SavedGame& saved) {
    if (saved.RealButton < 1 || saved.RealButton > 4)
        return {};
    const QString& caption = saved.Answers[saved.RealButton - 1];
    const QString prefix = question::prefix(saved.RealButton);
    const QStringView answer =
        caption.startsWith(prefix) ? QStringView(caption).sliced(prefix.size()) : caption;
    return question::pairOf(saved.Question, answer, saved.DirectionTrans);
}

} // namespace

TfrmMain::TfrmMain(Platform& platform, KeyStore& keyStore, ProgramFolder folder, QWidget* parent)
    : QMainWindow(parent), playerStore(folder), m_platform(platform), m_keyStore(keyStore),
      m_folder(std::move(folder)), m_mistakes(m_folder.file(mistakes::FileName)) {
    setWindowTitle(QStringLiteral("LexiTrainer"));
    setWindowIcon(appIcon());
    // A fixed size, so the title bar offers minimising and closing, never maximising.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(windowfonts::named("MS Sans Serif", 11));
    board = new GameBoard(game, this);
    board->setObjectName(QStringLiteral("board"));
    setCentralWidget(board);
    connect(board, &GameBoard::answerClicked, this,
            [this](int position) { guarded([=, this] { AnswerClick(position); }); });
    Timer1 = timer(1000, &TfrmMain::Timer1Timer);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = timer(1, &TfrmMain::Timer2Timer);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize outer = sizeHint();
        move(screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2));
    }
}

TfrmMain::~TfrmMain() = default;

QTimer* TfrmMain::timer(int interval, void (TfrmMain::*handler)()) {
    auto* t = new QTimer(this);
    t->setInterval(interval);
    connect(t, &QTimer::timeout, this, reported(m_platform, this, handler));
    return t;
}

QAction* TfrmMain::menuCommand(QMenu* menu, const char* name, const QString& caption,
                               void (TfrmMain::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, reported(m_platform, this, handler));
    return action;
}

void TfrmMain::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("Файл"));
    mnuNewGame = menuCommand(mnuFile, "mnuNewGame", QStringLiteral("Новая игра"), &TfrmMain::mnuNewGameClick);
    mnuNewGame->setShortcut(Qt::Key_F2);
    mnuOpen = menuCommand(mnuFile, "mnuOpen", QStringLiteral("Открыть"), &TfrmMain::mnuOpenClick);
    mnuOpen->setShortcut(Qt::CTRL | Qt::Key_O);
    mnuOpen->setIcon(menuicons::open());
    mnuSave = menuCommand(mnuFile, "mnuSave", QStringLiteral("Сохранить"), &TfrmMain::mnuSaveClick);
    mnuSave->setShortcut(Qt::CTRL | Qt::Key_S);
    mnuSave->setIcon(menuicons::save());
    mnuSave->setEnabled(false);
    mnuSaveAs =
        menuCommand(mnuFile, "mnuSaveAs", QStringLiteral("Сохранить как..."), &TfrmMain::mnuSaveAsClick);
    mnuSaveAs->setEnabled(false);
    mnuFile->addSeparator();
    mnuStopGame = menuCommand(mnuFile, "mnuStopGame", QStringLiteral("Приостановить игру"),
                              &TfrmMain::mnuStopGameClick);
    mnuResumeGame = menuCommand(mnuFile, "mnuResumeGame", QStringLiteral("Продолжить игру"),
                                &TfrmMain::mnuResumeGameClick);
    mnuAbortGame =
        menuCommand(mnuFile, "mnuAbortGame", QStringLiteral("Закончить игру"), &TfrmMain::mnuAbortGameClick);
    mnuFile->addSeparator();
    mnuExit = menuCommand(mnuFile, "mnuExit", QStringLiteral("Выход"), &TfrmMain::mnuExitClick);
    mnuExit->setIcon(menuicons::exit());

    QMenu* N10 = menuBar()->addMenu(QStringLiteral("Сервис"));
    mnuSeting = menuCommand(N10, "mnuSeting", QStringLiteral("Настройка"), &TfrmMain::mnuSetingClick);
    mnuChangePlayer = menuCommand(N10, "mnuChangePlayer", QStringLiteral("Сменить игрока"),
                                  &TfrmMain::mnuChangePlayerClick);
    mnuShowResults = menuCommand(N10, "mnuShowResults", QStringLiteral("Просмотр результатов"),
                                 &TfrmMain::mnuShowResultsClick);
    mnuMistakes = menuCommand(N10, "mnuMistakes", QStringLiteral("Мои ошибки"), &TfrmMain::mnuMistakesClick);
    mnuChart = menuCommand(N10, "mnuChart", QStringLiteral("График результатов"), &TfrmMain::mnuChartClick);
    N12 = menuCommand(N10, "N12", QStringLiteral("Добавить/Удалить слово в словарь"), &TfrmMain::N12Click);
    N13 = menuCommand(N10, "N13", QStringLiteral("Перевод слова"), &TfrmMain::N13Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("Справка"));
    mnuReadMe = menuCommand(mnuHelp, "mnuReadMe", QStringLiteral("Прочитай меня"), &TfrmMain::mnuReadMeClick);
    mnuReadMe->setShortcut(Qt::Key_F1);
    mnuReadMe->setIcon(menuicons::readMe());
    mnuAbout = menuCommand(mnuHelp, "mnuAbout", QStringLiteral("О программе..."), &TfrmMain::mnuAboutClick);
    mnuAbout->setIcon(menuicons::about());
}

void TfrmMain::guarded(const std::function<void()>& handler) {
    runReported(m_platform, handler);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded([this] { FormShow(); });
}

void TfrmMain::FormShow() {
    board->showFirstFaces();
    QDir().mkdir(m_folder.file(QStringLiteral("словарь")));
    removeLeftovers();

    if (QFileInfo::exists(m_folder.file(QStringLiteral("словарь/main.txt")))) {
        LoadWordLists();
    } else if (QFileInfo::exists(m_folder.file(QStringLiteral("словарь/User.txt")))) {
        m_platform.messageBox(
            QStringLiteral("Ошибка Загрузки словаря"),
            QStringLiteral("Программа не нашла главного словаря\r\nПодключён словарь "
                           "пользователя\r\nГлавный словарь вы можете скачать с сайта программы"),
            mb::IconExclamation);
        guarded([this] { Decoder(m_folder.file(QStringLiteral("словарь/User.txt")), lstQuestion); });
    } else {
        m_platform.errorBox(
            QStringLiteral("Ошибка"),
            QStringLiteral("Программа не нашла ни одного словаря!!\r\nЕсли у вас нет словаря, то "
                           "вы его можете скачать с сайта программы"));
    }
    // A reading begun early serves the start only; later loads read the file as it is then.
    m_earlyReading.reset();
    // Each step's failure is reported on its own, so one unreadable file leaves the rest of the start-up
    // to run and the player selection still comes.
    guarded([this] { LoadRegistrySetings(); });
    guarded([this] { FileAccess(QStringLiteral("Players.ini")); });
    guarded([this] { LoadPlayersInformation(); });
    Timer2->start();
}

void TfrmMain::removeLeftovers() {
    // Not while lexitrainer-dict writes: the temporary file it is writing would go too.
    WriteLock lock(m_folder.root());
    if (!lock.tryLock(std::chrono::milliseconds(0)))
        return;
    for (const QString& name : {QString(), QStringLiteral("словарь"), QStringLiteral("Save")})
        files::removeLeftovers(m_folder.file(name));
}

void TfrmMain::LoadWordLists() {
    lstQuestion.clear();
    // A dictionary that cannot be read is reported, and the other one is still loaded.
    for (const QString& name : {QStringLiteral("словарь/main.txt"), QStringLiteral("словарь/User.txt")})
        if (QFileInfo::exists(m_folder.file(name)))
            guarded([&] { Decoder(m_folder.file(name), lstQuestion); });
}

void TfrmMain::FileAccess(const QString& fileName) {
    files::resetAttributes(m_folder.file(fileName));
}

void TfrmMain::Decoder(const QString& fileName, WordList& list) {
    if (m_earlyReading && m_earlyReading->fileName() == fileName) {
        const std::unique_ptr<DictionaryReader> reader = std::move(m_earlyReading);
        loadDictionary(*reader, list);
        return;
    }
    loadDictionary(fileName, list);
}

void TfrmMain::takeEarlyReading(std::unique_ptr<DictionaryReader> reader) {
    m_earlyReading = std::move(reader);
}

void TfrmMain::LoadRegistrySetings() {
    settings::LoadRegistrySetings(m_keyStore, m_folder, *this);
}

void TfrmMain::setGameTime(double gameTime) {
    game.setGameTime(gameTime);
    board->showTimeLeft(game.GameTime);
}

void TfrmMain::setDirection(const QString& direction) {
    game.setDirection(direction);
}

void TfrmMain::loadBackground(const QString& path) {
    // A picture that cannot be read is reported, and whatever called this goes on.
    guarded([&] {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (image.isNull())
            throw Failure(
                QStringLiteral("Не удалось загрузить картинку \"%1\": %2").arg(path, reader.errorString()));
        board->setBackground(QPixmap::fromImage(image));
    });
}

void TfrmMain::clearBackground() {
    board->clearBackground();
}

void TfrmMain::Timer2Timer() {
    Timer2->stop();
    ShowPlayerSelection();
    // The start-up windows are closed: the keyboard comes back here, also where a message box shown
    // before this window was up kept the window manager from handing it the focus.
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

bool TfrmMain::ShowSaveWindow() {
    TfrmSave window(
        m_platform, m_folder, game, [this] { return savedGameOnBoard(game, *board, m_platform.now()); },
        this);
    m_platform.showModal(window);
    return window.result() == QDialog::Accepted;
}

bool TfrmMain::SaveToCurrentFile() {
    // A game cut loose from its file (a new game declined) is still saved when the user asks: under
    // a name the save window takes, instead of nowhere.
    if (game.SaveFileName.isEmpty())
        return ShowSaveWindow();
    TfrmSave window(
        m_platform, m_folder, game, [this] { return savedGameOnBoard(game, *board, m_platform.now()); },
        this);
    window.Save(game.SaveFileName, false);
    return true;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    // A failure while saving keeps the window open, so the game is not lost with it.
    guarded([&] { mayClose = FormCloseQuery(); });
    if (mayClose)
        guarded([this] { flushMistakes(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool TfrmMain::FormCloseQuery() {
    // A save that failed or was given up asks again: closing never loses the game without a "Нет".
    // A practice game holds nothing to save: its answers are in the mistakes file already.
    while (!game.mayCloseUnasked()) {
        const QString text = game.SaveFileName.isEmpty() ? QStringLiteral("Сохранить эту игру?")
                                                         : QStringLiteral("Сохранить изменения в файл");
        const int answer = m_platform.messageBox(QStringLiteral("Сохранение LexiTrainer"), text,
                                                 mb::YesNoCancel | mb::IconExclamation);
        if (answer == mb::IdCancel)
            return false;
        if (answer != mb::IdYes)
            break;
        bool saved = false;
        guarded([&] { saved = SaveToCurrentFile(); });
        if (saved)
            break;
    }
    return unrecordedResultsLetClose();
}

bool TfrmMain::unrecordedResultsLetClose() {
    const int count = playerStore.unrecordedCount();
    if (count == 0)
        return true;
    try {
        playerStore.writeUnrecorded();
        return true;
    } catch (const Failure& failure) {
        const QString question =
            failure.message() +
            QStringLiteral("\r\n\r\nНе записано результатов игр: %1. Если закрыть программу сейчас, они "
                           "пропадут.\r\nЗакрыть программу без них?")
                .arg(count);
        return m_platform.messageBox(QStringLiteral("Результат не записан"), question,
                                     mb::YesNo | mb::IconExclamation) == mb::IdYes;
    }
}

void TfrmMain::mnuExitClick() {
    close();
}

void TfrmMain::mnuSetingClick() {
    TfrmSeting window(
        m_platform, m_folder, m_keyStore, [this] { LoadRegistrySetings(); }, this);
    m_platform.showModal(window);
}

void TfrmMain::mnuSaveClick() {
    SaveToCurrentFile();
}

void TfrmMain::mnuSaveAsClick() {
    ShowSaveWindow();
}

void TfrmMain::mnuOpenClick() {
    const auto showRestored = [this](const SavedGame& saved) {
        showSavedGame(*board, saved);
        m_askedPair = reopenedPair(saved);
        UpdateKolichestvo();
        Timer1->start();
        mnuSave->setEnabled(true);
    };
    TfrmOpen window(m_platform, m_folder, game, showRestored, this);
    m_platform.showModal(window);
}

void TfrmMain::mnuReadMeClick() {
    openReadMe(m_platform, m_folder);
}

void TfrmMain::N12Click() {
    // The game goes on meanwhile; a change reaches the word list when the window closes.
    TfrmAddWord window(
        m_platform, m_folder, lstQuestion, [this] { LoadWordLists(); }, this);
    m_platform.showModal(window);
}

void TfrmMain::mnuAboutClick() {
    TfrmAbout window(m_platform, m_folder, this);
    m_platform.showModal(window);
}
