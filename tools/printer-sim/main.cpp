// zentrova-printer-sim: a stand-in printer for trying Zentrova without one. It listens on
// loopback TCP and/or a pseudo-terminal, keeps the printer's state in its modules, answers
// the queries from that state, and logs every byte it receives.
#include "Interruptions.h"
#include "ReplyPacing.h"
#include "SimDispatcher.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    bool tcp = false;
    int port = 9100;
    bool pty = false;
    std::string logPath;
    SimPrinterState printer;
    ReplyPacing pacing;
    Interruptions interruptions;
};

using SteadyClock = std::chrono::steady_clock;

struct Peer {
    int fd = -1;
    std::string name;  // "tcp#1", "pty"
    SimDispatcher dispatcher;
    // Answers that wait for their time, each due on its own: one that is late holds up
    // none of the others.
    std::multimap<SteadyClock::time_point, std::string> later;
};

std::vector<std::unique_ptr<SimModule>> g_modules;
std::string g_logSource = "sim";  // the peer whose bytes are being handled

volatile sig_atomic_t g_stop = 0;
FILE* g_log = stderr;

void onSignal(int)
{
    g_stop = 1;
}

// ---- log ----------------------------------------------------------------------------------

void logStamp()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(g_log, "%s.%03ld ", text, now.tv_nsec / 1000000);
}

void logEvent(const std::string& source, const std::string& message)
{
    logStamp();
    std::fprintf(g_log, "%s %s\n", source.c_str(), message.c_str());
    std::fflush(g_log);
}

// One header line per chunk, then 16 bytes a line as hex and as text.
void logBytes(const std::string& source, const char* verb, const char* data, std::size_t length)
{
    logStamp();
    std::fprintf(g_log, "%s %s %zu byte%s\n", source.c_str(), verb, length, length == 1 ? "" : "s");
    // Made in one buffer and written at once: a transfer of megabytes logs fast enough to
    // keep up with the line.
    static const char digits[] = "0123456789abcdef";
    std::string dump;
    dump.reserve((length / 16 + 1) * 76);
    for (std::size_t line = 0; line < length; line += 16) {
        char offset[2 * sizeof(std::size_t)];
        int width = 0;
        for (std::size_t rest = line; rest != 0 || width < 6; rest >>= 4)
            offset[width++] = digits[rest & 0x0f];
        dump += "  ";
        while (width > 0)
            dump += offset[--width];
        dump += "  ";
        const std::size_t n = std::min<std::size_t>(16, length - line);
        std::string text;
        for (std::size_t i = 0; i < 16; ++i) {
            if (i < n) {
                const auto byte = static_cast<unsigned char>(data[line + i]);
                dump += digits[byte >> 4];
                dump += digits[byte & 0x0f];
                dump += ' ';
                text += byte >= 0x20 && byte < 0x7f ? static_cast<char>(byte) : '.';
            } else {
                dump += "   ";
            }
        }
        dump += ' ';
        dump += text;
        dump += '\n';
    }
    std::fwrite(dump.data(), 1, dump.size(), g_log);
    std::fflush(g_log);
}

// ---- options ------------------------------------------------------------------------------

// 0: run; otherwise the exit code (1 for bad arguments, 0 after --help).
int parseOptions(int argc, char** argv, Options& options)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A stand-in label printer: answers Zentrova's language probe and model query on "
        "loopback TCP and/or a pseudo-terminal and logs every byte it receives."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption tcp(QStringLiteral("tcp"),
                                 QStringLiteral("Listen on 127.0.0.1 (the default mode)."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP port (implies --tcp; 0 picks a free one). Default 9100."),
                                  QStringLiteral("N"), QStringLiteral("9100"));
    const QCommandLineOption pty(QStringLiteral("pty"),
                                 QStringLiteral("Open a pseudo-terminal and print its path."));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Probe answer: 1 Dovra, 2 Ostrel, 3 KEFT. Default 2."),
                                      QStringLiteral("1|2|3"), QStringLiteral("2"));
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Model name the model query answers. Default KX-21."),
                                   QStringLiteral("NAME"), QStringLiteral("KX-21"));
    const QCommandLineOption silent(QStringLiteral("silent"),
                                    QStringLiteral("Never answer (a printer that is off-line)."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Log to FILE instead of stderr."),
                                 QStringLiteral("FILE"));
    parser.addOptions({help, tcp, port, pty, language, model, silent, log});
    options.pacing.addOptions(parser);
    options.interruptions.addOptions(parser);
    for (const auto& module : g_modules)
        module->addOptions(parser);

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 1;
    }
    if (parser.isSet(help)) {
        // Without an application object the parser cannot know the program's name.
        const QString program = QFileInfo(arguments.value(0)).fileName();
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), program);
        text += QStringLiteral(
                    "\nIt prints \"listening on 127.0.0.1:<port>\" and/or \"pty: <path>\" once it is\n"
                    "ready, and ends on SIGINT or SIGTERM. Its state lives as long as the process,\n"
                    "so settings sent survive a reconnect.\n"
                    "\nExamples:\n"
                    "  %1\n"
                    "      a KX-21 that speaks Ostrel on 127.0.0.1:9100 (Zentrova: Ethernet)\n"
                    "  %1 --port 0 --silent\n"
                    "      an off-line printer on a free port\n"
                    "  %1 --pty --model KX-22 --language 1\n"
                    "      a serial printer: map the path it prints to a COM port in Zentrova's\n"
                    "      profile, section [Ports] (COM5=/dev/pts/N), then connect Serial on\n"
                    "      COM5: with 8 data bits and no parity (a pseudo-terminal holds no other\n"
                    "      framing)\n"
                    "  %1 --port 0 --reply-delay 300 --unanswered '\\x1b\\x1c?\\x03'\n"
                    "      a slow printer that never answers the orientation query\n"
                    "  %1 --pause-after 1048576 --pause-ms 30000 --hang-up-after 4000000\n"
                    "      a printer that stops reading for 30 s after 1 MiB (a paper change) and\n"
                    "      hangs up once after 4 000 000 bytes\n")
                    .arg(program);
        std::fputs(qPrintable(text), stdout);
        return -1;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "unexpected argument: %s\n",
                     qPrintable(parser.positionalArguments().first()));
        return 1;
    }

    bool ok = false;
    const int portNumber = parser.value(port).toInt(&ok);
    if (!ok || portNumber < 0 || portNumber > 65535) {
        std::fprintf(stderr, "bad port: %s\n", qPrintable(parser.value(port)));
        return 1;
    }
    const QString digit = parser.value(language);
    if (digit.size() != 1 || digit.at(0) < u'1' || digit.at(0) > u'3') {
        std::fprintf(stderr, "bad language: %s (1, 2 or 3)\n", qPrintable(digit));
        return 1;
    }

    options.port = portNumber;
    options.pty = parser.isSet(pty);
    options.tcp = parser.isSet(tcp) || parser.isSet(port) || !options.pty;
    options.printer.language = digit.at(0).toLatin1();
    options.printer.model = parser.value(model).toStdString();
    options.printer.silent = parser.isSet(silent);
    options.logPath = parser.value(log).toStdString();
    if (std::string error; !options.pacing.applyOptions(parser, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (std::string error; !options.interruptions.applyOptions(parser, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    for (const auto& module : g_modules) {
        std::string error;
        if (!module->applyOptions(parser, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

// ---- endpoints ----------------------------------------------------------------------------

bool setNonBlocking(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// A listening socket on 127.0.0.1; fills in the port actually bound. -1 on failure.
int openListener(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        std::perror("socket");
        return -1;
    }
    const int on = 1;
    if (setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
        std::perror("setsockopt");
        close(fd);
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr, "bind 127.0.0.1:%d: %s\n", port, std::strerror(errno));
        close(fd);
        return -1;
    }
    if (listen(fd, 8) != 0) {
        std::perror("listen");
        close(fd);
        return -1;
    }
    socklen_t length = sizeof address;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::perror("getsockname");
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// The master side of a new pseudo-terminal. The slave stays open here, in raw mode, so the
// master never sees a hang-up while no client has the device open. -1 on failure.
int openPty(std::string& slavePath, int& slaveFd)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        std::perror("posix_openpt");
        return -1;
    }
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("grantpt/unlockpt");
        close(master);
        return -1;
    }
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0) {
        std::perror("ptsname_r");
        close(master);
        return -1;
    }
    slaveFd = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd < 0) {
        std::fprintf(stderr, "open %s: %s\n", name, std::strerror(errno));
        close(master);
        return -1;
    }
    termios mode{};
    if (tcgetattr(slaveFd, &mode) != 0) {
        std::perror("tcgetattr");
        close(slaveFd);
        close(master);
        return -1;
    }
    cfmakeraw(&mode);
    if (tcsetattr(slaveFd, TCSANOW, &mode) != 0) {
        std::perror("tcsetattr");
        close(slaveFd);
        close(master);
        return -1;
    }
    if (!setNonBlocking(master)) {
        std::perror("fcntl");
        close(slaveFd);
        close(master);
        return -1;
    }
    slavePath = name;
    return master;
}

// Writes the whole reply unless the peer's buffer is full; a printer that is not read
// from must not stop the simulator.
void sendReply(const Peer& peer, const std::string& reply)
{
    std::size_t done = 0;
    while (done < reply.size()) {
        const ssize_t n = peer.name == "pty"
            ? write(peer.fd, reply.data() + done, reply.size() - done)
            : send(peer.fd, reply.data() + done, reply.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            logEvent(peer.name, std::string("reply dropped: ") + std::strerror(errno));
            return;
        }
        done += static_cast<std::size_t>(n);
    }
    logBytes(peer.name, "sent", reply.data(), reply.size());
}

void answer(Peer& peer, Options& options, const char* data, std::size_t length)
{
    g_logSource = peer.name;
    options.printer.link = peer.name == "pty" ? 'p' : 't';
    const auto now = SteadyClock::now();
    for (const SimDispatcher::Answer& a : peer.dispatcher.feedCommands(data, length, options.printer)) {
        const std::optional<int> delay = options.pacing.delayFor(a.command);
        if (!delay) {
            logEvent(peer.name, "reply withheld");
            continue;
        }
        const auto due = now + std::chrono::milliseconds(*delay);
        if (due <= now && peer.later.empty())
            sendReply(peer, a.reply);
        else
            peer.later.emplace(due, a.reply);
    }
    g_logSource = "sim";
}

// Sends the answers whose time has come.
void sendDueReplies(Peer& peer)
{
    const auto now = SteadyClock::now();
    while (!peer.later.empty() && peer.later.begin()->first <= now) {
        sendReply(peer, peer.later.begin()->second);
        peer.later.erase(peer.later.begin());
    }
}

// How long the main loop may wait before an answer is due; null for no limit.
const timespec* untilNextReply(const std::vector<Peer>& peers, timespec& wait)
{
    std::optional<SteadyClock::time_point> next;
    for (const Peer& peer : peers) {
        if (!peer.later.empty())
            next = next ? std::min(*next, peer.later.begin()->first) : peer.later.begin()->first;
    }
    if (!next)
        return nullptr;
    const auto left = std::max(*next - SteadyClock::now(), SteadyClock::duration::zero());
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    wait.tv_sec = static_cast<time_t>(ns / 1000000000);
    wait.tv_nsec = static_cast<long>(ns % 1000000000);
    return &wait;
}

// ---- main loop ----------------------------------------------------------------------------

SimDispatcher newDispatcher()
{
    std::vector<SimModule*> modules;
    for (const auto& module : g_modules)
        modules.push_back(module.get());
    return SimDispatcher(std::move(modules));
}

// Reads what is waiting on the peer. False when the peer has gone (or is hung up on).
bool serviceRead(Peer& peer, Options& options)
{
    char buffer[65536];
    Interruptions& stops = options.interruptions;
    for (;;) {
        if (stops.pauseLeftMs() > 0)
            return true;
        const ssize_t n = read(peer.fd, buffer, stops.readLimit(sizeof buffer));
        if (n > 0) {
            logBytes(peer.name, "received", buffer, static_cast<std::size_t>(n));
            answer(peer, options, buffer, static_cast<std::size_t>(n));
            std::string event;
            const bool hangUp = stops.took(static_cast<std::size_t>(n), peer.name != "pty", event);
            if (!event.empty())
                logEvent(peer.name, event);
            if (hangUp)
                return false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        if (n < 0)
            logEvent(peer.name, std::string("read failed: ") + std::strerror(errno));
        return false;
    }
}

int run(Options& options)
{
    int listener = -1;
    int port = options.port;
    if (options.tcp) {
        listener = openListener(port);
        if (listener < 0)
            return 1;
        std::printf("listening on 127.0.0.1:%d\n", port);
    }

    std::vector<Peer> peers;
    int slaveFd = -1;
    if (options.pty) {
        std::string path;
        const int master = openPty(path, slaveFd);
        if (master < 0) {
            if (listener >= 0)
                close(listener);
            return 1;
        }
        peers.push_back({master, "pty", newDispatcher(), {}});
        std::printf("pty: %s\n", path.c_str());
    }
    std::fflush(stdout);
    logEvent("sim", std::string("started: language ") + options.printer.language +
                        ", model \"" + options.printer.model + "\"" +
                        (options.printer.silent ? ", silent" : ""));

    // The stop signals are taken only while ppoll waits, so none is lost between checks.
    sigset_t blocked;
    sigset_t waiting;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &blocked, &waiting) != 0) {
        std::perror("sigprocmask");
        return 1;
    }
    sigdelset(&waiting, SIGINT);
    sigdelset(&waiting, SIGTERM);

    int nextConnection = 1;
    while (!g_stop) {
        std::vector<pollfd> fds;
        if (listener >= 0)
            fds.push_back({listener, POLLIN, 0});
        // While paused the printer takes nothing: its peers are not even asked.
        const long long pauseMs = options.interruptions.pauseLeftMs();
        for (const Peer& peer : peers)
            fds.push_back({pauseMs > 0 ? -1 : peer.fd, POLLIN, 0});
        // Wake for the next answer that is due, or for the end of a pause.
        timespec wait{};
        const timespec* limit = untilNextReply(peers, wait);
        const timespec pauseLeft{static_cast<time_t>(pauseMs / 1000), static_cast<long>(pauseMs % 1000) * 1000000};
        if (pauseMs > 0 && (!limit || pauseMs < wait.tv_sec * 1000LL + wait.tv_nsec / 1000000))
            limit = &pauseLeft;
        if (ppoll(fds.data(), fds.size(), limit, &waiting) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("ppoll");
            break;
        }
        for (Peer& peer : peers)
            sendDueReplies(peer);

        std::size_t slot = 0;
        if (listener >= 0 && (fds[slot++].revents & POLLIN)) {
            const int fd = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd >= 0) {
                const int on = 1;
                setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                Peer peer{fd, "tcp#" + std::to_string(nextConnection++), newDispatcher(), {}};
                logEvent(peer.name, "connected");
                peers.push_back(std::move(peer));
            } else if (errno != EAGAIN && errno != EINTR && errno != ECONNABORTED) {
                logEvent("sim", std::string("accept failed: ") + std::strerror(errno));
            }
        }
        for (std::size_t i = 0; i < peers.size() && slot < fds.size(); ++slot) {
            Peer& peer = peers[i];
            if (fds[slot].revents == 0 || serviceRead(peer, options)) {
                ++i;
                continue;
            }
            if (peer.name == "pty") {
                logEvent("pty", "closed");
                if (listener < 0)
                    g_stop = 1;
            } else {
                logEvent(peer.name, "disconnected");
            }
            close(peer.fd);
            peers.erase(peers.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }

    for (const Peer& peer : peers)
        close(peer.fd);
    if (slaveFd >= 0)
        close(slaveFd);
    if (listener >= 0)
        close(listener);
    logEvent("sim", "stopped");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    g_modules = CreateSimModules();
    SetSimLog([](const std::string& message) { logEvent(g_logSource, message); });
    Options options;
    if (const int code = parseOptions(argc, argv, options); code != 0)
        return code < 0 ? 0 : code;

    if (!options.logPath.empty()) {
        g_log = std::fopen(options.logPath.c_str(), "a");
        if (!g_log) {
            std::fprintf(stderr, "cannot open log %s: %s\n", options.logPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }

    struct sigaction stop{};
    stop.sa_handler = onSignal;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    signal(SIGPIPE, SIG_IGN);

    const int code = run(options);
    if (g_log != stderr)
        std::fclose(g_log);
    return code;
}
