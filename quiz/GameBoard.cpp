// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/GameBoard.h"

#include "platform/PlainText.h"
#include "platform/WindowLook.h"
#include "quiz/AnswerLabel.h"
#include "quiz/GameRules.h"
#include "quiz/Pictures.h"
#include "quiz/QuestionBox.h"
#include "shared/GameState.h"
#include "shared/MouseLabel.h"
#include "shared/WindowFonts.h"

#include <QFrame>
#include <QGuiApplication>
#include <QStringBuilder>
#include <limits>

namespace {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* label(QWidget* parent, const QString& text, QPoint place, const QFont& f, const QColor& colour) {
    auto* l = new QLabel(text, parent);
    // Player names come from a file: shown as written, never as markup.
    l->setTextFormat(Qt::PlainText);
    l->move(place);
    l->setFont(f);
    setColour(l, QPalette::WindowText, colour);
    l->adjustSize();
    return l;
}

// Labels size themselves to their text, so no value of a counter or a long name is ever cut off.
void setSizedText(QLabel* l, const QString& text, int extraWidth = 0) {
    l->setText(text);
    l->adjustSize();
    if (extraWidth)
        l->resize(l->width() + extraWidth, l->height());
}

void fitToWidest(QLabel* l, const QString& widestText) {
    const QString text = l->text();
    setSizedText(l, widestText);
    l->setText(text);
}

// A player label as wide as its text, 10 pixels more; a name too long for the board ends in "…"
// and the whole text becomes the label's tool tip.
void setPlayerText(QLabel* l, const QString& text) {
    const int room = l->parentWidget()->width() - l->x() - 18;
    const QString shown = l->fontMetrics().elidedText(text, Qt::ElideRight, room);
    setSizedText(l, shown, 10);
    plaintext::setToolTip(*l, shown == text ? QString() : text);
}

const QString PressF2 = QStringLiteral("Для начала новой игры нажмите F2");

} // namespace

GameBoard::GameBoard(const GameState& game, QWidget* parent) : QWidget(parent), m_game(game) {
    setFixedSize(609, 425);
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, QColor(0, 78, 152));

    imgBqr = new MouseLabel(this);
    imgBqr->setObjectName(QStringLiteral("imgBqr"));
    imgBqr->setGeometry(0, 0, 145, 121);
    imgBqr->setScaledContents(true);

    // Sharp on the sharpest screen the window may be moved to.
    const qreal detail = pictures::detailFor(qGuiApp->devicePixelRatio());
    imgNormal = pictures::buttonFace(pictures::Face::Normal, detail);
    imgMouseMove = pictures::buttonFace(pictures::Face::MouseOver, detail);
    imgPress = pictures::buttonFace(pictures::Face::Pressed, detail);

    lblPlayerReccord = label(this, QStringLiteral("Ваш рекорд:"), QPoint(8, 48),
                             windowfonts::named("Monotype Corsiva", 21), Qt::white);
    lblPlayerReccord->setObjectName(QStringLiteral("lblPlayerReccord"));
    lblCurrentPlayer = label(this, QStringLiteral("Текущий игрок:"), QPoint(8, 8),
                             windowfonts::named("Monotype Corsiva", 29), Qt::white);
    lblCurrentPlayer->setObjectName(QStringLiteral("lblCurrentPlayer"));

    const QFont answerFont = windowfonts::named("MS Sans Serif", 15, true);
    auto answer = [&](int position, MouseLabel*& image, AnswerLabel*& text, const QRect& imagePlace,
                      const QRect& textPlace) {
        image = new MouseLabel(this);
        image->setObjectName(QStringLiteral("Answer%1").arg(position));
        image->setGeometry(imagePlace);
        image->setScaledContents(true);
        text = new AnswerLabel(this);
        text->setObjectName(QStringLiteral("lblAnswer%1").arg(position));
        text->setGeometry(textPlace);
        text->setAlignment(Qt::AlignCenter);
        text->setFont(answerFont);
        setColour(text, QPalette::WindowText, QColor(0, 255, 0));
    };
    // Stacked as the window always had them: A, C, B, D, each label over its image.
    answer(1, Answer1, lblAnswer1, QRect(8, 344, 289, 32), QRect(16, 351, 273, 20));
    answer(3, Answer3, lblAnswer3, QRect(8, 384, 289, 33), QRect(16, 392, 273, 20));
    answer(2, Answer2, lblAnswer2, QRect(312, 344, 289, 33), QRect(320, 351, 273, 20));
    answer(4, Answer4, lblAnswer4, QRect(312, 384, 289, 33), QRect(320, 392, 273, 20));

    mmWorld = new QuestionBox(windowfonts::named("Sylfaen", 17, true), this);
    mmWorld->setObjectName(QStringLiteral("mmWorld"));
    mmWorld->setGeometry(8, 280, 593, 57);
    mmWorld->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFieldColours(*mmWorld, QColor(216, 228, 248), QColor(0, 0, 128));
    // Every line centred, as the question box always showed them.
    QTextOption centred = mmWorld->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    mmWorld->document()->setDefaultTextOption(centred);
    setMemoText(QStringLiteral("Для начала игры нажмите \"F2\""));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(152, 136, 305, 121);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(1, 1, 304, 120);
    Image2->setScaledContents(true);
    Image2->setPixmap(pictures::scorePanel(detail));
    const QFont counterFont = windowfonts::named("Arial", 12);
    Label16 = label(Panel1, QStringLiteral("Количество правильных ответов: 0"), QPoint(17, 16), counterFont,
                    Qt::black);
    Label16->setObjectName(QStringLiteral("Label16"));
    Label17 = label(Panel1, QStringLiteral("Количество неправильных ответов: 0"), QPoint(17, 40), counterFont,
                    Qt::black);
    Label17->setObjectName(QStringLiteral("Label17"));
    Label19 = label(Panel1, QStringLiteral("Количество набранных очков: 0"), QPoint(17, 63),
                    windowfonts::named("Arial", 13), Qt::black);
    Label19->setObjectName(QStringLiteral("Label19"));
    Label3 = label(Panel1, QStringLiteral("У вас осталось: 0:00:00"), QPoint(16, 80),
                   windowfonts::named("Tahoma", 25), QColor(128, 0, 0));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->resize(287, 30);
    // Each counter is as wide as its widest value, so no count or score is ever cut off, and an
    // answer costs no text measuring.
    GameState widest;
    widest.YesCount = widest.NoCount = widest.Points = std::numeric_limits<qint32>::min();
    fitToWidest(Label16, gamerules::rightCountText(widest));
    fitToWidest(Label17, gamerules::wrongCountText(widest));
    fitToWidest(Label19, gamerules::pointsText(widest));

    connectAnswerButtons();
}

void GameBoard::showQuestion(const question::Drawn& drawn) {
    setMemoText(question::prompt() % QStringLiteral("\r\n") % drawn.word);
    for (int position = 1; position <= 4; ++position)
        answerLabel(position)->setText(question::prefix(position) % drawn.answers[position - 1]);
}

void GameBoard::showCounters(const GameState& game) {
    Label16->setText(gamerules::rightCountText(game));
    Label17->setText(gamerules::wrongCountText(game));
    Label19->setText(gamerules::pointsText(game));
}

void GameBoard::showTimeLeft(double value) {
    Label3->setText(gamerules::timeLabelText(m_game, value));
}

void GameBoard::showFirstFaces() {
    for (int position = 1; position <= 4; ++position)
        answerImage(position)->setPixmap(imgNormal);
    imgBqr->resize(size());
}

void GameBoard::setBackground(const QPixmap& picture) {
    imgBqr->setPixmap(picture);
}

void GameBoard::clearBackground() {
    imgBqr->clear();
}

void GameBoard::setTimeText(const QString& text) {
    Label3->setText(text);
}

void GameBoard::showTimeUp() {
    Label3->setText(gamerules::timeLabelText(m_game, 0));
    for (int position = 1; position <= 4; ++position)
        answerLabel(position)->setText(QStringLiteral("Время закончилось!"));
    setMemoText(PressF2);
}

void GameBoard::showNoGame() {
    for (int position = 1; position <= 4; ++position)
        answerLabel(position)->clear();
    setMemoText(PressF2);
}

void GameBoard::setPlayerLabels(const QString& currentPlayerText, const QString& recordText) {
    setRecordLabel(recordText);
    setCurrentPlayerLabel(currentPlayerText);
}

void GameBoard::setCurrentPlayerLabel(const QString& text) {
    setPlayerText(lblCurrentPlayer, text);
}

void GameBoard::setRecordLabel(const QString& text) {
    setPlayerText(lblPlayerReccord, text);
}

QString GameBoard::memoText() const {
    return mmWorld->text();
}

void GameBoard::setMemoText(const QString& text) {
    mmWorld->setText(text);
}

MouseLabel* GameBoard::answerImage(int position) const {
    return std::array{Answer1, Answer2, Answer3, Answer4}.at(position - 1);
}

AnswerLabel* GameBoard::answerLabel(int position) const {
    return std::array{lblAnswer1, lblAnswer2, lblAnswer3, lblAnswer4}.at(position - 1);
}

void GameBoard::connectAnswerButtons() {
    for (int position = 1; position <= 4; ++position) {
        // The label and the picture under it share every handler, so the label never hides the button.
        MouseLabel* const text = answerLabel(position);
        for (MouseLabel* control : {answerImage(position), text}) {
            connect(control, &MouseLabel::clicked, this, [this, position] { emit answerClicked(position); });
            connect(control, &MouseLabel::mouseMoved, this, [this, position] { AnswerMouseMove(position); });
            connect(control, &MouseLabel::mousePressed, this,
                    [this, position] { AnswerMouseDown(position); });
            connect(control, &MouseLabel::mouseReleased, this, [this, position] { AnswerMouseUp(position); });
        }
    }
    connect(imgBqr, &MouseLabel::mouseMoved, this, [this] { imgBqrMouseMove(); });
}

void GameBoard::AnswerMouseMove(int position) {
    if (HoverActive)
        return;
    answerImage(position)->setPixmap(imgMouseMove);
    HoverButton = position;
    HoverActive = true;
}

void GameBoard::AnswerMouseDown(int position) {
    if (m_game.GameRunning)
        answerImage(position)->setPixmap(imgPress);
}

void GameBoard::AnswerMouseUp(int position) {
    answerImage(position)->setPixmap(imgNormal);
}

void GameBoard::imgBqrMouseMove() {
    if (!HoverActive)
        return;
    answerImage(HoverButton)->setPixmap(imgNormal);
    HoverActive = false;
}
