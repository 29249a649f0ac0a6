// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"

#include "app/MenuIcons.h"
#include "platform/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/KeyStore.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "quiz/MouseLabel.h"
#include "quiz/Pictures.h"
#include "quiz/TimeValue.h"
#include "settings/TfrmSeting.h"
#include "words/LoadDictionary.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QImageReader>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

namespace {

QFont namedFont(const char* family, int pixels, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* label(QWidget* parent, const QString& text, const QRect& place, const QFont& f, const QColor& colour) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(place);
    l->setFont(f);
    setColour(l, QPalette::WindowText, colour);
    return l;
}

} // namespace

TfrmMain::TfrmMain(Platform& platform, KeyStore& keyStore, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_keyStore(keyStore) {
    setWindowTitle(QStringLiteral("LexiTrainer"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(namedFont("MS Sans Serif", 11));
    buildControls();
    buildMenu();
    connectAnswerButtons();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize outer = sizeHint();
        move(screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2));
    }
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(609, 425);
    client->setAutoFillBackground(true);
    setColour(client, QPalette::Window, QColor(0, 78, 152));
    setCentralWidget(client);

    imgBqr = new MouseLabel(client);
    imgBqr->setGeometry(0, 0, 145, 121);
    imgBqr->setScaledContents(true);

    imgNormal = pictures::buttonFace(pictures::Face::Normal);
    imgMouseMove = pictures::buttonFace(pictures::Face::MouseOver);
    imgPress = pictures::buttonFace(pictures::Face::Pressed);

    const QFont corsivaSmall = namedFont("Monotype Corsiva", 21);
    lblPlayerReccord = label(client, QStringLiteral("Ваш рекорд:"), QRect(8, 48, 95, 25), corsivaSmall, Qt::white);
    lblPlayerReccord->adjustSize();
    lblCurrentPlayer = label(client, QStringLiteral("Текущий игрок:"), QRect(8, 8, 181, 36),
                             namedFont("Monotype Corsiva", 29), Qt::white);
    lblCurrentPlayer->adjustSize();

    const QFont answerFont = namedFont("MS Sans Serif", 15, true);
    auto answer = [&](MouseLabel*& image, MouseLabel*& text, const QRect& imagePlace, const QRect& textPlace) {
        image = new MouseLabel(client);
        image->setGeometry(imagePlace);
        image->setScaledContents(true);
        text = new MouseLabel(client);
        text->setGeometry(textPlace);
        text->setAlignment(Qt::AlignCenter);
        text->setFont(answerFont);
        setColour(text, QPalette::WindowText, QColor(0, 255, 0));
    };
    // Stacked as the window always had them: A, C, B, D, each label over its image.
    answer(Answer1, lblAnswer1, QRect(8, 344, 289, 32), QRect(16, 351, 273, 20));
    answer(Answer3, lblAnswer3, QRect(8, 384, 289, 33), QRect(16, 392, 273, 20));
    answer(Answer2, lblAnswer2, QRect(312, 344, 289, 33), QRect(320, 351, 273, 20));
    answer(Answer4, lblAnswer4, QRect(312, 384, 289, 33), QRect(320, 392, 273, 20));

    mmWorld = new QTextEdit(client);
    mmWorld->setGeometry(8, 280, 593, 57);
    mmWorld->setReadOnly(true);
    mmWorld->setAcceptRichText(false);
    mmWorld->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmWorld->setFont(namedFont("Sylfaen", 17, true));
    setColour(mmWorld, QPalette::Base, QColor(216, 228, 248));
    setColour(mmWorld, QPalette::Text, QColor(0, 0, 128));
    // Every line centred, as the question box always showed them.
    QTextOption centred = mmWorld->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    mmWorld->document()->setDefaultTextOption(centred);
    setMemoText(QStringLiteral("Для начала игры нажмите \"F2\""));

    Panel1 = new QFrame(client);
    Panel1->setGeometry(152, 136, 305, 121);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Image2 = new QLabel(Panel1);
    Image2->setGeometry(1, 1, 304, 120);
    Image2->setScaledContents(true);
    Image2->setPixmap(pictures::scorePanel());
    Label16 = label(Panel1, QStringLiteral("Количество правильных ответов: 0"), QRect(17, 16, 196, 15),
                    namedFont("Arial", 12), Qt::black);
    Label17 = label(Panel1, QStringLiteral("Количество неправильных ответов: 0"), QRect(17, 40, 210, 15),
                    namedFont("Arial", 12), Qt::black);
    Label19 = label(Panel1, QStringLiteral("Количество набранных очков: 0"), QRect(17, 63, 191, 16),
                    namedFont("Arial", 13), Qt::black);
    Label3 = label(Panel1, QStringLiteral("У вас осталось: 0:00:00"), QRect(16, 80, 287, 30), namedFont("Tahoma", 25),
                   QColor(128, 0, 0));
    for (QLabel* counter : {Label16, Label17, Label19})
        counter->setMinimumWidth(counter->width());

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(1);
    connect(Timer2, &QTimer::timeout, this, [this] { guarded([this] { Timer2Timer(); }); });
}

QAction* TfrmMain::menuCommand(QMenu* menu, const char* name, const QString& caption,
                               void (TfrmMain::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
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
    mnuSaveAs = menuCommand(mnuFile, "mnuSaveAs", QStringLiteral("Сохранить как..."), &TfrmMain::mnuSaveAsClick);
    mnuSaveAs->setEnabled(false);
    mnuFile->addSeparator();
    mnuStopGame = menuCommand(mnuFile, "mnuStopGame", QStringLiteral("Приостановить игру"),
                              &TfrmMain::mnuStopGameClick);
    mnuResumeGame = menuCommand(mnuFile, "mnuResumeGame", QStringLiteral("Продолжить игру"),
                                &TfrmMain::mnuResumeGameClick);
    mnuAbortGame = menuCommand(mnuFile, "mnuAbortGame", QStringLiteral("Закончить игру"),
                               &TfrmMain::mnuAbortGameClick);
    mnuFile->addSeparator();
    mnuExit = menuCommand(mnuFile, "mnuExit", QStringLiteral("Выход"), &TfrmMain::mnuExitClick);
    mnuExit->setIcon(menuicons::exit());

    QMenu* N10 = menuBar()->addMenu(QStringLiteral("Сервис"));
    mnuSeting = menuCommand(N10, "mnuSeting", QStringLiteral("Настройка"), &TfrmMain::mnuSetingClick);
    mnuChangePlayer = menuCommand(N10, "mnuChangePlayer", QStringLiteral("Сменить игрока"),
                                  &TfrmMain::mnuChangePlayerClick);
    mnuShowResults = menuCommand(N10, "mnuShowResults", QStringLiteral("Просмотр результатов"),
                                 &TfrmMain::mnuShowResultsClick);
    N12 = menuCommand(N10, "N12", QStringLiteral("Добавить/Удалить слово в словарь"), &TfrmMain::N12Click);
    N13 = menuCommand(N10, "N13", QStringLiteral("Перевод слова"), &TfrmMain::N13Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("Справка"));
    mnuReadMe = menuCommand(mnuHelp, "mnuReadMe", QStringLiteral("Прочитай меня"), &TfrmMain::mnuReadMeClick);
    mnuReadMe->setShortcut(Qt::Key_F1);
    mnuReadMe->setIcon(menuicons::readMe());
    mnuAbout = menuCommand(mnuHelp, "mnuAbout", QStringLiteral("О программе..."), &TfrmMain::mnuAboutClick);
    mnuAbout->setIcon(menuicons::about());
}

void TfrmMain::guarded(const std::function<void()>& handler) { runReported(m_platform, handler); }

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded([this] { FormShow(); });
}

void TfrmMain::FormShow() {
    for (MouseLabel* image : {Answer1, Answer2, Answer3, Answer4})
        image->setPixmap(imgNormal);
    imgBqr->resize(frameGeometry().width(), frameGeometry().height() - 40);

    QDir().mkdir(ProgramFolder::ofExecutable().file(u"словарь"));

    const QString mainDictionary = QStringLiteral("./словарь/main.txt");
    const QString userDictionary = QStringLiteral("./словарь/User.txt");
    if (QFileInfo::exists(mainDictionary)) {
        Decoder(mainDictionary, lstQuestion);
        if (QFileInfo::exists(userDictionary))
            Decoder(userDictionary, lstQuestion);
    } else if (QFileInfo::exists(userDictionary)) {
        m_platform.messageBox(QStringLiteral("Ошибка Загрузки словаря"),
                              QStringLiteral("Программа не нашла главного словаря\r\nПодключён словарь "
                                             "пользователя\r\nГлавный словарь вы можете скачать с сайта программы"),
                              mb::IconExclamation);
        Decoder(userDictionary, lstQuestion);
    } else {
        m_platform.errorBox(QStringLiteral("Ошибка"),
                            QStringLiteral("Программа не нашла ни одного словаря!!\r\nЕсли у вас нет словаря, то "
                                           "вы его можете скачать с сайта программы"));
    }

    // A settings failure is reported on its own, so the player file and the player selection still come.
    guarded([this] { LoadRegistrySetings(); });
    FileAccess(QStringLiteral("Players.ini"));
    LoadPlayersInformation();
    Timer2->start();
}

void TfrmMain::FileAccess(const QString& fileName) { files::resetAttributes(QFileInfo(fileName).absoluteFilePath()); }

void TfrmMain::Decoder(const QString& fileName, WordList& list) { loadDictionary(fileName, list); }

void TfrmMain::LoadRegistrySetings() { settings::LoadRegistrySetings(m_keyStore, ProgramFolder::ofExecutable(), *this); }

void TfrmMain::setGameTime(double gameTime) {
    GameTime = gameTime;
    TimeLeft = gameTime;
    Label3->setText(QStringLiteral("У вас осталось: ") + timevalue::toText(GameTime));
}

void TfrmMain::setDirection(const QString& direction) { DirectionTrans = direction; }

void TfrmMain::loadBackground(const QString& path) {
    // A picture that cannot be read is reported, and whatever called this goes on.
    guarded([&] {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (image.isNull())
            throw Failure(QStringLiteral("Cannot load the picture \"%1\": %2").arg(path, reader.errorString()));
        imgBqr->setPixmap(QPixmap::fromImage(image));
    });
}

void TfrmMain::clearBackground() { imgBqr->clear(); }

void TfrmMain::Timer2Timer() {
    Timer2->stop();
    ShowPlayerSelection();
}

// The player file, the player selection and the save window come with their own windows; until then
// these call points keep their place in start-up, the end of a game and the close question.
void TfrmMain::LoadPlayersInformation() {}
void TfrmMain::ShowPlayerSelection() {}
void TfrmMain::SaveGameRezoults() {}
void TfrmMain::ShowSaveWindow() {}
void TfrmMain::SaveToCurrentFile() {}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    // A failure while saving keeps the window open, so the game is not lost with it.
    guarded([&] { mayClose = FormCloseQuery(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool TfrmMain::FormCloseQuery() {
    if (GameRunning == Saved)
        return true;
    const QString text =
        SaveFileName.isEmpty() ? QStringLiteral("Сохранить эту игру?") : QStringLiteral("Сохранить изменения в файл");
    switch (m_platform.messageBox(QStringLiteral("Сохранение LexiTrainer"), text, mb::YesNoCancel | mb::IconExclamation)) {
    case mb::IdCancel:
        return false;
    case mb::IdYes:
        if (SaveFileName.isEmpty())
            ShowSaveWindow();
        else
            SaveToCurrentFile();
        return true;
    default:
        return true;
    }
}

void TfrmMain::mnuExitClick() { close(); }

void TfrmMain::mnuSetingClick() {
    TfrmSeting window(m_platform, ProgramFolder::ofExecutable(), m_keyStore, [this] { LoadRegistrySetings(); }, this);
    m_platform.showModal(window);
}

void TfrmMain::mnuSaveClick() {
    if (SaveFileName.isEmpty())
        ShowSaveWindow();
    else
        SaveToCurrentFile();
}

void TfrmMain::mnuSaveAsClick() { ShowSaveWindow(); }

void TfrmMain::mnuReadMeClick() { m_platform.shellOpen(QStringLiteral("ReadMe.htm")); }

// Their windows come later.
void TfrmMain::mnuOpenClick() {}
void TfrmMain::mnuChangePlayerClick() {}
void TfrmMain::mnuShowResultsClick() {}
void TfrmMain::N12Click() {}
void TfrmMain::mnuAboutClick() {}

QString TfrmMain::memoText() const { return mmWorld->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }

void TfrmMain::setMemoText(const QString& text) {
    mmWorld->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

MouseLabel* TfrmMain::answerImage(int position) const {
    return std::array{Answer1, Answer2, Answer3, Answer4}.at(position - 1);
}

QLabel* TfrmMain::answerLabel(int position) const {
    return std::array{lblAnswer1, lblAnswer2, lblAnswer3, lblAnswer4}.at(position - 1);
}
