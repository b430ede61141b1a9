// The display watcher under X11: a forked child with its own X connection. It reads the
// screen's XRandR state (CRTC modes, screen size, gamma tables) before the saver changes any,
// then waits on a socket shared with the saver. The saver writes 'R' once its end steps have
// put the display back; end of file without it, or the saver's death noticed some other way,
// makes the watcher put the saved state back.
#include "platform/display_watcher.h"

#include "platform/x11/randr_snapshot.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tarnel::platform {

namespace {

constexpr char kReady = 'r';      // watcher to saver: the state is read
constexpr char kNothing = 'n';    // watcher to saver: nothing to watch, it ends
constexpr char kRestored = 'R';   // saver to watcher: the end steps put the display back
constexpr int kReadyWaitMs = 2000;
constexpr int kPollMs = 250;      // how often the watcher looks whether the saver still lives
constexpr unsigned kRestoreSeconds = 1;

// Set by the parent-death signal; the watcher's only signal handler writes it.
volatile sig_atomic_t saverDied = 0;

extern "C" void onSaverDeath(int) { saverDied = 1; }

int ignoreXError(Display*, XErrorEvent*) { return 0; }

// A broken connection leaves nothing to put back.
int endOnIoError(Display*) { _exit(0); }

void sendByte(int socket, char byte) { (void)send(socket, &byte, 1, MSG_NOSIGNAL); }

void quietStandardStreams() {
    int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0) return;
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    if (null > STDERR_FILENO) close(null);
}

// The signals the saver takes as stop requests must not end the watcher before the saver has
// ended; a terminal's interrupt reaches the whole process group, so the watcher also leaves
// the saver's group, as it does a kill of that group.
void detachFromSaverSignals() {
    setpgid(0, 0);
    signal(SIGINT, SIG_IGN);
    signal(SIGTERM, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    signal(SIGPIPE, SIG_IGN);
    struct sigaction death = {};
    death.sa_handler = onSaverDeath;
    sigemptyset(&death.sa_mask);
    sigaction(SIGUSR1, &death, nullptr);  // no SA_RESTART: the signal wakes the poll
    // The socket's end of file is the main sign of the saver's death; this covers a child of
    // the saver (a message box) that inherited the saver's end and outlives it.
    prctl(PR_SET_PDEATHSIG, SIGUSR1);
}

// Whether the saver said it put the display back, once it has ended.
bool waitForSaver(int socket, pid_t saver) {
    bool restored = false;
    for (;;) {
        if (saverDied || getppid() != saver) return restored;
        pollfd wait = {socket, POLLIN, 0};
        int ready = poll(&wait, 1, kPollMs);
        if (ready <= 0) continue;  // a timeout or a signal: look at the saver again
        char byte = 0;
        ssize_t got = read(socket, &byte, 1);
        if (got == 1) {
            if (byte == kRestored) restored = true;
        } else if (got == 0 || errno != EINTR) {
            return restored;
        }
    }
}

[[noreturn]] void runWatcher(int socket, pid_t saver, bool verbose) {
    detachFromSaverSignals();
    if (getppid() != saver) _exit(0);  // the saver died before the signal was armed
    quietStandardStreams();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        sendByte(socket, kNothing);
        _exit(0);
    }
    XSetErrorHandler(ignoreXError);
    XSetIOErrorHandler(endOnIoError);
    ScreenState saved = captureScreenState(display);
    if (!saved.valid) {
        sendByte(socket, kNothing);
        _exit(0);
    }
    sendByte(socket, kReady);
    if (!waitForSaver(socket, saver)) {
        // A server that does not answer must not keep the watcher alive: SIGALRM's default
        // action ends it.
        alarm(kRestoreSeconds);
        RestoredParts restored = restoreScreenState(display, saved, true, true);
        XSync(display, False);
        const char* what = restored.modes && restored.gamma ? "the display mode and the gamma ramp"
                           : restored.modes                  ? "the display mode"
                                                             : "the gamma ramp";
        if (verbose && (restored.modes || restored.gamma))
            std::fprintf(stderr, "tarnel: the saver ended without restoring the display; the watcher put back %s\n",
                         what);
    }
    _exit(0);
}

class X11DisplayWatcher final : public DisplayWatcher {
public:
    X11DisplayWatcher(int socket, pid_t pid) : socket_(socket), pid_(pid) {}
    ~X11DisplayWatcher() override {
        close(socket_);
        (void)waitpid(pid_, nullptr, WNOHANG);
    }
    X11DisplayWatcher(const X11DisplayWatcher&) = delete;
    X11DisplayWatcher& operator=(const X11DisplayWatcher&) = delete;

    void reportRestored() override { sendByte(socket_, kRestored); }

private:
    int socket_;
    pid_t pid_;
};

// The first byte from the watcher, or 0 when none came in time.
char awaitWatcher(int socket) {
    pollfd wait = {socket, POLLIN, 0};
    char byte = 0;
    while (poll(&wait, 1, kReadyWaitMs) < 0 && errno == EINTR) {
    }
    if ((wait.revents & POLLIN) && read(socket, &byte, 1) == 1) return byte;
    return 0;
}

}  // namespace

std::unique_ptr<DisplayWatcher> startDisplayWatcher(bool verbose) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return nullptr;
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) return nullptr;
    std::fflush(nullptr);
    pid_t saver = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        close(sockets[0]);
        close(sockets[1]);
        return nullptr;
    }
    if (pid == 0) {
        close(sockets[0]);
        runWatcher(sockets[1], saver, verbose);
    }
    close(sockets[1]);
    if (awaitWatcher(sockets[0]) == kReady) return std::make_unique<X11DisplayWatcher>(sockets[0], pid);
    // Not ready in time, it could read the state after the saver changed it: it goes.
    kill(pid, SIGKILL);
    (void)waitpid(pid, nullptr, 0);
    close(sockets[0]);
    return nullptr;
}

}  // namespace tarnel::platform
