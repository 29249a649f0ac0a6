// SPDX-License-Identifier: GPL-3.0-or-later
// The user dictionary editor's add and delete, failed on purpose: the file keeps its old lines (an add
// adds the whole line or none), the message names the file, and the editor's list and the main
// window's word list still hold what the files hold.
#include "MainWindowFixture.h"
#include "WriteFaults.h"
#include "platform/Files.h"
#include "words/TfrmAddWord.h"
#include "words/UserDictionary.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

const QStringList UserLines = {QStringLiteral("дом|house"), QStringLiteral("кот|cat"),
                               QStringLiteral("яблоко|apple")};

QStringList linesOf(const WordList& list) {
    QStringList lines;
    for (qsizetype i = 0; i < list.count(); ++i)
        lines.append(list.at(i));
    return lines;
}

QStringList linesOnDisk(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    QStringList lines = ReadScrambledText(path).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last CR LF
    return lines;
}

struct Editor {
    MainWindowFixture f;
    TfrmMain* window = nullptr;
    QString userFile;
    QByteArray old;

    Editor() {
        f.folder.writeDictionary(QStringLiteral("словарь/main.txt"), TestFolder::pairs(6));
        f.folder.writeDictionary(QStringLiteral("словарь/User.txt"), UserLines);
        userFile = f.folder.path(QStringLiteral("словарь/User.txt"));
        old = readBytes(userFile);
        window = &f.start();
        control<QTimer>(*window, "Timer2")->stop();
        f.platform.messages.clear();
    }

    // Runs the action inside the open editor, checks that its list holds the file's lines, closes it.
    void inEditor(const std::function<void(TfrmAddWord&)>& action, bool checkList = true) {
        f.platform.onModal([&](QDialog& dialog) {
            auto& editor = static_cast<TfrmAddWord&>(dialog);
            action(editor);
            if (!checkList) {
                control<QPushButton>(editor, "Button2")->click();
                return;
            }
            QStringList onDisk = linesOnDisk(userFile);
            QStringList shown = linesOf(editor.userWords());
            onDisk.sort();
            shown.sort();
            QCOMPARE(shown, onDisk);
            control<QPushButton>(editor, "Button2")->click();
        });
        control<QAction>(*window, "N12")->trigger();
    }

    static void add(TfrmAddWord& editor) {
        control<QLineEdit>(editor, "Edit1")->setText(QStringLiteral("новое слово"));
        control<QLineEdit>(editor, "Edit2")->setText(QStringLiteral("new word"));
        control<QPushButton>(editor, "btnAddWorld")->click();
    }

    void remove(TfrmAddWord& editor) {
        control<QListView>(editor, "lstWords")
            ->setCurrentIndex(control<QListView>(editor, "lstWords")->model()->index(1, 0));
        f.platform.answerMessage(mb::IdYes);
        control<QPushButton>(editor, "Button3")->click();
    }

    // One failure shown, naming the file; the file and the main window's list as before.
    void checkFailed() const {
        const auto failures = std::count_if(f.platform.messages.cbegin(), f.platform.messages.cend(),
                                            [&](const auto& m) { return m.text.contains(userFile); });
        QCOMPARE(failures, 1);
        QCOMPARE(readBytes(userFile), old);
        checkWordList();
    }

    void checkWordList() const {
        QCOMPARE(linesOf(window->lstQuestion), TestFolder::pairs(6) + linesOnDisk(userFile));
    }
};

} // namespace

class TestFailuresUserDictionary : public QObject {
    Q_OBJECT
private slots:
    void cutAtEveryChunk_data() {
        QTest::addColumn<bool>("adding");
        QTest::addRow("add") << true;
        QTest::addRow("delete") << false;
    }
    void cutAtEveryChunk() {
        QFETCH(bool, adding);
        // An add writes one line after the old ones; a delete writes the file anew.
        const qint64 size = adding ? qint64(QStringLiteral("новое слово|new word\r\n").size())
                                   : qint64(listText({UserLines[0], UserLines[2]}).size());
        for (const qint64 cut : cutPoints(size, 4)) {
            Editor e;
            const QStringList before = folderEntries(e.f.folder.path(QStringLiteral("словарь")));
            e.inEditor([&](TfrmAddWord& editor) {
                const files::FailWritesAfter limit(cut);
                if (adding)
                    Editor::add(editor);
                else
                    e.remove(editor);
            });
            e.checkFailed();
            QCOMPARE(folderEntries(e.f.folder.path(QStringLiteral("словарь"))), before);
            if (QTest::currentTestFailed())
                qWarning() << "cut after" << cut << "bytes";
        }
    }

    // In a read-only folder the file cannot be replaced, so neither an add nor a delete goes through.
    void readOnlyFolder() {
        Editor e;
        const QString folder = e.f.folder.path(QStringLiteral("словарь"));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        e.inEditor([&](TfrmAddWord& editor) {
            const OrdinaryPermissions ordinary;
            Editor::add(editor);
            e.remove(editor);
        });
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
        QCOMPARE(readBytes(e.userFile), e.old);
        const auto failures = std::count_if(e.f.platform.messages.cbegin(), e.f.platform.messages.cend(),
                                            [&](const auto& m) { return m.text.contains(e.userFile); });
        QCOMPARE(failures, 2);
        e.checkWordList();
    }

    void folderVanished() {
        Editor e;
        e.inEditor(
            [&](TfrmAddWord& editor) {
                QVERIFY(QDir(e.f.folder.path(QStringLiteral("словарь"))).removeRecursively());
                Editor::add(editor);
            },
            false);
        QVERIFY(std::any_of(e.f.platform.messages.cbegin(), e.f.platform.messages.cend(),
                            [&](const auto& m) { return m.text.contains(e.userFile); }));
        QVERIFY(!QFileInfo::exists(e.userFile));
    }

    void targetIsAFolder() {
        Editor e;
        QVERIFY(QFile::remove(e.userFile));
        QVERIFY(QDir().mkpath(e.userFile + QStringLiteral("/inside")));
        e.f.platform.messages.clear();
        e.f.platform.onModal([&](QDialog& dialog) {
            auto& editor = static_cast<TfrmAddWord&>(dialog);
            Editor::add(editor);
            control<QPushButton>(editor, "Button2")->click();
        });
        control<QAction>(*e.window, "N12")->trigger();
        QVERIFY(std::any_of(e.f.platform.messages.cbegin(), e.f.platform.messages.cend(),
                            [&](const auto& m) { return m.text.contains(e.userFile); }));
        QVERIFY(QFileInfo(e.userFile).isDir());
        QCOMPARE(folderEntries(e.userFile), QStringList{"inside"});
    }
};

QTEST_MAIN(TestFailuresUserDictionary)
#include "tst_failures_userdict.moc"
