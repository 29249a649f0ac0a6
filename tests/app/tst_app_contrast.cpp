// SPDX-License-Identifier: GPL-3.0-or-later
// Every list and field of every window stays readable under a light and a dark colour scheme.
#include "MainWindowFixture.h"
#include "info/TfrmAbout.h"
#include "players/TfrmChoiceUser.h"
#include "players/TfrmUsers.h"
#include "saves/SavedGame.h"
#include "saves/TfrmOpen.h"
#include "saves/TfrmSave.h"
#include "settings/TfrmSeting.h"
#include "words/TfrmAddWord.h"
#include "words/TfrmOpenSlovar.h"
#include "words/TfrmTranslate.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// The relative luminance and contrast ratio of the Web Content Accessibility Guidelines.
double luminance(const QColor& colour) {
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The colours of qt6ct's "darker" scheme, the one players reported.
QPalette darkPalette() {
    QPalette p = QApplication::style()->standardPalette();
    const QList<std::pair<QPalette::ColorRole, QColor>> roles{
        {QPalette::Window, QColor(0x22, 0x20, 0x20)},
        {QPalette::WindowText, Qt::white},
        {QPalette::Base, QColor(0x3d, 0x3d, 0x3d)},
        {QPalette::Text, Qt::white},
        {QPalette::Button, QColor(0x42, 0x42, 0x45)},
        {QPalette::ButtonText, Qt::white},
        {QPalette::Highlight, QColor(0x12, 0x60, 0x8a)},
        {QPalette::HighlightedText, QColor(0xf9, 0xf9, 0xf9)},
    };
    for (const auto& [role, colour] : roles)
        p.setColor(role, colour);
    return p;
}

// "window/control: ratio" for every list and field of the main window and the dialogs it owns whose
// text falls below 4.5 : 1.
QStringList unreadable(QWidget& window) {
    QList<QWidget*> fields;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QTextEdit*>(widget) ||
            qobject_cast<QPlainTextEdit*>(widget))
            fields.append(widget);
    }
    QStringList found;
    for (QWidget* field : fields) {
        // The viewport is what a list or memo paints its rows on.
        QWidget* painted = field;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(field))
            painted = area->viewport();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const QPalette& p = painted->palette();
            const double ratio = contrast(p.color(group, QPalette::Base), p.color(group, QPalette::Text));
            if (ratio < 4.5)
                found << QStringLiteral("%1/%2 %3: %4")
                             .arg(field->window()->metaObject()->className(),
                                  field->metaObject()->className(), field->objectName(),
                                  QString::number(ratio, 'f', 2));
        }
    }
    return found;
}

} // namespace

class TestContrast : public QObject {
    Q_OBJECT
private slots:
    void everyListAndField_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("changedWhileOpen");
        const QPalette light = QApplication::style()->standardPalette();
        QTest::addRow("light") << light << false;
        QTest::addRow("dark") << darkPalette() << false;
        QTest::addRow("dark, chosen while the windows are open") << darkPalette() << true;
    }

    void everyListAndField() {
        QFETCH(QPalette, palette);
        QFETCH(bool, changedWhileOpen);
        const QPalette before = QApplication::palette();
        if (!changedWhileOpen)
            QApplication::setPalette(palette);

        MainWindowFixture f;
        f.folder.writeDictionary("словарь/main.txt", TestFolder::pairs(10));
        TfrmMain& window = f.start();
        QTRY_VERIFY(!control<QTimer>(window, "Timer2")->isActive());
        const ProgramFolder folder(f.folder.path());
        TfrmChoiceUser choice(f.platform, window.game, window.playerStore, window, &window);
        TfrmUsers users(f.platform, window.game, window.playerStore, window, &window);
        TfrmSeting seting(
            f.platform, folder, f.keyStore, [] {}, &window);
        TfrmOpen open(
            f.platform, folder, window.game, [](const SavedGame&) {}, &window);
        TfrmSave save(
            f.platform, folder, window.game, [] { return SavedGame(); }, &window);
        TfrmAddWord addWord(
            f.platform, folder, window.lstQuestion, [] {}, &window);
        TfrmTranslate translate(f.platform, window.lstQuestion, &window);
        TfrmAbout about(f.platform, folder, &window);
        TfrmOpenSlovar progress(&window);
        if (changedWhileOpen)
            QApplication::setPalette(palette);

        const QStringList found = unreadable(window);
        QApplication::setPalette(before);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestContrast)
#include "tst_app_contrast.moc"
