// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TfrmSeting.h"

#include "platform/DesktopControls.h"
#include "platform/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/KeyStore.h"
#include "platform/Platform.h"
#include "platform/WindowLook.h"
#include "platform/WindowPlumbing.h"
#include "settings/SettingsStore.h"
#include "shared/TimeValue.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

TfrmSeting::TfrmSeting(Platform& platform, const ProgramFolder& folder, KeyStore& store,
                       std::function<void()> loadRegistrySetings, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_folder(folder), m_store(store),
      m_loadRegistrySetings(std::move(loadRegistrySetings)) {
    setWindowTitle(QStringLiteral("Насторйка"));
    makeToolWindow(*this);
    setFixedSize(280, 168);
    // Where the Windows face is missing, one of its width, so that the texts fit their controls.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(8);
    setFont(font);

    GroupBox1 = new QGroupBox(QStringLiteral("Направление перевода при игре"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 265, 65);
    RadioButton1 = new QRadioButton(QStringLiteral("Англо\\Русский"), GroupBox1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(16, 16, 185, 17);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Русско\\Английский"), GroupBox1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(16, 40, 185, 17);

    Label1 = new QLabel(QStringLiteral("Время игры:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 80);
    Label1->adjustSize();

    TimePicker = new TimePickerEdit(this);
    TimePicker->setObjectName(QStringLiteral("TimePicker"));
    TimePicker->setGeometry(88, 78, 89, 20);
    // Wall-clock values without a time zone, so that no time of day is skipped on a clock change.
    TimePicker->setTimeSpec(Qt::UTC);
    TimePicker->setDisplayFormat(QStringLiteral("H:mm:ss"));
    // Like the Windows picker, it starts at the moment it is made; only its time of day is shown.
    const QDateTime now = platform.now();
    TimePicker->setDateTime(QDateTime(now.date(), now.time(), Qt::UTC));

    CheckBox1 = new QCheckBox(QStringLiteral("Фоновая картинка на главном окне"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(8, 104, 209, 17);
    CheckBox1->setChecked(true);

    Button3 = new QPushButton(QStringLiteral("Обзор"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(224, 100, 49, 25);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(16, 136, 105, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(160, 136, 105, 25);

    connect(Button1, &QPushButton::clicked, this, reported(m_platform, this, &TfrmSeting::Button1Click));
    connect(Button2, &QPushButton::clicked, this, reported(m_platform, this, &TfrmSeting::Button2Click));
    connect(Button3, &QPushButton::clicked, this, reported(m_platform, this, &TfrmSeting::Button3Click));
    // Every change of state, the program's own included.
    connect(CheckBox1, &QCheckBox::toggled, this, reported(m_platform, this, &TfrmSeting::CheckBox1Click));
    desktop::useButtonKeys(*this, Button2);
}

void TfrmSeting::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the window system is not shown anew.
    runOnShow(m_platform, *this, event, [this] { FormShow(); });
}

void TfrmSeting::FormShow() {
    // The key exists by now: the main window read the settings when it was first shown.
    m_store.openKey(settings::KeyPath, false);

    // The picker keeps its date and takes the stored time of day, of the absolute value as it is shown.
    TimePicker->setTime(timevalue::timeOfDay(settings::readGameTime(m_store)));

    QRadioButton* direction =
        settings::readTranslation(m_store) == settings::EnglishRussian ? RadioButton1 : RadioButton2;
    direction->setChecked(true);
    // The group is entered at its checked button, so Space there changes nothing.
    direction->setFocus();

    if (settings::readBackgroundImage(m_store)) {
        CheckBox1->setChecked(true);
    } else {
        CheckBox1->setChecked(false);
        Button3->setEnabled(false);
    }
    m_store.closeKey();
}

void TfrmSeting::Button1Click() {
    m_store.openKey(settings::KeyPath, false);
    int written = 0;
    try {
        settings::writeGameTime(m_store, timevalue::fromDateTime(TimePicker->dateTime()));
        ++written;
        settings::writeTranslation(m_store, RadioButton1->isChecked() ? settings::EnglishRussian
                                                                      : settings::RussianEnglish);
        ++written;
        settings::writeBackgroundImage(m_store, CheckBox1->isChecked());
    } catch (const Failure&) {
        m_store.closeKey();
        // The values written before the failing one are in the store: the main window takes them
        // too, so that it never plays by settings the store does not hold.
        if (written > 0 && m_loadRegistrySetings) {
            try {
                m_loadRegistrySetings();
            } catch (const Failure&) {
                // The write's failure is the one to report.
            }
        }
        throw;
    }
    m_store.closeKey();
    if (m_loadRegistrySetings)
        m_loadRegistrySetings();
    accept();
}

void TfrmSeting::Button2Click() {
    reject();
}

void TfrmSeting::CheckBox1Click() {
    if (!CheckBox1->isChecked()) {
        Button3->setEnabled(false);
        return;
    }
    Button3->setEnabled(true);
    if (QFile::exists(m_folder.file(settings::BackgroundFileName)))
        return;
    if (!pickPicture()) {
        Button3->setEnabled(false);
        CheckBox1->setChecked(false);
    }
}

void TfrmSeting::Button3Click() {
    pickPicture();
}

bool TfrmSeting::pickPicture() {
    const QString picture = m_platform.openPicture();
    if (picture.isEmpty())
        return false;
    // A copy that fails leaves the previous picture; nothing is reported.
    files::copyOverwrite(picture, m_folder.file(settings::BackgroundFileName));
    return true;
}
