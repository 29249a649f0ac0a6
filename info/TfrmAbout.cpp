// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/TfrmAbout.h"

#include "info/AboutTexts.h"
#include "info/AppIcon.h"
#include "info/ReadMe.h"
#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"
#include "platform/WindowLook.h"
#include "platform/WindowPlumbing.h"
#include "shared/MouseLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

MouseLabel* link(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new MouseLabel(parent);
    label->setText(text);
    // The colour scheme's link colour: blue on the usual light window, and one that reads on a dark one.
    label->setForegroundRole(QPalette::Link);
    label->setCursor(Qt::PointingHandCursor);
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(Platform& platform, const ProgramFolder& folder, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_folder(folder) {
    setWindowTitle(about::Caption);
    makeToolWindow(*this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(274, 137);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(8, 8);

    Label1 = new QLabel(about::Description, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(56, 5, 216, 28);

    Label5 = new QLabel(about::Version, this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->move(56, 34);
    Label5->adjustSize();

    Label4 = new QLabel(about::Credit, this);
    Label4->setObjectName(QStringLiteral("Label4"));
    QFont bold = font();
    bold.setBold(true);
    Label4->setFont(bold);
    Label4->setGeometry(16, 51, 245, 13);

    Label2 = link(about::WebLabel, this, 8, 72);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = link(about::MailLabel, this, 8, 88);
    Label3->setObjectName(QStringLiteral("Label3"));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(88, 106, 89, 25);

    connect(Label2, &MouseLabel::clicked, this, reported(m_platform, this, &TfrmAbout::Label2Click));
    connect(Label3, &MouseLabel::clicked, this, reported(m_platform, this, &TfrmAbout::Label3Click));
    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmAbout::Button1Click));
    desktop::useButtonKeys(*this, Button1);
    FormCreate();
}

void TfrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    runOnShow(m_platform, *this, event, [this] { FormShow(); });
}

void TfrmAbout::FormCreate() {
    Image1->setPixmap(appPixmap(32));
    Image1->adjustSize();
}

void TfrmAbout::FormShow() {
    Label4->setText(about::Credit);
}

void TfrmAbout::Label2Click() {
    openReadMe(m_platform, m_folder);
}

void TfrmAbout::Label3Click() {
    m_platform.shellOpen(about::MailLink);
}

void TfrmAbout::Button1Click() {
    close();
}
