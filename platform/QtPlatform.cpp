// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPlatform.h"

#include "platform/PlainText.h"
#include "platform/TextCodec.h"
#include "platform/WindowLook.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSoundEffect>
#include <QTranslator>
#include <QUrl>
#include <chrono>

namespace {

// The program names its files the Windows way (".\словарь\main.txt"); here the separator is '/'.
QString localName(const QString& name) {
    QString result = name;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

QUrl localUrl(const QString& name) {
    return QUrl::fromLocalFile(QFileInfo(localName(name)).absoluteFilePath());
}

struct ButtonSet {
    QList<QMessageBox::StandardButton> buttons; // in the order Windows shows them
    QMessageBox::StandardButton escape;         // what Escape and the close box answer
};

ButtonSet buttonsFor(int flags) {
    switch (flags & 0x0F) {
    case mb::OkCancel:
        return {{QMessageBox::Ok, QMessageBox::Cancel}, QMessageBox::Cancel};
    case mb::YesNoCancel:
        return {{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, QMessageBox::Cancel};
    case mb::YesNo:
        // Windows offers no way out of a Yes/No box but No.
        return {{QMessageBox::Yes, QMessageBox::No}, QMessageBox::No};
    default:
        return {{QMessageBox::Ok}, QMessageBox::Ok};
    }
}

QMessageBox::Icon iconFor(int flags) {
    switch (flags & 0xF0) {
    case mb::IconStop:
        return QMessageBox::Critical;
    case mb::IconQuestion:
        return QMessageBox::Question;
    case mb::IconExclamation:
        return QMessageBox::Warning;
    case mb::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return mb::IdOk;
    case QMessageBox::Yes:
        return mb::IdYes;
    case QMessageBox::No:
        return mb::IdNo;
    default:
        return mb::IdCancel;
    }
}

// A run of this many characters without a blank (a file path, a long name) may break anywhere.
constexpr qsizetype LongRun = 40;

// The text with a zero-width break opportunity after every character of its long unbroken runs, so that
// the box wraps them at its edge instead of growing past it.
QString breakable(const QString& text) {
    QString result;
    result.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        const QStringView run = QStringView(text).sliced(start, end - start);
        if (run.size() < LongRun) {
            result += run;
        } else {
            for (qsizetype i = 0; i < run.size(); ++i) {
                result += run.at(i);
                if (!run.at(i).isHighSurrogate())
                    result += QChar(0x200B);
            }
        }
        while (end < text.size() && text.at(end).isSpace())
            result += text.at(end++);
        start = end;
    }
    return result;
}

QString pictureFilters() {
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(suffix));
    return QStringLiteral("Все изображения (%1);;Все файлы (*)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

int QtPlatform::messageBox(const QString& caption, const QString& text, int flags) {
    const ButtonSet set = buttonsFor(flags);
    QMessageBox box(iconFor(flags), caption, breakable(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    makeDialogWindow(box);
    // Messages quote words, names and file names, which are never markup.
    box.setTextFormat(Qt::PlainText);
    for (const QMessageBox::StandardButton button : set.buttons)
        box.addButton(button);
    // The second and third buttons can be made the default, as MB_DEFBUTTON2 and MB_DEFBUTTON3 do.
    const int defaultIndex = std::min<int>((flags >> 8) & 0x0F, set.buttons.size() - 1);
    box.setDefaultButton(set.buttons[defaultIndex]);
    box.setEscapeButton(set.escape);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return answerFor(clicked ? box.standardButton(clicked) : set.escape);
}

std::optional<QString> QtPlatform::inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) {
    QInputDialog dialog(QApplication::activeWindow());
    makeDialogWindow(dialog);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    if (QLineEdit* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(255);
        plaintext::keepFirstLine(*edit);
    }
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // What was typed becomes text of the code page, as the ANSI edit field made it.
    return ansi::fromUser(dialog.textValue());
}

QString QtPlatform::openPicture() {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), pictureFilters());
}

int QtPlatform::showModal(QDialog& dialog) {
    return dialog.exec();
}

void QtPlatform::playSound(const QString& fileName) {
    if (!m_sound)
        m_sound = std::make_unique<QSoundEffect>();
    m_sound->stop();
    const QFileInfo file(localName(fileName));
    if (!file.isFile())
        return; // a missing sound plays nothing, without a word
    m_sound->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_sound->play();
}

void QtPlatform::shellOpen(const QString& target) {
    // A scheme of two letters or more ("http:", "mailto:") makes a link; anything else, a drive letter
    // included, names a file.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    const QUrl url = scheme.match(target).hasMatch() ? QUrl(target) : localUrl(target);
    QDesktopServices::openUrl(url);
}

void QtPlatform::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString QtPlatform::clipboardText() {
    // Pasted text arrives as the code page's text, as the ANSI clipboard format gave it.
    return ansi::fromUser(QGuiApplication::clipboard()->text());
}

QDateTime QtPlatform::now() {
    return QDateTime::currentDateTime();
}

quint32 QtPlatform::performanceCounter() {
    const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return quint32(quint64(ticks.count()));
}

void installRussianTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
