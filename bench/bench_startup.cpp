// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started on an X display, side by side in one run: with the shipped dictionary and
// with a generated one of a million pairs of Mueller-like length. For each start: the time to its first
// window on the screen (the progress window or the main window), the time to the player selection (the
// program is ready), and its peak memory. Against them, a plain C++ read and XOR
// of the same files. Run it as: bench_startup PROGRAM_FOLDER [RUNS], with DISPLAY set.
#include "WordMaker.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QByteArray millionPairs() {
    WordMaker maker{7};
    QByteArray plain;
    plain.reserve(36'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        plain += maker.russian() + '|' + maker.english();
        // Mueller's first translations are often two words or a word with a note.
        if (i % 2 == 0)
            plain += ", " + maker.english();
        plain += "\r\n";
    }
    return plain;
}

// Reads the file into fresh memory, XORs it and counts its CR LF pairs.
double readAndXor(const QString& path) {
    const Clock::time_point start = Clock::now();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    const off_t size = lseek(fd, 0, SEEK_END);
    lseek(fd, 0, SEEK_SET);
    std::vector<char> bytes(static_cast<size_t>(size));
    for (off_t done = 0; done < size;) {
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(size - done));
        if (got <= 0)
            break;
        done += got;
    }
    ::close(fd);
    long lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ 0x19);
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        lines += bytes[i] == '\r' && bytes[i + 1] == '\n';
    const double ms = msSince(start);
    if (lines < 0)
        std::printf("?");
    return ms;
}

// The title in UTF-8: the plain name property holds a Cyrillic title in another encoding.
std::string windowName(xcb_connection_t* x, xcb_window_t window) {
    static const char atomName[] = "_NET_WM_NAME";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof atomName - 1, atomName), nullptr);
    const xcb_atom_t netName = atom ? atom->atom : XCB_ATOM_WM_NAME;
    free(atom);
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(x, 0, window, netName, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(x, cookie, nullptr);
    std::string name;
    if (reply) {
        name.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    size_t(xcb_get_property_value_length(reply)));
        free(reply);
    }
    return name;
}

struct Start {
    double firstWindow = -1;
    double ready = -1;
    double peakMiB = -1;
};

// Starts the program in its folder and watches the display's top windows being
// mapped: the first one, then the player selection. The display must have no window manager, so
// that the program's own windows are the root's children.
Start startOnce(const QString& folder) {
    Start result;
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(QFile::encodeName(folder).constData()) != 0)
            _exit(127);
        execl("./LexiTrainer", "LexiTrainer", nullptr);
        _exit(127);
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    while (result.ready < 0 && msSince(start) < 20000) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (!event && !xcb_connection_has_error(x)) {
            usleep(200);
            continue;
        }
        if (!event)
            break;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const double now = msSince(start);
            if (result.firstWindow < 0)
                result.firstWindow = now;
            if (windowName(x, map->window) == "Список игроков")
                result.ready = now;
        }
        free(event);
    }
    xcb_disconnect(x);
    // The program itself is the child, so that it ends here and its peak memory is the system's count.
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) == child)
        result.peakMiB = double(usage.ru_maxrss) / 1024.0;
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "usage: DISPLAY=:N bench_startup PROGRAM_FOLDER [RUNS]\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir shipped, million;
    for (QTemporaryDir* dir : {&shipped, &million}) {
        QDir().mkpath(dir->filePath(QStringLiteral("словарь")));
        QFile::copy(program + QStringLiteral("/LexiTrainer"), dir->filePath(QStringLiteral("LexiTrainer")));
    }
    QFile::copy(program + QStringLiteral("/словарь/main.txt"),
                shipped.filePath(QStringLiteral("словарь/main.txt")));
    const QByteArray plain = millionPairs();
    WriteScrambledText(million.filePath(QStringLiteral("словарь/main.txt")), ansi::decode(plain),
                       WriteMode::Replace);
    std::printf("generated dictionary: 1,000,000 pairs, %.1f MB, %.1f bytes a pair\n", plain.size() / 1e6,
                plain.size() / 1e6);

    struct Figures {
        std::vector<double> first, ready, peak, readXor;
    } figures[2];
    for (int run = 0; run < runs; ++run) {
        int k = 0;
        for (QTemporaryDir* dir : {&shipped, &million}) {
            const Start s = startOnce(dir->path());
            figures[k].first.push_back(s.firstWindow);
            figures[k].ready.push_back(s.ready);
            figures[k].peak.push_back(s.peakMiB);
            figures[k].readXor.push_back(readAndXor(dir->filePath(QStringLiteral("словарь/main.txt"))));
            ++k;
        }
    }
    const char* names[2] = {"shipped", "1,000,000"};
    for (int k = 0; k < 2; ++k)
        std::printf("%-10s first window %6.1f ms, ready %6.1f ms, peak %6.1f MiB, read+XOR %6.1f ms "
                    "(medians of %d)\n",
                    names[k], median(figures[k].first), median(figures[k].ready), median(figures[k].peak),
                    median(figures[k].readXor), runs);
    const double firstRatio = median(figures[1].first) / median(figures[0].first);
    const double readyAbove = median(figures[1].ready) - median(figures[0].ready);
    const double floorAbove = median(figures[1].readXor) - median(figures[0].readXor);
    std::printf("first window: %.2f x the shipped dictionary's; ready: %.1f ms later than with the shipped "
                "dictionary, %.2f x the read+XOR floor's %.1f ms\n",
                firstRatio, readyAbove, readyAbove / floorAbove, floorAbove);
    return 0;
}
