// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostileText.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs the action on the modal window that the next call opens.
template <typename Window> void whenShown(std::function<void(Window*)> action) {
    QTimer::singleShot(0, [action] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(window);
        action(window);
    });
}

QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class QtPlatformTest : public QObject {
    Q_OBJECT

private:
    QtPlatform m_platform;

private slots:
    void initTestCase() { installRussianTranslations(); }

    void messageBox_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("click"); // empty: press Escape
        QTest::addColumn<int>("answer");
        const QStringList yesNo{QStringLiteral("Да"), QStringLiteral("Нет")};
        const QStringList yesNoCancel{QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")};
        QTest::addRow("Yes/No, No") << 4 << yesNo << int(QMessageBox::NoIcon) << QStringLiteral("Нет") << 7;
        QTest::addRow("Yes/No, Yes") << 4 << yesNo << int(QMessageBox::NoIcon) << QStringLiteral("Да") << 6;
        QTest::addRow("Yes/No, Escape") << 36 << yesNo << int(QMessageBox::Question) << QString() << 7;
        QTest::addRow("Yes/No/Cancel, Cancel")
            << 35 << yesNoCancel << int(QMessageBox::Question) << QStringLiteral("Отмена") << 2;
        QTest::addRow("Yes/No/Cancel, Escape")
            << 35 << yesNoCancel << int(QMessageBox::Question) << QString() << 2;
        QTest::addRow("OK with exclamation")
            << 48 << QStringList() << int(QMessageBox::Warning) << QString() << 1;
        QTest::addRow("error") << 16 << QStringList() << int(QMessageBox::Critical) << QString() << 1;
    }
    void messageBox() {
        QFETCH(int, flags);
        QFETCH(QStringList, buttons);
        QFETCH(int, icon);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QStringList seen;
        int seenIcon = -1;
        QString title;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            seenIcon = box->icon();
            for (QAbstractButton* button : box->buttons())
                seen.append(plain(button->text()));
            if (click.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* button : box->buttons())
                if (plain(button->text()) == click)
                    button->click();
            if (box->isVisible())
                QTest::keyClick(box, Qt::Key_Escape); // no such button: the answer check reports it
        });
        QCOMPARE(m_platform.messageBox(QStringLiteral("LexiTrainer"), QStringLiteral("Сохранить?"), flags),
                 answer);
        QCOMPARE(title, QStringLiteral("LexiTrainer"));
        QCOMPARE(seenIcon, icon);
        if (buttons.isEmpty())
            QCOMPARE(seen.size(), 1);
        else
            QCOMPARE(sorted(seen), sorted(buttons));
    }

    // A long file name or word wraps at the box's edge, as the words of a text of the same length do.
    void aLongNameWrapsInsideTheBox() {
        const QString name =
            QStringLiteral("/home/player/LexiTrainer/Save/") + QString(150, QLatin1Char('x'));
        QString words = name;
        for (qsizetype i = 10; i < words.size(); i += 10)
            words[i] = QLatin1Char(' ');
        QList<int> widths;
        for (const QString& text : {words, name}) {
            whenShown<QMessageBox>([&](QMessageBox* box) {
                widths.append(box->width());
                QTest::keyClick(box, Qt::Key_Escape);
            });
            m_platform.messageBox(QStringLiteral("LexiTrainer"),
                                  QStringLiteral("Не удаётся открыть файл \"%1\".").arg(text), mb::IconStop);
        }
        QCOMPARE(widths.size(), 2);
        QVERIFY2(widths[1] <= widths[0], qPrintable(QStringLiteral("%1 > %2").arg(widths[1]).arg(widths[0])));
    }

    void inputText() {
        int maxLength = 0;
        whenShown<QInputDialog>([&](QInputDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>();
            QVERIFY(edit);
            maxLength = edit->maxLength();
            QCOMPARE(edit->text(), QStringLiteral("Вася"));
            QCOMPARE(edit->selectedText(), QStringLiteral("Вася")); // typing replaces it
            edit->setText(QStringLiteral("Петя é"));
            dialog->accept();
        });
        QCOMPARE(
            m_platform.inputText(QStringLiteral("Игрок"), QStringLiteral("Имя:"), QStringLiteral("Вася")),
            std::optional<QString>(QStringLiteral("Петя ?")));
        QCOMPARE(maxLength, 255);

        whenShown<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
        QCOMPARE(m_platform.inputText(QStringLiteral("Игрок"), QStringLiteral("Имя:"), QString()),
                 std::nullopt);
    }

    // A message quoting a word, a name or a file name shows it as written.
    void messageBoxQuotesAsWritten_data() { addHostileRows(); }
    void messageBoxQuotesAsWritten() {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString message =
            QStringLiteral("Слово \"%1\" уже есть в словаре").arg(prepareHostileText(text, dir.path()));
        QString shown;
        bool asWritten = false;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(label);
            // Less the invisible break opportunities that let a long name wrap.
            shown = label->text().remove(QChar(0x200B));
            asWritten = drawnAsWritten(label);
            box->accept();
        });
        m_platform.messageBox(QStringLiteral("LexiTrainer"), message, mb::IconExclamation);
        QCOMPARE(shown, message);
        QVERIFY(asWritten);
    }

    // A name pasted with a line break keeps its first line, and the text after the cursor.
    void inputTextKeepsTheFirstLineOfAPaste() {
        whenShown<QInputDialog>([](QInputDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>();
            QVERIFY(edit);
            edit->setCursorPosition(1);
            QGuiApplication::clipboard()->setText(QStringLiteral("ля\r\nКатя"));
            edit->paste();
            dialog->accept();
        });
        QCOMPARE(
            m_platform.inputText(QStringLiteral("Новый игрок"), QStringLiteral("Имя:"), QStringLiteral("Оx")),
            std::optional<QString>(QStringLiteral("Оляx")));
    }

    void openPictureOffersPicturesAndAllFiles() {
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            dialog->reject();
        });
        QCOMPARE(m_platform.openPicture(), QString());
        QCOMPARE(filters.size(), 2);
        QVERIFY2(filters[0].contains(QStringLiteral("*.bmp")) && filters[0].contains(QStringLiteral("*.png")),
                 qPrintable(filters[0]));
        QCOMPARE(filters[1], QStringLiteral("Все файлы (*)"));
    }

    void shellOpen_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QUrl>("url");
        QTest::addRow("web") << QStringLiteral("http://example.org/words")
                             << QUrl(QStringLiteral("http://example.org/words"));
        QTest::addRow("mail") << QStringLiteral("mailto:author@example.org")
                              << QUrl(QStringLiteral("mailto:author@example.org"));
        QTest::addRow("read-me beside the program")
            << QStringLiteral("ReadMe.htm")
            << QUrl::fromLocalFile(QDir::current().filePath(QStringLiteral("ReadMe.htm")));
        QTest::addRow("Windows separators")
            << QStringLiteral(".\\словарь\\main.txt")
            << QUrl::fromLocalFile(QDir::current().filePath(QStringLiteral("словарь/main.txt")));
    }
    void shellOpen() {
        QFETCH(QString, target);
        QFETCH(QUrl, url);
        UrlRecorder recorder;
        for (const char* scheme : {"http", "mailto", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "open");
        m_platform.shellOpen(target);
        for (const char* scheme : {"http", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        QCOMPARE(recorder.urls, QList<QUrl>{url});
    }

    void clipboardHoldsCodePageText() {
        m_platform.setClipboardText(QStringLiteral("кот|cat"));
        QCOMPARE(m_platform.clipboardText(), QStringLiteral("кот|cat"));
        QGuiApplication::clipboard()->setText(QStringLiteral("naïve"));
        QCOMPARE(m_platform.clipboardText(), QStringLiteral("na?ve"));
    }

private:
    static QStringList sorted(QStringList list) {
        list.sort();
        return list;
    }
};

QTEST_MAIN(QtPlatformTest)
#include "tst_qtplatform.moc"
